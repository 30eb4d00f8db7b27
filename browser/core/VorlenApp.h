#pragma once

#include "browser/core/AfterStep.h"
#include "browser/core/Commands.h"
#include "browser/core/Shell.h"
#include "browser/core/WindowSlot.h"
#include "platform/Platform.h"

#include <functional>
#include <optional>

class QWidget;

// The browser's context: the platform services, the after-step, the command
// table, the window locks and the shell of windows above. Forms and modules get
// it by reference; nothing is global, so a test builds a whole browser on fakes
// (or only the part it tests, over a fake shell) and throws it away.
class VorlenApp
{
public:
    VorlenApp(platform::Platform &platform, Shell &shell);
    VorlenApp(const VorlenApp &) = delete;
    VorlenApp &operator=(const VorlenApp &) = delete;

    platform::Platform &platform() const { return m_platform; }
    const platform::Environment &environment() const { return m_platform.environment; }
    AfterStepRunner &afterStep() { return m_afterStep; }
    WindowLocks &locks() { return m_locks; }
    Commands &commands() { return m_commands; }
    Shell &shell() const { return m_shell; }

    // Whether the window's opacity shows on this screen (a compositing window
    // system); settable for a run without one.
    // The probe asks the display system; a fixed answer stands for a run without one.
    bool opacityShows(const QWidget *window) const;
    void setOpacityProbe(std::function<bool(const QWidget *)> probe) { m_opacityProbe = std::move(probe); }
    void setOpacityShows(bool shows) { m_opacityShows = shows; }

    // Ends the program (the exit path's End). The real program leaves its event
    // loop; a test only sees ended() become true.
    void End();
    bool ended() const { return m_ended; }
    void setQuitOnEnd(bool quit) { m_quitOnEnd = quit; }

private:
    platform::Platform &m_platform;
    Shell &m_shell;
    AfterStepRunner m_afterStep;
    WindowLocks m_locks;
    Commands m_commands;
    std::function<bool(const QWidget *)> m_opacityProbe;
    std::optional<bool> m_opacityShows;
    bool m_ended = false;
    bool m_quitOnEnd = false;
};
