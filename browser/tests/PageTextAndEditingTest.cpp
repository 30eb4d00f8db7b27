// What pages may and may not do to the window: their texts are plain text,
// their events leave a typed address alone, and odd start pages, firewall
// states and unwritable folders are handled.
#include "BrowserFixture.h"

#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "browser/startup/modStartPage.h"
#include "browser/themes/BuiltinImages.h"
#include "browser/window/AddressInput.h"
#include "browser/window/TabStrip.h"

#include <QApplication>
#include <QFile>
#include <QFocusEvent>
#include <QTabBar>

using platform::MsgResult;

TEST_F(BrowserTest, PageTitlesShowAsPlainTextEverywhere)
{
    start();
    form().modRecvNewWindow("http://a/");
    page(1)->simulateNavigation("http://a/p", "<p>: The Paragraph element");
    EXPECT_EQ(form().ProgramTitleBar->textFormat(), Qt::PlainText);
    EXPECT_TRUE(form().ProgramTitleBar->text().startsWith("<p>: The Paragraph element - "));
    EXPECT_EQ(form().WebAdressBar->textFormat(), Qt::PlainText);
    EXPECT_EQ(form().ProgramStatusTextLabel->textFormat(), Qt::PlainText);

    // "&" in a caption is a character, not a shortcut marker.
    page(1)->simulateNavigation("http://a/q", "Q&A and AT&T");
    EXPECT_EQ(form().WebTabStrip->caption("ID1"), "Q&A and AT&T");
    auto *bar = form().WebTabStrip->findChild<QTabBar *>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->tabText(1), "Q&&A and AT&&T");
}

