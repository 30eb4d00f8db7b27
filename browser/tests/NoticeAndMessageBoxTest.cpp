// The notice in the screen's corner and the program's own question box.
#include "BrowserFixture.h"

#include "browser/app/SessionWindows.h"
#include "browser/startup/frmMessageBox.h"
#include "browser/tools/frmNotice.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using platform::MsgResult;

namespace {

// A window closed outside an event loop is deleted at the next delete pass.
bool gone(const QPointer<QWidget> &window)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window.isNull();
}

} // namespace

TEST_F(BrowserTest, NoticeShowsItsTextsAndClosesWhenItsTimeIsUp)
{
    start();
    frmNotice &notice = app().windows().VorlenNotice("제목", "내용", true, 50);
    EXPECT_TRUE(notice.isVisible());
    EXPECT_EQ(notice.windowTitle(), "Vorlen™ Notice Window");
    EXPECT_EQ(notice.lblNoticeTitle->text(), "제목");
    EXPECT_EQ(notice.lblNoticeContents->text(), "내용");
    EXPECT_EQ(notice.lblNoticeTitle->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    QSignalSpy gone(&notice, &QObject::destroyed);
    ASSERT_TRUE(gone.wait(5000)) << "the notice closes by itself";
    EXPECT_EQ(app().windows().notice(), nullptr);
}

TEST_F(BrowserTest, ASecondNoticeReplacesTheFirstAndRestartsItsCountdown)
{
    start();
    frmNotice &first = app().windows().VorlenNotice("하나", "첫째", true, 5000);
    frmNotice &second = app().windows().VorlenNotice("둘", "둘째", false, 5000);
    EXPECT_EQ(&first, &second) << "one notice window";
    EXPECT_EQ(second.lblNoticeTitle->text(), "둘");
    EXPECT_EQ(second.lblNoticeContents->text(), "둘째");
    EXPECT_EQ(second.lblNoticeTitle->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(second.ExitTimer->interval(), 5000);
    EXPECT_TRUE(second.ExitTimer->isActive());
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_EQ(std::count_if(windows.begin(), windows.end(), [](QWidget *w) { return w->objectName() == "frmNotice"; }),
              1);

    // The X closes it at once.
    QPointer<QWidget> window = &second;
    QTest::mouseClick(second.cmdExit, Qt::LeftButton);
    EXPECT_TRUE(gone(window));
}

TEST(NoticePlace, StandsFlushWithTheTopRightCornerOfItsScreen)
{
    // The second of two screens side by side.
    EXPECT_EQ(frmNotice::placeOn(QRect(1920, 0, 2560, 1440), QSize(300, 90)), QPoint(4180, 0));
    EXPECT_EQ(frmNotice::placeOn(QRect(0, 0, 800, 600), QSize(420, 90)), QPoint(380, 0));

    frmNotice notice;
    notice.VorlenNotice("제목", "아주 긴 내용이 여러 줄에 걸쳐 나오더라도 오른쪽 끝은 화면 끝에 닿습니다.", true, 5000);
    const QRect screen = notice.screen()->geometry();
    EXPECT_EQ(notice.geometry().right(), screen.right());
    EXPECT_EQ(notice.geometry().top(), screen.top());
}

TEST_F(BrowserTest, SwitchedOffFeatureShowsTheNotInUseNotice)
{
    start();
    struct Case
    {
        Command command;
        settings::Key key;
        const char *text;
    };
    const Case cases[] = {
        {Command::WideView, settings::Key::PanovelValue, "환경 설정에서 Panovel™ 모드를 사용하도록 설정 하십시오."},
        {Command::Transparency, settings::Key::VitrelUseValue, "환경 설정에서 Vitrel™ 를 사용하도록 설정 하십시오."},
        {Command::Hotkeys, settings::Key::KeyflintValue, "환경 설정에서 Keyflint™ 을 사용하도록 설정 하십시오."},
        {Command::ThemeManager, settings::Key::AmbrelUseValue, "환경 설정에서 Ambrel™ 를 사용하도록 설정 하십시오."},
    };
    for (const Case &c : cases) {
        app().commands().define(c.command, [] {});
        setSetting(c.key, "0");
        EXPECT_EQ(app().commands().run(c.command), Commands::State::SwitchedOff);
        frmNotice *notice = app().windows().notice();
        ASSERT_NE(notice, nullptr) << commandName(c.command);
        EXPECT_EQ(notice->lblNoticeTitle->text(), "기능 사용안함");
        EXPECT_EQ(notice->lblNoticeContents->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(notice->ExitTimer->interval(), 5000);
    }
}

TEST_F(BrowserTest, MessageBoxKindZeroYesStoresTheSelectedTabsAddress)
{
    start();
    form().modRecvNewWindow("http://chosen.example/");
    selectedPage()->setLocationURL("http://chosen.example/page");
    QString text;
    qint32 number = 0;
    frmMessageBox &box = app().windows().MyMsgBox(0, text, number);
    EXPECT_EQ(box.ProgramTitleBar->text(), " 시작 문서 설정");
    EXPECT_EQ(box.ProgramContentsLabel->text(), "활성화 되어 있는 탭의 문서를 시작 문서로 설정 하시겠습니까?");
    EXPECT_EQ(box.Button1->text(), "예");
    EXPECT_EQ(box.Button2->text(), "아니요");
    EXPECT_EQ(box.windowTitle(), "Vorlen™ MessageBox");

    // While the box is open the main window takes no input.
    EXPECT_FALSE(form().isEnabled());
    EXPECT_EQ(app().commands().run(Command::NewTab), Commands::State::WindowLocked);

    QPointer<QWidget> window = &box;
    QTest::mouseClick(box.Button1, Qt::LeftButton);
    ASSERT_TRUE(gone(window));
    EXPECT_EQ(fake().registry().startPage(), "http://chosen.example/page");
    EXPECT_TRUE(form().isEnabled());
    EXPECT_TRUE(fake().dialogs().messageBoxes().isEmpty());
}

TEST_F(BrowserTest, MessageBoxNoAndCloseLeaveTheStartPage)
{
    start();
    form().modRecvNewWindow("http://other.example/");
    for (const char *button : {"Button2", "cmdExit"}) {
        QString text;
        qint32 number = 0;
        frmMessageBox &box = app().windows().MyMsgBox(0, text, number);
        QPointer<QWidget> window = &box;
        QTest::mouseClick(box.findChild<QPushButton *>(button), Qt::LeftButton);
        ASSERT_TRUE(gone(window)) << button;
        EXPECT_EQ(fake().registry().startPage(), "http://start.example/") << button;
        EXPECT_TRUE(form().isEnabled()) << button;
    }
    EXPECT_TRUE(fake().registry().writes().isEmpty());
}

TEST_F(BrowserTest, MessageBoxReportsAStartPageItCouldNotStore)
{
    start();
    form().modRecvNewWindow("http://chosen.example/");
    fake().registry().setFailWrites(true);
    QString text;
    qint32 number = 0;
    frmMessageBox &box = app().windows().MyMsgBox(0, text, number);
    QTest::mouseClick(box.Button1, Qt::LeftButton);
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    const auto report = fake().dialogs().messageBoxes().first();
    EXPECT_EQ(report.title, "시작 문서 설정");
    EXPECT_TRUE(report.text.contains("registry.ini")) << report.text.toStdString();
    EXPECT_EQ(report.icon, platform::MsgIcon::Critical);
    EXPECT_EQ(fake().registry().startPage(), "http://start.example/");
}

TEST_F(BrowserTest, MessageBoxKindOneOnlyCloses)
{
    start();
    QString text;
    qint32 number = 0;
    frmMessageBox &box = app().windows().MyMsgBox(1, text, number);
    EXPECT_EQ(box.ProgramTitleBar->text(), "Windows 방화벽 설정");
    EXPECT_EQ(box.ProgramContentsLabel->text(), "Windows 방화벽이 설정 되어있지 않습니다.\n"
                                                "Windows 방화벽을 사용가능한 상태로 전환 하시겠습니까?");
    QPointer<QWidget> window = &box;
    QTest::mouseClick(box.Button1, Qt::LeftButton);
    ASSERT_TRUE(gone(window));
    EXPECT_TRUE(fake().registry().writes().isEmpty());
    EXPECT_TRUE(fake().system().firewallSwitches().isEmpty());
}
