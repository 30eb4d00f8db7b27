#include "platform/IniFile.h"

#include "PlainUser.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

using modINIControl::ReadIniValue;
using modINIControl::IniChange;
using modINIControl::WriteIniValue;
using modINIControl::WriteIniValues;

namespace {

QByteArray toCp949(const QString &text)
{
    const QByteArray in = text.toUtf8();
    iconv_t cd = iconv_open("CP949", "UTF-8");
    if (cd == iconv_t(-1))
        return {};
    QByteArray out(in.size() * 2 + 4, '\0');
    char *src = const_cast<char *>(in.constData());
    size_t srcLeft = size_t(in.size());
    char *dst = out.data();
    size_t dstLeft = size_t(out.size());
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (rc == size_t(-1))
        return {};
    out.truncate(dst - out.constData());
    return out;
}

class IniFileTest : public ::testing::Test
{
protected:
    TestFolder dir;
    QString ini = dir.file("Setting.ini");

    QString read(const QString &section, const QString &key) const { return ReadIniValue(section, key, ini); }
    QByteArray bytes() const { return dir.read("Setting.ini"); }
};

TEST_F(IniFileTest, missingFileSectionOrKeyReadsTheDefault)
{
    EXPECT_EQ(ReadIniValue("S", "k", ini), QString());
    EXPECT_EQ(ReadIniValue("S", "k", ini, "dflt"), "dflt");
    dir.write("Setting.ini", "[S]\r\nk=1\r\n");
    EXPECT_EQ(ReadIniValue("Other", "k", ini, "dflt"), "dflt");
    EXPECT_EQ(ReadIniValue("S", "other", ini, "dflt"), "dflt");
    EXPECT_EQ(ReadIniValue("S", "k", ini, "dflt"), "1");
    // A folder or a pipe at the path is no settings file (and must not block).
    EXPECT_EQ(ReadIniValue("S", "k", dir.path(), "dflt"), "dflt");
    const QString fifo = dir.file("pipe.ini");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(ReadIniValue("S", "k", fifo, "dflt"), "dflt");
    EXPECT_FALSE(WriteIniValue("S", "k", "2", fifo));
}

TEST_F(IniFileTest, writeCreatesFileSectionAndKeysWithCrLf)
{
    ASSERT_TRUE(WriteIniValue("Vorlen Setting", "PurgelValue", "1", ini));
    EXPECT_EQ(bytes(), "[Vorlen Setting]\r\nPurgelValue=1\r\n");
    ASSERT_TRUE(WriteIniValue("Vorlen Setting", "GestraValue", "0", ini));
    ASSERT_TRUE(WriteIniValue("Ambrel Setting", "ThemeName", "블루", ini));
    ASSERT_TRUE(WriteIniValue("Vorlen Setting", "PurgelValue", "0", ini));
    EXPECT_EQ(bytes(), QString("[Vorlen Setting]\r\nPurgelValue=0\r\nGestraValue=0\r\n"
                               "[Ambrel Setting]\r\nThemeName=블루\r\n").toUtf8());
    EXPECT_EQ(read("ambrel setting", "themename"), "블루");
}

TEST_F(IniFileTest, writeIntoMissingFolderFailsAndCreatesNothing)
{
    const QString path = dir.file("UserData/nobody/Setting.ini");
    EXPECT_FALSE(WriteIniValue("S", "k", "1", path));
    EXPECT_FALSE(QDir(dir.file("UserData")).exists());
}

TEST_F(IniFileTest, namesMatchWithoutRegardToCase)
{
    ASSERT_TRUE(WriteIniValue("Vorlen Setting", "LastWindowTop", "1200", ini));
    EXPECT_EQ(read("VORLEN SETTING", "lastwindowtop"), "1200");
    ASSERT_TRUE(WriteIniValue("vorlen setting", "LASTWINDOWTOP", "900", ini));
    // Replaced in place, keeping the spelling already in the file.
    EXPECT_EQ(bytes(), "[Vorlen Setting]\r\nLastWindowTop=900\r\n");

    // Case folding beyond ASCII.
    ASSERT_TRUE(WriteIniValue("ÄRGER Σεκτιον", "ПРИВЕТ", "x", ini));
    EXPECT_EQ(read("ärger σεκτιον", "привет"), "x");
}

TEST_F(IniFileTest, writeKeepsEveryOtherByteOfAnOddlyFormattedFile)
{
    const QByteArray original =
        "; settings written by hand\n"
        "\n"
        "  [ Vorlen Setting ]   ; trailing text after the header\n"
        "PurgelValue   =   1   \n"
        "\t; a comment between keys\n"
        "KeyflintValue=0\n"
        "\n"
        "; about the next section\n"
        "[Ambrel Setting]\n"
        "ThemeName = \"My Theme\"\n";
    dir.write("Setting.ini", original);

    ASSERT_TRUE(WriteIniValue("Vorlen Setting", "purgelvalue", "0", ini));
    QByteArray expected = original;
    expected.replace("PurgelValue   =   1   \n", "PurgelValue   =   0   \n");
    EXPECT_EQ(bytes(), expected);

    // A new key goes after the section's last key, before its trailing blank
    // and comment lines, with the file's LF line ends.
    ASSERT_TRUE(WriteIniValue("Vorlen Setting", "GestraValue", "1", ini));
    expected.replace("KeyflintValue=0\n", "KeyflintValue=0\nGestraValue=1\n");
    EXPECT_EQ(bytes(), expected);

    ASSERT_TRUE(WriteIniValue("New Section", "k", "v", ini));
    expected += "[New Section]\nk=v\n";
    EXPECT_EQ(bytes(), expected);

    EXPECT_EQ(read("Vorlen Setting", "PurgelValue"), "0");
    EXPECT_EQ(read("Ambrel Setting", "ThemeName"), "My Theme");
}

TEST_F(IniFileTest, appendsToFilesWithoutFinalLineEnd)
{
    dir.write("Setting.ini", "[A]\r\nx=1");
    ASSERT_TRUE(WriteIniValue("A", "y", "2", ini));
    EXPECT_EQ(bytes(), "[A]\r\nx=1\r\ny=2\r\n");

    dir.write("Setting.ini", "[A]");
    ASSERT_TRUE(WriteIniValue("A", "y", "2", ini));
    EXPECT_EQ(bytes(), "[A]\r\ny=2\r\n");

    dir.write("Setting.ini", "[A]\nx=1");
    ASSERT_TRUE(WriteIniValue("B", "y", "2", ini));
    EXPECT_EQ(bytes(), "[A]\nx=1\n[B]\ny=2\n");
}

TEST_F(IniFileTest, valuesAreTrimmedUnquotedCutAtNulAndLimitedTo511)
{
    QByteArray file = "[S]\r\n"
                      "  spaced  =\t  a b  \t\r\n"
                      "dq=\"quoted \"\r\n"
                      "sq='single'\r\n"
                      "mixed=\"a'\r\n"
                      "inner=a\"b\"c\r\n"
                      "lone=\"\r\n"
                      "empty=\r\n"
                      "noequals\r\n"
                      "nul=ab";
    file += '\0';
    file += "cd\r\n";
    file += "long=" + QByteArray(600, 'x') + "\r\n";
    file += "quotedlong=\"" + QByteArray(600, 'y') + "\"\r\n";
    dir.write("Setting.ini", file);

    EXPECT_EQ(read("S", " spaced "), "a b");
    EXPECT_EQ(read("S", "dq"), "quoted ");
    EXPECT_EQ(read("S", "sq"), "single");
    EXPECT_EQ(read("S", "mixed"), "\"a'");
    EXPECT_EQ(read("S", "inner"), "a\"b\"c");
    EXPECT_EQ(read("S", "lone"), "\"");
    EXPECT_EQ(ReadIniValue("S", "empty", ini, "dflt"), QString());
    EXPECT_EQ(ReadIniValue("S", "noequals", ini, "dflt"), QString());
    EXPECT_EQ(read("S", "nul"), "ab");
    EXPECT_EQ(read("S", "long"), QString(511, 'x'));
    EXPECT_EQ(read("S", "quotedlong"), QString(511, 'y'));

    // A key line without '=' gets its value in place.
    ASSERT_TRUE(WriteIniValue("S", "NoEquals", "7", ini));
    EXPECT_TRUE(bytes().contains("\r\nnoequals=7\r\n"));

    // The cut never leaves half a surrogate pair.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
    ASSERT_TRUE(WriteIniValue("S", "emoji", QString(510, 'z') + emoji, ini));
    EXPECT_EQ(read("S", "emoji"), QString(510, 'z'));
}

TEST_F(IniFileTest, firstSectionAndFirstKeyWin)
{
    dir.write("Setting.ini", "[S]\nk=first\nk=second\n[T]\nk=t\n[s]\nk=third\nonlyLater=1\n");
    EXPECT_EQ(read("S", "k"), "first");
    EXPECT_EQ(read("T", "k"), "t");
    // Only the first section of a name is looked at.
    EXPECT_EQ(read("S", "onlyLater"), QString());

    ASSERT_TRUE(WriteIniValue("S", "k", "new", ini));
    ASSERT_TRUE(WriteIniValue("S", "onlyLater", "2", ini));
    EXPECT_EQ(bytes(), "[S]\nk=new\nk=second\nonlyLater=2\n[T]\nk=t\n[s]\nk=third\nonlyLater=1\n");
}

TEST_F(IniFileTest, namesThatWouldBreakTheFileAreRefusedAndLineBreaksInValuesFlattened)
{
    EXPECT_FALSE(WriteIniValue("S", "a=b", "1", ini));
    EXPECT_FALSE(WriteIniValue("S]x", "k", "1", ini));
    EXPECT_FALSE(WriteIniValue("S", "[k]", "1", ini));
    EXPECT_FALSE(WriteIniValue("S", ";k", "1", ini));
    EXPECT_FALSE(WriteIniValue("", "k", "1", ini));
    EXPECT_FALSE(WriteIniValue("S", "  ", "1", ini));
    EXPECT_FALSE(QFile::exists(ini));

    ASSERT_TRUE(WriteIniValue("S", "Title", "line1\r\nInjected=1\n[X]", ini));
    EXPECT_EQ(read("S", "Title"), "line1  Injected=1 [X]");
    EXPECT_EQ(read("S", "Injected"), QString());
    EXPECT_EQ(read("X", "Title"), QString());
}

TEST_F(IniFileTest, cp949FileReadsKoreanAndIsRewrittenAsUtf8)
{
    const QString korean = QStringLiteral("파란 하늘 테마");
    const QByteArray cp949 = toCp949("; 설정 파일\r\n[Ambrel Setting]\r\nThemeName=" + korean + "\r\n");
    ASSERT_FALSE(cp949.isEmpty());
    ASSERT_NE(cp949, ("; 설정 파일\r\n[Ambrel Setting]\r\nThemeName=" + korean + "\r\n").toUtf8());
    dir.write("Setting.ini", cp949);

    EXPECT_EQ(read("Ambrel Setting", "ThemeName"), korean);
    ASSERT_TRUE(WriteIniValue("Ambrel Setting", "AskUseBooleanValue", "1", ini));
    EXPECT_EQ(bytes(), ("; 설정 파일\r\n[Ambrel Setting]\r\nThemeName=" + korean + "\r\nAskUseBooleanValue=1\r\n").toUtf8());
    EXPECT_EQ(read("Ambrel Setting", "ThemeName"), korean);
}

TEST_F(IniFileTest, byteOrderMarkIsNoPartOfTheFirstSectionAndIsKept)
{
    dir.write("Setting.ini", "\xEF\xBB\xBF[S]\r\nk=1\r\n");
    EXPECT_EQ(read("S", "k"), "1");
    ASSERT_TRUE(WriteIniValue("S", "k", "2", ini));
    EXPECT_EQ(bytes(), "\xEF\xBB\xBF[S]\r\nk=2\r\n");
}

TEST_F(IniFileTest, badInputNeverCrashesAndReadableValuesStillRead)
{
    QRandomGenerator rng(4711);
    QByteArray noise(64 * 1024, Qt::Uninitialized);
    for (char &c : noise)
        c = char(rng.bounded(256));

    // Random bytes with a readable section after them.
    dir.write("Setting.ini", noise + "\n[S]\nk=ok\n");
    EXPECT_EQ(read("S", "k"), "ok");
    EXPECT_EQ(read("S", "missing"), QString());
    EXPECT_TRUE(WriteIniValue("S", "k2", "ok2", ini));
    EXPECT_EQ(read("S", "k"), "ok");
    EXPECT_EQ(read("S", "k2"), "ok2");

    // Pure noise, then a write into it.
    dir.write("Setting.ini", noise);
    EXPECT_EQ(read("S", "k"), QString());
    EXPECT_TRUE(WriteIniValue("S", "k", "1", ini));
    EXPECT_EQ(read("S", "k"), "1");

    // Lines without '=', NUL bytes, a header without its bracket.
    QByteArray odd = "just some words\n=\n==x\n[A]\n";
    odd += QByteArray("a\0b=1\n", 6);
    odd += "a=2\n[Broken\nb=3\n[B]\n";
    odd += QByteArray("\0\0\0\n", 4);
    odd += "c=4\n";
    dir.write("Setting.ini", odd);
    EXPECT_EQ(read("A", "a"), "2");
    EXPECT_EQ(read("A", "b"), "3"); // "[Broken" is no header, so b stays in [A]
    EXPECT_EQ(read("Broken", "b"), QString());
    EXPECT_EQ(read("B", "c"), "4");

    // 10 MB of key lines, the wanted section at the end.
    QByteArray big;
    big.reserve(10 * 1024 * 1024 + 64);
    big += "[Filler]\r\n";
    while (big.size() < 10 * 1024 * 1024)
        big += "SomeKey=" + QByteArray::number(big.size()) + "\r\n";
    big += "[S]\r\nk=end\r\n";
    dir.write("Setting.ini", big);
    EXPECT_EQ(read("S", "k"), "end");
    EXPECT_TRUE(WriteIniValue("S", "k", "end2", ini));
    EXPECT_EQ(read("S", "k"), "end2");
    EXPECT_EQ(bytes().size(), big.size() + 1);
}

} // namespace

