// A start page on disk, reached through the loading page, on the real engine.
#include "RealBrowserFixture.h"
#include "platform/Settings.h"

#include <gtest/gtest.h>

using enginetest::waitUntil;

namespace {

class LocalStartPage : public RealBrowserTest
{
protected:
    void startThroughTheLoadingPage(const QString &startAddress)
    {
        ASSERT_TRUE(platform::setting::write(fake.environment(), settings::Key::ResetEngineValue, "1"));
        fake.registry().setStartPage(startAddress);
        app = std::make_unique<BrowserAssembly>(context);
        modSubMain::Start(*app);
    }
};

} // namespace

TEST_F(LocalStartPage, TheLoadingPageLeadsOnToAFileStartPageWithItsStyles)
{
    dir.write("site/s.css", "body { background: rgb(0, 128, 0) }");
    const QString start = page("start.html", "<html><head><title>Home</title><link rel='stylesheet' href='s.css'>"
                                             "</head><body>h</body></html>");
    ASSERT_NO_FATAL_FAILURE(startThroughTheLoadingPage(start));
    ASSERT_TRUE(waitUntil([&] { return form().browser(0)->LocationURL() == start && !form().browser(0)->Busy(); }));
    EXPECT_EQ(form().browser(0)->DocumentTitle(), "Home");
    EXPECT_EQ(enginetest::runJs(engine(0)->page(), "getComputedStyle(document.body).backgroundColor").toString(),
              "rgb(0, 128, 0)");
}

TEST_F(LocalStartPage, AStartPageGivenAsAPathIsReachedAsItsFile)
{
    const QString start = page("start.html", "<html><head><title>Home</title></head><body>h</body></html>");
    ASSERT_NO_FATAL_FAILURE(startThroughTheLoadingPage(QUrl(start).toLocalFile()));
    ASSERT_TRUE(waitUntil([&] { return form().browser(0)->LocationURL() == start && !form().browser(0)->Busy(); }));
    EXPECT_EQ(form().browser(0)->DocumentTitle(), "Home");
}
