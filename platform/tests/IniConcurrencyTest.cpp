#include "platform/FileIO.h"
#include "platform/IniFile.h"

#include "PlainUser.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using modINIControl::ReadIniValue;
using modINIControl::WriteIniValue;

namespace {

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList temporaries(const QString &folder)
{
    return entries(folder).filter(QStringLiteral(".tmp-"));
}

// Saves count keys "<prefix><i>" = i; the number of saves that reported failure.
int saveKeys(const QString &path, const QString &prefix, int count)
{
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        if (!WriteIniValue(QStringLiteral("Vorlen Setting"), prefix + QString::number(i), QString::number(i), path))
            ++failures;
    }
    return failures;
}

int lostKeys(const QString &path, const QString &prefix, int count)
{
    int lost = 0;
    for (int i = 0; i < count; ++i) {
        if (ReadIniValue(QStringLiteral("Vorlen Setting"), prefix + QString::number(i), path) != QString::number(i))
            ++lost;
    }
    return lost;
}

// A process id that surely runs no more: a child that has ended and been reaped.
pid_t deadProcessId()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

TEST(IniConcurrentSaves, twoProcessesSavingDifferentKeysLoseNone)
{
    TestFolder dir;
    const QString ini = dir.write("Setting.ini", "[Vorlen Setting]\r\nKept=1\r\n");
    constexpr int kKeys = 300;

    // Both children wait on the pipe, so they start saving together.
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    pid_t children[2];
    const char *prefixes[2] = {"A", "B"};
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            ::close(start[1]);
            char byte;
            (void)::read(start[0], &byte, 1);
            ::_exit(saveKeys(ini, QLatin1String(prefixes[c]), kKeys) == 0 ? 0 : 1);
        }
    }
    ::close(start[0]);
    ::close(start[1]);

    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save reported failure";
    }
    EXPECT_EQ(lostKeys(ini, "A", kKeys), 0);
    EXPECT_EQ(lostKeys(ini, "B", kKeys), 0);
    EXPECT_EQ(ReadIniValue("Vorlen Setting", "Kept", ini), "1");
    EXPECT_EQ(temporaries(dir.path()), QStringList());
}

TEST(IniConcurrentSaves, twoThreadsSavingDifferentKeysLoseNone)
{
    TestFolder dir;
    const QString ini = dir.file("Setting.ini");
    constexpr int kKeys = 150;
    int failures[2] = {0, 0};
    std::thread a([&] { failures[0] = saveKeys(ini, "A", kKeys); });
    std::thread b([&] { failures[1] = saveKeys(ini, "B", kKeys); });
    a.join();
    b.join();
    EXPECT_EQ(failures[0] + failures[1], 0);
    EXPECT_EQ(lostKeys(ini, "A", kKeys), 0);
    EXPECT_EQ(lostKeys(ini, "B", kKeys), 0);
}

TEST(IniConcurrentSaves, lockIsRefusedOnALinkOrPipeAndTheSaveFails)
{
    TestFolder dir;
    const QString victim = dir.write("victim", "precious");
    const QString ini = dir.write("Setting.ini", "[S]\r\nk=old\r\n");
    ASSERT_TRUE(QFile::link(victim, dir.file(".Setting.ini.lock")));
    EXPECT_FALSE(platform::FileLock(ini).isHeld());
    EXPECT_FALSE(WriteIniValue("S", "k", "new", ini));
    EXPECT_EQ(dir.read("victim"), "precious");
    EXPECT_EQ(dir.read("Setting.ini"), "[S]\r\nk=old\r\n");

    ASSERT_TRUE(QFile::remove(dir.file(".Setting.ini.lock")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.file(".Setting.ini.lock")).constData(), 0600), 0);
    EXPECT_FALSE(WriteIniValue("S", "k", "new", ini)); // and does not hang on the pipe
    EXPECT_EQ(ReadIniValue("S", "k", ini), "old");

    EXPECT_FALSE(platform::FileLock(dir.file("missing/Setting.ini")).isHeld());
    EXPECT_EQ(platform::FileLock(dir.file("missing/Setting.ini")).removeStaleTemporaryFiles(), 0);
}

