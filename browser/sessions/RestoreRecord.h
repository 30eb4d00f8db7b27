#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// The restores of the last runs, kept in "session.vsr" beside the session
// file: when each run brought a session back, when it was last known alive
// and whether it ended cleanly. A run that restores and then ends abnormally
// within a minute, twice in a row, is a crash loop: the next start brings
// nothing back by itself and offers the recovery page instead.
//
// The record holds only the restores since the last start that brought nothing
// back; a start without a restore, and a fresh start from the recovery page,
// empty it. The file is a small versioned one, replaced atomically; a file
// that does not read whole counts as an empty record.
namespace restoreRecord {

inline constexpr quint32 kMagic = 0x564C5352;  // "VLSR"
inline constexpr qint32 kVersion = 1;
inline constexpr qint64 kLoopWindowMs = 60000;
inline constexpr int kLoopCount = 2;
inline constexpr int kMaxRuns = 8;

struct Run
{
    qint64 restoredAt = 0;  // ms since the epoch
    qint64 lastSeen = 0;    // ms since the epoch, the last moment the run was known alive
    bool cleanExit = false;

    bool operator==(const Run &) const = default;
};

// Oldest first.
using Runs = QList<Run>;

// Whether the newest runs are kLoopCount restores in a row, each of which
// ended abnormally less than kLoopWindowMs after its restore.
bool isCrashLoop(const Runs &runs);

QByteArray encode(const Runs &runs);
// Empty unless the bytes are a whole record of this version.
Runs decode(const QByteArray &bytes);

QString path(const QString &folder);
Runs read(const QString &folder);
// Replaces the record in one atomic write; an empty record removes the file.
bool write(const QString &folder, const Runs &runs);

} // namespace restoreRecord
