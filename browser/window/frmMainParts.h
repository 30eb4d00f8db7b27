#pragma once

#include "browser/core/PanelState.h"
#include "browser/core/WindowSlot.h"
#include "browser/frame/WindowDrag.h"
#include "browser/window/frmMain.h"

#include <memory>

class frmAbout;
class frmTaskManager;
class Keyflint;
class MoveEndWatch;
class StartupPaintHold;

// What the main window keeps besides its controls and its tabs: the secondary
// windows it owns, the shortcut and display-mode machinery, the menus, and
// the few flags its handlers share. Only the window's own files see it.
struct frmMain::Parts
{
    explicit Parts(frmMain *window);
    ~Parts();

    PanelState panels;
    WindowDrag drag;
    WindowSlot<frmTaskManager> taskManager;
    WindowSlot<frmAbout> about;
    WindowSlot<frmAmbrel> ambrelSlot;
    MoveEndWatch *moveEnd = nullptr;
    std::unique_ptr<Keyflint> keyflint;
    std::unique_ptr<DisplayWindows> display;
    frmPopupMenu *popup = nullptr;
    StartupPaintHold *startupHold = nullptr;
    int connectionPicture = 0;
    int statePicture = 0;
    int fadeSteps = 0;
    bool unloading = false;
    bool pageFailureReported = false;
    bool ambrelMenuEnabled = false;
};
