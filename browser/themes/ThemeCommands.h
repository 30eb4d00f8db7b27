#pragma once

#include <functional>

class QWidget;
class VorlenApp;

// What the theme manager needs of the window it dresses: the window to stand
// over and go with, and the step that applies the chosen pack to it.
struct ThemeHooks
{
    QWidget &window;
    std::function<void()> applyPack;
};

// Defines the theme manager command: one manager at a time, standing over the
// main window while open and locking it. Switched off (AmbrelUseValue 0) the
// command only shows the notice.
void installThemeCommands(VorlenApp &app, const ThemeHooks &hooks);
