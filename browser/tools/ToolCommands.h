#pragma once

class QWidget;
class VorlenApp;

// Defines the task manager and about box commands. Each tool is one window at a
// time, a window of its own that stays usable while the main window is
// locked, and goes with the main window.
void installToolCommands(VorlenApp &app, QWidget &mainWindow);
