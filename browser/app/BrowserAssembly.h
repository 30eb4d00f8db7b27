#pragma once

#include "browser/core/Shell.h"
#include "browser/core/VorlenApp.h"

#include <memory>

class BuiltinImages;
class Keyflint;
class SessionKeeper;
class SessionWindows;
class Skin;
class frmMain;
struct DisplayWindows;
namespace modAmbrel {
struct Context;
}

// The program put together: it owns the context, the skin and its built-in
// pictures, the main window and the windows beside it, answers the context's
// shell with them, wires the after-step and has every feature install its
// commands once. main() builds one; so does every test of the whole browser.
class BrowserAssembly final : public Shell
{
public:
    explicit BrowserAssembly(platform::Platform &platform);
    ~BrowserAssembly() override;
    BrowserAssembly(const BrowserAssembly &) = delete;
    BrowserAssembly &operator=(const BrowserAssembly &) = delete;

    VorlenApp &context() { return m_app; }
    platform::Platform &platform() const { return m_app.platform(); }
    const platform::Environment &environment() const { return m_app.environment(); }
    AfterStepRunner &afterStep() { return m_app.afterStep(); }
    WindowLocks &locks() { return m_app.locks(); }
    Commands &commands() { return m_app.commands(); }
    bool ended() const { return m_app.ended(); }
    void setOpacityShows(bool shows) { m_app.setOpacityShows(shows); }
    void setQuitOnEnd(bool quit) { m_app.setQuitOnEnd(quit); }

    BuiltinImages &images();
    Skin &skin();
    // The main window, made at the first reference with every command installed.
    frmMain &mainForm();
    bool hasMainForm() const { return m_main != nullptr; }
    // The shortcuts, switched on and off with the main window.
    Keyflint &keyflint();
    // The notice, the message box, the settings, recovery and first-run
    // windows, and the session record.
    SessionWindows &windows();
    // The transparency dialog, mini mode and the wide view while open.
    DisplayWindows &displayWindows();

    // What the theme steps act on: the skin and the main window.
    modAmbrel::Context themeContext();

    // The session file's keeper; null before the main window exists.
    SessionKeeper *sessions() const { return m_sessions; }

    // Start-up: the main window's bars keep its first frame until the start
    // tab's page is there (or a moment has passed).
    void holdBarsUntilStartPage();

    // Shell
    platform::WebBrowser *currentPage() const override;
    platform::WebBrowser *openInNewTab(const QString &url) override;
    platform::WebBrowser *openWaitingTab(int position) override;
    void navigateCurrent(const QString &url) override;
    void showMainWindow() override;
    void revealMainWindow() override;
    QWidget *mainWidget() const override;
    void notice(const QString &title, const QString &contents, bool titleFocusPoint, qint16 exitInterval) override;
    void messageBox(qint16 type, QString &text, qint32 &number) override;
    void showSettings() override;
    void showSystemCheck() override;
    void writeSessionRecord() override;
    void clearSessionRecord() override;

private:
    void installCommands();

    VorlenApp m_app;
    std::unique_ptr<BuiltinImages> m_images;
    std::unique_ptr<Skin> m_skin;
    std::unique_ptr<DisplayWindows> m_display;
    std::unique_ptr<frmMain> m_main;
    std::unique_ptr<Keyflint> m_keyflint;
    std::unique_ptr<SessionWindows> m_windows;
    SessionKeeper *m_sessions = nullptr;  // owned by the main window's tab set
};
