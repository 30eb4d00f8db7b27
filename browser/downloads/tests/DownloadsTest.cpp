// The downloads list: its store (hostile files included), its texts, and the
// window over fake downloads.
#include "browser/tests/BrowserFixture.h"

#include "browser/downloads/DownloadStore.h"
#include "browser/downloads/DownloadText.h"
#include "browser/downloads/frmDownloads.h"
#include "platform/Folders.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

using State = platform::Download::State;

DownloadRecord record(int n, State state = State::Completed)
{
    DownloadRecord r;
    r.path = QStringLiteral("/home/kim/Downloads/file%1.zip").arg(n);
    r.url = QUrl(QStringLiteral("http://example.test/file%1.zip?a=b&c=%20d").arg(n));
    r.site = QStringLiteral("example.test");
    r.size = 1000 + n;
    r.state = state;
    r.ended = QDateTime::fromSecsSinceEpoch(1700000000 + n, Qt::UTC);
    return r;
}

TEST(DownloadStore, KeepsTheLastHundredInOrder)
{
    TestFolder dir;
    const DownloadStore store(dir.file("Downloads.txt"));
    EXPECT_TRUE(store.load().isEmpty());
    for (int n = 0; n < 105; ++n)
        ASSERT_TRUE(store.append(record(n, n % 3 == 0 ? State::Failed : State::Completed)));
    const QList<DownloadRecord> all = store.load();
    ASSERT_EQ(all.size(), 100);
    EXPECT_EQ(all.first(), record(5));
    EXPECT_EQ(all.last(), record(104));
    EXPECT_EQ(all[1].state, State::Failed);
    ASSERT_TRUE(store.clear());
    EXPECT_TRUE(store.load().isEmpty());
}

TEST(DownloadStore, NamesWithTabsAndNewlinesStayInTheirField)
{
    TestFolder dir;
    const DownloadStore store(dir.file("Downloads.txt"));
    DownloadRecord r = record(1, State::Cancelled);
    r.path = QStringLiteral("/home/kim/Downloads/이름\t탭\n줄.txt");
    r.site = QStringLiteral("사이트\tcompleted");
    ASSERT_TRUE(store.append(r));
    EXPECT_EQ(store.load(), QList<DownloadRecord>{r});
}

TEST(DownloadStore, AGarbledFileKeepsOnlyWholeRecords)
{
    TestFolder dir;
    const DownloadStore store(dir.file("Downloads.txt"));
    dir.write("Downloads.txt", "vorlen-downloads 9\n" + DownloadStore::serialize({record(1)}).mid(19));
    EXPECT_TRUE(store.load().isEmpty()) << "another version";
    dir.write("Downloads.txt", QByteArray("\xff\xfe\x00garbage", 10));
    EXPECT_TRUE(store.load().isEmpty());

    QByteArray bytes = DownloadStore::serialize({record(1), record(2)});
    bytes += "2023-11-14T22:13:20Z\tcompleted\t10\tsite\thttp%3A%2F%2Fx\trelative%2Fpath\n";
    bytes += "2023-11-14T22:13:20Z\tcompleted\t10\tsite\thttp%3A%2F%2Fx\t%2Fhome%2F..%2F..%2Fetc%2Fpasswd\n";
    bytes += "2023-11-14T22:13:20Z\texploded\t10\tsite\thttp%3A%2F%2Fx\t%2Ftmp%2Fa\n";
    bytes += "not a time\tcompleted\t10\tsite\thttp%3A%2F%2Fx\t%2Ftmp%2Fa\n";
    bytes += "2023-11-14T22:13:20Z\tcompleted\tmany\tsite\thttp%3A%2F%2Fx\t%2Ftmp%2Fa\n";
    bytes += "2023-11-14T22:13:20Z\tcompleted\n";
    bytes += DownloadStore::serialize({record(3)}).mid(19);
    dir.write("Downloads.txt", bytes);
    EXPECT_EQ(store.load(), (QList<DownloadRecord>{record(1), record(2), record(3)}));

    // An address not of the web is dropped; the record stays.
    DownloadRecord local = record(4);
    local.url = QUrl("javascript:alert(1)");
    dir.write("Downloads.txt", DownloadStore::serialize({local}));
    ASSERT_EQ(store.load().size(), 1);
    EXPECT_TRUE(store.load()[0].url.isEmpty());

    dir.write("Downloads.txt", "vorlen-downloads 1\n" + QByteArray(DownloadStore::kMaxFileSize + 1, 'x'));
    EXPECT_TRUE(store.load().isEmpty()) << "too large to be ours";
}

TEST(DownloadText, SizesDurationsAndProgress)
{
    EXPECT_EQ(downloadText::sizeText(512), "512 바이트");
    EXPECT_EQ(downloadText::sizeText(1536), "1.5 KB");
    EXPECT_EQ(downloadText::sizeText(12 * 1024 * 1024 + 300 * 1024), "12 MB");
    EXPECT_EQ(downloadText::sizeText(-1), "알 수 없음");
    EXPECT_EQ(downloadText::durationText(45), "45초");
    EXPECT_EQ(downloadText::durationText(200), "3분 20초");
    EXPECT_EQ(downloadText::durationText(3900), "1시간 5분");
    EXPECT_EQ(downloadText::progressText(1024 * 1024, 4 * 1024 * 1024, 1024 * 1024),
              "1.0 MB / 4.0 MB, 초당 1.0 MB, 3초 남음");
    EXPECT_EQ(downloadText::progressText(2048, -1, 0), "2.0 KB") << "neither size nor speed known yet";
}