TEST_F(BrowserTest, PageEventsLeaveTheAddressBeingTypedAlone)
{
    start();
    form().modRecvNewWindow("http://b/");
    clickTab(1);
    QApplication::setActiveWindow(&form());
    page(0)->simulateNavigation("http://one.example/", "One");
    doubleClickOn("WebAdressBar");
    form().WebAdressInputBar->setText("http://typed.example/half");
    form().WebAdressInputBar->setFocus();

    // The selected tab changes its title and navigates; another tab finishes.
    page(0)->simulateNavigation("http://two.example/", "Two");
    page(1)->simulateNavigation("http://b/done", "B");
    EXPECT_TRUE(form().WebAdressInputBar->isVisibleTo(&form())) << "still editing";
    EXPECT_EQ(form().WebAdressInputBar->text(), "http://typed.example/half");
    EXPECT_EQ(form().WebAdressBar->text(), "http://two.example/") << "the label follows the page";
    if (QApplication::focusWidget())
        EXPECT_EQ(QApplication::focusWidget(), form().WebAdressInputBar);

    // Switching to another window (Alt+Tab) is not leaving the box.
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(form().WebAdressInputBar, &away);
    EXPECT_TRUE(form().WebAdressInputBar->isVisibleTo(&form()));
    EXPECT_EQ(form().WebAdressInputBar->text(), "http://typed.example/half");
    // A click elsewhere in the window is.
    QFocusEvent click(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(form().WebAdressInputBar, &click);
    EXPECT_FALSE(form().WebAdressInputBar->isVisibleTo(&form()));
    EXPECT_EQ(form().WebAdressInputBar->text(), "http://two.example/");
}

TEST_F(BrowserTest, AFirewallNoToolCanReadLeavesTheStateIconAlone)
{
    setSetting(settings::Key::SystemCheckValue, "1");
    start();
    EXPECT_EQ(form().systemStatePicture(), 2);
    const QString tip = form().ProgramSystemStateBar->toolTip();
    fake().system().setFirewall(std::nullopt);
    form().ArrangeMainWindow();
    EXPECT_EQ(form().systemStatePicture(), 2);
    EXPECT_EQ(form().ProgramSystemStateBar->toolTip(), tip);
    EXPECT_NE(form().ProgramSystemStateBar->toolTip(), "방화벽이 켜져 있지 않습니다.");
    fake().system().setFirewall(false);
    form().ArrangeMainWindow();
    EXPECT_EQ(form().systemStatePicture(), 4) << "a known state still shows";
}

TEST_F(BrowserTest, ARestoreByTheWindowManagerIsRepaired)
{
    start();
    // Maximized and restored by the window manager's own keys.
    form().showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(form().SystemMaxButton->toolTip(), "이전 크기로 복원");
    EXPECT_FALSE(form().ProgramDesignBottomRightEdge->isEnabled());
    form().showNormal();
    QApplication::processEvents();
    EXPECT_EQ(form().WindowState(), 0);
    EXPECT_EQ(form().SystemMaxButton->toolTip(), "최대화");
    EXPECT_TRUE(app().images().isBuiltin(form().SystemMaxButton->picture(), ImageList::SystemButtonImageList, 3));
    for (PictureControl *edge : {form().ProgramDesignBottomRightEdge, form().ProgramDesignTopSize,
                                 form().ProgramDesignLeftLine})
        EXPECT_TRUE(edge->isEnabled()) << edge->objectName().toStdString();
}

TEST(StartPageRule, WebAddressesFilesAndTheBlankPageOnly)
{
    using modStartPage::State;
    struct Row
    {
        const char *address;
        State state;
    } const rows[] = {
        {"http://start.example/", State::Usable},
        {"HTTPS://start.example/a?b=c", State::Usable},
        {"file:///home/user/start.html", State::Usable},
        {"/home/user/start.html", State::Usable},
        {"start.example", State::Usable},
        {"localhost:8080/start", State::Usable},
        {"about:blank", State::Usable},
        {"", State::Missing},
        {"   ", State::Missing},
        {"javascript:alert(1)", State::Refused},
        {"JavaScript:alert(1)", State::Refused},
        {"data:text/html,<b>hi</b>", State::Refused},
        {"about:<b>hi</b>", State::Refused},
        {"vbscript:msgbox", State::Refused},
        {"ftp://files.example/", State::Refused},
    };
    for (const Row &row : rows)
        EXPECT_EQ(modStartPage::classify(QString::fromUtf8(row.address)), row.state) << row.address;
}

TEST_F(BrowserTest, NoStartPageGivesTheNewTabPage)
{
    fake().registry().setStartPage(QString());
    for (const char *reset : {"0", "1"}) {
        m_app.reset();
        setSetting(settings::Key::ResetEngineValue, reset);
        start();
        ASSERT_EQ(page(0)->navigated().size(), 1) << reset;
        EXPECT_TRUE(page(0)->navigated().first().endsWith("/NewTab.htm")) << reset;
        EXPECT_TRUE(fake().dialogs().messageBoxes().isEmpty());
    }
    // A blank new tab and the start-page command go there too.
    form().modRecvNewWindow(QString());
    EXPECT_TRUE(page(1)->navigated().first().endsWith("/NewTab.htm"));
    QFile newTab(fake().environment().tempFolder() + "/NewTab.htm");
    ASSERT_TRUE(newTab.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(newTab.readAll()).contains("새로운 Tab을 생성 했습니다."));
}

TEST_F(BrowserTest, AStartPageOfAnotherSchemeIsRefusedWithAMessage)
{
    fake().registry().setStartPage("javascript:alert(document.cookie)");
    start();
    ASSERT_EQ(page(0)->navigated().size(), 1);
    EXPECT_TRUE(page(0)->navigated().first().endsWith("/NewTab.htm"));
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    const auto box = fake().dialogs().messageBoxes().first();
    EXPECT_EQ(box.title, "시작 페이지");
    EXPECT_TRUE(box.text.contains("javascript:alert(document.cookie)"));
    // Nor does it reach a generated page.
    form().modRecvNewWindow(QString());
    QFile newTab(fake().environment().tempFolder() + "/NewTab.htm");
    ASSERT_TRUE(newTab.open(QIODevice::ReadOnly));
    EXPECT_FALSE(QString::fromUtf8(newTab.readAll()).contains("javascript:"));
}

TEST_F(BrowserTest, AnUnwritableTempFolderIsReportedOnceAndPagesStillShow)
{
    // A TEMP "folder" that is a file: nothing can be written below it.
    const QString blocked = m_dir.path() + "/blocked";
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    fake().environment().setTempFolder(blocked);
    start();
    page(0)->NavigateError("http://down.example/", 404);
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    EXPECT_TRUE(fake().dialogs().messageBoxes().first().text.contains(blocked));
    ASSERT_FALSE(page(0)->navigated().isEmpty());
    const QString shown = page(0)->navigated().last();
    EXPECT_TRUE(shown.startsWith("about:")) << "the error page is shown from memory";
    EXPECT_TRUE(shown.contains("</html>"));

    page(0)->NavigateError("http://down.example/again", 404);
    form().modRecvNewWindow(QString());
    EXPECT_EQ(fake().dialogs().messageBoxes().size(), 1) << "told once";
}
