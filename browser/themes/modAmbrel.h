#pragma once

class Skin;

// Pictures of the main window's skinned elements: the built-in design, and the
// normal and pressed pictures of the caption and navigation buttons, taken from
// the active theme pack when it has them.
namespace modAmbrel {

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
