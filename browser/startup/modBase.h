#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;
namespace platform {
struct Platform;
class WebBrowser;
}

// Small helpers every part of the browser uses, and the start tab's first
// navigation.
namespace modBase {

// "" -> 0, "ID12" -> 12; a key that is not "ID" + a number gives 0.
qint16 TabKeyToIndex(const QString &key);
QString IndexToTabKey(qint16 index);

// Trims the process working set when PurgelValue is exactly 1.
void TrimWorkingSet(platform::Platform &platform);

void SetAlwaysOnTop(QWidget *window, bool onTop);

// What the window shows while the start tab's first page loads.
struct StartState
{
    QString addressText;
    int connectionPicture = 1;
    QString statusText;
    QString refusedStartPage;   // a start page that was not opened
    bool pageWriteFailed = false; // a generated page was shown from memory
};

// Sends the start tab to the start page, the loading page or, without a
// connection, the error page, and tells what the window shows meanwhile. With
// no start page that may be opened, the tab gets the new-tab page.
StartState InitStartPage(platform::Platform &platform, platform::WebBrowser *startTab);

// Sends a tab to the start page, or to the new-tab page when there is none
// that may be opened. False when a generated page could not be written.
bool OpenStartPage(platform::Platform &platform, platform::WebBrowser *page);

} // namespace modBase
