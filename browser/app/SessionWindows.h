#pragma once

#include "browser/core/WindowSlot.h"

#include <functional>
#include "browser/startup/modSessionRecord.h"

class VorlenApp;

class frmMessageBox;
class frmNotice;
class frmRestoria;
class frmSetting;
class frmSystemScan;

// The windows that remember the user and talk to them outside the main window:
// the notice, the message box, the recovery wizard, the settings dialog and the
// first-run system check, each made on first use and existing once; and the
// session record kept while the browser runs.
class SessionWindows
{
public:
    explicit SessionWindows(VorlenApp &app);
    ~SessionWindows();
    SessionWindows(const SessionWindows &) = delete;
    SessionWindows &operator=(const SessionWindows &) = delete;

    SessionRecorder &recorder() { return m_recorder; }
    // What follows the recovery wizard's end of the start.
    void setAfterRecovery(std::function<void()> step) { m_afterRecovery = std::move(step); }

    // How the start treats the session of the run before.
    struct SessionStart
    {
        // SessionRestoreValue 2: the start continues the session; true when it did.
        std::function<bool()> continueSession;
        // The recovery wizard's recovery of every tab: how many, or -1.
        std::function<int()> recoverAll;
        // The start has decided on the session before.
        std::function<void()> done;
        // SessionRestoreValue 1 or 2 after a crash loop: the recovery page
        // stands in for every restore; true when it is shown.
        std::function<bool()> recoveryPage;
    };
    void setSessionStart(SessionStart start) { m_sessionStart = std::move(start); }

    // The notice in the top-right corner (one window, replaced by a second notice).
    frmNotice &VorlenNotice(const QString &Title, const QString &Contents, bool TitleFocusPoint,
                            qint16 ExitInterval);
    // The program's own question box of the given kind.
    frmMessageBox &MyMsgBox(qint16 MyMessageType, QString &TString, qint32 &TNumber);
    // The settings dialog, shown modeless over the main window.
    frmSetting &showSetting();
    // The first-run system check.
    frmSystemScan &showSystemScan();
    // The recovery wizard when a session record exists, the main window otherwise.
    void ShowStartWindow();

    // The windows open now, null when closed.
    frmNotice *notice() const;
    frmMessageBox *messageBox() const;
    frmSetting *setting() const;
    frmRestoria *restoria() const;
    frmSystemScan *systemScan() const;

private:
    VorlenApp &m_app;
    SessionRecorder m_recorder;
    std::function<void()> m_afterRecovery;
    SessionStart m_sessionStart;
    WindowSlot<frmNotice> m_notice;
    WindowSlot<frmMessageBox> m_messageBox;
    WindowSlot<frmSetting> m_setting;
    WindowSlot<frmRestoria> m_restoria;
    WindowSlot<frmSystemScan> m_systemScan;
};
