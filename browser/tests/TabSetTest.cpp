// The tab set driven as a user and the pages would drive it.
#include "BrowserFixture.h"

#include "browser/frame/LabelControl.h"
#include "browser/window/TabStrip.h"

using platform::MsgResult;

namespace {

const QString kStart = QStringLiteral("http://start.example/");

} // namespace

TEST_F(BrowserTest, StartTabLoadsTheStartPageWithItsFixedCaption)
{
    start();
    EXPECT_EQ(tabs(), "start*");
    EXPECT_EQ(page(0)->navigated(), QStringList{kStart});
    EXPECT_EQ(form().WebTabStrip->caption(QString()), "Vorlen 시작 탭");
    EXPECT_EQ(form().ProgramStatusTextLabel->text(), "Vorlen™ 엔진 초기화 중 : 잠시만 기다려 주십시오.");
    EXPECT_EQ(form().WebAdressBar->text(), "웹 브라우저를 초기화 하고 있습니다...");
    EXPECT_EQ(form().connectionPicture(), 1);
}

TEST_F(BrowserTest, StartUpShowsLoadingOrErrorPage)
{
    setSetting(settings::Key::ResetEngineValue, "2");
    start();
    ASSERT_EQ(page(0)->navigated().size(), 1);
    EXPECT_TRUE(page(0)->navigated().first().endsWith("/Loading.htm"));

    m_app.reset();
    fake().system().setConnected(false);
    start();
    ASSERT_EQ(page(0)->navigated().size(), 1);
    EXPECT_TRUE(page(0)->navigated().first().endsWith("/Error.htm"));
    EXPECT_EQ(form().ProgramStatusTextLabel->text(), "시스템이 인터넷에 연결 되어있지 않습니다.");
    EXPECT_EQ(form().WebAdressBar->text(), "LAN 선이나 모뎀이 인터넷에 연결되어 있는지 확인 하십시오.");
    EXPECT_EQ(form().connectionPicture(), 2);
}

TEST_F(BrowserTest, NewTabsGoRightOfTheSelectedOneAndNumbersAreNeverReused)
{
    start();
    form().modRecvNewWindow("http://a/");
    form().modRecvNewWindow("http://b/");
    form().modRecvNewWindow("http://c/");
    EXPECT_EQ(tabs(), "start ID1 ID2 ID3*");
    clickTab(1);
    form().modRecvNewWindow("http://d/");
    EXPECT_EQ(tabs(), "start ID4* ID1 ID2 ID3");

    // Closing 2 and opening again gives 5, not 2.
    form().modRecvCloseWindow(2);
    form().modRecvNewWindow(QString());
    EXPECT_EQ(form().TabCounter(), 5);
    EXPECT_TRUE(tabs().contains("ID5*"));
    EXPECT_EQ(page(5)->navigated(), QStringList{kStart}) << "a blank address opens the start page";
    EXPECT_EQ(page(1)->navigated(), QStringList{"http://a/"});
}

TEST_F(BrowserTest, ClosingSelectsTheRightNeighbourOrTheLeftOneAtTheEnd)
{
    start();
    form().modRecvNewWindow("http://a/");
    form().modRecvNewWindow("http://b/");
    form().modRecvNewWindow("http://c/");
    form().modRecvCloseWindow(3);
    EXPECT_EQ(tabs(), "start ID1 ID2*");
    clickTab(2);
    form().modRecvCloseWindow(1);
    EXPECT_EQ(tabs(), "start ID2*");
    EXPECT_EQ(form().browser(1), nullptr);
}

TEST_F(BrowserTest, StartTabRuleAppliesToTheTabBeingClosed)
{
    start();
    form().modRecvNewWindow("http://a/");
    form().modRecvNewWindow("http://b/");
    clickTab(1);
    // A background tab's page closing itself closes its own tab only.
    page(2)->simulateWindowClose();
    EXPECT_EQ(tabs(), "start* ID1");
    // The start tab's page asking to close while other tabs are open does nothing.
    page(0)->simulateWindowClose();
    EXPECT_EQ(tabs(), "start* ID1");
    EXPECT_TRUE(fake().dialogs().messageBoxes().isEmpty());
    EXPECT_FALSE(app().ended());
}

TEST_F(BrowserTest, ClosingTheLoneStartTabAsksAndEndsOnYes)
{
    start();
    fake().dialogs().queueAnswer(MsgResult::No);
    form().modRecvCloseWindow(0);
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    const auto box = fake().dialogs().messageBoxes().first();
    EXPECT_EQ(box.title, "프로그램 종료");
    EXPECT_EQ(box.text, "시작 탭을 닫으면 이 응용 프로그램이 종료됩니다.\nVorlen™ 을 종료 하시겠습니까?");
    EXPECT_EQ(box.icon, platform::MsgIcon::Exclamation);
    EXPECT_FALSE(app().ended());

    fake().dialogs().queueAnswer(MsgResult::Yes);
    form().modRecvCloseWindow(0);
    EXPECT_TRUE(app().ended());
}

