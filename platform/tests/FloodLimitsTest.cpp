// The limits that keep a page's loops from flooding the user.
#include "platform/FloodGate.h"
#include "platform/PageTitle.h"
#include "platform/ScriptDialogRun.h"

#include <gtest/gtest.h>

using platform::FloodGate;
using platform::ScriptDialogRun;

TEST(FloodGate, LetsTheLimitThroughPerWindowAndTellsTheFloodOnce)
{
    FloodGate gate(20, 60000);
    int admitted = 0;
    int told = 0;
    for (int i = 0; i < 1000; ++i) {
        if (gate.admit(1000 + i))
            ++admitted;
        else if (gate.justClosed())
            ++told;
    }
    EXPECT_EQ(admitted, 20);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(gate.refused(), 980);
    // A minute later there is room again, and a new flood is told again.
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(gate.admit(200000 + i));
    EXPECT_FALSE(gate.justClosed());
    EXPECT_FALSE(gate.admit(200100));
    EXPECT_TRUE(gate.justClosed());
}

TEST(ScriptDialogRun, TheThirdBoxInARowOffersToBlockAndAPauseStartsAfresh)
{
    ScriptDialogRun run;
    EXPECT_FALSE(run.opening(0));
    run.closed(10, false);
    EXPECT_FALSE(run.opening(20));
    run.closed(30, false);
    EXPECT_TRUE(run.opening(40));
    run.closed(50, false);
    EXPECT_TRUE(run.opening(60));
    run.closed(70, false);
    // A user who reads for a while before the next box is not in a loop.
    EXPECT_FALSE(run.opening(70 + ScriptDialogRun::kGapMs + 1));
    EXPECT_EQ(run.inRow(), 1);
}

TEST(ScriptDialogRun, BlockingHoldsUntilTheNextDocument)
{
    ScriptDialogRun run;
    run.opening(0);
    run.closed(1, true);
    EXPECT_TRUE(run.blocked());
    run.reset();
    EXPECT_FALSE(run.blocked());
    EXPECT_FALSE(run.opening(2));
}

TEST(PageTitle, AMegabyteTitleIsCutWithoutBreakingACharacter)
{
    const QString huge(1024 * 1024, QLatin1Char('a'));
    const QString cut = platform::cutTitle(huge);
    EXPECT_EQ(cut.size(), platform::kMaxTitleLength);
    EXPECT_TRUE(cut.endsWith(QChar(0x2026)));

    // A pair of surrogates across the cut goes whole.
    QString emoji = QString(platform::kMaxTitleLength - 2, QLatin1Char('b')) + QString::fromUtf8("😀😀😀");
    const QString cutEmoji = platform::cutTitle(emoji);
    EXPECT_LE(cutEmoji.size(), platform::kMaxTitleLength);
    EXPECT_FALSE(cutEmoji.at(cutEmoji.size() - 2).isHighSurrogate());

    EXPECT_EQ(platform::cutTitle(QStringLiteral("a\nb\rc")), QStringLiteral("a b c"));
    EXPECT_EQ(platform::cutTitle(QStringLiteral("짧은 제목")), QStringLiteral("짧은 제목"));
}
