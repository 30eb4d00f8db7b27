// The whole browser on fakes leaving tabs in the background: which are
// frozen and discarded as the clock runs, which never are, and a discarded
// tab coming back when selected.
#include "browser/lifecycle/TabLifecycle.h"
#include "browser/core/TabSet.h"
#include "browser/tests/BrowserFixture.h"

#include <QCoreApplication>

using K = settings::Key;
using platform::PageLifecycle;

namespace {

constexpr qint64 kSec = 1000;

class TabLifecycleTest : public BrowserTest
{
protected:
    // Periods of 10 s and 20 s, and four loaded tabs, the last one selected.
    void startWithFourTabs()
    {
        setSetting(K::TabFreezeSecondsValue, "10");
        setSetting(K::TabDiscardSecondsValue, "20");
        start();
        lifecycle().setClock([this] { return m_now; });
        page(0)->simulateNavigation("http://a.example/", "A");
        for (const char *url : {"http://b.example/", "http://c.example/", "http://d.example/"}) {
            form().modRecvNewWindow(QString::fromLatin1(url));
            page(form().tabs().TabCounter())->simulateNavigation(QString::fromLatin1(url));
        }
        // The tabs open on the right, the selection stays: show each once.
        for (int position = 2; position <= 4; ++position)
            clickTab(position);
        ASSERT_EQ(tabs(), "start ID1 ID2 ID3*");
    }
    TabLifecycle &lifecycle()
    {
        auto *runner = form().tabs().findChild<TabLifecycle *>();
        EXPECT_NE(runner, nullptr);
        return *runner;
    }
    // Moves the clock on and looks the tabs over, answering the form questions.
    void after(qint64 ms)
    {
        m_now += ms;
        lifecycle().check();
        QCoreApplication::processEvents();
    }
    // Each tab's state in strip order: "A" active, "F" frozen, "D" discarded.
    QString states()
    {
        QString out;
        for (qint16 index : form().tabs().indices()) {
            switch (form().tabs().page(index)->lifecycleState()) {
            case PageLifecycle::Active: out += 'A'; break;
            case PageLifecycle::Frozen: out += 'F'; break;
            case PageLifecycle::Discarded: out += 'D'; break;
            }
        }
        return out;
    }
    qint64 m_now = 0;
};

} // namespace

TEST_F(TabLifecycleTest, BackgroundTabsFreezeThenDiscardButTheLastSelectedOnlyFreezes)
{
    startWithFourTabs();
    // ID2 was shown before ID3: it is the last selected one.
    EXPECT_EQ(lifecycle().lastSelected(), 2);
    after(9 * kSec);
    EXPECT_EQ(states(), "AAAA");
    after(1 * kSec);
    EXPECT_EQ(states(), "FFFA");
    after(10 * kSec);
    EXPECT_EQ(states(), "DDFA");
    after(60 * kSec);
    EXPECT_EQ(states(), "DDFA");
    EXPECT_EQ(page(0)->lifecycleCalls(), QStringList({"Frozen", "Discarded"}));
    EXPECT_EQ(page(3)->lifecycleCalls(), QStringList());
    // Only the tabs due to leave Active were asked about their forms, once.
    EXPECT_EQ(page(0)->formQuestions(), 1);
    EXPECT_EQ(page(3)->formQuestions(), 0);
}

TEST_F(TabLifecycleTest, SelectingADiscardedTabReloadsItAndItsHiddenTimeStartsAgain)
{
    startWithFourTabs();
    after(30 * kSec);
    ASSERT_EQ(states(), "DDFA");
    page(0)->clearLog();
    clickTab(1);
    EXPECT_EQ(states(), "ADFA");
    EXPECT_TRUE(page(0)->log().contains("Reload"));
    EXPECT_EQ(page(0)->LocationURL(), "http://a.example/");
    // ID3 is now the last selected tab and the ID2 it replaced may go.
    EXPECT_EQ(lifecycle().lastSelected(), 3);
    after(20 * kSec);
    EXPECT_EQ(states(), "ADDF");
}

TEST_F(TabLifecycleTest, ATabPlayingSoundOrHoldingAnEditedFormIsNeverDiscarded)
{
    startWithFourTabs();
    page(0)->setRecentlyAudible(true);
    page(1)->setFormEdited(true);
    after(10 * kSec);
    EXPECT_EQ(states(), "AFFA");
    after(60 * kSec);
    EXPECT_EQ(states(), "AFFA") << "the form tab stays frozen, the sound tab running";
    EXPECT_EQ(page(0)->lifecycleCalls(), QStringList());
    EXPECT_EQ(page(1)->lifecycleCalls(), QStringList({"Frozen"}));

    // The sound ends: the tab goes the usual way, as far as the engine lets it.
    page(0)->setRecentlyAudible(false);
    page(0)->setRecommendedState(PageLifecycle::Frozen);
    after(1 * kSec);
    EXPECT_EQ(page(0)->lifecycleState(), PageLifecycle::Frozen);
}

TEST_F(TabLifecycleTest, ATabShownWhileItsFormQuestionRunsIsKept)
{
    startWithFourTabs();
    m_now += 30 * kSec;
    lifecycle().check();  // the questions go out
    clickTab(1);           // before the answers come
    QCoreApplication::processEvents();
    EXPECT_EQ(page(0)->lifecycleCalls(), QStringList());
    EXPECT_EQ(page(0)->lifecycleState(), PageLifecycle::Active);
}

TEST_F(TabLifecycleTest, ARestoredTabNotLoadedYetIsLeftToTheSession)
{
    startWithFourTabs();
    // What a restored, unselected tab shows until it is selected.
    page(1)->simulateNavigation("about:<html><head><title>B</title></head></html>");
    after(60 * kSec);
    after(60 * kSec);
    EXPECT_EQ(states(), "DAFA");
    EXPECT_EQ(page(1)->formQuestions(), 0);
}

TEST_F(TabLifecycleTest, ThePeriodsComeFromTheSettingsFileAtEachLook)
{
    startWithFourTabs();
    EXPECT_EQ(lifecycle().intervalMs(), 2000);
    setSetting(K::TabFreezeSecondsValue, "0");
    setSetting(K::TabDiscardSecondsValue, "0");
    after(60 * kSec);
    EXPECT_EQ(states(), "AAAA");
    EXPECT_EQ(lifecycle().intervalMs(), 60000);
    setSetting(K::TabDiscardSecondsValue, "");
    after(30 * 60 * kSec);
    EXPECT_EQ(states(), "DDAA") << "missing: the default 30 minutes; the last selected tab is not frozen instead";
}

TEST_F(TabLifecycleTest, AClosedTabIsForgotten)
{
    startWithFourTabs();
    after(30 * kSec);
    form().tabs().remove(2);
    EXPECT_EQ(lifecycle().lastSelected(), -1);
    after(60 * kSec);
    EXPECT_EQ(states(), "DDA");
}

TEST_F(TabLifecycleTest, TheLookAfterADiscardTrimsTheWorkingSetOnce)
{
    startWithFourTabs();
    auto trims = [this] { return fake().system().trimCount(); };
    after(10 * kSec);
    ASSERT_EQ(states(), "FFFA");
    int before = trims();
    lifecycle().check();
    EXPECT_EQ(trims(), before) << "a freeze frees nothing";

    after(10 * kSec);
    ASSERT_EQ(states(), "DDFA");
    before = trims();
    lifecycle().check();
    EXPECT_EQ(trims(), before + 1);
    lifecycle().check();
    EXPECT_EQ(trims(), before + 1);
}
