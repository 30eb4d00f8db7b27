#include "LinuxProcesses.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <csignal>
#include <limits.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr unsigned long kKernelThread = 0x00200000;   // PF_KTHREAD
constexpr qsizetype kCommLength = 15;                  // TASK_COMM_LEN - 1

QByteArray readProcFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The real uid from the "Uid:" line of /proc/<pid>/status.
std::optional<uint> realUid(const QByteArray &status)
{
    for (const QByteArray &line : status.split('\n')) {
        if (!line.startsWith("Uid:"))
            continue;
        const QList<QByteArray> f = line.mid(4).simplified().split(' ');
        bool ok = false;
        const uint uid = f.value(0).toUInt(&ok);
        return ok ? std::optional<uint>(uid) : std::nullopt;
    }
    return std::nullopt;
}

QString baseName(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return QFile::decodeName(slash >= 0 ? path.mid(slash + 1) : path);
}

} // namespace

LinuxProcesses::LinuxProcesses()
    : LinuxProcesses(Options{})
{
}

LinuxProcesses::LinuxProcesses(Options options)
    : m_options(std::move(options))
{
    if (!m_options.uid)
        m_options.uid = ::getuid();
    if (m_options.ownPid < 0)
        m_options.ownPid = ::getpid();
    if (!m_options.session)
        m_options.session = *m_options.uid == 0 ? qint64(::getsid(0)) : qint64(-1);
    if (!m_options.kill)
        m_options.kill = [](qint64 pid) { return pid > 0 && ::kill(pid_t(pid), SIGKILL) == 0; };
}

std::optional<LinuxProcesses::Entry> LinuxProcesses::readProcess(qint64 pid) const
{
    const QString folder = m_options.procRoot + QLatin1Char('/') + QString::number(pid);
    if (realUid(readProcFile(folder + QStringLiteral("/status"))) != m_options.uid)
        return std::nullopt;

    // The name in stat may hold blanks and ')', so the fields start after the last ')'.
    const QByteArray stat = readProcFile(folder + QStringLiteral("/stat"));
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> f = stat.mid(close + 1).simplified().split(' ');
    // f[0] state, f[1] ppid, f[2] pgrp, f[3] session, f[4] tty, f[5] tpgid, f[6] flags
    if (f.size() < 7)
        return std::nullopt;
    bool ok = false;
    if (*m_options.session >= 0 && f[3].toLongLong(&ok) != *m_options.session)
        return std::nullopt;
    const unsigned long flags = f[6].toULong(&ok);
    if (!ok || (flags & kKernelThread) || f[0] == "Z" || f[0] == "X")
        return std::nullopt;

    QByteArray comm = readProcFile(folder + QStringLiteral("/comm"));
    if (comm.endsWith('\n'))
        comm.chop(1);
    Entry entry{pid, QString::fromUtf8(comm)};
    if (entry.name.isEmpty())
        return std::nullopt;

    if (comm.size() >= kCommLength) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(QFile::encodeName(folder + QStringLiteral("/exe")).constData(), target,
                                     sizeof target - 1);
        QByteArray exe = n > 0 ? QByteArray(target, n) : QByteArray();
        if (exe.endsWith(" (deleted)"))
            exe.chop(10);
        const QByteArray argv0 = readProcFile(folder + QStringLiteral("/cmdline")).split('\0').value(0);
        for (const QString &candidate : {baseName(exe), baseName(argv0)}) {
            if (candidate.size() > entry.name.size() && candidate.startsWith(entry.name)) {
                entry.name = candidate;
                break;
            }
        }
    }
    return entry;
}

QList<LinuxProcesses::Entry> LinuxProcesses::list() const
{
    QList<qint64> pids;
    const QStringList folders = QDir(m_options.procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString &name : folders) {
        bool ok = false;
        const qint64 pid = name.toLongLong(&ok);
        if (ok && pid > 0)
            pids.append(pid);
    }
    std::sort(pids.begin(), pids.end());

    QList<Entry> entries;
    for (qint64 pid : pids) {
        if (auto entry = readProcess(pid))
            entries.append(*entry);
    }
    return entries;
}

QStringList LinuxProcesses::names()
{
    QStringList result;
    for (const Entry &entry : list())
        result.append(entry.name);
    return result;
}

int LinuxProcesses::terminateAll(const QString &name)
{
    if (name.isEmpty())
        return 0;
    int ended = 0;
    for (const Entry &entry : list()) {
        if (entry.name == name && entry.pid != m_options.ownPid && m_options.kill(entry.pid))
            ++ended;
    }
    return ended;
}

} // namespace platform
