#pragma once

#include "platform/Environment.h"

#include <optional>

namespace platform {

// The environment of a Linux desktop session.
//
// Application folder: $XDG_DATA_HOME/vorlen for an installed copy, whoever runs
// it; for a portable copy the executable's folder when we may write there,
// otherwise $XDG_DATA_HOME/vorlen (see Installation.h). Either way the same
// folder tree.
//
// Temp folder: $TEMP when it names a usable folder; otherwise a private folder of
// ours ($XDG_RUNTIME_DIR/vorlen, else <tmp>/vorlen-<uid>). A private folder must be a
// real directory owned by us with mode 0700; when something else sits at that path
// (another user's folder, a planted symbolic link) a fresh mkdtemp folder is used
// instead, because the generated pages must never land where someone else controls.
class LinuxEnvironment : public Environment
{
public:
    // Everything the environment normally takes from the process, replaceable by
    // tests. Unset members come from the process environment.
    struct Overrides
    {
        QString applicationFolder;                // used as given (created if missing)
        QString dataFolder;
        std::optional<QString> tempVariable;      // stands in for $TEMP ("" = unset)
        std::optional<QString> runtimeFolder;     // stands in for $XDG_RUNTIME_DIR
        QString tmpRoot;                          // parent of vorlen-<uid>; default QDir::tempPath()
    };

    LinuxEnvironment();
    explicit LinuxEnvironment(Overrides overrides);
    ~LinuxEnvironment() override;

    QString applicationFolder() const override;
    QString userName() const override;
    QString tempFolder() const override;
    QString dataFolder() const override;

    // True when path is a directory (not a symbolic link) owned by the effective
    // user; tightens its mode to 0700. Creates it with 0700 when missing.
    static bool makePrivateFolder(const QString &path);

private:
    QString resolveTempFolder() const;

    Overrides m_overrides;
    // Resolved on first use: QCoreApplication may not exist at construction.
    mutable QString m_applicationFolder;
    mutable QString m_tempFolder;
    mutable bool m_tempIsPrivate = false;     // m_tempFolder is one of our 0700 folders
    // A mkdtemp folder we made ourselves; removed again at the end if empty.
    mutable QString m_madeTempFolder;
};

} // namespace platform
