#pragma once

#include <functional>

class QString;
class QWidget;
class Skin;

namespace platform {
class Dialogs;
class Environment;
} // namespace platform

// Pictures of the main window's skinned elements: the built-in design, the
// selected theme pack with its per-file fallback, and the normal and pressed
// pictures of the caption and navigation buttons, taken from the active theme
// pack when it has them.
namespace modAmbrel {

// What applying a theme needs of the rest of the browser. The window rebuilds
// its tab strip and switches the theme manager's menu item through the hooks.
struct Context
{
    Skin &skin;
    const platform::Environment &environment;
    platform::Dialogs &dialogs;
    QWidget *parent = nullptr;               // over which the message boxes stand
    std::function<void()> rebuildTabStrip;
    std::function<void(bool)> setManagerItemEnabled;  // munfrmAmbrelShow
    // The status bar's connection icon back to its normal picture: it is not
    // themed, and a design or pack change puts it back.
    std::function<void()> resetConnectionPicture = {};
};

// The title of every message of the theme procedures.
QString managerTitle();

// Decides at start whether a pack is used in this run (asking when the
// settings say so) and applies the pack or the built-in design.
void CheckThemeAtStart(Context &ctx);
// The pack named by ThemeName, or the built-in design when none is named.
void ApplySelectedTheme(Context &ctx);
// Loads the pack named by ThemeName with a per-file fallback to the built-in
// pictures and one report of the files that were missing or did not decode.
// Returns that number. fromManager: the theme manager's OK, which applies only
// when the start-up check switched packs on.
int LoadThemePack(Context &ctx, bool fromManager);
// The built-in design on every element, then the tab strip rebuilt.
void ApplyDefaultDesign(Context &ctx);

// The built-in design on every element; the caller then rebuilds the tab strip.
void ApplyDefaultDesign(Skin &skin);

void SetMinButtonPicture(Skin &skin, bool normal);
void SetMaxButtonPicture(Skin &skin, bool normal, bool maximized);
void SetExitButtonPicture(Skin &skin, bool normal);
void SetBackButtonPicture(Skin &skin, bool normal);
void SetForwardButtonPicture(Skin &skin, bool normal);
void SetRefreshButtonPicture(Skin &skin, bool normal);
void SetStopButtonPicture(Skin &skin, bool normal);

} // namespace modAmbrel
