#include "platform/FileIO.h"
#include "platform/IniFile.h"

#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::decodeText;
using platform::isSafeFileName;
using platform::writeFileAtomically;

namespace {

QStringList entries(const TestFolder &dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::Name);
}

TEST(WriteFileAtomically, createsAndReplacesLeavingNoTemporaryFiles)
{
    TestFolder dir;
    const QString path = dir.file("a.txt");
    ASSERT_TRUE(writeFileAtomically(path, "one"));
    EXPECT_EQ(dir.read("a.txt"), "one");
    ASSERT_TRUE(writeFileAtomically(path, "two, longer"));
    ASSERT_TRUE(writeFileAtomically(path, ""));
    EXPECT_EQ(dir.read("a.txt"), "");
    EXPECT_EQ(entries(dir), QStringList{"a.txt"});
}

TEST(WriteFileAtomically, failuresLeaveTargetAndFolderAsTheyWere)
{
    TestFolder dir;
    EXPECT_FALSE(writeFileAtomically(dir.file("missing/a.txt"), "x"));
    EXPECT_FALSE(writeFileAtomically(QString(), "x"));
    EXPECT_FALSE(writeFileAtomically(dir.path() + '/', "x"));

    QDir(dir.path()).mkdir("sub");
    EXPECT_FALSE(writeFileAtomically(dir.file("sub"), "x"));
    EXPECT_TRUE(QFileInfo(dir.file("sub")).isDir());
    EXPECT_EQ(entries(dir), QStringList{"sub"});
}

TEST(WriteFileAtomically, neverTruncatesTheOldFileInPlace)
{
    // A second name for the old file still shows its whole old content after the
    // write: the new content went into a new file that was renamed over it.
    TestFolder dir;
    const QString path = dir.write("a.txt", "old content");
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(dir.file("old")).constData()), 0);
    ASSERT_TRUE(writeFileAtomically(path, "new"));
    EXPECT_EQ(dir.read("a.txt"), "new");
    EXPECT_EQ(dir.read("old"), "old content");
}

TEST(WriteFileAtomically, keepsPermissionsAndReplacesASymbolicLinkInsteadOfFollowingIt)
{
    TestFolder dir;
    const QString path = dir.write("a.txt", "x");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically(path, "y"));
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    const QString victim = dir.write("victim", "precious");
    const QString link = dir.file("link.ini");
    ASSERT_TRUE(QFile::link(victim, link));
    ASSERT_TRUE(writeFileAtomically(link, "written"));
    EXPECT_EQ(dir.read("victim"), "precious");
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(dir.read("link.ini"), "written");
}

TEST(WriteFileAtomically, leftoverTemporaryFileOfACrashIsIgnored)
{
    // What a crash between writing the temporary file and renaming it leaves:
    // the old settings file whole, and a half-written file beside it.
    TestFolder dir;
    const QString ini = dir.write("Setting.ini", "[S]\r\nk=old\r\n");
    dir.write(".Setting.ini.tmp-crash", "[S]\r\nk=half");
    dir.write("Setting.ini.tmp", "[S]\r\nk=half");

    EXPECT_EQ(modINIControl::ReadIniValue("S", "k", ini), "old");
    ASSERT_TRUE(modINIControl::WriteIniValue("S", "k", "new", ini));
    EXPECT_EQ(modINIControl::ReadIniValue("S", "k", ini), "new");
    EXPECT_EQ(dir.read(".Setting.ini.tmp-crash"), "[S]\r\nk=half");
    // Neither name is one our writer makes, so both stay; the lock file of the
    // settings writer stays too.
    EXPECT_EQ(entries(dir), (QStringList{".Setting.ini.lock", ".Setting.ini.tmp-crash", "Setting.ini", "Setting.ini.tmp"}));
}

TEST(WriteFileAtomically, processKilledWhileWritingLeavesOldOrNewFileWhole)
{
    TestFolder dir;
    const QByteArray oldContent(1024, 'o');
    const QByteArray newContent(48 * 1024 * 1024, 'n');
    const QString path = dir.write("big", oldContent);

    for (const int delayMs : {1, 20, 80}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            writeFileAtomically(path, newContent);
            ::_exit(0);
        }
        ::usleep(delayMs * 1000);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const QByteArray now = dir.read("big");
        EXPECT_TRUE(now == oldContent || now == newContent) << "size " << now.size() << " after " << delayMs << " ms";
        dir.write("big", oldContent);
    }
}

TEST(DecodeText, utf8WithOrWithoutBomElseCp949)
{
    EXPECT_EQ(decodeText("plain"), "plain");
    EXPECT_EQ(decodeText(QString("한국어").toUtf8()), "한국어");
    EXPECT_EQ(decodeText("\xEF\xBB\xBF" + QString("한국어").toUtf8()), "한국어");
    EXPECT_EQ(decodeText(QByteArray("a\0b", 3)), QString::fromUtf16(u"a\0b", 3));
    // "한국" in CP949.
    EXPECT_EQ(decodeText("\xC7\xD1\xB1\xB9"), "한국");
    // A UTF-8 sequence cut short ("가" without its last byte), or an overlong
    // one (a disguised '/'), is not UTF-8.
    EXPECT_EQ(decodeText("\xEA\xB0"), "媛");
    EXPECT_EQ(decodeText("\xC0\xAF"), QString(QChar(0xC720)));
    // Bytes CP949 cannot decode become U+FFFD, and the rest still reads.
    EXPECT_EQ(decodeText("\xC7\xD1\xED\x95"), QString("한") + QChar(0xFFFD) + QChar(0xFFFD));
    EXPECT_EQ(decodeText("\xEF\xBB\xBF" "a\xC7\xD1"), QString("a") + QChar(0xFFFD) + QChar(0xFFFD));
    // Bytes that are neither decode to something rather than failing.
    EXPECT_FALSE(decodeText("\xFF\xFF\x80 x").isEmpty());
}

TEST(IsSafeFileName, refusesNamesThatLeaveTheirFolder)
{
    for (const QString &good : {QString("Setting.ini"), QString("내 즐겨찾기.sfm"), QString("..."), QString("a..b")})
        EXPECT_TRUE(isSafeFileName(good)) << good.toStdString();
    for (const QString &bad : {QString(), QString("."), QString(".."), QString("../x"), QString("a/b"),
                               QString("/etc"), QString("a\\b"), QString::fromUtf16(u"a\0b", 3)})
        EXPECT_FALSE(isSafeFileName(bad)) << bad.toStdString();
}

} // namespace
