#pragma once

class QLabel;
class TabSet;
class VorlenApp;

// What zoom acts on: the tabs and the status bar's text, which shows the new
// level for a moment.
struct ZoomTargets
{
    TabSet &tabs;
    QLabel &statusText;
};

// Defines ZoomIn, ZoomOut and ZoomReset on the selected tab. A level is kept
// per site (ZoomStore, in the profile) and applied again whenever a page of
// that site loads in any tab; open tabs of the same site follow at once. A
// site without a level of its own shows DefaultZoomValue (100 when unset or
// out of range).
void installZoomCommands(VorlenApp &app, const ZoomTargets &targets);
