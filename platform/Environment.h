#pragma once

#include <QString>

namespace platform {

// Where the program lives and who runs it. Paths come back without a trailing
// separator.
class Environment
{
public:
    virtual ~Environment() = default;
    // The executable's folder when writable, otherwise the per-user data folder.
    virtual QString applicationFolder() const = 0;
    // The login name of the user (stands in for the network object's UserName).
    virtual QString userName() const = 0;
    // The folder the generated pages are written to (the "TEMP" folder).
    virtual QString tempFolder() const = 0;
    // Read-only assets shipped with the program (help page and the like).
    virtual QString dataFolder() const = 0;
};

} // namespace platform
