#include "browser/core/AfterStep.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct Recorder
{
    int trims = 0;
    int passes = 0;
    std::function<void()> duringPass;
    AfterStepRunner runner{[this] { ++trims; },
                           [this] {
                               ++passes;
                               if (duringPass)
                                   duringPass();
                           }};
};

void handler(AfterStepRunner &runner, int depth)
{
    AfterStep step(runner);
    if (depth > 0)
        handler(runner, depth - 1);
}

} // namespace

TEST(AfterStep, NestedHandlersTrimAndArrangeOnceWhenTheOutermostEnds)
{
    Recorder r;
    handler(r.runner, 4);
    EXPECT_EQ(r.trims, 1);
    EXPECT_EQ(r.passes, 1);
    {
        AfterStep outer(r.runner, AfterStep::Kind::TrimOnly);
        handler(r.runner, 2);
        EXPECT_EQ(r.passes, 1) << "nothing runs before the outermost guard closes";
    }
    EXPECT_EQ(r.trims, 2);
    EXPECT_EQ(r.passes, 2) << "an inner guard's layout request is kept";
    {
        AfterStep trimOnly(r.runner, AfterStep::Kind::TrimOnly);
    }
    EXPECT_EQ(r.trims, 3);
    EXPECT_EQ(r.passes, 2);
}

TEST(AfterStep, FlushRunsThePassNowAndOnlyOnce)
{
    Recorder r;
    {
        AfterStep step(r.runner);
        r.runner.flushLayout();
        EXPECT_EQ(r.passes, 1);
    }
    EXPECT_EQ(r.passes, 1) << "the flushed pass is not repeated at the end";
    {
        AfterStep step(r.runner);
        r.runner.flushLayout();
        r.runner.requestLayout();
    }
    EXPECT_EQ(r.passes, 3) << "a request after the flush still runs";
}

TEST(AfterStep, APassAskedForByThePassRunsOnceRightAfterIt)
{
    Recorder r;
    int nested = 0;
    // The pass resizes the window; the resize handler asks for a pass.
    r.duringPass = [&] {
        ++nested;
        handler(r.runner, 1);
        r.runner.requestLayout();
    };
    handler(r.runner, 0);
    EXPECT_EQ(r.passes, 2) << "once more, not endlessly";
    EXPECT_EQ(nested, 2);
    EXPECT_FALSE(r.runner.busy());
}

TEST(AfterStep, AThrowingHandlerOrStepLeavesTheRunnerUsable)
{
    Recorder r;
    try {
        AfterStep step(r.runner);
        throw std::runtime_error("handler failed");
    } catch (const std::runtime_error &) {
    }
    EXPECT_EQ(r.passes, 1) << "the guard still runs the after-step";
    EXPECT_FALSE(r.runner.busy());

    r.duringPass = [] { throw std::runtime_error("pass failed"); };
    handler(r.runner, 0);
    EXPECT_EQ(r.passes, 2);
    EXPECT_FALSE(r.runner.busy());
    r.duringPass = nullptr;
    handler(r.runner, 0);
    EXPECT_EQ(r.passes, 3);
}

TEST(AfterStep, ARequestOutsideAnyHandlerRunsAtOnce)
{
    Recorder r;
    r.runner.requestLayout();
    EXPECT_EQ(r.passes, 1);
    EXPECT_EQ(r.trims, 0);
}

TEST(AfterStep, ALayoutAskedForDuringTheTrimRunsAfterIt)
{
    // A trim-only handler whose trim causes a resize: the pass that resize asks
    // for must still run once the trim is done.
    int passes = 0;
    AfterStepRunner *self = nullptr;
    AfterStepRunner runner([&self] { self->requestLayout(); }, [&passes] { ++passes; });
    self = &runner;
    {
        AfterStep step(runner, AfterStep::Kind::TrimOnly);
    }
    EXPECT_EQ(passes, 1);
    {
        AfterStep step(runner);
    }
    EXPECT_EQ(passes, 2) << "asked twice, by the handler and by the trim: still one pass";
}
