#pragma once

#include <QRect>
#include <QString>

#include <optional>

// The geometry of the main window's layout pass, as a pure function of the
// window's size and the state of its panels. All values are twips.
namespace layout {

struct FrameRects
{
    QRect topLeftEdge, topSize, topLine, topRightEdge, rightLine;
    QRect bottomRightEdge, bottomLine, bottomLeftEdge, leftLine;
    QRect minButton, maxButton, exitButton;
};

FrameRects arrangeFrame(int W, int H);

struct Input
{
    int W = 0;
    int H = 0;
    bool maximized = false;
    bool alwaysShowToolBox = false;   // AlwaysShowWebBrowserPlusToolValue is 1
    bool toolBoxVisible = false;
    int toolBoxWidth = 0;
    int sidebarWidth = 0;
    bool favoriteBoxVisible = false;
    bool searchBoxVisible = false;
    bool notepadEnabled = false;
    bool notepadVisible = false;
    int notepadTop = 0;               // where the notepad box is now
    int notepadWidth = 0;
    int notepadHeight = 0;
    bool maxButtonShowsBuiltinMaximize = false;
};

// A status bar message of the pass: connection picture 2 and a text.
struct StatusMessage
{
    int picture = 2;
    QString text;
};

struct Output
{
    int W = 0;                        // the window size after the minimum is enforced
    int H = 0;
    bool squareCorners = false;       // maximized: plain rectangle
    std::optional<StatusMessage> status;
    bool closeNotepad = false;        // hide and disable the notepad box
    bool showRestorePicture = false;  // maximized with the built-in maximize picture
    bool toolBoxVisible = false;
    bool hideAddFavoriteBox = false;
    bool collapseSidebar = false;     // width 495, favorites and search hidden
    int sidebarWidth = 0;

    QRect titleBar;
    QRect toolbar;
    QRect toolbarBackground;          // inside the tool bar
    QRect toolBox;                    // inside the tool bar
    QRect addressBar;                 // label and text box, inside the tool bar
    QRect backButton, forwardButton;  // inside the tool bar
    QRect sidebar;
    QRect sidebarBackground;          // inside the side bar
    QRect favoriteBox, searchBox;     // inside the side bar
    QRect tabStrip;
    QRect browser;                    // every tab's page
    QRect notepad;
    QRect statusBar;
    QRect stateIcon;                  // inside the status bar
    QRect statusText;                 // inside the status bar
    QRect progressBar;                // inside the status bar
};

Output arrange(const Input &in);

// The address bar's width for a tool bar width and the tool box's state.
int addressWidth(int toolbarWidth, bool toolBoxShown, int toolBoxWidth);

} // namespace layout
