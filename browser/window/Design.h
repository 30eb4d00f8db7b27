#pragma once

#include <QRect>

// Designed positions and sizes of the main window's controls, in twips
// (15 twips = 1 logical pixel). The layout pass moves and sizes the controls
// from these and the window's size.
namespace design {

inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips)
{
    // Round half away from zero, the way the control positions were converted.
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

inline QRect px(const QRect &twips)
{
    const int left = px(twips.x());
    const int top = px(twips.y());
    // Convert the edges, not the size, so that neighbours meet without gaps.
    return QRect(left, top, px(twips.x() + twips.width()) - left, px(twips.y() + twips.height()) - top);
}

// Window
inline constexpr int kDefaultWidth = 16500;
inline constexpr int kDefaultHeight = 11400;
inline constexpr int kMinWidth = 4000;
inline constexpr int kMinHeight = 4020;

// Frame pieces
inline constexpr int kCornerWidth = 135;
inline constexpr int kTopHeight = 375;
inline constexpr int kBottomHeight = 120;
inline constexpr int kSideWidth = 135;
inline constexpr int kTopSizeHeight = 75;
inline constexpr int kCaptionButtonWidth = 495;
inline constexpr int kCaptionButtonHeight = 255;
inline constexpr int kCaptionButtonTop = 60;
inline constexpr QRect kProgramIcon{150, 68, 240, 240};
inline constexpr int kTitleBarLeft = 450;
inline constexpr int kTitleBarHeight = 240;

// Tool bar
inline constexpr int kToolbarLeft = 130;
inline constexpr int kToolbarTop = 375;
inline constexpr int kToolbarHeight = 585;
inline constexpr int kToolbarBackgroundLeft = 130;
inline constexpr int kBackButtonTop = 0;
inline constexpr int kNavButtonWidth = 675;
inline constexpr int kNavButtonHeight = 585;
inline constexpr int kAddressLeft = 840;
inline constexpr int kAddressTop = 105;
inline constexpr int kAddressHeight = 375;
inline constexpr int kToolBoxWidth = 1200;
inline constexpr QRect kRefreshButton{120, 105, 435, 375};
inline constexpr QRect kStopButton{645, 105, 435, 375};

// Side bar
inline constexpr int kSidebarLeft = 130;
inline constexpr int kSidebarTop = 1230;
inline constexpr int kSidebarCollapsedWidth = 495;
inline constexpr int kSidebarOpenWidth = 3240;
inline constexpr int kSidebarButtonLeft = 60;
inline constexpr int kSidebarButtonTop = 60;
inline constexpr int kSidebarButtonStep = 450;
inline constexpr int kSidebarButtonSize = 375;
inline constexpr int kSidePanelLeft = 525;
inline constexpr int kSearchBoxMinHeight = 4090;
inline constexpr int kFavoriteBoxMinHeight = 2230;

// Tabs and pages
inline constexpr int kTabStripLeft = 630;
inline constexpr int kTabStripTop = 1230;
inline constexpr int kBrowserTop = 1560;

// Notepad
inline constexpr int kNotepadHeight = 1300;
inline constexpr int kNotepadMinTop = 2625;
inline constexpr int kNotepadMinWidth = 7225;

// Status bar
inline constexpr int kStatusBarLeft = 130;
inline constexpr int kStatusBarHeight = 345;
inline constexpr QRect kStatusIcon{60, 52, 240, 240};
inline constexpr int kStatusTextLeft = 360;
inline constexpr int kStatusTextTop = 45;
inline constexpr int kStatusTextHeight = 255;
inline constexpr int kStatePictureSize = 240;   // the system-state picture, 16 px
inline constexpr int kStatusTextGap = 60;       // between the status text and that picture
inline constexpr int kProgressTop = 52;
inline constexpr int kProgressWidth = 1100;
inline constexpr int kProgressHeight = 240;

} // namespace design