class DownloadsWindowTest : public BrowserTest
{
protected:
    platform::testing::FakeDownloads &downloads() { return fake().browsers().fakeDownloads(); }
    frmDownloads *window() { return toolWindow<frmDownloads>(); }
    QString folder() { return m_dir.file("Downloads"); }
    platform::testing::FakeDownload *startDownload(const QString &name)
    {
        return downloads().simulateStart(folder() + "/" + name, QUrl("http://files.test/" + name), "files.test");
    }
    QStringList rowNames()
    {
        QStringList names;
        for (DownloadRow *row : window()->rows())
            names << row->NameLabel->text();
        return names;
    }
};

TEST_F(DownloadsWindowTest, ThreeDownloadsFinishedRunningAndCancelled)
{
    start();
    auto *done = startDownload("done.zip");
    done->simulateProgress(4000, 4000);
    done->simulateEnd(State::Completed);
    auto *running = startDownload("running.iso");
    auto *cancelled = startDownload("cancelled.bin");

    EXPECT_TRUE(downloads().endNoticesShown());
    app().commands().run(Command::Downloads);
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(window()->windowTitle(), "내려받기 목록");
    EXPECT_FALSE(downloads().endNoticesShown()) << "the window shows the ends itself";
    EXPECT_EQ(rowNames(), (QStringList{"cancelled.bin", "running.iso", "done.zip"}));

    DownloadRow *runningRow = window()->rows()[1];
    running->simulateProgress(1024 * 1024, 4 * 1024 * 1024);
    EXPECT_FALSE(runningRow->ProgressBar->isHidden());
    EXPECT_EQ(runningRow->ProgressBar->value(), 250);
    EXPECT_TRUE(runningRow->DetailLabel->text().startsWith("files.test — 1.0 MB / 4.0 MB"))
        << runningRow->DetailLabel->text().toStdString();
    EXPECT_FALSE(runningRow->CancelButton->isHidden());
    EXPECT_TRUE(runningRow->RetryButton->isHidden());

    DownloadRow *cancelledRow = window()->rows()[0];
    cancelledRow->CancelButton->click();
    EXPECT_EQ(cancelled->cancelCalls(), 1);
    EXPECT_TRUE(cancelledRow->CancelButton->isHidden());
    EXPECT_FALSE(cancelledRow->RetryButton->isHidden());
    EXPECT_TRUE(cancelledRow->DetailLabel->text().endsWith("취소됨"));
    cancelledRow->RetryButton->click();
    EXPECT_EQ(downloads().requested(), QList<QUrl>{QUrl("http://files.test/cancelled.bin")});

    DownloadRow *doneRow = window()->rows()[2];
    EXPECT_FALSE(doneRow->OpenFolderButton->isHidden());
    EXPECT_TRUE(doneRow->ProgressBar->isHidden());
    doneRow->OpenFolderButton->click();
    EXPECT_EQ(downloads().openedFolders(), QStringList{folder()});

    // A download started while the window is open comes in at the top.
    startDownload("new.txt");
    EXPECT_EQ(rowNames().first(), "new.txt");

    // Clearing keeps what still runs.
    window()->ClearButton->click();
    EXPECT_EQ(rowNames(), (QStringList{"new.txt", "running.iso"}));

    window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window(), nullptr);
    EXPECT_TRUE(downloads().endNoticesShown());
}

TEST_F(DownloadsWindowTest, EarlierRunsAreListedAfterThisRunsAndNotTwice)
{
    const DownloadStore store(QDir(platform::folders::profileFolder(fake().environment())).filePath("Downloads.txt"));
    start();
    ASSERT_TRUE(store.append(record(1)));
    ASSERT_TRUE(store.append(record(2, State::Failed)));
    auto *now = startDownload("now.zip");
    now->simulateEnd(State::Completed);
    EXPECT_EQ(store.load().size(), 3) << "this run's end is kept for the next run";

    app().commands().run(Command::Downloads);
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(rowNames(), (QStringList{"now.zip", "file2.zip", "file1.zip"}));
    EXPECT_FALSE(window()->rows()[1]->RetryButton->isHidden()) << "a failed one can be fetched again";
    // One window at a time.
    frmDownloads *first = window();
    app().commands().run(Command::Downloads);
    EXPECT_EQ(window(), first);
}

TEST_F(DownloadsWindowTest, AnEmptyListSaysSo)
{
    start();
    app().commands().run(Command::Downloads);
    ASSERT_NE(window(), nullptr);
    EXPECT_FALSE(window()->EmptyLabel->isHidden());
    EXPECT_EQ(window()->EmptyLabel->text(), "내려받은 파일이 없습니다.");
}

} // namespace

namespace {

TEST_F(DownloadsWindowTest, AFailedDownloadCanBeFetchedAgain)
{
    start();
    app().commands().run(Command::Downloads);
    auto *broken = startDownload("broken.tar.gz");
    broken->simulateProgress(100, 5000);
    broken->simulateEnd(State::Failed, "네트워크 오류");
    ASSERT_EQ(window()->rows().size(), 1);
    DownloadRow *row = window()->rows()[0];
    EXPECT_TRUE(row->DetailLabel->text().endsWith("실패")) << row->DetailLabel->text().toStdString();
    EXPECT_TRUE(row->ProgressBar->isHidden());
    EXPECT_TRUE(row->CancelButton->isHidden());
    EXPECT_TRUE(row->OpenFolderButton->isHidden()) << "there is no file to show";
    row->RetryButton->click();
    EXPECT_EQ(downloads().requested(), QList<QUrl>{QUrl("http://files.test/broken.tar.gz")});
}

} // namespace
