#pragma once

#include <functional>

class HistoryStore;
class QString;
class QLineEdit;
class QWidget;
class TabSet;
class VorlenApp;

// What the history is installed over: the tabs whose visits it records, the
// main window the history window goes with, the address box it suggests
// under (from the favorites too), and the test for the program's own pages,
// which it leaves out.
struct HistoryTargets
{
    TabSet &tabs;
    QWidget &mainWindow;
    QLineEdit &addressBox;
    std::function<bool(const QString &url)> generated;
};

// Records the visits into the history database of the profile, defines
// History (the history window, one at a time) and offers suggestions under
// the address box. Returns the store, owned by the main window.
HistoryStore &installHistory(VorlenApp &app, const HistoryTargets &targets);
