// Status bar, progress bar, history buttons and errors as the pages report them.
#include "BrowserFixture.h"

#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "browser/tools/Progressbar.h"
#include "browser/window/Design.h"
#include "browser/window/TabStrip.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QUrl>

TEST_F(BrowserTest, ProgressFollowsTheSelectedTabOnly)
{
    start();
    form().modRecvNewWindow("http://a/");
    Progressbar *bar = form().ProgramStatusProgressbar;
    page(1)->simulateProgress(30, 200);
    EXPECT_EQ(bar->Max(), 200);
    EXPECT_EQ(bar->Value(), 30);
    page(0)->simulateProgress(70, 100);
    EXPECT_EQ(bar->Value(), 0) << "a background tab resets the bar";
    page(1)->simulateProgress(0, 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Value(), 0);
    page(1)->simulateProgress(-1, 100);
    EXPECT_EQ(bar->Value(), 0);
    page(1)->simulateProgress(150, 100);
    EXPECT_EQ(bar->Max(), 150);
    EXPECT_EQ(bar->Value(), 150);
}

TEST_F(BrowserTest, ACompletedNavigationLeavesTheCompletionStatus)
{
    start();
    page(0)->simulateNavigation("http://one.example/", "One");
    EXPECT_EQ(form().ProgramStatusTextLabel->text(), "Vorlen™ 작업 완료 : 문서를 불러 왔습니다.");
    EXPECT_EQ(form().connectionPicture(), 5);
    EXPECT_FALSE(form().WebBrowserToolBox->isVisible());
}

TEST_F(BrowserTest, TheToolBoxShowsWhileLoading)
{
    start();
    Q_EMIT page(0)->DownloadBegin();
    EXPECT_TRUE(form().WebBrowserToolBox->isVisibleTo(&form()));
    EXPECT_EQ(form().ProgramStatusTextLabel->text(), "Vorlen™ 작업 중 : 문서를 불러오고 있습니다.");
    Q_EMIT page(0)->DownloadComplete();
    EXPECT_FALSE(form().WebBrowserToolBox->isVisibleTo(&form()));
    EXPECT_EQ(form().ProgramStatusTextLabel->text(), "Vorlen™ 작업 완료 : 내려받기를 마쳤습니다.");
}

TEST_F(BrowserTest, HistoryButtonsShowTheSelectedPagesHistory)
{
    start();
    page(0)->simulateCommandState(platform::CSC_NAVIGATEBACK, true);
    EXPECT_TRUE(form().BackButton->isEnabled());
    EXPECT_FALSE(form().ForwardButton->isEnabled());
    form().modRecvNewWindow("http://a/");
    EXPECT_FALSE(form().BackButton->isEnabled()) << "a new tab has no history";
    page(0)->simulateCommandState(platform::CSC_NAVIGATEFORWARD, true);
    EXPECT_FALSE(form().ForwardButton->isEnabled()) << "a background page does not change the buttons";
    clickTab(1);
    EXPECT_TRUE(form().BackButton->isEnabled());
    EXPECT_TRUE(form().ForwardButton->isEnabled());
}

TEST_F(BrowserTest, ANavigationErrorShowsTheErrorPageOnce)
{
    start();
    form().modRecvNewWindow("http://a/");
    page(1)->simulateNavigationError("http://127.0.0.1:9/");
    ASSERT_EQ(page(1)->navigated().size(), 2);
    const QString errorPage = page(1)->navigated().last();
    EXPECT_TRUE(errorPage.endsWith("/Error.htm"));
    EXPECT_TRUE(QFile::exists(errorPage));
    EXPECT_EQ(form().ProgramStatusTextLabel->text(), "Vorlen™ 알림 : 1번탭에서 오류가 발생 했습니다.");
    EXPECT_EQ(form().connectionPicture(), 3);
    EXPECT_EQ(form().WebAdressBar->text(), "여기를 더블클릭하여 새로운 주소를 입력 하십시오.");

    // The error page failing in turn does not send the tab there again.
    page(1)->simulateNavigationError(QUrl::fromLocalFile(errorPage).toString());
    EXPECT_EQ(page(1)->navigated().size(), 2);

    fake().system().setConnected(false);
    page(1)->simulateNavigationError("http://b/");
    EXPECT_EQ(form().WebAdressBar->text(), "LAN 선이나 모뎀이 인터넷에 연결되어 있는지 확인 하십시오.");
}

TEST_F(BrowserTest, NavigationButtonsActOnReleaseInsideTheRule)
{
    start();
    form().modRecvNewWindow("http://a/");
    page(1)->simulateCommandState(platform::CSC_NAVIGATEBACK, true);
    page(1)->clearLog();
    PictureControl *back = form().BackButton;
    const QPixmap normal = back->picture();
    form().BackButton_MouseDown(Qt::LeftButton);
    EXPECT_NE(back->picture().cacheKey(), normal.cacheKey()) << "pressed picture while held";
    // Released below and right of the button: cancelled, picture back.
    form().BackButton_MouseUp(Qt::LeftButton, back->width() + 5, back->height() + 5);
    EXPECT_EQ(back->picture().cacheKey(), normal.cacheKey());
    EXPECT_TRUE(page(1)->log().isEmpty());
    // Right only: still counts. The right button never does.
    form().BackButton_MouseDown(Qt::LeftButton);
    form().BackButton_MouseUp(Qt::LeftButton, back->width() + 5, 3);
    form().ForwardButton_MouseUp(Qt::RightButton, 3, 3);
    form().RefreshButton_MouseUp(Qt::LeftButton, 1, 1);
    form().StopButton_MouseUp(Qt::LeftButton, -4, -4);
    EXPECT_EQ(page(1)->log(), (QStringList{"GoBack", "Refresh", "Stop"}));
    EXPECT_EQ(page(0)->log(), QStringList{"Navigate:http://start.example/"}) << "only the selected tab acts";
}

TEST_F(BrowserTest, ShrinkingBelowTheMinimumOnlyRearrangesAndReports)
{
    start();
    form().modRecvNewWindow("http://a/");
    const QStringList before = page(0)->navigated() + page(1)->navigated();
    form().setSizeTwips(3000, 3000);
    QCoreApplication::processEvents();
    EXPECT_EQ(form().width(), design::px(design::kMinWidth));
    EXPECT_EQ(form().height(), design::px(design::kMinHeight));
    EXPECT_EQ(form().ProgramStatusTextLabel->text(), "최소 세로 크기 입니다.");
    EXPECT_EQ(form().connectionPicture(), 2);
    EXPECT_EQ(tabs(), "start ID1*");
    EXPECT_EQ(page(0)->navigated() + page(1)->navigated(), before);
}
