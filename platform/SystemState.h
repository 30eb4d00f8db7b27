#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace platform {

struct MemoryStatus
{
    quint64 physicalTotal = 0;
    quint64 physicalAvailable = 0;
    quint64 virtualTotal = 0;
    quint64 virtualAvailable = 0;
};

// Machine state queries. Queries that run a command are answered from a copy at
// most one second old, so the layout pass may ask on every event.
class SystemState
{
public:
    virtual ~SystemState() = default;
    virtual bool isInternetConnected() = 0;
    // nullopt when no known firewall tool answers.
    virtual std::optional<bool> firewallEnabled() = 0;
    // False when the state could not be changed.
    virtual bool setFirewallEnabled(bool enabled) = 0;
    virtual int processorCount() = 0;
    virtual MemoryStatus memory() = 0;
    virtual QString osName() = 0;
    virtual QString osVersion() = 0;
    virtual QString hostName() = 0;
    virtual QString hostAddress() = 0;
    // Gives unused heap back to the system.
    virtual void trimWorkingSet() = 0;
};

} // namespace platform