TEST(IniStaleTemporaries, leftoversOfKilledSavesGoAtTheNextSave)
{
    TestFolder dir;
    const QString ini = dir.write("Setting.ini", "[S]\r\nk=old\r\n");
    const QString big(4 * 1024 * 1024, u'v');

    // Kill savers until one dies between creating its temporary file and the rename.
    QStringList left;
    for (int attempt = 0; attempt < 50 && left.isEmpty(); ++attempt) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                WriteIniValue("S", "k", big, ini);
        }
        const QString own = QStringLiteral(".Setting.ini.tmp-%1-").arg(child);
        for (int poll = 0; poll < 20000; ++poll) {
            if (!temporaries(dir.path()).filter(own).isEmpty())
                break;
            ::usleep(500);
        }
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        left = temporaries(dir.path());
    }
    ASSERT_FALSE(left.isEmpty()) << "no save was caught between its temporary file and the rename";

    ASSERT_TRUE(WriteIniValue("S", "k", "new", ini));
    EXPECT_EQ(temporaries(dir.path()), QStringList());
    EXPECT_EQ(ReadIniValue("S", "k", ini), "new");
}

TEST(IniStaleTemporaries, onlyOurOwnFilesOfDeadOrLongGoneWritersAreRemoved)
{
    TestFolder dir;
    const QString ini = dir.write("Setting.ini", "[S]\r\nk=old\r\n");
    const QString dead = QString::number(deadProcessId());
    const QString self = QString::number(::getpid());
    const auto plant = [&](const QString &name) { return dir.write(name, "half"); };

    const QStringList removed = {
        ".Setting.ini.tmp-" + dead + "-abc123",       // its writer is gone
        ".Setting.ini.tmp-" + self + "-3w5e11264sgsf", // a running writer, untouched for an hour
    };
    const QStringList kept = {
        ".Setting.ini.tmp-" + self + "-live",         // a running writer
        ".Setting.ini.tmp-crash",                     // not a name we make
        ".Setting.ini.tmp-" + dead + "-abc.bak",
        ".Setting.ini.tmp-" + dead + "-ABC",
        ".Setting.ini.tmp-" + dead + "-",
        ".Setting.ini.tmp--abc",
        ".Setting.ini.tmp-0-abc",
        "Setting.ini.tmp-" + dead + "-abc",
        ".Other.ini.tmp-" + dead + "-abc",            // another file's
        ".Setting.ini.bak.tmp-" + dead + "-abc",
        "Setting.ini.tmp",
    };
    for (const QString &name : removed + kept)
        plant(name);
    struct timeval hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimes(QFile::encodeName(dir.file(removed[1])).constData(), hourAgo), 0);
    ASSERT_EQ(::utimes(QFile::encodeName(dir.file(kept[2])).constData(), hourAgo), 0); // old, but no name of ours

    // Things at our names that are no plain files of ours.
    const QString victim = plant("victim");
    const QString linkName = ".Setting.ini.tmp-" + dead + "-link";
    ASSERT_TRUE(QFile::link(victim, dir.file(linkName)));
    const QString folderName = ".Setting.ini.tmp-" + dead + "-dir";
    ASSERT_TRUE(QDir(dir.path()).mkdir(folderName));
    QStringList alsoKept = {linkName, folderName};
    if (::geteuid() == 0) {
        const QString foreign = ".Setting.ini.tmp-" + dead + "-foreign";
        ASSERT_EQ(::chown(QFile::encodeName(plant(foreign)).constData(), plainuser::kPlainUid, plainuser::kPlainGid), 0);
        alsoKept << foreign;
    }

    ASSERT_TRUE(WriteIniValue("S", "k", "new", ini));
    const QStringList now = entries(dir.path());
    for (const QString &name : removed)
        EXPECT_FALSE(now.contains(name)) << name.toStdString();
    for (const QString &name : kept + alsoKept)
        EXPECT_TRUE(now.contains(name)) << name.toStdString();
    EXPECT_EQ(dir.read("victim"), "half");
    EXPECT_EQ(ReadIniValue("S", "k", ini), "new");

    // A lock holder removes what it finds, and finds it only once.
    plant(removed[0]);
    {
        platform::FileLock lock(ini);
        ASSERT_TRUE(lock.isHeld());
        EXPECT_EQ(lock.removeStaleTemporaryFiles(), 1);
        EXPECT_EQ(lock.removeStaleTemporaryFiles(), 0);
    }
}

} // namespace
