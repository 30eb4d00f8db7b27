// The decision when a background tab is frozen or discarded, as a table, and
// the periods as the settings file gives them.
#include "browser/lifecycle/LifecyclePolicy.h"
#include "browser/tests/BrowserFixture.h"

#include <gtest/gtest.h>

using lifecycle::State;
using lifecycle::TabFacts;

namespace {

constexpr qint64 kMin = 60 * 1000;
const lifecycle::Periods kDefaults;

struct Row
{
    const char *what;
    TabFacts tab;
    State expected;
};

TabFacts hidden(qint64 ms, State state = State::Active)
{
    TabFacts t;
    t.hiddenMs = ms;
    t.state = state;
    return t;
}

template<class F>
TabFacts with(TabFacts t, F change)
{
    change(t);
    return t;
}

} // namespace

TEST(LifecyclePolicy, TheDefaultPeriodsFreezeAfterFiveMinutesAndDiscardAfterThirty)
{
    const Row rows[] = {
        {"just hidden", hidden(0), State::Active},
        {"hidden under five minutes", hidden(5 * kMin - 1), State::Active},
        {"hidden five minutes", hidden(5 * kMin), State::Frozen},
        {"hidden 29 minutes", hidden(29 * kMin), State::Frozen},
        {"hidden 30 minutes", hidden(30 * kMin), State::Discarded},
        {"frozen and hidden 30 minutes", hidden(30 * kMin, State::Frozen), State::Discarded},
        {"already discarded", hidden(31 * kMin, State::Discarded), State::Discarded},
        // A tab only goes deeper while it stays hidden.
        {"frozen before the periods grew", hidden(kMin, State::Frozen), State::Frozen},
        {"discarded before the periods grew", hidden(kMin, State::Discarded), State::Discarded},

        {"current", with(hidden(60 * kMin), [](TabFacts &t) { t.current = true; }), State::Active},
        {"current and discarded: it wakes",
         with(hidden(60 * kMin, State::Discarded), [](TabFacts &t) { t.current = true; }), State::Active},
        {"current and frozen: it wakes",
         with(hidden(60 * kMin, State::Frozen), [](TabFacts &t) { t.current = true; }), State::Active},

        {"playing sound", with(hidden(60 * kMin), [](TabFacts &t) { t.audible = true; }), State::Active},
        {"playing sound while frozen",
         with(hidden(60 * kMin, State::Frozen), [](TabFacts &t) { t.audible = true; }), State::Active},

        {"edited form, long hidden", with(hidden(60 * kMin), [](TabFacts &t) { t.formEdited = true; }), State::Frozen},
        {"edited form, frozen", with(hidden(60 * kMin, State::Frozen), [](TabFacts &t) { t.formEdited = true; }),
         State::Frozen},
        {"edited form, not yet due", with(hidden(kMin), [](TabFacts &t) { t.formEdited = true; }), State::Active},

        {"last selected, long hidden", with(hidden(60 * kMin), [](TabFacts &t) { t.lastSelected = true; }),
         State::Frozen},
        {"last selected, frozen",
         with(hidden(60 * kMin, State::Frozen), [](TabFacts &t) { t.lastSelected = true; }), State::Frozen},

        {"a placeholder page is left alone", with(hidden(60 * kMin), [](TabFacts &t) { t.placeholder = true; }),
         State::Active},

        // Never deeper than the engine's word: a hidden page it wants kept
        // running, and one it would only freeze yet.
        {"engine says active", with(hidden(60 * kMin), [](TabFacts &t) { t.recommended = State::Active; }),
         State::Active},
        {"engine says frozen", with(hidden(60 * kMin), [](TabFacts &t) { t.recommended = State::Frozen; }),
         State::Frozen},
        {"engine says discarded once frozen",
         with(hidden(60 * kMin, State::Frozen), [](TabFacts &t) { t.recommended = State::Discarded; }),
         State::Discarded},
    };
    for (const Row &row : rows)
        EXPECT_EQ(lifecycle::target(row.tab, kDefaults), row.expected) << row.what;
}

TEST(LifecyclePolicy, APeriodOfZeroSwitchesItsStepOff)
{
    const lifecycle::Periods neverFreeze{0, 30 * kMin};
    EXPECT_EQ(lifecycle::target(hidden(20 * kMin), neverFreeze), State::Active);
    EXPECT_EQ(lifecycle::target(hidden(30 * kMin), neverFreeze), State::Discarded);
    // A tab that may not be discarded is not frozen in its stead.
    EXPECT_EQ(lifecycle::target(with(hidden(30 * kMin), [](TabFacts &t) { t.formEdited = true; }), neverFreeze),
              State::Active);

    const lifecycle::Periods neverDiscard{5 * kMin, 0};
    EXPECT_EQ(lifecycle::target(hidden(24 * 60 * kMin), neverDiscard), State::Frozen);
    const lifecycle::Periods never{0, 0};
    EXPECT_EQ(lifecycle::target(hidden(24 * 60 * kMin), never), State::Active);
}

TEST(LifecyclePolicy, TheTabsAreLookedOverOftenEnoughForTheShortestPeriod)
{
    EXPECT_EQ(lifecycle::checkIntervalMs(kDefaults), 60000);
    EXPECT_EQ(lifecycle::checkIntervalMs({6000, 12000}), 1200);
    EXPECT_EQ(lifecycle::checkIntervalMs({1000, 2000}), 1000);
    EXPECT_EQ(lifecycle::checkIntervalMs({0, 0}), 60000);
    EXPECT_EQ(lifecycle::checkIntervalMs({0, 100000}), 20000);
}

class LifecycleSettingsTest : public BrowserTest
{
protected:
    lifecycle::Periods periods() { return lifecycle::readPeriods(fake().environment()); }
};

TEST_F(LifecycleSettingsTest, MissingOrGarbledPeriodsReadAsTheDefaults)
{
    EXPECT_EQ(periods().freezeMs, 300 * 1000);
    EXPECT_EQ(periods().discardMs, 1800 * 1000);

    for (const char *garbage : {"", "abc", "12abc", "-5", "1.5", "0x10"}) {
        setSetting(settings::Key::TabFreezeSecondsValue, garbage);
        setSetting(settings::Key::TabDiscardSecondsValue, garbage);
        EXPECT_EQ(periods().freezeMs, 300 * 1000) << garbage;
        EXPECT_EQ(periods().discardMs, 1800 * 1000) << garbage;
    }
}

TEST_F(LifecycleSettingsTest, PeriodsAreWholeSecondsReadAsTheFileIsNow)
{
    setSetting(settings::Key::TabFreezeSecondsValue, " 6 ");
    setSetting(settings::Key::TabDiscardSecondsValue, "12");
    EXPECT_EQ(periods().freezeMs, 6000);
    EXPECT_EQ(periods().discardMs, 12000);

    setSetting(settings::Key::TabFreezeSecondsValue, "0");
    setSetting(settings::Key::TabDiscardSecondsValue, "99999999999");
    EXPECT_EQ(periods().freezeMs, 0);
    EXPECT_EQ(periods().discardMs, qint64(2147483647) * 1000);
}
