#pragma once

#include <QStringList>

namespace platform {

class Processes
{
public:
    virtual ~Processes() = default;
    // The names of the user's running processes, one per process, duplicates kept.
    virtual QStringList names() = 0;
    // Ends every process of that name that may be ended; returns how many were.
    virtual int terminateAll(const QString &name) = 0;
};

} // namespace platform
