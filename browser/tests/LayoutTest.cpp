// The layout pass's geometry and the small rules of the main window.
#include "browser/frame/PictureControl.h"
#include "browser/startup/modBase.h"
#include "browser/startup/modSystemCheck.h"
#include "browser/window/Design.h"
#include "browser/window/Layout.h"
#include "browser/window/PageRules.h"

#include <gtest/gtest.h>

namespace {

layout::Input window(int W, int H)
{
    layout::Input in;
    in.W = W;
    in.H = H;
    in.toolBoxWidth = design::kToolBoxWidth;
    in.sidebarWidth = design::kSidebarCollapsedWidth;
    in.notepadHeight = design::kNotepadHeight;
    return in;
}

} // namespace

TEST(Layout, MinimumSizeWithTheHeightMessageLast)
{
    auto out = layout::arrange(window(3000, 3000));
    EXPECT_EQ(out.W, 4000);
    EXPECT_EQ(out.H, 4020);
    ASSERT_TRUE(out.status);
    EXPECT_EQ(out.status->picture, 2);
    EXPECT_EQ(out.status->text, "최소 세로 크기 입니다.");

    out = layout::arrange(window(4000, 9000));
    EXPECT_EQ(out.status->text, "최소 가로 크기 입니다.");
    out = layout::arrange(window(4001, 4021));
    EXPECT_FALSE(out.status);
    EXPECT_EQ(out.W, 4001);
}

TEST(Layout, AddressBarAndToolBoxWidths)
{
    // A tool bar 9000 wide (window 9250) with a 1200-wide tool box shown.
    auto in = window(9250, 9000);
    in.toolBoxVisible = true;
    auto out = layout::arrange(in);
    EXPECT_EQ(out.toolbar.width(), 9000);
    EXPECT_EQ(out.addressBar.width(), 6050);
    EXPECT_EQ(out.toolBox.left(), 6900);
    // Hidden: the full width; always-shown: shown and narrow.
    in.toolBoxVisible = false;
    EXPECT_EQ(layout::arrange(in).addressBar.width(), 7250);
    in.alwaysShowToolBox = true;
    out = layout::arrange(in);
    EXPECT_TRUE(out.toolBoxVisible);
    EXPECT_EQ(out.addressBar.width(), 6050);
    // The address bar ends before the tool box and the forward button.
    EXPECT_LE(out.addressBar.right(), out.toolBox.left());
    EXPECT_LE(out.toolBox.right(), out.forwardButton.left());
}

TEST(Layout, NotepadClosesWhenAPanelIsOpenOrItDoesNotFit)
{
    auto in = window(15000, 10000);
    in.notepadEnabled = in.notepadVisible = true;
    in.notepadTop = 10000 - 1830;
    in.notepadWidth = 15000 - 750;
    auto out = layout::arrange(in);
    EXPECT_FALSE(out.closeNotepad);
    // The pages make room for the open notepad.
    EXPECT_EQ(out.browser.height(), 10000 - design::kNotepadHeight - 2050);
    EXPECT_EQ(out.notepad, QRect(630, 10000 - 1830, 15000 - 750, design::kNotepadHeight));

    in.favoriteBoxVisible = true;
    out = layout::arrange(in);
    EXPECT_TRUE(out.closeNotepad);
    EXPECT_EQ(out.status->text, "바로가기 목록 또는 인터넷 검색을 닫은 후 다시 시도 하십시오.");
    EXPECT_EQ(out.browser.height(), 10000 - 2050);

    in.favoriteBoxVisible = false;
    in.notepadWidth = 7000;
    out = layout::arrange(in);
    EXPECT_TRUE(out.closeNotepad);
    EXPECT_EQ(out.status->text, "메모장을 표시할 수 있는 최소 크기보다 작습니다.");
}

TEST(Layout, SidePanelsThatNoLongerFit)
{
    auto in = window(15000, 5000);
    in.searchBoxVisible = true;
    in.sidebarWidth = design::kSidebarOpenWidth;
    auto out = layout::arrange(in);
    EXPECT_TRUE(out.collapseSidebar);
    EXPECT_EQ(out.sidebar.width(), 495);

    in.H = 8000;
    out = layout::arrange(in);
    EXPECT_FALSE(out.collapseSidebar);
    EXPECT_EQ(out.sidebar.width(), design::kSidebarOpenWidth);
    EXPECT_EQ(out.searchBox.height(), 8000 - 1720 - 40);
}

TEST(Layout, MaximizedWindowGetsSquareCornersAndTheRestorePicture)
{
    auto in = window(15000, 10000);
    in.maximized = true;
    in.maxButtonShowsBuiltinMaximize = true;
    auto out = layout::arrange(in);
    EXPECT_TRUE(out.squareCorners);
    EXPECT_TRUE(out.showRestorePicture);
    // A themed picture is left alone.
    in.maxButtonShowsBuiltinMaximize = false;
    EXPECT_FALSE(layout::arrange(in).showRestorePicture);
}

