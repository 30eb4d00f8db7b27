// Crash loops after a restore: the record of restores, the recovery page and
// its two buttons on the whole browser on fakes, and the session writer's order.
#include "browser/tests/BrowserFixture.h"

#include "browser/sessions/RecoveryPage.h"
#include "browser/sessions/RestoreRecord.h"
#include "browser/sessions/SessionKeeper.h"
#include "browser/sessions/SessionWriter.h"
#include "TempDir.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/WebBrowser.h"

#include <QCoreApplication>
#include <QFile>
#include <QSemaphore>

#include <gtest/gtest.h>

using K = settings::Key;
using Record = restoreRecord::Run;

namespace {

constexpr qint64 kT = 1'765'000'000'000;  // some moment, ms since the epoch

Record quick(qint64 lived) { return Record{kT, kT + lived, false}; }

} // namespace

TEST(CrashLoopDecision, TwoAbnormalEndsWithinAMinuteOfTheirRestoresInARowAreALoop)
{
    using restoreRecord::isCrashLoop;
    EXPECT_TRUE(isCrashLoop({quick(59'000), quick(59'000)}));
    EXPECT_TRUE(isCrashLoop({quick(0), quick(59'999)}));
    EXPECT_FALSE(isCrashLoop({quick(61'000), quick(59'000)})) << "the older run lived past the minute";
    EXPECT_FALSE(isCrashLoop({quick(59'000), quick(61'000)})) << "the newer run lived past the minute";
    EXPECT_FALSE(isCrashLoop({quick(59'000), quick(60'000)})) << "a full minute is not within it";
    EXPECT_FALSE(isCrashLoop({quick(59'000)})) << "one quick end is not a loop";
    EXPECT_FALSE(isCrashLoop({}));
    EXPECT_FALSE(isCrashLoop({quick(1'000), Record{kT, kT + 1'000, true}})) << "the newest ended cleanly";
    EXPECT_TRUE(isCrashLoop({quick(61'000), quick(1'000), quick(1'000)})) << "only the newest runs count";
    EXPECT_FALSE(isCrashLoop({quick(1'000), quick(1'000), quick(61'000)}));
    EXPECT_FALSE(isCrashLoop({quick(-5'000), quick(1'000)})) << "a clock set back tells nothing";
}

TEST(CrashLoopDecision, TheRecordReadsBackWholeOrNotAtAll)
{
    TestFolder dir;
    const restoreRecord::Runs runs{quick(59'000), Record{kT + 5, kT + 90'000, true}};
    ASSERT_TRUE(restoreRecord::write(dir.path(), runs));
    EXPECT_EQ(restoreRecord::read(dir.path()), runs);

    const QByteArray whole = restoreRecord::encode(runs);
    for (qsizetype cut = 0; cut < whole.size(); ++cut)
        ASSERT_TRUE(restoreRecord::decode(whole.left(cut)).isEmpty()) << "cut at " << cut;
    EXPECT_TRUE(restoreRecord::decode(whole + "x").isEmpty());
    QByteArray other = whole;
    other[7] = char(9);  // another version
    EXPECT_TRUE(restoreRecord::decode(other).isEmpty());

    ASSERT_TRUE(restoreRecord::write(dir.path(), {}));
    EXPECT_FALSE(QFile::exists(restoreRecord::path(dir.path()))) << "an empty record is no file";
}

TEST(RecoveryPageText, AHostileTitleAndAddressAreTextNeverMarkup)
{
    sessionFile::Session session;
    session.tabs.append({QStringLiteral("http://a.example/?q='><script>alert(1)</script>"),
                         QStringLiteral("</label><script>alert('제목')</script><img src=x onerror=alert(2)>"), {}});
    session.tabs.append({QStringLiteral("http://b.example/"), QString(), {}});
    const QString page = recoveryPage::lines(session).join('\n');
    EXPECT_FALSE(page.contains("<script")) << page.toStdString();
    EXPECT_FALSE(page.contains("<img"));
    EXPECT_TRUE(page.contains("&lt;/label&gt;&lt;script&gt;alert(&#39;제목&#39;)&lt;/script&gt;&lt;img src=x"));
    EXPECT_TRUE(page.contains("http://a.example/?q=&#39;&gt;&lt;script&gt;"));
    EXPECT_EQ(page.count("type='checkbox'"), 2) << "one line per tab";
    EXPECT_TRUE(page.contains(recoveryPage::kRestoreText));
    EXPECT_TRUE(page.contains(recoveryPage::kFreshText));
}

TEST(RecoveryPageText, OnlyItsOwnActionsAreReadAndOnlyPlacesOfTheSession)
{
    const QString prefix = QString::fromLatin1(platform::kPageActionPrefix);
    auto restore = recoveryPage::actionOf(prefix + "recovery-restore?tab=2&tab=0&tab=0&tab=9&tab=-1&tab=x", 3);
    ASSERT_TRUE(restore);
    EXPECT_EQ(restore->kind, recoveryPage::Action::Kind::Restore);
    EXPECT_EQ(restore->tabs, (QList<int>{0, 2}));
    auto none = recoveryPage::actionOf(prefix + "recovery-restore", 3);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->tabs.isEmpty());
    auto fresh = recoveryPage::actionOf(prefix + "recovery-fresh?tab=1", 3);
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->kind, recoveryPage::Action::Kind::Fresh);
    EXPECT_FALSE(recoveryPage::actionOf(prefix + "reload", 3));
    EXPECT_FALSE(recoveryPage::actionOf("http://local/page-action/recovery-fresh", 3));
    EXPECT_FALSE(recoveryPage::actionOf("vorlen://elsewhere/page-action/recovery-fresh", 3));
}

namespace {

class CrashLoopTest : public BrowserTest
{
protected:
    SessionKeeper &keeper() { return *app().sessions(); }
    QString folder() { return platform::folders::profileFolder(fake().environment()); }
    QString recoveryFile() { return recoveryPage::filePath(fake().environment().tempFolder()); }
    void crashAndStart()
    {
        m_app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        start();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // A saved session of three tabs, the second selected, after two runs that
    // died seconds after their restores.
    void looped()
    {
        sessionFile::Session saved;
        saved.tabs = {{"http://a.example/", "A", {}}, {"http://b.example/", "B", {}}, {"http://c.example/", "C", {}}};
        saved.selected = 1;
        ASSERT_TRUE(sessionFile::write(folder(), saved));
        ASSERT_TRUE(restoreRecord::write(folder(), {quick(3'000), quick(4'000)}));
    }
    void press(const QString &action) { Q_EMIT page(0)->GeneratedPageAction(platform::kPageActionPrefix + action); }
};

} // namespace

TEST_F(CrashLoopTest, AfterTwoQuickCrashesTheStartShowsTheRecoveryPageAndRestoresNothing)
{
    setSetting(K::SessionRestoreValue, "2");
    looped();
    start();
    EXPECT_EQ(tabs(), "start*") << "nothing restored by itself";
    ASSERT_TRUE(keeper().recoveryPending());
    EXPECT_EQ(page(0)->navigated().last(), recoveryFile());
    QFile file(recoveryFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = platform::decodeText(file.readAll());
    EXPECT_TRUE(text.contains("http://c.example/"));
    EXPECT_EQ(text.count("type='checkbox'"), 3);
    // It is one of the program's own pages: never saved as a tab, never kept in the history.
    EXPECT_TRUE(keeper().isGenerated(recoveryFile()));
    EXPECT_TRUE(keeper().isGenerated(QUrl::fromLocalFile(recoveryFile()).toString()));

    // Nothing is written while the user has not chosen: the session before stays the newest.
    page(0)->simulateTitleChange("탭 복구");
    keeper().flush();
    keeper().waitForWrites();
    EXPECT_FALSE(QFile::exists(sessionFile::path(folder())));
    EXPECT_EQ(sessionFile::readNewest(folder())->session.tabs.size(), 3);
}

TEST_F(CrashLoopTest, TheRestoreButtonBringsBackTheCheckedTabsLazilyAndKeepsTheOthersForReopening)
{
    setSetting(K::SessionRestoreValue, "1");
    looped();
    start();
    ASSERT_TRUE(keeper().recoveryPending());
    // Only the program's own actions count; the selected B comes back and loads, C waits.
    press("reload");
    EXPECT_TRUE(keeper().recoveryPending());
    press("recovery-restore?tab=1&tab=2");
    EXPECT_FALSE(keeper().recoveryPending());
    EXPECT_EQ(tabs(), "start* ID1");
    EXPECT_EQ(page(0)->navigated().last(), "http://b.example/");
    EXPECT_TRUE(keeper().waiting(1));
    ASSERT_EQ(keeper().closedTabs().size(), 1);
    EXPECT_EQ(keeper().closedTabs().at(0).tab.url, "http://a.example/");
    EXPECT_FALSE(QFile::exists(recoveryFile()));
    // The choice is a restore too: a third quick crash brings the page back.
    EXPECT_EQ(keeper().restoreRuns().size(), 3);
    keeper().waitForWrites();
    EXPECT_EQ(sessionFile::readNewest(folder())->session.tabs.size(), 2);
    crashAndStart();
    EXPECT_TRUE(keeper().recoveryPending());
}

TEST_F(CrashLoopTest, StartingAfreshShowsTheStartPageLosesNoTabAndForgetsTheLoop)
{
    setSetting(K::SessionRestoreValue, "2");
    looped();
    start();
    press("recovery-fresh");
    EXPECT_FALSE(keeper().recoveryPending());
    EXPECT_EQ(tabs(), "start*");
    EXPECT_NE(page(0)->navigated().last(), recoveryFile());
    EXPECT_EQ(keeper().closedTabs().size(), 3) << "every offered tab waits in the reopen list";
    EXPECT_FALSE(QFile::exists(restoreRecord::path(folder())));
    EXPECT_TRUE(QFile::exists(sessionFile::path(folder(), 1))) << "the backups are kept";
    keeper().waitForWrites();
    EXPECT_EQ(sessionFile::readNewest(folder())->session.closed.size(), 3);
    // The next crash is an ordinary one: its session is continued again.
    page(0)->simulateNavigation("http://d.example/", "D");
    keeper().flush();
    crashAndStart();
    EXPECT_FALSE(keeper().recoveryPending());
    EXPECT_EQ(page(0)->LocationURL(), "http://d.example/");
}

TEST_F(CrashLoopTest, ClosingFromTheRecoveryPageKeepsTheSessionForTheNextStart)
{
    setSetting(K::SessionRestoreValue, "2");
    looped();
    start();
    form().close();
    ASSERT_TRUE(app().ended());
    m_app.reset();
    start();
    ASSERT_TRUE(keeper().recoveryPending());
    QFile file(recoveryFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("http://b.example/"));
}

TEST_F(CrashLoopTest, RestoresAreRecordedSoTwoQuickCrashesLoopAndASteadyRunDoesNot)
{
    setSetting(K::SessionRestoreValue, "2");
    start();
    page(0)->simulateNavigation("http://a.example/", "A");
    form().modRecvNewWindow("http://b.example/");
    page(1)->simulateNavigation("http://b.example/", "B");
    keeper().flush();
    crashAndStart();
    ASSERT_EQ(keeper().restoreRuns().size(), 1);
    EXPECT_FALSE(keeper().restoreRuns().last().cleanExit);
    // This run lives past its minute: it does not count as a quick end.
    qint64 now = kT;
    keeper().setWallClock([&now] { return now; });
    now = keeper().restoreRuns().last().restoredAt + 61'000;
    keeper().markSteady();
    crashAndStart();
    EXPECT_FALSE(keeper().recoveryPending()) << "the run before lived past its minute";
    EXPECT_NE(tabs(), "start*");
    crashAndStart();
    EXPECT_FALSE(keeper().recoveryPending()) << "one quick crash after a steady run";
    crashAndStart();
    EXPECT_TRUE(keeper().recoveryPending()) << "two quick crashes in a row";

    // A start that restores nothing ends the loop's record.
    press("recovery-restore?tab=0&tab=1");
    keeper().endCleanly();
    m_app.reset();
    setSetting(K::SessionRestoreValue, "1");
    start();
    EXPECT_TRUE(keeper().restoreRuns().isEmpty());
}

TEST_F(CrashLoopTest, ValueZeroNeverShowsTheRecoveryPage)
{
    looped();
    start();
    EXPECT_FALSE(keeper().recoveryPending());
    EXPECT_NE(page(0)->navigated().value(page(0)->navigated().size() - 1), recoveryFile());
}

TEST(SessionWriterOrder, AnOlderSnapshotNeverReplacesANewerFile)
{
    TestFolder dir;
    auto session = [](const QString &title) {
        sessionFile::Session s;
        s.tabs.append({QStringLiteral("http://a.example/"), title, QByteArray(4000, 'h')});
        return s;
    };
    auto onDisk = [&dir] { return sessionFile::readNewest(dir.path())->session.tabs.at(0).title; };
    QSemaphore entered;
    QSemaphore release;
    SessionWriter writer(dir.path());
    writer.setBeforeWrite([&](quint64 number) {
        if (number == 1) {
            entered.release();
            release.acquire();
        }
    });
    // The worker holds the first snapshot while the clean exit writes a newer one.
    writer.post(session("old"));
    entered.acquire();
    ASSERT_TRUE(writer.writeNow(session("exit")));
    release.release();
    writer.wait();
    EXPECT_EQ(onDisk(), "exit");
    EXPECT_EQ(writer.lastWritten(), 2u);

    // Snapshots that pile up while one is written: only the newest follows it.
    writer.setBeforeWrite([&](quint64 number) {
        if (number == 3) {
            entered.release();
            release.acquire();
        }
    });
    writer.post(session("three"));
    entered.acquire();
    writer.post(session("four"));
    writer.post(session("five"));
    release.release();
    writer.wait();
    EXPECT_EQ(onDisk(), "five");
    EXPECT_EQ(writer.lastWritten(), 5u);
}
