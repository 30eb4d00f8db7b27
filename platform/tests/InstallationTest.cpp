#include "platform/Installation.h"

#include "PlainUser.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace platform::installation;

namespace {

struct Row
{
    const char *name;
    Facts facts;
    Kind kind;
    WritableFolder folder;
};

// Facts: inPrefixBin, prefixDataBeside, markedInstalled, folderWritable, root.
const Row kRows[] = {
    // A prefix layout is installed whoever runs it and whatever they may write.
    {"prefix, root, writable", {true, true, false, true, true}, Kind::Installed, WritableFolder::UserData},
    {"prefix, user, writable", {true, true, false, true, false}, Kind::Installed, WritableFolder::UserData},
    {"prefix, root, read-only", {true, true, false, false, true}, Kind::Installed, WritableFolder::UserData},
    {"prefix, user, read-only", {true, true, false, false, false}, Kind::Installed, WritableFolder::UserData},
    // A marked build is installed in any layout.
    {"marked, flat, root, writable", {false, false, true, true, true}, Kind::Installed, WritableFolder::UserData},
    {"marked, bin only, user, writable", {true, false, true, true, false}, Kind::Installed, WritableFolder::UserData},
    // Half a prefix layout is portable: a bin/ folder without share/vorlen
    // (a build folder's bin/), or share/vorlen beside a folder not named bin.
    {"bin without share, root, writable", {true, false, false, true, true}, Kind::Portable,
     WritableFolder::BesideExecutable},
    {"share beside non-bin, user, writable", {false, true, false, true, false}, Kind::Portable,
     WritableFolder::BesideExecutable},
    // A portable copy keeps its data beside it when it can.
    {"flat, root, writable", {false, false, false, true, true}, Kind::Portable, WritableFolder::BesideExecutable},
    {"flat, user, writable", {false, false, false, true, false}, Kind::Portable, WritableFolder::BesideExecutable},
    {"flat, user, read-only", {false, false, false, false, false}, Kind::Portable, WritableFolder::UserData},
    {"flat, root, read-only", {false, false, false, false, true}, Kind::Portable, WritableFolder::UserData},
};

TEST(Installation, DecisionTable)
{
    for (const Row &row : kRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(kindOf(row.facts), row.kind);
        EXPECT_EQ(writableFolderOf(row.facts), row.folder);
    }
}

// Real folders in each layout, as the effective user sees them; as root the
// folders are writable, which is the case a system prefix must survive.
TEST(Installation, InspectReadsTheLayout)
{
    TestFolder dir;
    QDir().mkpath(dir.file("usr/bin"));
    QDir().mkpath(dir.file("usr/share/vorlen"));
    QDir().mkpath(dir.file("build/bin"));
    QDir().mkpath(dir.file("portable"));
    QDir().mkpath(dir.file("odd/bin"));
    QFile(dir.file("odd/share")).open(QIODevice::WriteOnly);  // a file, not a folder

    const Facts prefix = inspect(dir.file("usr/bin/"), false);
    EXPECT_TRUE(prefix.inPrefixBin);
    EXPECT_TRUE(prefix.prefixDataBeside);
    EXPECT_TRUE(prefix.folderWritable);
    EXPECT_EQ(prefix.root, ::geteuid() == 0);
    EXPECT_EQ(writableFolderOf(prefix), WritableFolder::UserData);
    EXPECT_EQ(assetFolder(dir.file("usr/bin"), prefix), dir.file("usr/share/vorlen"));

    for (const char *portable : {"build/bin", "portable", "odd/bin"}) {
        SCOPED_TRACE(portable);
        const Facts facts = inspect(dir.file(portable), false);
        EXPECT_EQ(kindOf(facts), Kind::Portable);
        EXPECT_EQ(writableFolderOf(facts), WritableFolder::BesideExecutable);
        EXPECT_EQ(assetFolder(dir.file(portable), facts), dir.file(portable));
    }

    const Facts marked = inspect(dir.file("portable"), true);
    EXPECT_EQ(writableFolderOf(marked), WritableFolder::UserData);
    EXPECT_EQ(assetFolder(dir.file("portable"), marked), dir.file("portable"));
}

// A read-only portable folder, as a user who cannot write it (root can write
// anything, so the check runs as the plain user).
TEST(Installation, ReadOnlyPortableFolderFallsBackToUserData)
{
    TestFolder dir;
    const QByteArray folder = QFile::encodeName(dir.file("portable"));
    ASSERT_EQ(::mkdir(folder.constData(), 0555), 0);
    ASSERT_TRUE(plainuser::handOver(QFile::encodeName(dir.path()).constData(), 0755));
    ASSERT_TRUE(plainuser::handOver(folder.constData(), 0555));
    const int rc = plainuser::runAsPlainUser([&] {
        const Facts facts = inspect(QFile::decodeName(folder), false);
        if (facts.folderWritable)
            return 1;
        return writableFolderOf(facts) == WritableFolder::UserData ? 0 : 2;
    });
    EXPECT_EQ(rc, 0);
}

} // namespace
