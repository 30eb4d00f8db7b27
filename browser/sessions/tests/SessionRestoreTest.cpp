// The whole browser on fakes keeping its session, restarting after a crash or
// a clean exit, and reopening closed tabs.
#include "browser/tests/BrowserFixture.h"

#include "browser/app/SessionWindows.h"
#include "browser/sessions/SessionKeeper.h"
#include "browser/startup/frmRestoria.h"
#include "browser/startup/modLocalPages.h"
#include "browser/tools/frmNotice.h"
#include "platform/Folders.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

using K = settings::Key;

namespace {

class SessionRestoreTest : public BrowserTest
{
protected:
    SessionKeeper &keeper()
    {
        SessionKeeper *keeper = app().sessions();
        EXPECT_NE(keeper, nullptr);
        return *keeper;
    }
    QString folder() { return platform::folders::profileFolder(fake().environment()); }
    // What is on disk; by default once the worker's writes are done.
    std::optional<sessionFile::Session> written(bool waitForWorker = true)
    {
        if (waitForWorker && app().sessions())
            keeper().waitForWrites();
        QFile f(sessionFile::path(folder()));
        if (!f.open(QIODevice::ReadOnly))
            return std::nullopt;
        return sessionFile::decode(f.readAll());
    }
    // The program killed: nothing of the exit path runs.
    void crashAndStart()
    {
        m_app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        start();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Three tabs: the start tab with two pages behind it, ID1 selected, ID2.
    void openThreeTabs()
    {
        page(0)->simulateNavigation("http://a.example/", "A");
        page(0)->simulateNavigation("http://a.example/2", "A2");
        form().modRecvNewWindow("http://b.example/");
        page(1)->simulateNavigation("http://b.example/", "B");
        form().modRecvNewWindow("http://c.example/");
        page(2)->simulateNavigation("http://c.example/", "C");
        clickTab(2);
        ASSERT_EQ(tabs(), "start ID1* ID2");
        keeper().flush();
    }
};

} // namespace

TEST_F(SessionRestoreTest, ValueTwoContinuesEveryTabInOrderWithTheSelectionAndHistory)
{
    setSetting(K::SessionRestoreValue, "2");
    start();
    openThreeTabs();
    crashAndStart();

    EXPECT_EQ(tabs(), "start ID1* ID2");
    EXPECT_EQ(app().windows().restoria(), nullptr) << "continuing needs no wizard";
    EXPECT_TRUE(form().isVisible());
    // Only the selected tab loads; the others show their titles.
    EXPECT_EQ(page(1)->LocationURL(), "http://b.example/");
    EXPECT_FALSE(page(0)->log().contains("RestoreHistory:http://a.example/2"));
    EXPECT_EQ(page(0)->navigated().last(), "about:<html><head><title>A2</title></head></html>");
    EXPECT_TRUE(keeper().waiting(0));
    EXPECT_TRUE(keeper().waiting(2));

    clickTab(1);
    EXPECT_TRUE(page(0)->log().contains("RestoreHistory:http://a.example/2"));
    EXPECT_EQ(page(0)->historyUrls(), (QStringList{"http://a.example/", "http://a.example/2"}));
    EXPECT_EQ(page(0)->historyCurrent(), 1) << "Back leads to the first page";
    EXPECT_FALSE(keeper().waiting(0));
    clickTab(2);
    keeper().flush();

    // The restored session is written again, so a second crash loses nothing.
    const std::optional<sessionFile::Session> again = written();
    ASSERT_TRUE(again);
    ASSERT_EQ(again->tabs.size(), 3);
    EXPECT_EQ(again->selected, 1);
    EXPECT_EQ(again->tabs.at(0).url, "http://a.example/2");
    EXPECT_EQ(again->tabs.at(2).url, "http://c.example/") << "a tab never loaded keeps what it had";
    EXPECT_EQ(again->tabs.at(2).title, "C");
    EXPECT_FALSE(again->tabs.at(2).history.isEmpty());
    crashAndStart();
    EXPECT_EQ(tabs(), "start ID1* ID2");
    clickTab(3);
    EXPECT_EQ(page(2)->LocationURL(), "http://c.example/");
}

TEST_F(SessionRestoreTest, ValueTwoContinuesAfterACleanExitTooWhichIsMarked)
{
    setSetting(K::SessionRestoreValue, "2");
    start();
    page(0)->simulateNavigation("http://a.example/", "A");
    form().close();
    ASSERT_TRUE(app().ended());
    // The clean exit's write is done before the exit goes on.
    const std::optional<sessionFile::Session> last = written(false);
    ASSERT_TRUE(last);
    EXPECT_TRUE(last->cleanExit);
    const int writes = keeper().writes();
    keeper().changed();
    keeper().flush();
    EXPECT_EQ(keeper().writes(), writes) << "nothing is written after the clean exit";

    m_app.reset();
    start();
    EXPECT_EQ(page(0)->LocationURL(), "http://a.example/");
    EXPECT_FALSE(keeper().previous()) << "taken by the restore";
}

TEST_F(SessionRestoreTest, ValueZeroKeepsTheSessionButRestoresNothing)
{
    start();
    openThreeTabs();
    crashAndStart();
    EXPECT_EQ(tabs(), "start*");
    ASSERT_TRUE(keeper().previous());
    EXPECT_EQ(keeper().previous()->session.tabs.size(), 3);
    EXPECT_EQ(keeper().previous()->generation, 1) << "the run before went into the first backup";
}

TEST_F(SessionRestoreTest, TheWizardsYesBringsBackAllTabsAndSaysHowMany)
{
    setSetting(K::SessionRestoreValue, "1");
    setSetting(K::RestoriaValue, "1");
    start();
    openThreeTabs();
    crashAndStart();
    frmRestoria *wizard = app().windows().restoria();
    ASSERT_NE(wizard, nullptr) << "the wizard asks as before";
    wizard->cmdYes->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(tabs(), "start ID1* ID2");
    frmNotice *notice = app().windows().notice();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->lblNoticeContents->text(), "마지막으로 열려 있던 탭 3개가 모두 복구 되었습니다.");
}

