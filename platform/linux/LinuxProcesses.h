#pragma once

#include "platform/Processes.h"

#include <QList>

#include <functional>
#include <optional>

namespace platform {

// Processes from /proc.
//
// Only the processes whose real user is ours are listed and ended: those are the
// ones we may signal, and other users' programs are not ours to end. Kernel
// threads (PF_KTHREAD) and zombies (already ended, waiting for their parent) are
// left out. A process is named by its executable's file name; /proc/<pid>/comm
// keeps only 15 characters, so a longer name is taken from the executable or
// argv[0] when they agree with it.
class LinuxProcesses : public Processes
{
public:
    struct Options
    {
        QString procRoot = QStringLiteral("/proc");
        std::optional<uint> uid;                      // default: our real uid
        qint64 ownPid = -1;                           // default: getpid()
        std::function<bool(qint64 pid)> kill;         // default: kill(pid, SIGKILL)
        // Only the processes of this session; -1 for every session. Default:
        // our own session when running as root (root's processes elsewhere are
        // the system's services and other logins), every session otherwise.
        std::optional<qint64> session;
    };

    struct Entry
    {
        qint64 pid = 0;
        QString name;
    };

    LinuxProcesses();
    explicit LinuxProcesses(Options options);

    // The user's processes in pid order.
    QList<Entry> list() const;

    QStringList names() override;
    // Sends SIGKILL to every process of ours with exactly that name, except this
    // process itself. Processes that cannot be ended (gone meanwhile, not
    // permitted) are skipped and not counted.
    int terminateAll(const QString &name) override;

private:
    std::optional<Entry> readProcess(qint64 pid) const;

    Options m_options;
};

} // namespace platform
