#pragma once

#include "platform/Platform.h"

#include <QPointer>

#include <memory>

class BuiltinImages;
class frmMain;

// The browser's one application object: it holds the platform services and the
// built-in pictures, and creates each form on first use. Forms and modules reach
// each other through it; nothing is global, so a test can build a whole browser
// on fakes and throw it away.
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

    // The main window, created at the first reference.
    frmMain &mainForm();
    bool hasMainForm() const { return m_main != nullptr; }

    // Ends the program (the exit path's End). The real program leaves its event
    // loop; a test only sees ended() become true.
    void End();
    bool ended() const { return m_ended; }
    void setQuitOnEnd(bool quit) { m_quitOnEnd = quit; }

    // The theme state of this run: true when the start-up check activated a pack.
    bool ThemePackActive = false;

private:
    platform::Platform &m_platform;
    std::unique_ptr<BuiltinImages> m_images;
    std::unique_ptr<frmMain> m_main;
    bool m_ended = false;
    bool m_quitOnEnd = false;
};
