// The history database on its own: search with Hangul and Latin, the queue
// that reaches the disk only when flushed, and the databases that cannot be
// used (garbled, locked, unwritable) set aside without stopping anything.
#include "TempDir.h"
#include "browser/history/HistoryStore.h"

#include <QDir>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

constexpr qint64 kNoon = 1765250000000; // a fixed moment

Visit visit(const QString &url, const QString &title, qint64 minutes = 0, bool typed = false)
{
    return Visit{0, url, title, kNoon + minutes * 60 * 1000, typed};
}

QStringList urls(const QList<Visit> &visits)
{
    QStringList list;
    for (const Visit &v : visits)
        list << v.url;
    return list;
}

// The rows of the file as another program sees them.
int rowsOnDisk(const QString &path)
{
    int rows = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "history-test-reader");
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            rows = q.exec("SELECT COUNT(*) FROM visits") && q.next() ? q.value(0).toInt() : -1;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("history-test-reader");
    return rows;
}

QStringList brokenFiles(const TestFolder &dir)
{
    return QDir(dir.path()).entryList({"History.sqlite.broken-*"}, QDir::Files);
}

TEST(HistoryStore, SearchFindsHangulAndLatinInTitlesAndAddresses)
{
    TestFolder dir;
    {
        HistoryStore store(dir.file("History.sqlite"));
        store.add(visit("https://news.naver.com/", "네이버 뉴스", 1));
        store.add(visit("https://www.example.com/a_b", "Example Domain", 2));
        store.add(visit("https://ko.wikipedia.org/wiki/%ED%95%9C%EA%B8%80", "한글 - 위키백과", 3));
        store.add(visit("https://blog.test/100%25", "뉴스레터 만들기", 4));
        store.add(visit("https://shop.test/", "Shopping", 5));
    }
    // A new run reads what the last one wrote.
    HistoryStore store(dir.file("History.sqlite"));
    EXPECT_EQ(urls(store.search("뉴스")), (QStringList{"https://blog.test/100%25", "https://news.naver.com/"}));
    EXPECT_EQ(urls(store.search("한글")), QStringList{"https://ko.wikipedia.org/wiki/%ED%95%9C%EA%B8%80"});
    EXPECT_EQ(urls(store.search("NAVER")), QStringList{"https://news.naver.com/"}) << "Latin case is not minded";
    EXPECT_EQ(urls(store.search("example domain")), QStringList{"https://www.example.com/a_b"});
    EXPECT_EQ(urls(store.search("네이버  뉴스")), QStringList{"https://news.naver.com/"}) << "every word must match";
    EXPECT_EQ(urls(store.search("네이버 shop")), QStringList{});
    // LIKE's own wildcards are taken literally.
    EXPECT_EQ(urls(store.search("a_b")), QStringList{"https://www.example.com/a_b"});
    EXPECT_EQ(urls(store.search("%25")), QStringList{"https://blog.test/100%25"});
    EXPECT_EQ(urls(store.search("_")), QStringList{"https://www.example.com/a_b"});
    EXPECT_EQ(store.search("").size(), 5);
    EXPECT_EQ(store.search("").first().url, "https://shop.test/") << "newest first";
    EXPECT_EQ(store.search("", 2).size(), 2);
}

TEST(HistoryStore, VisitsReachTheDiskOnlyWhenFlushedAndTitlesFollow)
{
    TestFolder dir;
    const QString path = dir.file("History.sqlite");
    HistoryStore store(path);
    store.add(visit("https://a.test/", "", 1));
    store.retitle("https://a.test/", "에이");
    store.add(visit("https://b.test/", "B", 2));
    EXPECT_EQ(store.pending(), 2) << "the title of a queued visit changes in the queue";
    EXPECT_FALSE(QFile::exists(path)) << "nothing was written yet, not even the file";

    ASSERT_TRUE(store.flush());
    EXPECT_EQ(store.pending(), 0);
    EXPECT_EQ(rowsOnDisk(path), 2);

    // A title that comes after the visit was written changes its newest visit.
    store.add(visit("https://a.test/", "", 3));
    ASSERT_TRUE(store.flush());
    store.retitle("https://a.test/", "새 제목");
    ASSERT_TRUE(store.flush());
    const QList<Visit> all = store.search("a.test");
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[0].title, "새 제목");
    EXPECT_EQ(all[1].title, "에이");

    ASSERT_TRUE(store.remove({all[1].id}));
    EXPECT_EQ(urls(store.search("")), (QStringList{"https://a.test/", "https://b.test/"}));
    ASSERT_TRUE(store.clear());
    EXPECT_TRUE(store.search("").isEmpty());
    EXPECT_EQ(rowsOnDisk(path), 0);
}

