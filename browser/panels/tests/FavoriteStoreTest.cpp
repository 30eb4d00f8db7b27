// The favorites folder without widgets: file format, encodings, names that
// would leave the folder, and failed writes.
#include "TempDir.h"
#include "browser/panels/FavoriteStore.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class FavoriteFiles : public ::testing::Test
{
protected:
    QString folder() const { return m_dir.file(QStringLiteral("Favorite")); }
    FavoriteStore store() const { return FavoriteStore(folder()); }
    QStringList filesInFolder() const { return QDir(folder()).entryList(QDir::Files | QDir::Hidden); }
    TestFolder m_dir;
};

TEST_F(FavoriteFiles, CommasQuotesAndKoreanReadBackExactly)
{
    const Favorite f{QStringLiteral("뉴스, \"오늘\" 모음"), QStringLiteral("설명, 쉼표와 \"따옴표\""),
                     QStringLiteral("http://news.example/?a=1,2&b=\"x\"")};
    ASSERT_TRUE(store().write(f));
    const auto back = store().read(f.title);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->title, f.title);
    EXPECT_EQ(back->explanation, f.explanation);
    EXPECT_EQ(back->address, f.address);

    // Three CR LF lines of UTF-8, nothing else.
    QFile file(folder() + QStringLiteral("/뉴스, \"오늘\" 모음.sfm"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), (f.title + "\r\n" + f.explanation + "\r\n" + f.address + "\r\n").toUtf8());
}

TEST_F(FavoriteFiles, Cp949AndLoneLineEndsRead)
{
    // "즐겨찾기, "따옴표"" and "메모 한 줄" in CP949, lines ended by LF only.
    m_dir.write(QStringLiteral("Favorite/old.sfm"),
                "\xC1\xF1\xB0\xDC\xC3\xA3\xB1\xE2, \"\xB5\xFB\xBF\xC8\xC7\xA5\"\n"
                "\xB8\xDE\xB8\xF0 \xC7\xD1 \xC1\xD9\n"
                "http://old.example/\n");
    const auto f = store().read(QStringLiteral("old"));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->title, QStringLiteral("즐겨찾기, \"따옴표\""));
    EXPECT_EQ(f->explanation, QStringLiteral("메모 한 줄"));
    EXPECT_EQ(f->address, QStringLiteral("http://old.example/"));

    // A file without a last line end, or with missing lines, still reads.
    m_dir.write(QStringLiteral("Favorite/short.sfm"), "only title");
    const auto s = store().read(QStringLiteral("short"));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->title, QStringLiteral("only title"));
    EXPECT_TRUE(s->address.isEmpty());
}

TEST_F(FavoriteFiles, ListIsInNameOrderAndKeepsTheFileName)
{
    EXPECT_TRUE(store().list().empty()); // no folder yet
    store().write({QStringLiteral("b"), QStringLiteral("x"), QStringLiteral("http://b/")});
    store().write({QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("http://a/")});
    store().write({QStringLiteral("c"), QStringLiteral("x"), QStringLiteral("http://c/")});
    m_dir.write(QStringLiteral("Favorite/notes.txt"), "not a favorite");
    // A file edited by hand whose first line is not its name is still found by its name.
    m_dir.write(QStringLiteral("Favorite/d.sfm"), "Shown\r\nx\r\nhttp://d/\r\n");

    QStringList order;
    for (const FavoriteEntry &e : store().list())
        order << e.fileBase + u'=' + e.favorite.title + u'@' + e.favorite.address;
    EXPECT_EQ(order, (QStringList{"A=A@http://a/", "b=b@http://b/", "c=c@http://c/", "d=Shown@http://d/"}));
}

