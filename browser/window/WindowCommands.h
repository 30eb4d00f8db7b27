#pragma once

class VorlenApp;
class frmMain;

#include <QString>

// The maker's web site the program menu opens.
inline QString makerSite()
{
    return QStringLiteral("https://vorlen.example.org/");
}

// Defines the commands of the window itself: tab and history steps, the start
// page, address editing, minimize and maximize, the tab menu's items and the
// program's end.
void installWindowCommands(VorlenApp &app, frmMain &window);
