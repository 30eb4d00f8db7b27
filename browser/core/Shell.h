#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

namespace platform {
class WebBrowser;
}

// What the rest of the browser asks of the windows above it. The browser's
// context holds one; the program's assembly answers with the real main window
// and its side windows, a test with a fake. Keep it small: a feature that needs
// more of the window gets a command or a signal, not a method here.
class Shell
{
public:
    virtual ~Shell() = default;

    // The selected tab's page, null before the main window exists.
    virtual platform::WebBrowser *currentPage() const = 0;
    // Opens url (the start page when blank) in a new tab right of the selected
    // one; null when no further tab can be made.
    virtual platform::WebBrowser *openInNewTab(const QString &url) = 0;
    // A tab at position in the strip that loads nothing and is not selected
    // (a restored tab waiting for its first selection); null when none can be made.
    virtual platform::WebBrowser *openWaitingTab(int position) = 0;
    // Navigates the selected tab.
    virtual void navigateCurrent(const QString &url) = 0;

    // Makes the main window if needed, places it where the user left it and
    // runs its first layout, system-state and tab steps.
    virtual void showMainWindow() = 0;
    // Shows the main window and enables it unless a window lock holds it.
    virtual void revealMainWindow() = 0;
    // The main window as a parent for dialogs, null before it exists.
    virtual QWidget *mainWidget() const = 0;

    // The notice in the top-right corner.
    virtual void notice(const QString &title, const QString &contents, bool titleFocusPoint = true,
                        qint16 exitInterval = 5000) = 0;
    // The program's own question box of the given kind.
    virtual void messageBox(qint16 type, QString &text, qint32 &number) = 0;
    // The settings dialog, modeless over the main window.
    virtual void showSettings() = 0;
    // The first-run system check.
    virtual void showSystemCheck() = 0;

    // The session record of the selected page, kept while the browser runs.
    virtual void writeSessionRecord() = 0;
    virtual void clearSessionRecord() = 0;
};
