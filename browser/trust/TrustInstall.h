#pragma once

#include <QtGlobal>

#include <functional>

class QWidget;
class TabSet;
class VorlenApp;

// What the trust indicators act on: the main window's tabs and its
// connection picture.
struct TrustTargets
{
    TabSet &tabs;
    // Sets the status bar's connection picture (ProgramStatusImagesList 1..5).
    std::function<void(int)> setConnectionPicture;
    // The connection picture's control, for its tooltip; may be null.
    QWidget *connectionIcon = nullptr;
};

// Wires what the user must see about a page's trust: the connection picture
// follows the selected tab's certificate state, and the notifications that
// sites were allowed to show come up in the notice. Called once, when the main
// window is made.
void installTrust(VorlenApp &app, TrustTargets targets);
