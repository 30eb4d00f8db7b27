#pragma once

class DownloadLog;
class QWidget;
class VorlenApp;

// Follows every download of this run (DownloadLog, with the list of earlier
// runs in the profile) and defines Downloads: the downloads window, one at a
// time, a window of its own over the main window that goes with it.
// Returns the log, owned by the main window.
DownloadLog &installDownloadCommands(VorlenApp &app, QWidget &mainWindow);
