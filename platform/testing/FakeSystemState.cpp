#include "FakeSystemState.h"

namespace platform::testing {

FakeSystemState::FakeSystemState()
{
    constexpr quint64 mb = 1024 * 1024;
    m_memory.physicalTotal = 4096 * mb;
    m_memory.physicalAvailable = 2048 * mb;
    m_memory.virtualTotal = 6144 * mb;
    m_memory.virtualAvailable = 4096 * mb;
}

bool FakeSystemState::isInternetConnected()
{
    ++m_connectionQueries;
    return m_connected;
}

std::optional<bool> FakeSystemState::firewallEnabled()
{
    ++m_firewallQueries;
    return m_firewall;
}

bool FakeSystemState::setFirewallEnabled(bool enabled)
{
    m_firewallSwitches.append(enabled);
    if (!m_switchable)
        return false;
    m_firewall = enabled;
    return true;
}

void FakeSystemState::setOs(const QString &name, const QString &version)
{
    m_osName = name;
    m_osVersion = version;
}

void FakeSystemState::setHost(const QString &name, const QString &address)
{
    m_hostName = name;
    m_hostAddress = address;
}

} // namespace platform::testing