TEST_F(SessionRestoreTest, GeneratedAndRefusedPagesComeBackAsTheNewTabPage)
{
    setSetting(K::SessionRestoreValue, "2");
    start();
    const QString error = modLocalPages::pagePath(fake().platform(), modLocalPages::Page::Error);
    const QString newTab = modLocalPages::pagePath(fake().platform(), modLocalPages::Page::NewTab);
    EXPECT_TRUE(keeper().isGenerated(error));
    EXPECT_TRUE(keeper().isGenerated("file://" + error));
    EXPECT_FALSE(keeper().isGenerated("http://a.example/"));
    page(0)->simulateNavigation("http://a.example/", "A");
    form().modRecvNewWindow(QString());
    page(1)->simulateNavigation(error, "<b>오류</b>");
    form().modRecvNewWindow(QString());
    page(2)->simulateNavigation("javascript:alert(1)", "스크립트");
    keeper().flush();
    crashAndStart();

    EXPECT_EQ(tabs(), "start ID1 ID2*");
    clickTab(2);
    EXPECT_EQ(page(1)->navigated().value(page(1)->navigated().size() - 1), newTab);
    EXPECT_EQ(page(2)->navigated().value(page(2)->navigated().size() - 1), newTab);
    for (const QString &address : page(2)->navigated())
        EXPECT_FALSE(address.startsWith("javascript:")) << address.toStdString();
    // The waiting tab's title is text in its caption page, never markup.
    EXPECT_TRUE(page(1)->navigated().contains("about:<html><head><title>&lt;b&gt;오류&lt;/b&gt;</title></head></html>"));
}

