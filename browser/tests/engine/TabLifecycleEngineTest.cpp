// The whole browser on the real engine leaving a tab in the background until
// it is discarded, then selecting it again: the page comes back where it was,
// and its history with it.
#include "RealBrowserFixture.h"

#include "browser/core/TabSet.h"
#include "browser/lifecycle/TabLifecycle.h"
#include "browser/window/TabStrip.h"

using enginetest::SignalSpy;
using enginetest::waitUntil;
using platform::PageLifecycle;

namespace {

class RealTabLifecycle : public RealBrowserTest
{
protected:
    TabLifecycle &lifecycle()
    {
        auto *runner = form().tabs().findChild<TabLifecycle *>();
        EXPECT_NE(runner, nullptr);
        return *runner;
    }
    qint64 m_now = 0;
};

} // namespace

TEST_F(RealTabLifecycle, ADiscardedTabKeepsItsTitleAndComesBackWithItsHistoryWhenSelected)
{
    platform::setting::write(fake.environment(), settings::Key::TabFreezeSecondsValue, "60");
    platform::setting::write(fake.environment(), settings::Key::TabDiscardSecondsValue, "120");
    const QString one = page("one.html", "<html><head><title>one</title></head><body>1</body></html>");
    const QString two = page("two.html", "<html><head><title>two</title></head><body>2</body></html>");
    const QString three = page("three.html", "<html><head><title>three</title></head><body>3</body></html>");
    startOn(one);
    lifecycle().setClock([this] { return m_now; });
    ASSERT_TRUE(enginetest::navigateAndWait(engine(0), two));

    // Two more tabs: the start tab is neither shown nor the last one shown.
    for (int i = 0; i < 2; ++i) {
        platform::WebBrowser *tab = form().modRecvNewWindow(three);
        ASSERT_NE(tab, nullptr);
        ASSERT_TRUE(waitUntil([&] { return tab->LocationURL() == three && !tab->Busy(); }));
    }
    ASSERT_EQ(form().tabs().CurrentTab(), 2);

    // The engine takes a hidden page through Frozen to Discarded, one look each.
    m_now += 121 * 1000;
    ASSERT_TRUE(waitUntil([&] {
        lifecycle().check();
        return engine(0)->lifecycleState() == PageLifecycle::Discarded;
    }));
    EXPECT_EQ(engine(1)->lifecycleState(), PageLifecycle::Frozen) << "the last tab shown is kept";
    EXPECT_EQ(engine(2)->lifecycleState(), PageLifecycle::Active);
    EXPECT_EQ(engine(0)->LocationURL(), two);
    EXPECT_EQ(engine(0)->DocumentTitle(), "two");

    SignalSpy reloaded(engine(0), &platform::WebBrowser::DocumentComplete);
    form().WebTabStrip->select(1);
    ASSERT_TRUE(reloaded.wait());
    EXPECT_EQ(engine(0)->lifecycleState(), PageLifecycle::Active);
    EXPECT_EQ(engine(0)->LocationURL(), two);
    EXPECT_EQ(enginetest::runJs(engine(0)->page(), "document.body.textContent").toString(), "2");

    ASSERT_TRUE(waitUntil([&] { return engine(0)->CanGoBack(); }));
    SignalSpy back(engine(0), &platform::WebBrowser::DocumentComplete);
    engine(0)->GoBack();
    ASSERT_TRUE(back.wait());
    EXPECT_EQ(engine(0)->LocationURL(), one);
    EXPECT_EQ(engine(0)->DocumentTitle(), "one");
}
