#pragma once

#include "browser/core/AfterStep.h"
#include "browser/core/Commands.h"
#include "browser/core/WindowSlot.h"
#include "platform/Platform.h"

#include <memory>
#include <optional>

class BuiltinImages;
class SessionWindows;
class Skin;
class frmMain;
class QWidget;

// The browser's one application object: it holds the platform services, the
// built-in pictures and the skin, the after-step, the command table and the
// window locks, and creates the main window on first use. Forms and modules
// reach each other through it; nothing is global, so a test can build a whole
// browser on fakes and throw it away.
class VorlenApp
{
public:
    explicit VorlenApp(platform::Platform &platform);
    ~VorlenApp();
    VorlenApp(const VorlenApp &) = delete;
    VorlenApp &operator=(const VorlenApp &) = delete;

    platform::Platform &platform() const { return m_platform; }
    const platform::Environment &environment() const { return m_platform.environment; }
    BuiltinImages &images();
    Skin &skin();
    AfterStepRunner &afterStep() { return m_afterStep; }
    WindowLocks &locks() { return m_locks; }
    Commands &commands() { return m_commands; }

    // The main window, created at the first reference.
    frmMain &mainForm();
    bool hasMainForm() const { return m_main != nullptr; }
    // Places the new main window at the centre of the screen and runs its first
    // layout, system-state and tab steps.
    void showMainWindow();
    // Start-up: the main window's bars keep its first frame until the start
    // tab's page is there (or a moment has passed).
    void holdBarsUntilStartPage();

    // The notice, the message box, the settings, recovery and first-run windows
    // and the session record (VorlenApp_Session.cpp).
    SessionWindows &windows();
    // The main window as a plain widget, null before it exists.
    QWidget *mainWidget() const;
    // The selected tab's page, null before the main window exists.
    platform::WebBrowser *currentPage() const;
    // Opens url (the start page when blank) in a new tab right of the selected one.
    platform::WebBrowser *openInNewTab(const QString &url);
    // Shows the main window (made on first use) and enables it unless a lock holds it.
    void revealMainWindow();
    // Navigates the selected tab.
    void navigateCurrent(const QString &url);

    // Whether the window's opacity shows on this screen (a compositing window
    // system); settable for a run without one.
    bool opacityShows(const QWidget *window) const;
    void setOpacityShows(bool shows) { m_opacityShows = shows; }

    // Ends the program (the exit path's End). The real program leaves its event
    // loop; a test only sees ended() become true.
    void End();
    bool ended() const { return m_ended; }
    void setQuitOnEnd(bool quit) { m_quitOnEnd = quit; }

private:
    platform::Platform &m_platform;
    AfterStepRunner m_afterStep;
    WindowLocks m_locks;
    Commands m_commands;
    std::unique_ptr<BuiltinImages> m_images;
    std::unique_ptr<Skin> m_skin;
    std::unique_ptr<frmMain> m_main;
    std::unique_ptr<SessionWindows> m_windows;
    std::optional<bool> m_opacityShows;
    bool m_ended = false;
    bool m_quitOnEnd = false;
};
