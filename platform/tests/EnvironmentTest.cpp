#include "platform/linux/LinuxEnvironment.h"
#include "platform/testing/FakeEnvironment.h"

#include "PlainUser.h"
#include "TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::LinuxEnvironment;

namespace {

mode_t modeOf(const QString &path)
{
    struct stat st{};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

bool isRealFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink() && info.ownerId() == ::geteuid();
}

TEST(LinuxEnvironment, ApplicationFolderAndUser)
{
    TestFolder dir;
    LinuxEnvironment::Overrides overrides;
    overrides.applicationFolder = dir.file("portable/") ;
    LinuxEnvironment env(overrides);
    EXPECT_EQ(env.applicationFolder(), dir.file("portable"));
    EXPECT_TRUE(QFileInfo(env.applicationFolder()).isDir());

    // The test binary's own folder is writable, so it is the application folder.
    EXPECT_EQ(LinuxEnvironment().applicationFolder(), QCoreApplication::applicationDirPath());

    const passwd *pw = ::getpwuid(::geteuid());
    ASSERT_NE(pw, nullptr);
    EXPECT_EQ(env.userName(), QString::fromLocal8Bit(pw->pw_name));
}

class TempFolder : public ::testing::Test
{
protected:
    LinuxEnvironment::Overrides privateOnly()
    {
        LinuxEnvironment::Overrides o;
        o.tempVariable = QString();
        o.runtimeFolder = QString();
        o.tmpRoot = dir.path();
        return o;
    }
    QString usualName() const { return dir.file(QStringLiteral("vorlen-%1").arg(::geteuid())); }

    TestFolder dir;
};

TEST_F(TempFolder, TempVariableComesFirst)
{
    auto o = privateOnly();
    o.tempVariable = dir.file("temp/");
    o.runtimeFolder = dir.file("run");
    EXPECT_EQ(LinuxEnvironment(o).tempFolder(), dir.file("temp"));
    EXPECT_TRUE(QFileInfo(dir.file("temp")).isDir());

    // A relative TEMP is not a place to write to.
    o.tempVariable = QStringLiteral("relative/temp");
    QDir().mkpath(dir.file("run"));
    EXPECT_EQ(LinuxEnvironment(o).tempFolder(), dir.file("run/vorlen"));
}

TEST_F(TempFolder, PrivateFoldersAreOursAndClosed)
{
    auto o = privateOnly();
    QDir().mkpath(dir.file("run"));
    o.runtimeFolder = dir.file("run");
    const QString runtime = LinuxEnvironment(o).tempFolder();
    EXPECT_EQ(runtime, dir.file("run/vorlen"));
    EXPECT_EQ(modeOf(runtime), 0700u);

    // Without a runtime folder: <tmp>/vorlen-<uid>, and a loose mode is tightened.
    QDir().mkpath(usualName());
    QFile::setPermissions(usualName(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                           | QFile::ExeOther);
    EXPECT_EQ(LinuxEnvironment(privateOnly()).tempFolder(), usualName());
    EXPECT_EQ(modeOf(usualName()), 0700u);
}

TEST_F(TempFolder, PlantedLinkIsRefused)
{
    const QString target = dir.file("attacker");
    QDir().mkpath(target);
    ASSERT_TRUE(QFile::link(target, usualName()));

    QString made;
    {
        LinuxEnvironment env(privateOnly());
        made = env.tempFolder();
        EXPECT_NE(made, usualName());
        EXPECT_FALSE(made.startsWith(target));
        EXPECT_TRUE(isRealFolder(made));
        EXPECT_EQ(modeOf(made), 0700u);
        EXPECT_EQ(env.tempFolder(), made);   // the same folder for the whole run
        EXPECT_TRUE(QFileInfo(usualName()).isSymLink());
    }
    // An empty folder of our own making goes with us.
    EXPECT_FALSE(QFileInfo::exists(made));
}

TEST_F(TempFolder, FolderSwappedForALinkDuringTheRunIsLeft)
{
    LinuxEnvironment env(privateOnly());
    ASSERT_EQ(env.tempFolder(), usualName());

    ASSERT_TRUE(QDir(usualName()).removeRecursively());
    QDir().mkpath(dir.file("attacker"));
    ASSERT_TRUE(QFile::link(dir.file("attacker"), usualName()));
    const QString now = env.tempFolder();
    EXPECT_NE(now, usualName());
    EXPECT_TRUE(isRealFolder(now));
}

TEST_F(TempFolder, SomeoneElsesFolderIsRefused)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make a folder owned by someone else";
    QDir().mkpath(usualName());
    ASSERT_EQ(::chown(QFile::encodeName(usualName()).constData(), 65534, 65534), 0);
    LinuxEnvironment env(privateOnly());
    const QString folder = env.tempFolder();
    EXPECT_NE(folder, usualName());
    EXPECT_TRUE(isRealFolder(folder));
}

TEST_F(TempFolder, SomeoneElsesFolderIsRefusedForAPlainUser)
{
    // The usual case seen from a plain user's side: another user (here root) made
    // <tmp>/vorlen-<our uid> first, open to everyone, in a shared sticky folder.
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make a folder owned by someone else";
    const QString shared = dir.file("shared");
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0711), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
    const QString planted = shared + QStringLiteral("/vorlen-%1").arg(plainuser::kPlainUid);
    ASSERT_TRUE(QDir().mkpath(planted));
    ASSERT_EQ(::chmod(QFile::encodeName(planted).constData(), 0777), 0);

    LinuxEnvironment::Overrides o = privateOnly();
    o.tmpRoot = shared;
    const int failedStep = plainuser::runAsPlainUser([&] {
        LinuxEnvironment env(o);
        const QString folder = env.tempFolder();
        if (folder == planted || folder.startsWith(planted + '/'))
            return 1;
        if (!folder.startsWith(shared + '/') || !isRealFolder(folder))
            return 2;
        if (modeOf(folder) != 0700u)
            return 3;
        return 0;
    });
    EXPECT_EQ(failedStep, 0);
    const QFileInfo left(planted);
    EXPECT_TRUE(left.isDir());
    EXPECT_EQ(left.ownerId(), 0u);
    EXPECT_EQ(modeOf(planted), 0777u); // not ours to tighten
}

TEST(FakeEnvironment, FoldersBelowTheRoot)
{
    TestFolder dir;
    platform::testing::FakeEnvironment env(dir.path());
    EXPECT_EQ(env.applicationFolder(), dir.file("app"));
    EXPECT_EQ(env.tempFolder(), dir.file("tmp"));
    EXPECT_EQ(env.dataFolder(), dir.file("data"));
    for (const QString &folder : {env.applicationFolder(), env.tempFolder(), env.dataFolder()})
        EXPECT_TRUE(QFileInfo(folder).isDir()) << folder.toStdString();
    env.setUserName("다른사용자");
    EXPECT_EQ(env.userName(), "다른사용자");
}

} // namespace