TEST(HistoryStore, PlacesCountVisitsAndTypingAndTheQueuedOnesToo)
{
    TestFolder dir;
    HistoryStore store(dir.file("History.sqlite"));
    store.add(visit("https://a.test/", "옛 제목", 1, true));
    store.add(visit("https://a.test/", "새 제목", 5));
    store.add(visit("https://b.test/", "B", 3, true));
    ASSERT_TRUE(store.flush());
    store.add(visit("https://a.test/", "가장 새 제목", 9, true));
    store.add(visit("https://c.test/", "C", 7));

    const QList<VisitedPlace> places = store.places("test");
    ASSERT_EQ(places.size(), 3);
    EXPECT_EQ(store.pending(), 2) << "suggestions do not write";
    auto find = [&](const QString &url) {
        for (const VisitedPlace &p : places) {
            if (p.url == url)
                return p;
        }
        return VisitedPlace{};
    };
    const VisitedPlace a = find("https://a.test/");
    EXPECT_EQ(a.visits, 3);
    EXPECT_EQ(a.typed, 2);
    EXPECT_EQ(a.lastVisitMs, kNoon + 9 * 60 * 1000);
    EXPECT_EQ(a.title, "가장 새 제목");
    EXPECT_EQ(find("https://b.test/").typed, 1);
    EXPECT_EQ(find("https://c.test/").visits, 1);
    EXPECT_EQ(store.places("제목").size(), 1);

    // Deleting visits counts the addresses again; one left without visits goes.
    QList<qint64> drop;
    for (const Visit &v : store.search("test")) {
        if (v.url == "https://b.test/" || v.title == "가장 새 제목")
            drop << v.id;
    }
    ASSERT_EQ(drop.size(), 2);
    ASSERT_TRUE(store.remove(drop));
    const QList<VisitedPlace> left = store.places("test");
    ASSERT_EQ(left.size(), 2);
    EXPECT_EQ(left[0].url, "https://c.test/");
    EXPECT_EQ(left[1].url, "https://a.test/");
    EXPECT_EQ(left[1].visits, 2);
    EXPECT_EQ(left[1].typed, 1);
    EXPECT_EQ(left[1].title, "새 제목") << "the title of the newest visit left";
    ASSERT_TRUE(store.clear());
    EXPECT_TRUE(store.places("test").isEmpty());
}

TEST(HistoryStore, AGarbledDatabaseIsMovedAsideOnceAndANewOneStarted)
{
    TestFolder dir;
    const QByteArray garbage = QByteArray("this is not a database at all\n").repeated(200);
    dir.write("History.sqlite", garbage);
    HistoryStore store(dir.file("History.sqlite"));
    QSignalSpy moved(&store, &HistoryStore::movedAside);
    store.add(visit("https://a.test/", "A"));
    EXPECT_TRUE(store.flush()) << "the visit went into the new database";
    ASSERT_EQ(moved.size(), 1);
    EXPECT_FALSE(moved[0][2].toString().isEmpty()) << "it says why";
    const QStringList aside = brokenFiles(dir);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(moved[0][1].toString(), dir.file(aside[0]));
    EXPECT_EQ(dir.read(aside[0]), garbage) << "the old file is kept as it was";
    EXPECT_EQ(urls(store.search("")), QStringList{"https://a.test/"});
    store.add(visit("https://b.test/", "B"));
    EXPECT_TRUE(store.flush());
    EXPECT_EQ(moved.size(), 1);
    EXPECT_EQ(rowsOnDisk(dir.file("History.sqlite")), 2);
}

TEST(HistoryStore, ADatabaseLockedByAnotherProgramIsSetAsideToo)
{
    TestFolder dir;
    const QString path = dir.file("History.sqlite");
    {
        HistoryStore first(path);
        first.add(visit("https://old.test/", "old"));
    }
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "history-test-locker");
        other.setDatabaseName(path);
        ASSERT_TRUE(other.open());
        QSqlQuery lock(other);
        ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));

        HistoryStore store(path);
        QSignalSpy moved(&store, &HistoryStore::movedAside);
        store.add(visit("https://new.test/", "new"));
        EXPECT_TRUE(store.flush());
        EXPECT_EQ(moved.size(), 1);
        EXPECT_EQ(urls(store.search("")), QStringList{"https://new.test/"});
        lock.exec("ROLLBACK");
        other.close();
    }
    QSqlDatabase::removeDatabase("history-test-locker");
    EXPECT_EQ(brokenFiles(dir).size(), 1);
}

TEST(HistoryStore, AFolderThatCannotHoldTheFileKeepsTheHistoryInMemory)
{
    TestFolder dir;
    dir.write("profile", "a file where the folder should be");
    HistoryStore store(dir.file("profile/History.sqlite"));
    QSignalSpy moved(&store, &HistoryStore::movedAside);
    store.add(visit("https://a.test/", "에이", 1));
    EXPECT_FALSE(store.flush());
    EXPECT_FALSE(store.usable());
    EXPECT_EQ(moved.size(), 1) << "said once";
    EXPECT_TRUE(moved[0][1].toString().isEmpty()) << "there was nothing to move";
    store.add(visit("https://b.test/", "비", 2));
    EXPECT_FALSE(store.flush());
    EXPECT_EQ(moved.size(), 1);
    EXPECT_EQ(urls(store.search("")), (QStringList{"https://b.test/", "https://a.test/"}));
    EXPECT_EQ(urls(store.search("에이")), QStringList{"https://a.test/"});
    EXPECT_EQ(store.places("test").size(), 2);
    EXPECT_TRUE(store.clear());
    EXPECT_TRUE(store.search("").isEmpty());
}

} // namespace
