#pragma once

class QWidget;
class TabSet;
class VorlenApp;

// The ways to the page commands beside their menus: the standard keys
// (StandardKeys, on while one of the browser's windows is in front, whatever
// KeyflintValue says) and the rows of kPageMenu at the end of every tab's
// context menu. Both go with the main window.
void installPageCommandPaths(VorlenApp &app, TabSet &tabs, QWidget &mainWindow);
