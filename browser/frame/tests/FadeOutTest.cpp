#include "browser/frame/FadeOut.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A clock that moves only when a step is shown (its cost) or when waited on.
struct FadeRun
{
    qint64 clock = 0;
    qint64 stepCost = 0;
    std::vector<int> alphas;

    int go()
    {
        return fade::run([this] { return clock; },
                         [this](int alpha) {
                             alphas.push_back(alpha);
                             clock += stepCost;
                         },
                         [this](qint64 until) { clock = std::max(clock, until); });
    }
};

} // namespace

TEST(FadeOut, AllFiftyTwoStepsWhenStepsAreCheap)
{
    FadeRun run;
    EXPECT_EQ(run.go(), 52);
    ASSERT_EQ(run.alphas.size(), 52u);
    for (size_t i = 0; i < run.alphas.size(); ++i)
        EXPECT_EQ(run.alphas[i], 255 - 5 * int(i));
    EXPECT_NEAR(run.clock, fade::kDurationMs, 20) << "about one second in all";
}

TEST(FadeOut, SlowStepsAreSkippedAndTheTimeStaysAboutOneSecond)
{
    FadeRun run;
    run.stepCost = 85; // a repaint of a large window at scale 2
    const int shown = run.go();
    EXPECT_LT(shown, 20);
    EXPECT_GE(shown, 10);
    EXPECT_EQ(run.alphas.front(), 255);
    EXPECT_EQ(run.alphas.back(), 0) << "the window always ends invisible";
    for (size_t i = 1; i < run.alphas.size(); ++i)
        EXPECT_LT(run.alphas[i], run.alphas[i - 1]);
    for (int alpha : run.alphas)
        EXPECT_EQ(alpha % 5, 0) << "only values of the sequence";
    EXPECT_LE(run.clock, fade::kDurationMs + 2 * run.stepCost);
}

TEST(FadeOut, StepsByElapsedTime)
{
    EXPECT_EQ(fade::stepAt(0), 0);
    EXPECT_EQ(fade::stepAt(-5), 0);
    EXPECT_EQ(fade::stepAt(fade::kDurationMs / 2), 25);
    EXPECT_EQ(fade::stepAt(fade::kDurationMs), 51);
    EXPECT_EQ(fade::stepAt(10 * fade::kDurationMs), 51);
}

TEST(FadeOut, WaylandOffersNoWindowOpacity)
{
    EXPECT_FALSE(fade::opacityOffered("wayland"));
    EXPECT_FALSE(fade::opacityOffered("wayland-egl"));
    EXPECT_FALSE(fade::opacityOffered("wayland-xcomposite-glx"));
    EXPECT_TRUE(fade::opacityOffered("xcb"));
    EXPECT_TRUE(fade::opacityOffered("offscreen"));
}
