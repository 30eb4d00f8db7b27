// The window driven by real mouse and key events on its named controls.
#include "BrowserFixture.h"

#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "browser/themes/BuiltinImages.h"
#include "browser/window/AddressInput.h"
#include "browser/window/TabStrip.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTabBar>
#include <QTest>

namespace {

bool shows(BrowserAssembly &app, QWidget *control, ImageList list, int index)
{
    auto *picture = qobject_cast<PictureControl *>(control);
    return picture && app.images().isBuiltin(picture->picture(), list, index);
}

} // namespace

TEST_F(BrowserTest, PictureButtonShowsItsPressedPictureAndActsOnReleaseByTheRule)
{
    start();
    page(0)->setCanGoBack(true);
    page(0)->simulateNavigation("http://one.example/", "One");
    ASSERT_TRUE(form().BackButton->isEnabled());
    const QSize size = form().BackButton->size();
    page(0)->clearLog();

    pressOn("BackButton");
    EXPECT_TRUE(shows(app(), form().BackButton, ImageList::ProgramToolbarImagesList, 3)) << "pressed while held";
    releaseOn("BackButton");
    EXPECT_TRUE(shows(app(), form().BackButton, ImageList::ProgramToolbarImagesList, 2));
    EXPECT_EQ(page(0)->log(), QStringList{"GoBack"});

    // Released off to the right and below: nothing happens.
    pressOn("BackButton");
    releaseOn("BackButton", QPoint(size.width() + 4, size.height() + 4));
    EXPECT_EQ(page(0)->log(), QStringList{"GoBack"});
    // Off to the right only, or below only, still counts.
    pressOn("BackButton");
    releaseOn("BackButton", QPoint(size.width() + 4, 2));
    pressOn("BackButton");
    releaseOn("BackButton", QPoint(2, size.height() + 4));
    EXPECT_EQ(page(0)->log(), (QStringList{"GoBack", "GoBack", "GoBack"}));
    // The right button does not go back.
    clickOn("BackButton", {}, Qt::RightButton);
    EXPECT_EQ(page(0)->log().size(), 3);
}

TEST_F(BrowserTest, MinimizeButtonKeepsTheReleaseRule)
{
    start();
    const QSize size = form().SystemMinButton->size();
    pressOn("SystemMinButton");
    EXPECT_TRUE(shows(app(), form().SystemMinButton, ImageList::SystemButtonImageList, 2));
    releaseOn("SystemMinButton", QPoint(size.width() + 3, size.height() + 3));
    QCoreApplication::processEvents();
    EXPECT_EQ(form().WindowState(), 0) << "released below and right of it: not minimized";
    EXPECT_TRUE(shows(app(), form().SystemMinButton, ImageList::SystemButtonImageList, 1));
    clickOn("SystemMinButton");
    QCoreApplication::processEvents();
    EXPECT_EQ(form().WindowState(), 1);
}

TEST_F(BrowserTest, AddressLabelClickShowsTheToolBoxAndDoubleClickOpensTheTextBox)
{
    start();
    page(0)->simulateNavigation("http://one.example/", "One");
    clickOn("WebAdressBar");
    EXPECT_TRUE(form().WebBrowserToolBox->isVisibleTo(&form()));
    clickOn("WebAdressBar");
    EXPECT_FALSE(form().WebBrowserToolBox->isVisibleTo(&form()));

    doubleClickOn("WebAdressBar");
    EXPECT_TRUE(form().WebAdressInputBar->isVisibleTo(&form()));
    EXPECT_FALSE(form().WebAdressBar->isVisibleTo(&form()));
    EXPECT_EQ(form().WebAdressInputBar->text(), "http://one.example/");
    EXPECT_EQ(form().WebAdressInputBar->cursorPosition(), form().WebAdressInputBar->text().size());
}

TEST_F(BrowserTest, AddressInputEnterNavigatesAndEscapeRestores)
{
    start();
    page(0)->simulateNavigation("http://one.example/", "One");
    doubleClickOn("WebAdressBar");
    form().WebAdressInputBar->selectAll();
    typeOn("WebAdressInputBar", "two.example");
    keyOn("WebAdressInputBar", Qt::Key_Return);
    EXPECT_EQ(page(0)->navigated().last(), "two.example") << "sent exactly as typed";
    EXPECT_FALSE(form().WebAdressInputBar->isVisibleTo(&form()));

    doubleClickOn("WebAdressBar");
    typeOn("WebAdressInputBar", "/typed");
    keyOn("WebAdressInputBar", Qt::Key_Escape);
    EXPECT_FALSE(form().WebAdressInputBar->isVisibleTo(&form()));
    EXPECT_EQ(form().WebAdressBar->text(), "http://one.example/");
    EXPECT_EQ(page(0)->navigated().size(), 2) << "Escape navigates nowhere";

    // Ctrl+A selects the whole text; Enter on an empty box shows the prompt.
    doubleClickOn("WebAdressBar");
    keyOn("WebAdressInputBar", Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(form().WebAdressInputBar->selectedText(), form().WebAdressInputBar->text());
    keyOn("WebAdressInputBar", Qt::Key_Delete);
    keyOn("WebAdressInputBar", Qt::Key_Return);
    EXPECT_EQ(form().WebAdressInputBar->text(), "여기를 (더블 클릭) 하셔서 주소를 입력 하십시오.");
    EXPECT_EQ(page(0)->navigated().size(), 2);
}

TEST_F(BrowserTest, ClickingATabSelectsItInTheModel)
{
    start();
    form().modRecvNewWindow("http://a/");
    form().modRecvNewWindow("http://b/");
    EXPECT_EQ(tabs(), "start ID1 ID2*");
    auto *bar = form().WebTabStrip->findChild<QTabBar *>();
    ASSERT_NE(bar, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(0).center());
    EXPECT_EQ(tabs(), "start* ID1 ID2");
    EXPECT_FALSE(page(2)->widget()->isVisibleTo(&form()));
    EXPECT_TRUE(page(0)->widget()->isVisibleTo(&form()));
    // A right press selects the tab under it, as the tab menu acts on the selected tab.
    QTest::mouseClick(bar, Qt::RightButton, Qt::NoModifier, bar->tabRect(1).center());
    EXPECT_EQ(tabs(), "start ID1* ID2");
}

TEST_F(BrowserTest, DraggingTheTitleStripMovesTheWindow)
{
    start();
    QWidget *title = named("ProgramTitleBar");
    const QPoint before = form().pos();
    const QPoint from = title->rect().center();
    QTest::mousePress(title, Qt::LeftButton, Qt::NoModifier, from);
    // Without a window manager the window follows the mouse itself.
    for (int step = 1; step <= 4; ++step) {
        QCursor::setPos(title->mapToGlobal(from) + QPoint(10 * step, 5 * step));
        QMouseEvent move(QEvent::MouseMove, from + QPoint(10 * step, 5 * step),
                         title->mapToGlobal(from) + QPoint(10 * step, 5 * step), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(title, &move);
    }
    QTest::mouseRelease(title, Qt::LeftButton, Qt::NoModifier, from + QPoint(40, 20));
    if (QCursor::pos() == title->mapToGlobal(from))
        GTEST_SKIP() << "this platform cannot place the pointer";
    EXPECT_NE(form().pos(), before) << "the window moved with the drag";
    EXPECT_EQ(form().WindowState(), 0);
}
