// Paths through the start and the menus that end in the same place whichever
// way the user takes: the tab menu's start page, the theme manager's item after
// the settings dialog, the recovery wizard's end, the first-run grading without
// a help page, a settings file without a stored placement, and the theme code
// putting the connection icon back.
#include "BrowserFixture.h"

#include "browser/app/SessionWindows.h"
#include "browser/frame/LabelControl.h"
#include "browser/window/AddressInput.h"
#include "browser/frame/modWindowSetting.h"
#include "browser/input/frmPopupMenu.h"
#include "browser/startup/frmRestoria.h"
#include "browser/startup/frmSetting.h"
#include "browser/startup/modLocalPages.h"
#include "browser/startup/modSessionRecord.h"
#include "browser/themes/modAmbrel.h"
#include "browser/tools/frmSystemScan.h"
#include "platform/Folders.h"
#include "platform/Settings.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

using K = settings::Key;

class StartAndMenuPaths : public BrowserTest
{
protected:
    void triggerItem(const char *name)
    {
        QAction *item = form().popupMenu().item(QString::fromLatin1(name));
        ASSERT_NE(item, nullptr) << name;
        form().popupMenu().refresh();
        ASSERT_TRUE(item->isEnabled()) << name;
        item->trigger();
    }

    // Confirms the settings dialog open now with the theme switch as given.
    void confirmSettingsWithThemes(bool on)
    {
        frmSetting *dialog = app().windows().setting();
        ASSERT_NE(dialog, nullptr);
        dialog->chkAmbrelUseChoose->setChecked(on);
        QTest::mouseClick(dialog->cmdApply, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

} // namespace

TEST_F(StartAndMenuPaths, TheTabMenusStartPageChecksTheConnectionFirst)
{
    start();
    page(0)->clearLog();
    triggerItem("munfrmMainHomePage");
    ASSERT_FALSE(page(0)->navigated().isEmpty());
    EXPECT_TRUE(page(0)->navigated().last().endsWith("/StartPage.htm")) << "a fresh start page frame";
    EXPECT_TRUE(QFile::exists(modLocalPages::pagePath(fake().platform(), modLocalPages::Page::StartPage)));

    // Without a connection: the offline display, as for a favorite opened offline.
    fake().system().setConnected(false);
    triggerItem("munfrmMainHomePage");
    EXPECT_TRUE(page(0)->navigated().last().endsWith("/Error.htm"));
    EXPECT_EQ(form().WebAdressBar->text(), "LAN 선이나 모뎀이 인터넷에 연결되어 있는지 확인 하십시오.");
    EXPECT_EQ(form().WebAdressInputBar->text(), "LAN 선이나 모뎀이 인터넷에 연결되어 있는지 확인 하십시오.");
    EXPECT_EQ(form().connectionPicture(), 2);
    EXPECT_EQ(form().ProgramStatusTextLabel->text(), "시스템이 인터넷에 연결 되어있지 않습니다.");

    // Alt+G keeps its own way: straight to the start page, connection or not.
    app().commands().run(Command::StartPage);
    EXPECT_EQ(page(0)->log().last(), "Navigate2:http://start.example/");
}

TEST_F(StartAndMenuPaths, TheThemeManagerItemFollowsTheSettingsDialogOnEveryPath)
{
    // The first run's "아니요" opens the dialog.
    QFile::remove(platform::folders::settingsFile(fake().environment()));
    fake().dialogs().queueAnswer(platform::MsgResult::No);
    start();
    ASSERT_FALSE(form().ambrelMenuEnabled());
    confirmSettingsWithThemes(true);
    EXPECT_TRUE(form().ambrelMenuEnabled()) << "after the first run's dialog";

    // The system check closed before it graded.
    m_app.reset();
    QFile::remove(platform::folders::settingsFile(fake().environment()));
    fake().dialogs().clear();
    fake().dialogs().queueAnswer(platform::MsgResult::Yes);
    start();
    frmSystemScan *scan = app().windows().systemScan();
    ASSERT_NE(scan, nullptr);
    scan->cmdExit_Click();
    confirmSettingsWithThemes(true);
    EXPECT_TRUE(form().ambrelMenuEnabled()) << "after the dialog of a system check closed early";

    // A page's new window with a wrong NewWindowOpenValue.
    m_app.reset();
    setSetting(K::AmbrelUseValue, "0");
    setSetting(K::NewWindowOpenValue, "7");
    start();
    ASSERT_FALSE(form().ambrelMenuEnabled());
    fake().dialogs().clear();
    openPopup(0, "http://pop.example/");
    ASSERT_FALSE(fake().dialogs().messageBoxes().isEmpty());
    EXPECT_EQ(fake().dialogs().messageBoxes().first().title, "설정 오류");
    confirmSettingsWithThemes(true);
    EXPECT_TRUE(form().ambrelMenuEnabled()) << "after the dialog of the settings error";
}

TEST_F(StartAndMenuPaths, TheRecoveryWizardsEndBringsTheTabForwardAndLaysTheWindowOut)
{
    setSetting(K::RestoriaValue, "1");
    ASSERT_TRUE(modSessionRecord::write(fake().environment(),
                                        {"2026-01-02 오후 3:04:05", "남은 문서", "http://left.example/page"}));
    start();
    frmRestoria *wizard = app().windows().restoria();
    ASSERT_NE(wizard, nullptr);
    int finished = 0;
    int passesAtTheEnd = -1;
    QObject::connect(wizard, &frmRestoria::startFinished, wizard, [&] {
        ++finished;
        passesAtTheEnd = app().afterStep().layoutPasses();
    });
    QTest::mouseClick(wizard->cmdYes, Qt::LeftButton);
    EXPECT_EQ(finished, 1) << "the start goes on exactly once";
    EXPECT_EQ(tabs(), "start ID1*");
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(form().isEnabled());
    EXPECT_TRUE(page(1)->widget()->isVisibleTo(&form())) << "the recovered tab in front";
    EXPECT_FALSE(page(0)->widget()->isVisibleTo(&form()));
    EXPECT_EQ(page(1)->widget()->geometry(), page(0)->widget()->geometry()) << "laid out as every page";
    EXPECT_EQ(app().afterStep().layoutPasses(), passesAtTheEnd) << "nothing left to lay out after the end";
}

TEST_F(StartAndMenuPaths, GradingWithoutAHelpPageOrAnEarlierStartPageShowsTheNewTabPage)
{
    QFile::remove(platform::folders::settingsFile(fake().environment()));
    fake().registry().setStartPage(QString());
    fake().dialogs().queueAnswer(platform::MsgResult::Yes);
    start();
    frmSystemScan *scan = app().windows().systemScan();
    ASSERT_NE(scan, nullptr);
    ASSERT_TRUE(readMePath(app().context()).isEmpty()) << "the test build ships no help page beside the fakes";
    page(0)->clearLog();
    scan->SystemGradeCheck();
    ASSERT_FALSE(page(0)->navigated().isEmpty());
    EXPECT_TRUE(page(0)->navigated().last().endsWith("/NewTab.htm")) << page(0)->navigated().last().toStdString();
    for (const QString &address : page(0)->navigated())
        EXPECT_FALSE(address.trimmed().isEmpty()) << "never an empty address";
}

TEST_F(StartAndMenuPaths, ASettingsFileWithoutAStoredPlacementOpensAtTheFirstRunSizeCentred)
{
    // A settings file written by hand, without the LastWindow keys.
    QFile::remove(platform::folders::settingsFile(fake().environment()));
    setSetting(K::PurgelValue, "0");
    start();
    const QSize size(modWindowSetting::kFirstRunWidth / 15, modWindowSetting::kFirstRunHeight / 15);
    EXPECT_EQ(form().size(), size);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form().geometry(), modWindowSetting::centred(area, size));
}

TEST_F(StartAndMenuPaths, ApplyingAThemePutsTheConnectionIconBackButNotOverTheOfflineDisplay)
{
    setSetting(K::AmbrelUseValue, "1");
    start();
    form().setConnectionPicture(4);
    modAmbrel::Context theme = app().themeContext();
    modAmbrel::ApplyDefaultDesign(theme);
    EXPECT_EQ(form().connectionPicture(), 1);

    form().showOffline();
    modAmbrel::ApplyDefaultDesign(theme);
    EXPECT_EQ(form().connectionPicture(), 2) << "the offline state still stands";
}