TEST_F(BrowserTest, TitlesAndCaptionsFollowTheSelectedTab)
{
    start();
    page(0)->simulateNavigation("http://one.example/", "One");
    EXPECT_EQ(form().windowTitle(), "One - (기본탭) Vorlen™");
    EXPECT_EQ(form().ProgramTitleBar->text(), form().windowTitle());
    EXPECT_EQ(form().WebAdressBar->text(), "http://one.example/");

    form().modRecvNewWindow("http://two.example/");
    page(1)->simulateNavigation("http://two.example/", "Two");
    EXPECT_EQ(form().WebTabStrip->caption("ID1"), "Two");
    EXPECT_EQ(form().windowTitle(), "Two - (1번탭)  Vorlen™");

    // A page without a title shows its location name.
    form().modRecvNewWindow("http://three.example/");
    page(2)->simulateNavigation("http://three.example/", QString());
    EXPECT_EQ(form().WebTabStrip->caption("ID2"), page(2)->LocationName());

    // A background tab changes its caption but not the title or the address.
    page(1)->simulateNavigation("http://four.example/", "Four");
    EXPECT_EQ(form().WebTabStrip->caption("ID1"), "Four");
    EXPECT_TRUE(form().windowTitle().endsWith("(2번탭)  Vorlen™"));
    EXPECT_EQ(form().WebAdressBar->text(), "http://three.example/");

    // The start page gets its own title.
    page(2)->simulateNavigation(kStart, "Portal");
    EXPECT_EQ(form().windowTitle(), "시작 문서 - (2번탭)  Vorlen™");
    clickTab(1);
    EXPECT_EQ(form().WebTabStrip->caption(QString()), "Vorlen 시작 탭");
    EXPECT_EQ(form().windowTitle(), "One - (기본탭) Vorlen™");
}

TEST_F(BrowserTest, NavigationInTheStartTabRenamesNoOtherTab)
{
    start();
    form().modRecvNewWindow("http://a/");
    page(1)->simulateNavigation("http://a/", "A");
    clickTab(1);
    page(0)->Navigate("http://b/");
    Q_EMIT page(0)->BeforeNavigate2("http://b/");
    EXPECT_EQ(form().WebTabStrip->caption("ID1"), "A");
    EXPECT_EQ(form().WebTabStrip->caption(QString()), "Vorlen 시작 탭");
}

TEST_F(BrowserTest, BeforeNavigateShowsTheShortAddress)
{
    start();
    form().modRecvNewWindow("http://a/");
    const QString longUrl = "http://example.com/abcdefghijklmnopqrstuvwxyz";
    Q_EMIT page(1)->BeforeNavigate2(longUrl);
    EXPECT_EQ(form().WebTabStrip->caption("ID1"), "문서 읽는중...");
    EXPECT_EQ(form().ProgramStatusTextLabel->text(),
              "Vorlen™ 작업 중 : " + longUrl.left(30) + "...로부터 자료를 내려받고 있습니다.");
    EXPECT_EQ(form().connectionPicture(), 4);
}

TEST_F(BrowserTest, NewWindowPolicy)
{
    start();
    // 0: a new tab without asking, handed to the page, not sent to the start page.
    auto request = openPopup(0, "http://popup.example/");
    EXPECT_FALSE(request.Cancel);
    ASSERT_NE(request.ppDisp, nullptr);
    EXPECT_EQ(request.ppDisp, form().browser(1));
    EXPECT_TRUE(page(1)->RegisterAsBrowser());
    EXPECT_FALSE(page(1)->navigated().contains(kStart));
    EXPECT_EQ(tabs(), "start ID1*");
    EXPECT_TRUE(fake().dialogs().messageBoxes().isEmpty());

    // 1: ask; No cancels and makes no tab, Yes opens.
    setSetting(settings::Key::NewWindowOpenValue, "1");
    fake().dialogs().queueAnswer(MsgResult::No);
    request = openPopup(1);
    EXPECT_TRUE(request.Cancel);
    EXPECT_EQ(tabs(), "start ID1*");
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    EXPECT_EQ(fake().dialogs().messageBoxes().last().title, "새 탭으로 열기");
    EXPECT_EQ(fake().dialogs().messageBoxes().last().icon, platform::MsgIcon::Information);
    fake().dialogs().queueAnswer(MsgResult::Yes);
    request = openPopup(1);
    EXPECT_FALSE(request.Cancel);
    EXPECT_EQ(tabs(), "start ID1 ID2*");

    // 7: a configuration error; nothing opens.
    setSetting(settings::Key::NewWindowOpenValue, "7");
    request = openPopup(2);
    EXPECT_TRUE(request.Cancel);
    EXPECT_EQ(tabs(), "start ID1 ID2*");
    const auto box = fake().dialogs().messageBoxes().last();
    EXPECT_EQ(box.title, "설정 오류");
    EXPECT_EQ(box.text, "환경 설정 값이 올바르지 않습니다.\n환경 설정 창을 통해 올바르게 설정 하십시오.");
    EXPECT_EQ(box.icon, platform::MsgIcon::Critical);
}

TEST_F(BrowserTest, NoTabPastTheLastInstanceNumber)
{
    start();
    // A tab once made under 32766 takes the numbers up to there.
    form().tabs().insert(2, 32766, nullptr);
    form().tabs().remove(32766);
    EXPECT_NE(form().modRecvNewWindow("http://a/"), nullptr);
    EXPECT_EQ(form().TabCounter(), 32767);
    EXPECT_EQ(form().modRecvNewWindow("http://b/"), nullptr);
    const auto request = openPopup(0);
    EXPECT_TRUE(request.Cancel);
    EXPECT_EQ(form().TabCounter(), 32767);
    EXPECT_EQ(form().WebTabStrip->count(), 2);
}

TEST_F(BrowserTest, NewTabsAreSilent)
{
    start();
    EXPECT_FALSE(page(0)->Silent());
    form().modRecvNewWindow("http://a/");
    EXPECT_TRUE(page(1)->Silent());
    EXPECT_FALSE(page(0)->Silent());
    EXPECT_FALSE(page(1)->Resizable());
}
