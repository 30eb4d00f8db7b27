#pragma once

#include "platform/SystemState.h"

#include <QList>

namespace platform::testing {

// Machine state the test sets. Defaults: connected, firewall on, four processors,
// 4 GB of memory, "Debian GNU/Linux" "12", host "testhost" at 192.0.2.10.
class FakeSystemState : public SystemState
{
public:
    FakeSystemState();

    bool isInternetConnected() override;
    std::optional<bool> firewallEnabled() override;
    // Records the call; when switching is allowed, the firewall takes the new state.
    bool setFirewallEnabled(bool enabled) override;
    int processorCount() override { return m_processorCount; }
    MemoryStatus memory() override { return m_memory; }
    QString osName() override { return m_osName; }
    QString osVersion() override { return m_osVersion; }
    QString hostName() override { return m_hostName; }
    QString hostAddress() override { return m_hostAddress; }
    void trimWorkingSet() override { ++m_trimCount; }

    void setConnected(bool connected) { m_connected = connected; }
    // nullopt: no firewall tool answers.
    void setFirewall(std::optional<bool> enabled) { m_firewall = enabled; }
    // Whether setFirewallEnabled succeeds (default yes).
    void setFirewallSwitchable(bool switchable) { m_switchable = switchable; }
    void setProcessorCount(int count) { m_processorCount = count; }
    void setMemory(const MemoryStatus &memory) { m_memory = memory; }
    void setOs(const QString &name, const QString &version);
    void setHost(const QString &name, const QString &address);

    // Every setFirewallEnabled argument, in order.
    const QList<bool> &firewallSwitches() const { return m_firewallSwitches; }
    int trimCount() const { return m_trimCount; }
    int connectionQueries() const { return m_connectionQueries; }
    int firewallQueries() const { return m_firewallQueries; }

private:
    bool m_connected = true;
    std::optional<bool> m_firewall = true;
    bool m_switchable = true;
    int m_processorCount = 4;
    MemoryStatus m_memory;
    QString m_osName = QStringLiteral("Debian GNU/Linux");
    QString m_osVersion = QStringLiteral("12");
    QString m_hostName = QStringLiteral("testhost");
    QString m_hostAddress = QStringLiteral("192.0.2.10");
    QList<bool> m_firewallSwitches;
    int m_trimCount = 0;
    int m_connectionQueries = 0;
    int m_firewallQueries = 0;
};

} // namespace platform::testing
