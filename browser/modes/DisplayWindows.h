#pragma once

#include "browser/core/WindowSlot.h"
#include "browser/modes/frmMiniMode.h"
#include "browser/modes/frmShowPanovel.h"
#include "browser/modes/frmVitrel.h"

// The main window's display-mode windows, each made on first use and existing
// once; whatever is still open goes with the main window.
struct DisplayWindows
{
    DisplayWindows() = default;
    DisplayWindows(const DisplayWindows &) = delete;
    DisplayWindows &operator=(const DisplayWindows &) = delete;
    ~DisplayWindows()
    {
        delete vitrel.window();
        delete miniMode.window();
        delete panovel.window();
    }

    WindowSlot<frmVitrel> vitrel;
    WindowSlot<frmMiniMode> miniMode;
    WindowSlot<frmShowPanovel> panovel;
};
