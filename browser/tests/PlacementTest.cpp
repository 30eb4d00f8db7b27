// The window's place between runs, and the first start.
#include "BrowserFixture.h"

#include "browser/frame/PictureControl.h"
#include "browser/frame/modWindowSetting.h"
#include "browser/app/SessionWindows.h"
#include "browser/startup/frmSetting.h"
#include "browser/tools/frmNotice.h"
#include "browser/tools/frmSystemScan.h"
#include "platform/Folders.h"
#include "platform/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

using modWindowSetting::Placement;
using K = settings::Key;

namespace {

modWindowSetting::Stored stored(qint32 mode, qint32 top, qint32 left, qint32 width, qint32 height)
{
    modWindowSetting::Stored s;
    s.mode = mode;
    s.top = top;
    s.left = left;
    s.width = width;
    s.height = height;
    return s;
}

const QList<QRect> kTwoScreens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 2560, 1440)};

} // namespace

TEST(PlacementDecision, ByModeAndScreen)
{
    // No settings file: centred at the window's size, whatever is stored.
    EXPECT_EQ(modWindowSetting::decide(false, stored(0, 1500, 1500, 9000, 9000), kTwoScreens).kind,
              Placement::Kind::Centre);
    // Normal and minimized at exit both come back normal at the stored rectangle.
    for (int mode : {0, 1}) {
        const Placement p = modWindowSetting::decide(true, stored(mode, 1500, 3000, 12000, 9000), kTwoScreens);
        EXPECT_EQ(p.kind, Placement::Kind::Rect);
        EXPECT_EQ(p.rectPx, QRect(200, 100, 800, 600));
    }
    EXPECT_EQ(modWindowSetting::decide(true, stored(2, 0, 0, 0, 0), kTwoScreens).kind, Placement::Kind::Maximized);
    EXPECT_EQ(modWindowSetting::decide(true, stored(3, 1500, 1500, 9000, 9000), kTwoScreens).kind,
              Placement::Kind::Centre);
    EXPECT_EQ(modWindowSetting::decide(true, stored(-1, 1500, 1500, 9000, 9000), kTwoScreens).kind,
              Placement::Kind::Centre);
}

TEST(PlacementDecision, AWindowOnTheSecondScreenComesBackThere)
{
    // Left edge at 2500 px = 37500 twips: beyond the 16-bit range.
    const Placement p = modWindowSetting::decide(true, stored(0, 3000, 37500, 15000, 12000), kTwoScreens);
    EXPECT_EQ(p.kind, Placement::Kind::Rect);
    EXPECT_EQ(p.rectPx, QRect(2500, 200, 1000, 800));
}

TEST(PlacementDecision, ARectangleOnAnUnpluggedScreenIsCentredOnThePrimaryAndClamped)
{
    const QList<QRect> one = {QRect(0, 0, 1280, 800)};
    const Placement p = modWindowSetting::decide(true, stored(0, 3000, 37500, 30000, 12000), one);
    EXPECT_EQ(p.kind, Placement::Kind::Rect);
    EXPECT_EQ(p.rectPx, QRect(0, 0, 1280, 800)) << "centred and clamped to the screen";
    // A smaller one keeps its size and sits in the middle.
    const Placement q = modWindowSetting::decide(true, stored(0, -30000, -60000, 9000, 6000), one);
    EXPECT_EQ(q.rectPx, QRect(340, 200, 600, 400));
    // Partly on a screen is on it.
    const Placement r = modWindowSetting::decide(true, stored(0, 0, -3000, 9000, 6000), one);
    EXPECT_EQ(r.rectPx, QRect(-200, 0, 600, 400));
}

TEST_F(BrowserTest, StoredPlacementBeyondSixteenBitsIsReadWhole)
{
    setSetting(K::LastWindowLeft, "40000");
    setSetting(K::LastWindowTop, "33000.5");
    const modWindowSetting::Stored s = modWindowSetting::read(fake().environment());
    EXPECT_EQ(s.left, 40000);
    EXPECT_EQ(s.top, 33000) << "rounded half to even";
}

TEST(PlacementSaved, WritesModeAndTheNormalRectangleInTwips)
{
    const auto texts = modWindowSetting::savedTexts({2, QRect(2500, 200, 1000, 800)});
    const QList<std::pair<int, QString>> expected = {
        {int(K::LastWindowMode), "2"},      {int(K::LastWindowTop), "3000"},     {int(K::LastWindowLeft), "37500"},
        {int(K::LastWindowHeight), "12000"}, {int(K::LastWindowWidth), "15000"},
    };
    EXPECT_EQ(texts, expected);
}

TEST(VitrelAtStart, OfferErrorOrNothing)
{
    using O = modWindowSetting::VitrelOffer;
    EXPECT_EQ(modWindowSetting::vitrelOffer(0, 150), O::None);
    EXPECT_EQ(modWindowSetting::vitrelOffer(1, 150), O::Ask);
    EXPECT_EQ(modWindowSetting::vitrelOffer(1, 100), O::Ask);
    EXPECT_EQ(modWindowSetting::vitrelOffer(1, 255), O::Ask);
    EXPECT_EQ(modWindowSetting::vitrelOffer(1, 99), O::Error);
    EXPECT_EQ(modWindowSetting::vitrelOffer(1, 2), O::Error);
    EXPECT_EQ(modWindowSetting::vitrelOffer(1, 256), O::Error);
    EXPECT_EQ(modWindowSetting::vitrelOffer(1, 1), O::None);
    EXPECT_EQ(modWindowSetting::vitrelOffer(1, 0), O::None);
    EXPECT_EQ(modWindowSetting::vitrelOffer(1, -5), O::None);
}