TEST_F(FavoriteFiles, SavingUnderOneTitleTwiceLeavesOneFileWithTheSecond)
{
    store().write({QStringLiteral("t"), QStringLiteral("first"), QStringLiteral("http://1/")});
    store().write({QStringLiteral("t"), QStringLiteral("second"), QStringLiteral("http://2/")});
    EXPECT_EQ(filesInFolder(), QStringList{"t.sfm"});
    EXPECT_EQ(store().read(QStringLiteral("t"))->address, QStringLiteral("http://2/"));
}

TEST_F(FavoriteFiles, LineEndsInsideAValueDoNotShiftTheLines)
{
    store().write({QStringLiteral("t"), QStringLiteral("one\r\ntwo\nthree"), QStringLiteral("http://x/")});
    const auto f = store().read(QStringLiteral("t"));
    EXPECT_EQ(f->explanation, QStringLiteral("one two three"));
    EXPECT_EQ(f->address, QStringLiteral("http://x/"));
}

TEST_F(FavoriteFiles, NamesThatWouldLeaveTheFolderAreRefused)
{
    const QString hostile[] = {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../escape"),
                               QStringLiteral("a/b"), QStringLiteral("a\\b"), QString::fromUtf16(u"a\0b", 3),
                               QStringLiteral("/etc/passwd")};
    for (const QString &name : hostile) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(store().pathOf(name));
        EXPECT_FALSE(store().write({name, QStringLiteral("x"), QStringLiteral("http://x/")}));
        EXPECT_FALSE(store().read(name));
        EXPECT_FALSE(store().remove(name));
    }
    EXPECT_TRUE(filesInFolder().isEmpty());
    EXPECT_FALSE(QFile::exists(m_dir.file(QStringLiteral("escape.sfm"))));
    // ".." with the suffix is an ordinary name inside the folder once the rule made it.
    EXPECT_TRUE(store().write({QStringLiteral("..."), QStringLiteral("x"), QStringLiteral("http://x/")}));
    EXPECT_EQ(filesInFolder(), QStringList{"....sfm"});
}

TEST_F(FavoriteFiles, AFailedWriteReportsFalseAndLeavesTheOldFile)
{
    store().write({QStringLiteral("t"), QStringLiteral("old"), QStringLiteral("http://old/")});
    // A folder that cannot be made: a file stands where it should be.
    m_dir.write(QStringLiteral("blocked"), "a file");
    const FavoriteStore blocked(m_dir.file(QStringLiteral("blocked/Favorite")));
    EXPECT_FALSE(blocked.write({QStringLiteral("t"), QStringLiteral("x"), QStringLiteral("http://x/")}));
    // A directory where the favorite's file should be: the replace fails, nothing is left beside it.
    QDir().mkpath(folder() + QStringLiteral("/d.sfm"));
    EXPECT_FALSE(store().write({QStringLiteral("d"), QStringLiteral("x"), QStringLiteral("http://x/")}));
    EXPECT_EQ(filesInFolder(), QStringList{"t.sfm"});
    EXPECT_EQ(store().read(QStringLiteral("t"))->explanation, QStringLiteral("old"));
}

TEST(FavoriteTitleRule, ForbiddenCharactersBecomeLookAlikes)
{
    const std::pair<const char *, const char *> table[] = {
        {"plain 제목", "plain 제목"},
        {"a:b", "a 대 b"},
        {"<word>", "(word)"},
        {"a|b", "a_b"},
        {"a/b\\c", "a-b-c"},
        {"what?*", "what--"},
        {"say \"hi\"", "say 'hi'"},
        {"http://x.example/?q=1", "http 대 --x.example--q=1"},
        {"", ""},
    };
    for (const auto &[in, out] : table)
        EXPECT_EQ(favoriteTitleRule(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
    // A ruled title is a safe file name whatever it started as.
    for (const char *in : {"..\\..\\x", "../../x", "a/b"})
        EXPECT_TRUE(FavoriteStore(QStringLiteral("/tmp/f")).pathOf(favoriteTitleRule(QString::fromUtf8(in)))) << in;
}

} // namespace
