#pragma once

class QWidget;
class TabSet;

// Lets the selected tab's page take the screen when it asks (see FullScreen);
// goes with the main window.
void installFullScreen(TabSet &tabs, QWidget &mainWindow);
