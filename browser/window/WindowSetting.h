#pragma once

class VorlenApp;
class frmMain;

// The main window brought up as the user left it, and written back at exit.
// The decisions themselves are the pure functions of frame/modWindowSetting.h.
namespace modWindowSetting {

// The profile folders, the first-run greeting, the placement the user left and
// the offer of a stored transparency.
void ApplyWindowSetting(frmMain &window, VorlenApp &app);
void RestoreWindowPlacement(frmMain &window, VorlenApp &app);
// Writes the window's state and normal rectangle; false when nothing was
// written (no settings file yet, or the write failed).
bool SaveWindowPlacement(const frmMain &window, VorlenApp &app);

} // namespace modWindowSetting