namespace {

TEST_F(IniFileTest, savingTheSameValueAgainLeavesTheFileByteForByte)
{
    // Blanks at a value's ends are not stored (a read drops them anyway); kept,
    // they would pile up in front of the old value's blanks at every save.
    for (const QString &value : {QString("x  "), QString("  x"), QString("\t x \t"), QString(" "),
                                 QString("a b\r\n"), QString("\"x  \"")}) {
        QFile::remove(ini);
        ASSERT_TRUE(WriteIniValue("S", "k", value, ini));
        const QByteArray first = bytes();
        for (int i = 0; i < 20; ++i)
            ASSERT_TRUE(WriteIniValue("S", "k", value, ini));
        EXPECT_EQ(bytes(), first) << value.toStdString();
        EXPECT_EQ(read("S", "k"), value.trimmed().remove(u'"')) << value.toStdString();
    }
    EXPECT_EQ(bytes(), "[S]\r\nk=\"x  \"\r\n");

    // A hand-formatted line keeps its own blanks around the value.
    dir.write("Setting.ini", "[S]\r\nk =  old   \r\n");
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(WriteIniValue("S", "k", " new ", ini));
    EXPECT_EQ(bytes(), "[S]\r\nk =  new   \r\n");
}

TEST_F(IniFileTest, crAloneLfAloneAndCrLfAllEndALine)
{
    dir.write("Setting.ini", "[S]\rk=1\rother=2\r[T]\rk=3");
    EXPECT_EQ(read("S", "k"), "1");
    EXPECT_EQ(read("S", "other"), "2");
    EXPECT_EQ(read("T", "k"), "3");

    // In place, every other byte kept; added lines end in CR LF.
    ASSERT_TRUE(WriteIniValue("S", "k", "9", ini));
    EXPECT_EQ(bytes(), "[S]\rk=9\rother=2\r[T]\rk=3");
    ASSERT_TRUE(WriteIniValue("S", "added", "5", ini));
    EXPECT_EQ(bytes(), "[S]\rk=9\rother=2\radded=5\r\n[T]\rk=3");
    ASSERT_TRUE(WriteIniValue("T", "added", "6", ini));
    ASSERT_TRUE(WriteIniValue("U", "x", "7", ini));
    EXPECT_EQ(bytes(), "[S]\rk=9\rother=2\radded=5\r\n[T]\rk=3\r\nadded=6\r\n[U]\r\nx=7\r\n");
    EXPECT_EQ(read("T", "k"), "3");
    EXPECT_EQ(read("T", "added"), "6");

    // All three in one file; a file ending in CR gets no extra line end.
    dir.write("Setting.ini", "[A]\r\na=1\n[B]\rb=2\n\r[C]\r\nc=3\r");
    EXPECT_EQ(read("A", "a"), "1");
    EXPECT_EQ(read("B", "b"), "2");
    EXPECT_EQ(read("C", "c"), "3");
    ASSERT_TRUE(WriteIniValue("D", "d", "4", ini));
    EXPECT_EQ(bytes(), "[A]\r\na=1\n[B]\rb=2\n\r[C]\r\nc=3\r[D]\r\nd=4\r\n");
}

TEST_F(IniFileTest, aValueOfJustAPairOfQuotesReadsEmpty)
{
    dir.write("Setting.ini", "[S]\r\ndq=\"\"\r\nsq=''\r\nspaced =  \"\"  \r\nblank=\" \"\r\n");
    EXPECT_EQ(ReadIniValue("S", "dq", ini, "dflt"), QString());
    EXPECT_EQ(ReadIniValue("S", "sq", ini, "dflt"), QString());
    EXPECT_EQ(ReadIniValue("S", "spaced", ini, "dflt"), QString());
    EXPECT_EQ(read("S", "blank"), " ");

    ASSERT_TRUE(WriteIniValue("S", "written", "\"\"", ini));
    EXPECT_EQ(ReadIniValue("S", "written", ini, "dflt"), QString());
}

TEST_F(IniFileTest, readOnlySettingsFileIsRefusedAndLeftUnchanged)
{
    // The check runs as a plain user: root may write a read-only file. The
    // folder is the user's own and writable, so only the file's mode can stop
    // the rename.
    const QString folder = dir.file("profile");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = dir.write("profile/Setting.ini", "[S]\r\nk=old\r\n");
    ASSERT_TRUE(plainuser::handOver(QFile::encodeName(dir.path()).constData(), 0711));
    ASSERT_TRUE(plainuser::handOver(QFile::encodeName(folder).constData(), 0755));
    ASSERT_TRUE(plainuser::handOver(QFile::encodeName(path).constData(), 0444));

    const int failedStep = plainuser::runAsPlainUser([&] {
        if (::access(QFile::encodeName(folder).constData(), W_OK) != 0)
            return 1; // the setup is not what this check needs
        if (WriteIniValue("S", "k", "new", path))
            return 2;
        if (WriteIniValue("S", "added", "1", path) || WriteIniValue("T", "k", "1", path))
            return 3;
        if (ReadIniValue("S", "k", path) != "old")
            return 4;
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString &name : left) {
            if (name.contains(".tmp-"))
                return 5;
        }
        return 0;
    });
    EXPECT_EQ(failedStep, 0) << "run as uid " << plainuser::checkUid();
    EXPECT_EQ(dir.read("profile/Setting.ini"), "[S]\r\nk=old\r\n");
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
}

} // namespace

