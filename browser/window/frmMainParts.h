#pragma once

#include "browser/frame/WindowDrag.h"
#include "browser/window/frmMain.h"

#include <memory>

class MoveEndWatch;
class StartupPaintHold;
class QPoint;

// What the main window keeps besides its controls and its tabs: the shortcut
// and move machinery, the menus, and the few flags its handlers share. Only the
// window's own files see it.
struct frmMain::Parts
{
    explicit Parts(frmMain *window);
    ~Parts();

    // Steps the window's handlers share.
    static void tabInserted(frmMain &f, qint16 index, int position);
    static void showHistoryState(frmMain &f, qint16 index);
    static void leaveAddressEditing(frmMain &f, bool checkEmpty);
    static void placeToolBox(frmMain &f, bool alwaysShow);
    static void setAddressWidth(frmMain &f, int twips);
    static void refreshMaxButton(frmMain &f);
    static void setEdgeControlsEnabled(frmMain &f, bool enabled);
    static void resizeByEdge(frmMain &f, Qt::MouseButton button, Qt::Edges edges);
    static void toggleMaximized(frmMain &f);
    static void releaseStartupHold(frmMain &f);

    // Where the last layout pass put the notepad.
    int notepadTop = 0;
    int notepadWidth = 0;
    WindowDrag drag;
    MoveEndWatch *moveEnd = nullptr;
    frmPopupMenu *popup = nullptr;
    StartupPaintHold *startupHold = nullptr;
    bool largeIconSet = false;   // the 256 pixel icon, given once the start page is there
    int fadeSteps = 0;
    bool unloading = false;
    bool pageFailureReported = false;
    bool ambrelMenuEnabled = false;
};
