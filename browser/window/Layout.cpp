#include "Layout.h"

#include "Design.h"

#include <algorithm>

namespace layout {

using namespace design;

FrameRects arrangeFrame(int W, int H)
{
    FrameRects f;
    f.topLeftEdge = QRect(0, 0, kCornerWidth, kTopHeight);
    f.topSize = QRect(130, 0, W - 270, kTopSizeHeight);
    f.topLine = QRect(130, 0, W - 270, kTopHeight);
    f.topRightEdge = QRect(W - 130, 0, kCornerWidth, kTopHeight);
    f.rightLine = QRect(W - 130, 375, kSideWidth, H - 490);
    f.bottomRightEdge = QRect(W - 130, H - 120, kCornerWidth, kBottomHeight);
    f.bottomLine = QRect(130, H - 120, W - 270, kBottomHeight);
    f.bottomLeftEdge = QRect(0, H - 120, kCornerWidth, kBottomHeight);
    f.leftLine = QRect(0, 375, kSideWidth, H - 490);
    f.minButton = QRect(W - 1700, kCaptionButtonTop, kCaptionButtonWidth, kCaptionButtonHeight);
    f.maxButton = QRect(W - 1150, kCaptionButtonTop, kCaptionButtonWidth, kCaptionButtonHeight);
    f.exitButton = QRect(W - 610, kCaptionButtonTop, kCaptionButtonWidth, kCaptionButtonHeight);
    return f;
}

int addressWidth(int toolbarWidth, bool toolBoxShown, int toolBoxWidth)
{
    return toolBoxShown ? toolbarWidth - 1750 - toolBoxWidth : toolbarWidth - 1750;
}

Output arrange(const Input &in)
{
    Output out;
    out.W = in.W;
    out.H = in.H;
    out.squareCorners = in.maximized;

    // Minimum size: the height message is written last when both apply.
    if (out.W <= kMinWidth) {
        out.W = kMinWidth;
        out.status = StatusMessage{2, QStringLiteral("최소 가로 크기 입니다.")};
    }
    if (out.H <= kMinHeight) {
        out.H = kMinHeight;
        out.status = StatusMessage{2, QStringLiteral("최소 세로 크기 입니다.")};
    }
    const int W = out.W;
    const int H = out.H;

    // The notepad only stays open when no side panel is open and it still fits.
    if (in.notepadEnabled && in.notepadVisible) {
        if (in.favoriteBoxVisible || in.searchBoxVisible) {
            out.closeNotepad = true;
            out.status = StatusMessage{2, QStringLiteral("바로가기 목록 또는 인터넷 검색을 닫은 후 다시 시도 하십시오.")};
        } else if (in.notepadTop < kNotepadMinTop || in.notepadWidth < kNotepadMinWidth) {
            out.closeNotepad = true;
            out.status = StatusMessage{2, QStringLiteral("메모장을 표시할 수 있는 최소 크기보다 작습니다.")};
        }
    }
    const bool notepadEnabled = in.notepadEnabled && !out.closeNotepad;
    const bool notepadVisible = in.notepadVisible && !out.closeNotepad;

    out.showRestorePicture = in.maximized && in.maxButtonShowsBuiltinMaximize;

    // Title strip and tool bar.
    out.titleBar = QRect(kTitleBarLeft, 120, W - 2150, kTitleBarHeight);
    const int T = W - 250;
    out.toolbar = QRect(kToolbarLeft, kToolbarTop, T, kToolbarHeight);
    out.toolbarBackground = QRect(kToolbarBackgroundLeft, 0, T - 260, kToolbarHeight);

    // Tool box and address bar.
    out.toolBoxVisible = in.alwaysShowToolBox || in.toolBoxVisible;
    out.toolBox = QRect(T - 2100, 0, in.toolBoxWidth, kToolbarHeight);
    out.addressBar = QRect(kAddressLeft, kAddressTop, addressWidth(T, out.toolBoxVisible, in.toolBoxWidth),
                           kAddressHeight);

    out.backButton = QRect(120, kBackButtonTop, kNavButtonWidth, kNavButtonHeight);
    out.forwardButton = QRect(T - 820, kBackButtonTop, kNavButtonWidth, kNavButtonHeight);

    // Side bar: panels too low for their content are closed.
    const int S = H - 1720;
    out.sidebarWidth = in.sidebarWidth;
    const int panelHeight = S - 40;
    out.hideAddFavoriteBox = panelHeight < kFavoriteBoxMinHeight;
    if (in.searchBoxVisible && panelHeight < kSearchBoxMinHeight) {
        out.collapseSidebar = true;
        out.sidebarWidth = kSidebarCollapsedWidth;
    }
    out.sidebar = QRect(kSidebarLeft, kSidebarTop, out.sidebarWidth, S);
    out.sidebarBackground = QRect(0, 0, out.sidebarWidth - 30, S);
    out.favoriteBox = QRect(kSidePanelLeft, 0, kSidebarOpenWidth - kSidePanelLeft - 30, panelHeight);
    out.searchBox = out.favoriteBox;

    // Tabs, pages and the notepad under them.
    out.tabStrip = QRect(kTabStripLeft, kTabStripTop, W - 750, H - 1710);
    out.browser = QRect(kTabStripLeft, kBrowserTop, W - 760, H - 2050);
    if (notepadEnabled || notepadVisible) {
        out.tabStrip.setHeight(H - in.notepadHeight - 100);
        out.browser.setHeight(H - in.notepadHeight - 2050);
    }
    out.notepad = QRect(kTabStripLeft, H - 1830, W - 750, in.notepadHeight);

    // Status bar.
    const int statusWidth = W - 250;
    out.statusBar = QRect(kStatusBarLeft, H - 500, statusWidth, kStatusBarHeight);
    out.stateIcon = QRect(statusWidth / 3, 0, statusWidth / 3, kStatusBarHeight);
    // The text ends before the state picture, which stands in the middle of
    // its third of the bar; what does not fit ends in an ellipsis.
    const int pictureLeft = out.stateIcon.left() + out.stateIcon.width() / 2 - kStatePictureSize / 2;
    const int textWidth = std::min(W - 1900, pictureLeft - kStatusTextGap - kStatusTextLeft);
    out.statusText = QRect(kStatusTextLeft, kStatusTextTop, std::max(0, textWidth), kStatusTextHeight);
    out.progressBar = QRect(W - 1400, kProgressTop, kProgressWidth, kProgressHeight);
    return out;
}

} // namespace layout
