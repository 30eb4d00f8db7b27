#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Writes a file beside the target and renames it over the target, so a crash
// leaves either the old or the new file whole. Never follows a symbolic link at
// the target path. False when any step failed (the target is then unchanged).
// The file beside it is named ".<name>.tmp-<pid>-<random>"; the writer's process
// id in the name lets a later writer tell a live write from a dead one.
bool writeFileAtomically(const QString &path, const QByteArray &bytes);

// An exclusive advisory lock on one target file, held from construction until
// destruction, for a read-modify-write that must not interleave with another
// process or thread doing the same to the same file. The lock lives on a file
// beside the target, ".<name>.lock", that stays in place once made (removing it
// would let two writers hold locks on two different files). The lock file is
// never written to and never followed if it is a symbolic link. Construction
// waits while another holder has the lock; a holder that dies releases it.
class FileLock
{
public:
    explicit FileLock(const QString &targetPath);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // False when the lock file could not be opened or locked (a missing or
    // unwritable folder, something other than a plain file at its path).
    bool isHeld() const { return m_fd >= 0; }

    // Removes what killed writers of the target left behind: files named exactly
    // like writeFileAtomically's temporary files for this target, that are plain
    // files owned by us, and whose writer process no longer runs or that were last
    // modified more than ten minutes ago. Writers that take this lock hold it
    // from creating their temporary file until its rename, so while we hold it
    // none of theirs is live; the process test also spares a write in progress by
    // a caller that does not lock. Nothing else is touched. Does nothing unless
    // the lock is held. Returns how many files were removed.
    int removeStaleTemporaryFiles() const;

private:
    QByteArray m_folder;   // encoded, with its trailing '/'; empty for the current folder
    QByteArray m_fileName; // encoded
    int m_fd = -1;
};

// Decodes file contents: UTF-8 (with or without a byte-order mark) when valid,
// CP949 otherwise. A file that starts with a UTF-8 byte-order mark is always
// UTF-8 (bytes that are not become U+FFFD).
QString decodeText(const QByteArray &bytes);

// True when name can be used as one path component inside a folder: not empty,
// not "." or "..", no '/' or '\\', no NUL.
bool isSafeFileName(const QString &name);

} // namespace platform
