#include "RestoreRecord.h"

#include "platform/FileIO.h"

#include <QDataStream>
#include <QDir>
#include <QFile>

namespace restoreRecord {

bool isCrashLoop(const Runs &runs)
{
    int inARow = 0;
    for (auto run = runs.crbegin(); run != runs.crend(); ++run) {
        const qint64 lived = run->lastSeen - run->restoredAt;
        // A clock set back between the two marks tells nothing: not a quick end.
        if (run->cleanExit || lived < 0 || lived >= kLoopWindowMs)
            break;
        if (++inARow >= kLoopCount)
            return true;
    }
    return false;
}

QByteArray encode(const Runs &runs)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kVersion << quint32(runs.size());
    for (const Run &run : runs)
        out << run.restoredAt << run.lastSeen << run.cleanExit;
    return bytes;
}

Runs decode(const QByteArray &bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    qint32 version = 0;
    quint32 count = 0;
    in >> magic >> version >> count;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion || count > quint32(kMaxRuns))
        return {};
    Runs runs;
    for (quint32 i = 0; i < count; ++i) {
        Run run;
        in >> run.restoredAt >> run.lastSeen >> run.cleanExit;
        runs.append(run);
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return {};
    return runs;
}

QString path(const QString &folder)
{
    return folder + QStringLiteral("/session.vsr");
}

Runs read(const QString &folder)
{
    QFile file(path(folder));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decode(file.read(4096));
}

bool write(const QString &folder, const Runs &runs)
{
    if (runs.isEmpty())
        return !QFile::exists(path(folder)) || QFile::remove(path(folder));
    if (!QDir().mkpath(folder))
        return false;
    return platform::writeFileAtomically(path(folder), encode(runs.mid(qMax(0, int(runs.size()) - kMaxRuns))));
}

} // namespace restoreRecord
