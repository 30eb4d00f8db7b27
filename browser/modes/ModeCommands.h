#pragma once

class QWidget;
class VorlenApp;
struct DisplayWindows;

// Defines the display-mode commands: the transparency dialog, mini mode and
// the wide view, each one window at a time kept in windows. None of them is a
// child of the main window, which the window locks disable while they are open.
void installModeCommands(VorlenApp &app, DisplayWindows &windows, QWidget &mainWindow);