TEST_F(IniFileTest, severalKeysLandInOneReplaceOrNotAtAll)
{
    dir.write("Setting.ini", "; kept\r\n[Vorlen Setting]\r\nPurgelValue=1\r\n");
    const QList<IniChange> changes{{"Vorlen Setting", "PurgelValue", "0"},
                                   {"Vorlen Setting", "GestraValue", " 1 "},
                                   {"Ambrel Setting", "ThemeName", "블루"}};
    // Abandoned after any change, or refused for one bad name: the file stays.
    const QByteArray before = bytes();
    for (int stop = 1; stop <= 3; ++stop)
        EXPECT_FALSE(WriteIniValues(changes, ini, [stop](int n) { return n == stop; }));
    EXPECT_FALSE(WriteIniValues(changes + QList<IniChange>{{"Vorlen Setting", "a=b", "x"}}, ini));
    EXPECT_EQ(bytes(), before);

    ASSERT_TRUE(WriteIniValues(changes, ini));
    EXPECT_EQ(bytes(), QString("; kept\r\n[Vorlen Setting]\r\nPurgelValue=0\r\nGestraValue=1\r\n"
                               "[Ambrel Setting]\r\nThemeName=블루\r\n").toUtf8());
    // The same write again leaves the file byte for byte.
    ASSERT_TRUE(WriteIniValues(changes, ini));
    EXPECT_EQ(bytes(), QString("; kept\r\n[Vorlen Setting]\r\nPurgelValue=0\r\nGestraValue=1\r\n"
                               "[Ambrel Setting]\r\nThemeName=블루\r\n").toUtf8());
}
