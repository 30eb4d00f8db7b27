#pragma once

class VorlenApp;
class frmMain;

// Pictures of the main window's skinned elements: the built-in design, and the
// normal and pressed pictures of the caption and navigation buttons, taken from
// the active theme pack when it has them.
namespace modAmbrel {

// Puts the built-in pictures on every skinned element.
void applyBuiltinPictures(VorlenApp &app, frmMain &form);
// The built-in design, then the tab strip is rebuilt.
void ApplyDefaultDesign(VorlenApp &app);

void SetMinButtonPicture(VorlenApp &app, bool normal);
void SetMaxButtonPicture(VorlenApp &app, bool normal, bool maximized);
void SetExitButtonPicture(VorlenApp &app, bool normal);
void SetBackButtonPicture(VorlenApp &app, bool normal);
void SetForwardButtonPicture(VorlenApp &app, bool normal);
void SetRefreshButtonPicture(VorlenApp &app, bool normal);
void SetStopButtonPicture(VorlenApp &app, bool normal);

} // namespace modAmbrel
