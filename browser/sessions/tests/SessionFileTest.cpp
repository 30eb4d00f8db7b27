// The session file on its own: what reads whole, what does not, the backups.
#include "TempDir.h"
#include "browser/sessions/SessionFile.h"

#include <QDataStream>
#include <QFile>

#include <gtest/gtest.h>

using namespace sessionFile;

namespace {

Session sample()
{
    Session s;
    s.selected = 1;
    s.tabs = {Tab{"http://one.example/", "하나", QByteArray("h1")},
              Tab{"http://two.example/", "둘", QByteArray()},
              Tab{"http://three.example/", "", QByteArray(300, '\x01')}};
    s.closed = {ClosedTab{Tab{"http://gone.example/", "닫힌 문서", "h"}, 2}};
    return s;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(SessionFileTest, ASessionReadsBackAsItWasWritten)
{
    Session s = sample();
    s.cleanExit = true;
    const std::optional<Session> back = decode(encode(s));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, s);
}

TEST(SessionFileTest, EmptyTruncatedGarbledAndOtherVersionsNeverRead)
{
    const QByteArray whole = encode(sample());
    ReadError why = ReadError::None;
    EXPECT_FALSE(decode(QByteArray(), &why));
    EXPECT_EQ(why, ReadError::Empty);

    // Cut anywhere, the file is refused.
    for (qsizetype cut = 1; cut < whole.size(); ++cut)
        ASSERT_FALSE(decode(whole.left(cut))) << "cut at " << cut;
    decode(whole.left(whole.size() - 1), &why);
    EXPECT_EQ(why, ReadError::Truncated);

    // One byte changed anywhere, the file is refused.
    for (qsizetype at = 0; at < whole.size(); ++at) {
        QByteArray bad = whole;
        bad[at] = char(bad[at] ^ 0x20);
        ASSERT_FALSE(decode(bad)) << "byte " << at;
    }
    EXPECT_FALSE(decode(whole + "x", &why));
    EXPECT_EQ(why, ReadError::Garbled);
    EXPECT_FALSE(decode(QByteArray("<html>not a session</html> and some more bytes"), &why));
    EXPECT_EQ(why, ReadError::Garbled);

    QByteArray older = whole;
    {
        QDataStream patch(&older, QIODevice::ReadWrite);
        patch.device()->seek(4);
        patch << qint32(kVersion + 1);
    }
    EXPECT_FALSE(decode(older, &why));
    EXPECT_EQ(why, ReadError::Version);
}

TEST(SessionFileTest, StartsRotateTheFileIntoTwoBackups)
{
    TestFolder dir;
    Session a = sample();
    Session b = sample();
    b.selected = 2;
    Session c = sample();
    c.tabs.removeLast();

    rotate(dir.path());  // nothing there: nothing moves
    EXPECT_FALSE(QFile::exists(path(dir.path(), 1)));

    ASSERT_TRUE(write(dir.path(), a));
    rotate(dir.path());
    ASSERT_TRUE(write(dir.path(), b));
    rotate(dir.path());
    ASSERT_TRUE(write(dir.path(), c));
    rotate(dir.path());

    EXPECT_FALSE(QFile::exists(path(dir.path(), 0)));
    EXPECT_EQ(decode(readAll(path(dir.path(), 1))), c);
    EXPECT_EQ(decode(readAll(path(dir.path(), 2))), b);
    EXPECT_FALSE(QFile::exists(path(dir.path(), 3))) << "only two backups are kept";

    // A start that ends before writing moves nothing the next time.
    rotate(dir.path());
    EXPECT_EQ(decode(readAll(path(dir.path(), 1))), c);
    EXPECT_EQ(decode(readAll(path(dir.path(), 2))), b);
}

TEST(SessionFileTest, TheReaderFallsBackToTheNewestBackupThatReadsWhole)
{
    TestFolder dir;
    Session older = sample();
    Session newer = sample();
    newer.selected = 0;
    ASSERT_TRUE(write(dir.path(), older));
    rotate(dir.path());
    ASSERT_TRUE(write(dir.path(), newer));

    std::optional<Found> found = readNewest(dir.path());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->generation, 0);
    EXPECT_EQ(found->session, newer);

    // The newest file cut short: the backup is taken.
    const QByteArray whole = readAll(path(dir.path(), 0));
    dir.write(QStringLiteral("session.vss"), whole.left(whole.size() / 2));
    found = readNewest(dir.path());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->generation, 1);
    EXPECT_EQ(found->session, older);

    // The next start keeps the damaged file as a backup rather than dropping it.
    rotate(dir.path());
    EXPECT_EQ(readAll(path(dir.path(), 1)), whole.left(whole.size() / 2));
    found = readNewest(dir.path());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->generation, 2);

    // Nothing whole at all: nothing is read.
    dir.write(QStringLiteral("session.vss.2"), QByteArray());
    EXPECT_FALSE(readNewest(dir.path()));
}
