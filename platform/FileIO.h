#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Writes a file beside the target and renames it over the target, so a crash
// leaves either the old or the new file whole. Never follows a symbolic link at
// the target path. False when any step failed (the target is then unchanged).
bool writeFileAtomically(const QString &path, const QByteArray &bytes);

// Decodes file contents: UTF-8 (with or without a byte-order mark) when valid,
// CP949 otherwise. A file that starts with a UTF-8 byte-order mark is always
// UTF-8 (bytes that are not become U+FFFD).
QString decodeText(const QByteArray &bytes);

// True when name can be used as one path component inside a folder: not empty,
// not "." or "..", no '/' or '\\', no NUL.
bool isSafeFileName(const QString &name);

} // namespace platform
