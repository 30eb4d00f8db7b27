// The wide view and mini mode on a whole browser.
#include "BrowserFixture.h"

#include "browser/modes/frmMiniMode.h"
#include "browser/modes/frmShowPanovel.h"
#include "browser/app/SessionWindows.h"
#include "browser/tools/frmNotice.h"
#include "browser/modes/DisplayWindows.h"

#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

using K = settings::Key;

class WideViewTest : public BrowserTest
{
protected:
    frmShowPanovel *view() { return app().displayWindows().panovel.window(); }
    platform::testing::FakeWebBrowser *viewPage()
    {
        return view() ? qobject_cast<platform::testing::FakeWebBrowser *>(view()->WebBrowser) : nullptr;
    }
    frmMiniMode *mini() { return app().displayWindows().miniMode.window(); }
};

TEST_F(WideViewTest, OpensTheCurrentPageAloneAndCarriesTheAddressBack)
{
    setSetting(K::PanovelValue, "1");
    start();
    page(0)->simulateNavigation("http://one.example/", "One");
    page(0)->clearLog();
    clickOn("PanovelButton");
    ASSERT_NE(view(), nullptr);
    ASSERT_NE(viewPage(), nullptr);
    EXPECT_TRUE(viewPage()->log().join(',').contains("http://one.example/"));
    EXPECT_FALSE(form().isVisible()) << "the main window hides";
    EXPECT_FALSE(form().isEnabled());
    EXPECT_TRUE(view()->isVisible());

    // A link followed in the wide view.
    viewPage()->simulateNavigation("http://two.example/deep", "Two");
    EXPECT_EQ(view()->AdressTextBox->text(), "http://two.example/deep");
    EXPECT_EQ(view()->ProgramTitleBar->text(), " Vorlen™ Panovel™ [Two]");
    QTest::mouseClick(view()->cmdExit, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(view(), nullptr);
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(form().isEnabled());
    EXPECT_TRUE(page(0)->log().join(',').contains("http://two.example/deep")) << page(0)->log().join(',').toStdString();
    EXPECT_EQ(tabs(), "start*");
}

TEST_F(WideViewTest, PopUpsAreRefusedWithTheShortNotice)
{
    setSetting(K::PanovelValue, "1");
    start();
    app().commands().run(Command::WideView);
    ASSERT_NE(viewPage(), nullptr);
    const platform::NewWindowRequest request = viewPage()->requestNewWindow("http://popup.example/");
    EXPECT_TRUE(request.Cancel);
    EXPECT_EQ(request.ppDisp, nullptr);
    ASSERT_NE(app().windows().notice(), nullptr);
    EXPECT_EQ(app().windows().notice()->lblNoticeTitle->text(), "제한된 기능");
    EXPECT_EQ(app().windows().notice()->lblNoticeContents->text(), "현재 브라우징 모드에서는 제한된 기능입니다.");
    EXPECT_EQ(tabs(), "start*") << "no tab either";
}

TEST_F(WideViewTest, ToolBoxCommandsAndEscape)
{
    setSetting(K::PanovelValue, "1");
    start();
    app().commands().run(Command::WideView);
    ASSERT_NE(viewPage(), nullptr);
    viewPage()->simulateNavigation("http://one.example/", "One");
    EXPECT_FALSE(view()->ToolbarBox->isVisible());
    QTest::mouseClick(view()->ProgramTitleBar, Qt::LeftButton);
    EXPECT_TRUE(view()->ToolbarBox->isVisible());

    viewPage()->clearLog();
    // The quick command acts at once, without Enter.
    view()->AdressTextBox->setText("s:update");
    EXPECT_EQ(viewPage()->log(), QStringList{QStringLiteral("Navigate:") + frmShowPanovel::kUpdateAddress});
    EXPECT_FALSE(view()->ToolbarBox->isVisible());
    view()->AdressTextBox->setText("s:daum");
    EXPECT_EQ(viewPage()->log().last(), QStringLiteral("Navigate:") + frmShowPanovel::kDaumAddress);

    QTest::mouseClick(view()->ProgramTitleBar, Qt::LeftButton);
    view()->AdressTextBox->setText("half typed");
    QTest::keyClick(view()->AdressTextBox, Qt::Key_Escape);
    EXPECT_EQ(view()->AdressTextBox->text(), "http://one.example/");
    EXPECT_FALSE(view()->ToolbarBox->isVisible());

    QTest::mouseClick(view()->ProgramTitleBar, Qt::LeftButton);
    view()->AdressTextBox->setText("three.example");
    QTest::keyClick(view()->AdressTextBox, Qt::Key_Return);
    EXPECT_EQ(viewPage()->log().last(), "Navigate:three.example") << "as typed";
}

TEST_F(WideViewTest, SwitchedOffWideViewOnlyShowsTheNotice)
{
    setSetting(K::PanovelValue, "0");
    start();
    clickOn("PanovelButton");
    EXPECT_EQ(view(), nullptr);
    ASSERT_NE(app().windows().notice(), nullptr);
    EXPECT_EQ(app().windows().notice()->lblNoticeContents->text(),
              "환경 설정에서 Panovel™ 모드를 사용하도록 설정 하십시오.");
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(form().isEnabled());
}

TEST_F(WideViewTest, MiniButtonHasItsFixedSizeAndPlace)
{
    const QRect screen(0, 0, 1280, 800);
    EXPECT_EQ(frmMiniMode::placeOn(screen), QRect(1230, 0, 50, 50));
    EXPECT_EQ(frmMiniMode::placeOn(QRect(-1024, 0, 1024, 768)), QRect(-50, 0, 50, 50));

    start();
    app().commands().run(Command::MiniMode);
    ASSERT_NE(mini(), nullptr);
    const QRect expected = frmMiniMode::placeOn(QGuiApplication::primaryScreen()->geometry());
    EXPECT_EQ(mini()->geometry(), expected);
    EXPECT_DOUBLE_EQ(mini()->windowOpacity(), 200 / 255.0);
    EXPECT_TRUE(mini()->windowFlags() & Qt::WindowStaysOnTopHint);
    // Moved or resized, it snaps back.
    mini()->move(10, 10);
    EXPECT_EQ(mini()->geometry(), expected);
}

TEST_F(WideViewTest, MiniModeHidesTheBrowserAndALeftClickBringsItBackAsItWas)
{
    start();
    app().commands().run(Command::NewTab);
    page(1)->simulateNavigation("http://one.example/", "One");
    form().setGeometry(QRect(60, 50, 500, 400));
    const QRect before = form().geometry();
    const QString tabsBefore = tabs();

    app().commands().run(Command::MiniMode);
    ASSERT_NE(mini(), nullptr);
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(app().commands().state(Command::NewTab), Commands::State::MiniModeShown);

    QTest::mouseClick(mini(), Qt::RightButton);
    QApplication::processEvents();
    ASSERT_NE(mini(), nullptr) << "a right click does nothing";
    EXPECT_FALSE(form().isVisible());
    // Released off to the right and below: nothing either.
    QTest::mousePress(mini(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_TRUE(mini()->pressedFace());
    QTest::mouseRelease(mini(), Qt::LeftButton, Qt::NoModifier, QPoint(70, 70));
    QApplication::processEvents();
    ASSERT_NE(mini(), nullptr);

    QTest::mouseClick(mini(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(mini(), nullptr);
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(form().isEnabled());
    EXPECT_EQ(form().geometry(), before);
    EXPECT_EQ(tabs(), tabsBefore);
    EXPECT_EQ(app().commands().state(Command::NewTab), Commands::State::Enabled);
}

} // namespace