TEST_F(SessionRestoreTest, WritesAreThrottledToOneASecondAndTheLatestChangeIsKept)
{
    start();
    qint64 now = 1'000'000'000;
    keeper().setClock([&now] { return now; });
    page(0)->setLocationURL("http://a.example/");
    const int before = keeper().writes();
    page(0)->simulateTitleChange("하나");
    EXPECT_EQ(keeper().writes(), before + 1) << "the first change after a quiet second is written at once";
    page(0)->simulateTitleChange("둘");
    page(0)->simulateTitleChange("셋");
    EXPECT_EQ(keeper().writes(), before + 1);
    EXPECT_TRUE(keeper().writePending());
    now += 400;
    keeper().flush();
    EXPECT_EQ(keeper().writes(), before + 2);
    EXPECT_FALSE(keeper().writePending());
    ASSERT_TRUE(written());
    EXPECT_EQ(written()->tabs.value(0).title, "셋");
    keeper().flush();
    EXPECT_EQ(keeper().writes(), before + 2) << "nothing changed, nothing written";
    now += SessionKeeper::kMinIntervalMs;
    page(0)->simulateTitleChange("넷");
    EXPECT_EQ(keeper().writes(), before + 3);
}

TEST_F(SessionRestoreTest, AClosedTabComesBackAtItsPlaceWithItsHistoryEvenAfterARestart)
{
    start();
    openThreeTabs();
    page(1)->simulateNavigation("http://b.example/2", "B2");
    form().modRecvCloseWindow(1);
    ASSERT_EQ(tabs(), "start ID2*");
    ASSERT_EQ(keeper().closedTabs().size(), 1);
    EXPECT_EQ(keeper().closedTabs().at(0).position, 2);

    app().commands().run(Command::ReopenClosedTab);
    EXPECT_EQ(tabs(), "start ID3* ID2");
    EXPECT_EQ(page(3)->historyUrls(), (QStringList{"http://b.example/", "http://b.example/2"}));
    EXPECT_TRUE(keeper().closedTabs().isEmpty());

    form().modRecvCloseWindow(3);
    form().modRecvCloseWindow(2);
    keeper().flush();
    crashAndStart();
    ASSERT_EQ(keeper().closedTabs().size(), 2) << "the list survives a restart";

    // The submenu lists the tab closed last first, and reopens the one chosen.
    QMenu *menu = form().findChild<QMenu *>("munfrmMainReopenClosedTab");
    ASSERT_NE(menu, nullptr);
    Q_EMIT menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions().at(0)->text(), "C");
    EXPECT_EQ(menu->actions().at(1)->text(), "B2");
    menu->actions().at(1)->trigger();
    EXPECT_EQ(selectedPage()->LocationURL(), "http://b.example/2");
    EXPECT_EQ(keeper().closedTabs().size(), 1);
}

TEST_F(SessionRestoreTest, OnlyTheLastTwentyClosedTabsAreKept)
{
    start();
    for (int i = 0; i < sessionFile::kMaxClosedTabs + 5; ++i) {
        platform::WebBrowser *tab = form().modRecvNewWindow(QString());
        auto *fakeTab = qobject_cast<platform::testing::FakeWebBrowser *>(tab);
        fakeTab->simulateNavigation(QStringLiteral("http://t%1.example/").arg(i));
        form().modRecvCloseWindow(form().tabs().indexOfPage(tab));
    }
    ASSERT_EQ(keeper().closedTabs().size(), sessionFile::kMaxClosedTabs);
    EXPECT_EQ(keeper().closedTabs().first().tab.url, "http://t5.example/");
}

TEST_F(SessionRestoreTest, CtrlShiftTReopensTheClosedTabWhateverTheShortcutsSay)
{
    setSetting(settings::Key::KeyflintValue, "0");
    start();
    form().show();
    form().activateWindow();
    QApplication::setActiveWindow(&form());
    openThreeTabs();
    form().modRecvCloseWindow(2);
    ASSERT_EQ(keeper().closedTabs().size(), 1);
    const QString before = tabs();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    QApplication::sendEvent(selectedPage()->widget(), &press);
    EXPECT_NE(tabs(), before);
    EXPECT_TRUE(keeper().closedTabs().isEmpty()) << "the standard key reopened it";
}
