#pragma once

#include <QString>

namespace platform {

// The few registry values the program reads and writes, by key path and value name.
class Registry
{
public:
    virtual ~Registry() = default;
    // Empty when the key or the value does not exist.
    virtual QString read(const QString &keyPath, const QString &valueName) const = 0;
    // False when the value could not be stored.
    virtual bool write(const QString &keyPath, const QString &valueName, const QString &value) = 0;
};

// Where the start page lives.
inline constexpr auto kStartPageKey = "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr auto kStartPageValue = "Start Page";

} // namespace platform
