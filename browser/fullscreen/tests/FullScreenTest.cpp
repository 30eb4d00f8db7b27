// Full screen over fake pages: who may ask, where the view goes, and that the
// main window and the view's place come back as they were.
#include "browser/tests/BrowserFixture.h"

#include "browser/fullscreen/FullScreen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

namespace {

class FullScreenTest : public BrowserTest
{
protected:
    void startShown()
    {
        setSetting(settings::Key::VitrelUseValue, "1");
        start();
        form().show();
        form().setWindowOpacity(0.8);
        QApplication::setActiveWindow(&form());
    }
    FullScreen *fullScreen() { return form().findChild<FullScreen *>(); }

    struct Placement
    {
        QRect frame;
        Qt::WindowStates state;
        qreal opacity;
        bool operator==(const Placement &) const = default;
    };
    Placement placement() { return {form().geometry(), form().windowState(), form().windowOpacity()}; }
};

TEST_F(FullScreenTest, TheSelectedPageTakesTheScreenAndEverythingComesBack)
{
    startShown();
    ASSERT_NE(fullScreen(), nullptr);
    QWidget *view = page(0)->widget();
    const QRect place = view->geometry();
    const Placement before = placement();

    EXPECT_TRUE(page(0)->requestFullScreen(true).Accept);
    ASSERT_NE(fullScreen()->window(), nullptr);
    EXPECT_EQ(view->window(), fullScreen()->window());
    EXPECT_TRUE(fullScreen()->window()->isFullScreen());
    ASSERT_NE(fullScreen()->hint(), nullptr);
    EXPECT_EQ(fullScreen()->hint()->text(), "Esc 키를 누르면 전체 화면을 끝냅니다.");
    EXPECT_EQ(placement(), before) << "the main window is not touched";

    // The page's own exit button.
    EXPECT_TRUE(page(0)->requestFullScreen(false).Accept);
    EXPECT_EQ(fullScreen()->window(), nullptr);
    EXPECT_EQ(view->parentWidget(), &form());
    EXPECT_EQ(view->geometry(), place);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(placement(), before);
    EXPECT_EQ(page(0)->fullScreenExits(), 0) << "the page left by itself";
}

TEST_F(FullScreenTest, EscapeATabSwitchOrClosingTheTabEndIt)
{
    startShown();
    ASSERT_TRUE(page(0)->requestFullScreen(true).Accept);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(page(0)->widget(), &escape);
    EXPECT_EQ(fullScreen()->window(), nullptr);
    EXPECT_EQ(page(0)->fullScreenExits(), 1) << "the page is told to leave";
    EXPECT_EQ(page(0)->widget()->parentWidget(), &form());

    app().commands().run(Command::NewTabPage);
    platform::testing::FakeWebBrowser *second = selectedPage();
    ASSERT_TRUE(second->requestFullScreen(true).Accept);
    clickTab(1);
    EXPECT_EQ(fullScreen()->window(), nullptr);
    EXPECT_EQ(second->fullScreenExits(), 1);
    EXPECT_EQ(second->widget()->parentWidget(), &form());
    EXPECT_FALSE(second->widget()->isVisible()) << "its tab is no longer in front";

    clickTab(2);
    ASSERT_TRUE(second->requestFullScreen(true).Accept);
    app().commands().run(Command::CloseSelectedTab);
    EXPECT_EQ(fullScreen()->window(), nullptr);
    EXPECT_EQ(tabs(), "start*");
}

TEST_F(FullScreenTest, APageBehindAnotherTabIsRefused)
{
    startShown();
    app().commands().run(Command::NewTabPage);
    EXPECT_FALSE(page(0)->requestFullScreen(true).Accept);
    EXPECT_EQ(fullScreen()->window(), nullptr);
    EXPECT_EQ(page(0)->widget()->parentWidget(), &form());
}

} // namespace
