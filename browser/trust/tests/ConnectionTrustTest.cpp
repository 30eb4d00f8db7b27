// The connection picture follows the selected tab's certificate state.
#include "browser/frame/PictureControl.h"
#include "browser/tests/BrowserFixture.h"
#include "browser/trust/ConnectionTrust.h"

using platform::testing::FakeWebBrowser;

namespace {

class ConnectionTrustTest : public BrowserTest
{
protected:
    void SetUp() override
    {
        start();
        unsafe = static_cast<FakeWebBrowser *>(form().modRecvNewWindow(QStringLiteral("https://a.test/")));
        ASSERT_TRUE(unsafe);
    }
    int picture() { return form().connectionPicture(); }
    QString toolTip() { return form().ProgramStatusBar->ProgramStatusInternetIconImage->toolTip(); }

    FakeWebBrowser *unsafe = nullptr;
};

} // namespace

TEST_F(ConnectionTrustTest, TheSelectedTabsUnsafeStateOutlastsItsOwnPageEvents)
{
    unsafe->simulateSecurityState(true);
    EXPECT_EQ(picture(), ConnectionTrust::kUnsafePicture);
    EXPECT_FALSE(toolTip().isEmpty());

    // The window sets "done" on every load end; the warning stays on top.
    unsafe->simulateNavigation(QStringLiteral("https://a.test/next"), QStringLiteral("next"));
    EXPECT_EQ(picture(), ConnectionTrust::kUnsafePicture);
    // So it does when a tab in the background finishes loading.
    page(0)->simulateNavigation(QStringLiteral("http://b.test/"));
    EXPECT_EQ(picture(), ConnectionTrust::kUnsafePicture);

    unsafe->simulateSecurityState(false);
    EXPECT_EQ(picture(), ConnectionTrust::kDonePicture);
    EXPECT_TRUE(toolTip().isEmpty());
}

TEST_F(ConnectionTrustTest, SwitchingTabsShowsTheStateOfTheTabSelected)
{
    unsafe->simulateSecurityState(true);
    ASSERT_EQ(picture(), ConnectionTrust::kUnsafePicture);
    clickTab(1);
    EXPECT_EQ(picture(), ConnectionTrust::kDonePicture);
    page(0)->setBusy(true);
    clickTab(2);
    EXPECT_EQ(picture(), ConnectionTrust::kUnsafePicture);
    clickTab(1);
    EXPECT_EQ(picture(), ConnectionTrust::kLoadingPicture);

    // An unsafe tab in the background leaves the picture alone.
    unsafe->simulateSecurityState(false);
    unsafe->simulateSecurityState(true);
    EXPECT_EQ(picture(), ConnectionTrust::kLoadingPicture);
}

TEST_F(ConnectionTrustTest, ClosingTheUnsafeTabTakesTheWarningAway)
{
    unsafe->simulateSecurityState(true);
    ASSERT_EQ(picture(), ConnectionTrust::kUnsafePicture);
    unsafe->simulateWindowClose();
    EXPECT_EQ(tabs(), "start*");
    EXPECT_NE(picture(), ConnectionTrust::kUnsafePicture);
}

TEST_F(ConnectionTrustTest, APageErrorKeepsItsOwnPictureWhenNothingIsUnsafe)
{
    unsafe->simulateNavigationError(QStringLiteral("http://gone.test/"));
    EXPECT_EQ(picture(), 3);
    EXPECT_TRUE(toolTip().isEmpty());
}
