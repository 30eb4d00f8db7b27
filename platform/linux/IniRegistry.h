#pragma once

#include "platform/Registry.h"

namespace platform {

// The registry stand-in: one INI file per user, $XDG_CONFIG_HOME/vorlen/registry.ini.
// A key path is a section, a value name is a key in it; names match without regard
// to case, as registry names do. Values are read through the settings-file reader,
// so a value longer than 511 characters comes back cut.
class IniRegistry : public Registry
{
public:
    IniRegistry();
    explicit IniRegistry(const QString &filePath);

    QString filePath() const { return m_filePath; }

    QString read(const QString &keyPath, const QString &valueName) const override;
    // Refuses names and values that would break the file's line structure
    // (line breaks, NUL, a ']' in the key path, a '=' in the value name or one
    // that would read as a comment or a section).
    bool write(const QString &keyPath, const QString &valueName, const QString &value) override;

    static QString defaultFilePath();

private:
    QString m_filePath;
};

} // namespace platform
