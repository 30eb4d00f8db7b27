#include "platform/linux/LinuxProcesses.h"

#include "TempDir.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <unistd.h>

using platform::LinuxProcesses;

namespace {

// A /proc tree written by the test: no real process is ever signalled.
class FakeProc : public ::testing::Test
{
protected:
    void process(int pid, uint uid, const QByteArray &comm, unsigned long flags = 0x400000, char state = 'S',
                 const QByteArray &cmdline = {}, int session = 1)
    {
        const QString folder = QString::number(pid);
        dir.write(folder + "/status", "Name:\t" + comm + "\nUmask:\t0022\nUid:\t" + QByteArray::number(uid)
                                         + "\t" + QByteArray::number(uid) + "\t0\t0\n");
        dir.write(folder + "/stat", QByteArray::number(pid) + " (" + comm + ") " + state + " 1 1 " + QByteArray::number(session) + " 0 -1 "
                                       + QByteArray::number(qulonglong(flags)) + " 0 0 0 0\n");
        dir.write(folder + "/comm", comm + '\n');
        dir.write(folder + "/cmdline", cmdline);
    }
    LinuxProcesses processes(uint uid = kUid, std::optional<qint64> session = std::nullopt)
    {
        LinuxProcesses::Options options;
        options.procRoot = dir.path();
        options.uid = uid;
        options.session = session;
        options.ownPid = 30;
        options.kill = [this](qint64 pid) {
            killed.append(pid);
            return pid != 41;   // 41 refuses, as a process that is gone meanwhile
        };
        return LinuxProcesses(options);
    }

    static constexpr uint kUid = 1000;
    TestFolder dir;
    QList<qint64> killed;
};

TEST_F(FakeProc, ListsOnlyTheUsersLiveProcessesInPidOrder)
{
    process(100, kUid, "editor");
    process(9, kUid, "shell");
    process(2, 0, "kthreadd", 0x208040);
    process(12, kUid, "kworker/0:1", 0x04208060);   // a kernel thread, whatever its uid
    process(13, 0, "sshd");                         // another user's
    process(14, kUid, "defunct", 0x400000, 'Z');
    process(15, kUid, "odd ) (name");
    dir.write("self/status", "Uid:\t1000\n");        // not a pid folder
    dir.write("77/stat", "garbage");                  // vanished half-way
    EXPECT_EQ(processes().names(), (QStringList{"shell", "odd ) (name", "editor"}));
}

TEST_F(FakeProc, RunAsRootOnlyItsOwnSessionCounts)
{
    // Root's processes in other sessions are system services and other logins.
    process(20, 0, "bash", 0x400000, 'S', {}, 7);
    process(21, 0, "systemd-journald", 0x400000, 'S', {}, 1);
    process(22, 0, "bash", 0x400000, 'S', {}, 1);
    process(23, 0, "vorlen", 0x400000, 'S', {}, 7);
    EXPECT_EQ(processes(0, 7).names(), (QStringList{"bash", "vorlen"}));
    EXPECT_EQ(processes(0, 7).terminateAll("bash"), 1);
    EXPECT_EQ(killed, (QList<qint64>{20}));
    EXPECT_EQ(processes(0, -1).names().size(), 4) << "every session when asked for";
    EXPECT_EQ(processes(kUid).names().size(), 0) << "a normal user sees no root process";
}

TEST_F(FakeProc, LongNamesComeWholeFromTheCommandLine)
{
    // comm keeps 15 characters.
    process(20, kUid, "a-very-long-pro", 0x400000, 'S', QByteArray("/opt/x/a-very-long-program\0--flag\0", 35));
    process(21, kUid, "exactly15chars_", 0x400000, 'S', QByteArray("/bin/other\0", 11));
    EXPECT_EQ(processes().names(), (QStringList{"a-very-long-program", "exactly15chars_"}));
}

TEST_F(FakeProc, TerminateAllEndsEveryInstanceButOurselves)
{
    process(30, kUid, "vorlen");     // this process
    process(31, kUid, "vorlen");
    process(40, kUid, "worker");
    process(41, kUid, "worker");
    process(42, kUid, "worker");
    process(50, 0, "worker");        // not ours
    LinuxProcesses p = processes();
    EXPECT_EQ(p.terminateAll("worker"), 2);   // 41 could not be ended
    EXPECT_EQ(killed, (QList<qint64>{40, 41, 42}));

    killed.clear();
    EXPECT_EQ(p.terminateAll("vorlen"), 1);
    EXPECT_EQ(killed, QList<qint64>{31});

    killed.clear();
    EXPECT_EQ(p.terminateAll("Worker"), 0);
    EXPECT_EQ(p.terminateAll(""), 0);
    EXPECT_TRUE(killed.isEmpty());
}

// A real process, started by the test under a name nobody else uses.
TEST(LinuxProcesses, EndsAProcessTheTestStarted)
{
    TestFolder dir;
    const QString name = QStringLiteral("vorlen-t-%1").arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'));
    const QString program = dir.file(name);
    ASSERT_TRUE(QFile::copy("/bin/sleep", program));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);

    QProcess child;
    child.start(program, {"30"});
    ASSERT_TRUE(child.waitForStarted());

    LinuxProcesses processes;
    const QStringList names = processes.names();
    EXPECT_EQ(names.count(name), 1);   // the whole name, beyond comm's 15 characters
    EXPECT_TRUE(names.contains(QCoreApplication::applicationFilePath().section('/', -1).left(15))
                || names.contains(QCoreApplication::applicationFilePath().section('/', -1)));

    EXPECT_EQ(processes.terminateAll(name), 1);
    ASSERT_TRUE(child.waitForFinished(5000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    EXPECT_FALSE(processes.names().contains(name));
    EXPECT_EQ(processes.terminateAll(name), 0);
}

} // namespace