TEST_F(BrowserTest, MovedAndResizedWindowComesBackInTheSamePlace)
{
    start();
    form().setGeometry(QRect(37, 41, 900, 640));
    form().close();
    ASSERT_TRUE(app().ended());
    EXPECT_EQ(platform::setting::text(fake().environment(), K::LastWindowMode), "0");
    EXPECT_EQ(platform::setting::text(fake().environment(), K::LastWindowLeft), "555");

    m_app.reset();
    start();
    EXPECT_EQ(form().geometry(), QRect(37, 41, 900, 640));
    EXPECT_EQ(form().WindowState(), 0);
    EXPECT_TRUE(fake().dialogs().messageBoxes().isEmpty());
}

TEST_F(BrowserTest, MaximizedAtExitStartsMaximizedWithTheNotice)
{
    start();
    form().setGeometry(QRect(30, 40, 700, 500));
    form().setWindowStateValue(2);
    form().close();
    EXPECT_EQ(platform::setting::text(fake().environment(), K::LastWindowMode), "2");
    EXPECT_EQ(platform::setting::text(fake().environment(), K::LastWindowWidth), "10500")
        << "the size it had before it was maximized";

    m_app.reset();
    start();
    EXPECT_EQ(form().WindowState(), 2);
    frmNotice *notice = app().windows().notice();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->lblNoticeTitle->text(), "최대화 모드로 시작");
    EXPECT_EQ(notice->lblNoticeContents->text(), "이전에 최대화 모드로 종료 하셨기 때문에 이 모드로 시작 합니다.");
    EXPECT_EQ(notice->ExitTimer->interval(), 5000);
    EXPECT_EQ(form().SystemMaxButton->toolTip(), "이전 크기로 복원");
    EXPECT_FALSE(form().ProgramDesignLeftLine->isEnabled());
}

TEST_F(BrowserTest, MinimizedAtExitStartsNormalAtItsRectangle)
{
    start();
    form().setGeometry(QRect(60, 70, 820, 610));
    form().setWindowStateValue(1);
    form().close();
    EXPECT_EQ(platform::setting::text(fake().environment(), K::LastWindowMode), "1");

    m_app.reset();
    start();
    EXPECT_EQ(form().WindowState(), 0);
    EXPECT_EQ(form().geometry(), QRect(60, 70, 820, 610));
}

TEST_F(BrowserTest, FirstStartAsksTheWelcomeQuestionAndNoOpensTheSettings)
{
    QFile::remove(platform::folders::settingsFile(fake().environment()));
    fake().dialogs().queueAnswer(platform::MsgResult::No);
    start();
    ASSERT_GE(fake().dialogs().messageBoxes().size(), 1);
    const auto welcome = fake().dialogs().messageBoxes().first();
    EXPECT_EQ(welcome.title, "환영 합니다.");
    EXPECT_EQ(welcome.text, "Vorlen™ 웹 브라우저의 사용을 환영 합니다.\n"
                            "자동으로 Vorlen™ 환경 설정을 제어하도록 하시겠습니까?");
    EXPECT_EQ(welcome.buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(welcome.icon, platform::MsgIcon::Information);

    frmSetting *dialog = app().windows().setting();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(form().isEnabled()) << "the dialog keeps the main window";
    ASSERT_FALSE(page(0)->navigated().isEmpty());
    EXPECT_TRUE(page(0)->navigated().last().startsWith(
        "about:환경 설정 창이 열려져 있습니다.<br><br>창을 닫은 후 이동하려는 웹 사이트 주소를 입력하여 Enter를 누르십시오."));
    // Each folder of the profile is there.
    for (const QString &folder : {platform::folders::notepadFolder(fake().environment()),
                                  platform::folders::favoriteFolder(fake().environment()),
                                  platform::folders::themeFolder(fake().environment())})
        EXPECT_TRUE(QFileInfo(folder).isDir()) << folder.toStdString();

    // Without a settings file nothing is saved at exit.
    dialog->close();
    EXPECT_TRUE(form().isEnabled());
    form().close();
    EXPECT_FALSE(platform::setting::fileExists(fake().environment()));
}

TEST_F(BrowserTest, FirstStartYesRunsTheSystemCheck)
{
    QFile::remove(platform::folders::settingsFile(fake().environment()));
    fake().dialogs().queueAnswer(platform::MsgResult::Yes);
    start();
    frmSystemScan *scan = app().windows().systemScan();
    ASSERT_NE(scan, nullptr);
    EXPECT_TRUE(scan->isVisible());
    EXPECT_FALSE(form().isVisible()) << "the check hides the main window";
    EXPECT_EQ(scan->ProgramTitleText->text(), "잠시만 기다려 주십시오...");
}
