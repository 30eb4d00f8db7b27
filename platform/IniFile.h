#pragma once

#include <QList>
#include <QString>

#include <functional>

// Settings-file access with the semantics of the Windows profile functions:
// section and key names match without regard to case, blanks around keys and
// values are dropped, a missing file, section or key reads as the default, a read
// returns at most 511 characters, and a write creates the file and section,
// replaces the value in place or appends the key at the end of its section, and
// keeps every other line. CR LF, LF and CR alone all end a line; added lines end
// in CR LF (in LF in a file whose first line ends in LF). Writes replace the file
// atomically and store UTF-8; a file that is not valid UTF-8 is read as CP949.
//
// A write stores the value without blanks at its ends (a read would drop them),
// so saving the same value again leaves the file as it was. The whole
// read-change-replace runs under the file's lock (platform::FileLock, the file
// ".<name>.lock" beside it), so writers in several processes or threads never
// lose each other's changes; it also clears away the temporary files of writes
// that were killed before their rename.
namespace modINIControl {

QString ReadIniValue(const QString &section, const QString &key, const QString &filePath,
                     const QString &defaultValue = QString());

// Returns false when the file could not be written (the old file is then untouched).
bool WriteIniValue(const QString &section, const QString &key, const QString &value,
                   const QString &filePath);

struct IniChange
{
    QString section;
    QString key;
    QString value;
};

// Several keys in one read-change-replace under the lock: a reader sees the old
// file or the new one, never a part. False, with the file untouched, when a
// name is unusable, the file cannot be read or written, or abandonAfter(n),
// asked after the n-th change, answers true.
bool WriteIniValues(const QList<IniChange> &changes, const QString &filePath,
                    const std::function<bool(int)> &abandonAfter = {});

} // namespace modINIControl