TEST(Layout, FramePiecesCloseTheWindowWithoutGaps)
{
    const int w = 800;
    const int h = 600;
    const auto f = layout::arrangeFrame(w * 15, h * 15);
    const QRect topLeft = design::px(f.topLeftEdge);
    const QRect top = design::px(f.topLine);
    const QRect topRight = design::px(f.topRightEdge);
    const QRect right = design::px(f.rightLine);
    const QRect bottomRight = design::px(f.bottomRightEdge);
    EXPECT_EQ(topLeft, QRect(0, 0, 9, 25));
    EXPECT_EQ(topRight.right(), w - 1);
    EXPECT_EQ(bottomRight.bottom(), h - 1);
    EXPECT_LE(top.left(), topLeft.right() + 1);
    EXPECT_GE(top.right() + 1, topRight.left());
    EXPECT_LE(right.top(), topRight.bottom() + 1);
    EXPECT_GE(right.bottom() + 1, bottomRight.top());
    // Caption buttons sit in the top band, left to right, inside the window.
    const QRect minButton = design::px(f.minButton);
    const QRect exitButton = design::px(f.exitButton);
    EXPECT_EQ(minButton.size(), QSize(33, 17));
    EXPECT_LT(minButton.right(), design::px(f.maxButton).left());
    EXPECT_LT(exitButton.right(), right.left() + 1);
}

TEST(Rules, TabKeyToIndex)
{
    EXPECT_EQ(modBase::TabKeyToIndex(""), 0);
    EXPECT_EQ(modBase::TabKeyToIndex("ID7"), 7);
    EXPECT_EQ(modBase::TabKeyToIndex("ID12"), 12);
    EXPECT_EQ(modBase::TabKeyToIndex("ID32767"), 32767);
    EXPECT_EQ(modBase::TabKeyToIndex("ID40000"), 0);
    EXPECT_EQ(modBase::TabKeyToIndex("IDx"), 0);
    EXPECT_EQ(modBase::IndexToTabKey(0), "");
    EXPECT_EQ(modBase::IndexToTabKey(12), "ID12");
}

TEST(Rules, ShortUrlAndProgress)
{
    const QString thirty(30, 'a');
    EXPECT_EQ(pagerules::shortUrl(thirty), thirty);
    EXPECT_EQ(pagerules::shortUrl(thirty + "b"), thirty + "...");

    auto p = pagerules::progress(0, 0);
    EXPECT_EQ(p.max, 100);
    EXPECT_EQ(p.value, 0);
    p = pagerules::progress(-1, 100);
    EXPECT_EQ(p.value, 0);
    p = pagerules::progress(250, 100);
    EXPECT_EQ(p.max, 250);
    EXPECT_EQ(p.value, 250);
}

TEST(Rules, ReleasePoint)
{
    EXPECT_TRUE(releaseTriggers(10, 10, 45, 39));
    EXPECT_TRUE(releaseTriggers(50, 10, 45, 39)) << "right only";
    EXPECT_TRUE(releaseTriggers(10, 50, 45, 39)) << "below only";
    EXPECT_TRUE(releaseTriggers(-5, -5, 45, 39)) << "left and above";
    EXPECT_FALSE(releaseTriggers(50, 50, 45, 39));
}

TEST(Rules, SystemStatePictures)
{
    using modSystemCheck::systemStatePicture;
    EXPECT_EQ(systemStatePicture(0, true, true).picture, 1);
    EXPECT_EQ(systemStatePicture(1, true, true).picture, 2);
    EXPECT_EQ(systemStatePicture(1, true, false).picture, 3);
    EXPECT_EQ(systemStatePicture(1, false, true).picture, 4);
    EXPECT_STREQ(systemStatePicture(1, false, false).tooltip,
                 "인터넷에 연결이 되어 있지않고, 방화벽이 켜져 있지 않습니다.");
    EXPECT_EQ(systemStatePicture(3, false, false).picture, 0) << "other values leave the icon";
}

TEST(Layout, TheStatusTextEndsBeforeTheStatePictureAtEverySize)
{
    // The state picture (240 twips) stands in the middle of the bar's middle third.
    for (const int W : {3975, 4500, 6000, 9000, 16500, 30000}) {
        const auto out = layout::arrange(window(W, 9000));
        const int pictureLeft = out.stateIcon.center().x() - 120;
        EXPECT_LT(out.statusText.right(), pictureLeft) << W;
        EXPECT_GT(out.statusText.width(), 0) << W;
        EXPECT_EQ(out.statusText.left(), 360) << W;
    }
}
