// Transparency, the steps after a move by the title strip and the edge commands
// on a whole browser.
#include "BrowserFixture.h"

#include "browser/frame/MoveEndWatch.h"
#include "browser/modes/frmVitrel.h"
#include "browser/modes/modVitrel.h"
#include "browser/app/SessionWindows.h"
#include "browser/tools/frmNotice.h"
#include "browser/modes/DisplayWindows.h"
#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "platform/Settings.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <cmath>

namespace {

using K = settings::Key;

bool sameAlpha(double opacity, int alpha)
{
    return std::abs(opacity - alpha / 255.0) < 0.002;
}

class DisplayModesTest : public BrowserTest
{
protected:
    QString value(K key) { return platform::setting::text(fake().environment(), key); }
    frmVitrel *vitrel() { return app().displayWindows().vitrel.window(); }
    QRect screen() { return QGuiApplication::primaryScreen()->geometry(); }
    // A window well smaller than the screen, so that one edge fires at a time.
    void smallWindow()
    {
        form().setWindowStateValue(0);
        form().resize(screen().width() / 2, screen().height() / 2);
    }
};

TEST_F(DisplayModesTest, SliderMakesTheWindowTranslucentLiveAndApplyStoresIt)
{
    setSetting(K::VitrelUseValue, "1");
    start();
    clickOn("VitrelButton");
    ASSERT_NE(vitrel(), nullptr);
    EXPECT_FALSE(form().isEnabled()) << "the main window waits while the dialog is open";
    EXPECT_EQ(vitrel()->TSlider->value(), 255);

    vitrel()->TSlider->setValue(180);
    EXPECT_TRUE(sameAlpha(form().windowOpacity(), 180));
    EXPECT_EQ(vitrel()->ProgramTitleBar->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QTest::mouseClick(vitrel()->cmdApply, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(vitrel(), nullptr);
    EXPECT_EQ(value(K::VitrelValue), "180");
    EXPECT_TRUE(sameAlpha(form().windowOpacity(), 180));
    EXPECT_TRUE(form().isEnabled());

    // Opened again, it starts at the stored value.
    app().commands().run(Command::Transparency);
    ASSERT_NE(vitrel(), nullptr);
    EXPECT_EQ(vitrel()->TSlider->value(), 180);
    // Keys on the slider: Escape cancels.
    vitrel()->TSlider->setFocus();
    QTest::keyClick(vitrel()->TSlider, Qt::Key_PageUp);
    QTest::keyClick(vitrel()->TSlider, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(vitrel(), nullptr);
    EXPECT_EQ(value(K::VitrelValue), "0");
}

TEST_F(DisplayModesTest, CancelMakesTheWindowOpaqueAndForgetsTheValue)
{
    setSetting(K::VitrelUseValue, "1");
    setSetting(K::VitrelValue, "150");
    fake().dialogs().queueAnswer(platform::MsgResult::Yes);
    start();
    EXPECT_TRUE(sameAlpha(form().windowOpacity(), 150)) << "the offer at start was taken";
    app().commands().run(Command::Transparency);
    ASSERT_NE(vitrel(), nullptr);
    vitrel()->TSlider->setValue(200);
    QTest::mouseClick(vitrel()->cmdCancel, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(form().windowOpacity(), 1.0);
    EXPECT_EQ(value(K::VitrelValue), "0");
    EXPECT_TRUE(form().isEnabled());
}

TEST_F(DisplayModesTest, SliderAtOpaqueStoresZero)
{
    setSetting(K::VitrelUseValue, "1");
    setSetting(K::VitrelValue, "120");
    fake().dialogs().queueAnswer(platform::MsgResult::No);
    start();
    EXPECT_EQ(value(K::VitrelValue), "0") << "declining the offer forgets the value";
    EXPECT_EQ(form().windowOpacity(), 1.0);
    setSetting(K::VitrelValue, "120");
    app().commands().run(Command::Transparency);
    ASSERT_NE(vitrel(), nullptr);
    vitrel()->TSlider->setValue(255);
    EXPECT_EQ(form().windowOpacity(), 1.0);
    QTest::mouseClick(vitrel()->cmdExit, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(value(K::VitrelValue), "0");
    EXPECT_EQ(frmVitrel::storedText(255), "0");
    EXPECT_EQ(frmVitrel::storedText(100), "100");
    EXPECT_EQ(frmVitrel::sliderStart(99), 255);
    EXPECT_EQ(frmVitrel::sliderStart(256), 255);
    EXPECT_EQ(frmVitrel::sliderStart(100), 100);
}

TEST_F(DisplayModesTest, SwitchedOffTransparencyOnlyShowsTheNotice)
{
    setSetting(K::VitrelUseValue, "0");
    start();
    clickOn("VitrelButton");
    EXPECT_EQ(vitrel(), nullptr);
    ASSERT_NE(app().windows().notice(), nullptr);
    EXPECT_EQ(app().windows().notice()->lblNoticeContents->text(), "환경 설정에서 Vitrel™ 를 사용하도록 설정 하십시오.");
    EXPECT_TRUE(form().isEnabled());
}

TEST_F(DisplayModesTest, MinimizeFadesAndComesBackAtTheStoredAlpha)
{
    setSetting(K::FadeEffectValue, "1");
    setSetting(K::VitrelUseValue, "1");
    setSetting(K::VitrelValue, "200");
    fake().dialogs().queueAnswer(platform::MsgResult::Yes);
    start();
    app().setOpacityShows(true);
    app().commands().run(Command::Minimize);
    EXPECT_EQ(form().WindowState(), 1);
    EXPECT_TRUE(sameAlpha(form().windowOpacity(), 200));
    EXPECT_TRUE(form().isEnabled());
}

TEST_F(DisplayModesTest, BlinkRunsOnlyWithTheFadeEffectAndNotMaximized)
{
    setSetting(K::FadeEffectValue, "1");
    start();
    EXPECT_GT(modVitrel::VitrelBlink(fake().environment(), &form(), true), 0);
    EXPECT_EQ(form().windowOpacity(), 1.0) << "ends opaque when nothing is stored";
    setSetting(K::FadeEffectValue, "0");
    EXPECT_EQ(modVitrel::VitrelBlink(fake().environment(), &form(), true), 0);
    setSetting(K::FadeEffectValue, "1");
    form().setWindowStateValue(2);
    EXPECT_EQ(modVitrel::VitrelBlink(fake().environment(), &form(), true), 0);
}

TEST_F(DisplayModesTest, TabEdgeCommandsAfterAMove)
{
    setSetting(K::GestraValue, "1");
    start();
    app().commands().run(Command::NewTab);
    ASSERT_EQ(tabs(), "start ID1*");
    smallWindow();
    const QRect s = screen();

    form().move(s.left() - 30, s.top() + 100);
    form().CheckGestra(true);
    EXPECT_EQ(tabs(), "start* ID1");
    EXPECT_EQ(form().x(), s.left() + 20);

    form().move(s.right() - form().width() + 30, s.top() + 100);
    form().CheckGestra(true);
    EXPECT_EQ(tabs(), "start ID1*");
    EXPECT_EQ(form().x(), s.left() + s.width() - form().width() - 20);

    form().move(s.left() + 40, s.top() + 6);
    form().CheckGestra(true);
    EXPECT_EQ(tabs(), "start ID1 ID2*");
    EXPECT_EQ(form().y(), s.top() + 20);

    form().move(s.left() + 40, s.bottom() - form().height());
    form().CheckGestra(true);
    EXPECT_EQ(tabs(), "start ID1*");
    EXPECT_LE(form().y() + form().height(), s.top() + s.height());

    // Not after a move: the tab set stays.
    form().move(s.left() - 30, s.top() + 100);
    form().CheckGestra(false);
    EXPECT_EQ(tabs(), "start ID1*");
}

TEST_F(DisplayModesTest, HistoryEdgeCommandsAfterAMove)
{
    setSetting(K::GestraValue, "0");
    setSetting(K::FadeEffectValue, "0");
    start();
    smallWindow();
    const QRect s = screen();
    page(0)->clearLog();

    form().move(s.left() - 30, s.top() + 100);
    form().CheckGestra(true);
    form().move(s.right() - form().width() + 30, s.top() + 100);
    form().CheckGestra(true);
    EXPECT_EQ(page(0)->log(), (QStringList{"GoBack", "GoForward"}));

    form().move(s.left() + 40, s.top());
    form().CheckGestra(true);
    EXPECT_EQ(form().WindowState(), 2);
    EXPECT_EQ(form().SystemMaxButton->toolTip(), "이전 크기로 복원");
    form().setWindowStateValue(0);

    form().move(s.left() + 40, s.bottom() - form().height() / 2 + 10);
    form().CheckGestra(true);
    EXPECT_EQ(form().WindowState(), 1);
    EXPECT_EQ(tabs(), "start*");
}

TEST_F(DisplayModesTest, TitleStripMoveRunsTheEdgeCommandsWhenTheButtonIsReleased)
{
    setSetting(K::GestraValue, "1");
    start();
    app().commands().run(Command::NewTab);
    ASSERT_EQ(tabs(), "start ID1*");
    smallWindow();
    form().move(screen().topLeft() + QPoint(100, 100));
    QWidget *title = named("ProgramTitleBar");
    const QPoint from = title->mapToGlobal(title->rect().center());
    QCursor::setPos(from);
    QTest::mousePress(title, Qt::LeftButton, Qt::NoModifier, title->rect().center());
    // Dragged far past the left edge of the screen: the first steps start the
    // move, the rest carry the window.
    const QPoint to = from - QPoint(form().x() - screen().left() + 200, 0);
    for (const QPoint &at : {from - QPoint(10, 0), from - QPoint(20, 0), to}) {
        QCursor::setPos(at);
        QMouseEvent move(QEvent::MouseMove, title->mapFromGlobal(at), at, Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(title, &move);
    }
    if (QCursor::pos() != to)
        GTEST_SKIP() << "this platform cannot place the pointer";
    ASSERT_LT(form().x(), screen().left());
    EXPECT_EQ(tabs(), "start ID1*") << "nothing while the button is held";
    QTest::mouseRelease(title, Qt::LeftButton, Qt::NoModifier, title->mapFromGlobal(to));
    EXPECT_EQ(tabs(), "start* ID1");
    EXPECT_GE(form().x(), screen().left());
}

TEST(MoveEndWatch, EndsOnceTheButtonIsLetGo)
{
    QWidget window;
    MoveEndWatch watch(&window);
    bool held = true;
    watch.setButtonHeld([&held] { return held ? MoveEndWatch::Held::Yes : MoveEndWatch::Held::No; });
    QSignalSpy ended(&watch, &MoveEndWatch::ended);
    watch.start();
    EXPECT_FALSE(ended.wait(MoveEndWatch::kSettleMs + 200)) << "still held: no end even when the window is still";
    held = false;
    EXPECT_TRUE(ended.wait(1000));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(watch.watching());
}

TEST(MoveEndWatch, WithoutAButtonStateTheWindowMustSettle)
{
    QWidget window;
    MoveEndWatch watch(&window);
    watch.setButtonHeld([] { return MoveEndWatch::Held::Unknown; });
    QSignalSpy ended(&watch, &MoveEndWatch::ended);
    watch.start();
    EXPECT_TRUE(ended.wait(MoveEndWatch::kSettleMs * 4));
    EXPECT_EQ(ended.count(), 1);
}

} // namespace
