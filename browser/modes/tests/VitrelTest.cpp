// The alpha sequences of the blink and of the fade before minimizing, and
// their pacing by the clock.
#include "TempDir.h"
#include "browser/modes/modVitrel.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "platform/testing/FakeEnvironment.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(VitrelAlphas, BlinkIsTwoPulsesOf22Down22Up)
{
    const std::vector<int> a = modVitrel::blinkAlphas();
    ASSERT_EQ(a.size(), 88u);
    for (int pulse = 0; pulse < 2; ++pulse) {
        const auto begin = a.begin() + pulse * 44;
        EXPECT_EQ(begin[0], 255);
        EXPECT_EQ(begin[21], 150);
        EXPECT_EQ(begin[22], 150);
        EXPECT_EQ(begin[43], 255);
        EXPECT_TRUE(std::is_sorted(begin, begin + 22, std::greater<>()));
        EXPECT_TRUE(std::is_sorted(begin + 22, begin + 44));
        for (int i = 1; i < 22; ++i)
            EXPECT_EQ(begin[i - 1] - begin[i], 5);
    }
}

TEST(VitrelAlphas, MinimizeFadesTo0In52Or18Steps)
{
    const std::vector<int> normal = modVitrel::minimizeAlphas(false);
    ASSERT_EQ(normal.size(), 52u);
    EXPECT_EQ(normal.front(), 255);
    EXPECT_EQ(normal.back(), 0);
    const std::vector<int> maximized = modVitrel::minimizeAlphas(true);
    ASSERT_EQ(maximized.size(), 18u);
    EXPECT_EQ(maximized[1], 240);
    EXPECT_EQ(maximized.back(), 0);
}

TEST(VitrelPacing, AFastMachineShowsEveryStep)
{
    qint64 now = 0;
    const std::vector<int> alphas = modVitrel::minimizeAlphas(false);
    std::vector<qint64> waits;
    const auto shown = modVitrel::play(
        alphas, 300, [&] { return now; }, [](int) {},
        [&](qint64 until) {
            waits.push_back(until);
            now = until;
        });
    EXPECT_EQ(shown, alphas);
    EXPECT_EQ(waits.back(), 300) << "the last step is due at the end of the duration";
}

TEST(VitrelPacing, ASlowMachineSkipsStepsButNeverTheLast)
{
    qint64 now = 0;
    const std::vector<int> alphas = modVitrel::blinkAlphas();
    const auto shown = modVitrel::play(
        alphas, 600, [&] { return now; }, [&](int) { now += 100; }, [](qint64) {});
    EXPECT_LT(shown.size(), alphas.size());
    EXPECT_EQ(shown.front(), 255);
    EXPECT_EQ(shown.back(), 255) << "the blink ends opaque";
    const auto fade = modVitrel::play(
        modVitrel::minimizeAlphas(true), 300, [&] { return now; }, [&](int) { now += 1000; }, [](qint64) {});
    EXPECT_EQ(fade, (std::vector<int>{255, 0}));
}

} // namespace

namespace {

class StoredAlpha : public ::testing::Test
{
protected:
    StoredAlpha()
        : env(dir.path())
    {
        QDir().mkpath(platform::folders::profileFolder(env));
    }
    int storedAs(const char *value)
    {
        EXPECT_TRUE(platform::setting::write(env, settings::Key::VitrelValue, QString::fromLatin1(value)));
        return modVitrel::storedAlpha(env);
    }
    TestFolder dir;
    platform::testing::FakeEnvironment env;
};

} // namespace

TEST_F(StoredAlpha, OnlyAlphasFrom100To255AreUsedAtTheirEdgesToo)
{
    EXPECT_EQ(storedAs("100"), 100) << "the least transparency the dialog offers";
    EXPECT_EQ(storedAs("99"), 0);
    EXPECT_EQ(storedAs("255"), 255);
    EXPECT_EQ(storedAs("256"), 0);
    EXPECT_EQ(storedAs("0"), 0);
    EXPECT_EQ(storedAs("-120"), 0);
}
