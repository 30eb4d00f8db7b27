#pragma once

#include "platform/SettingsKeys.h"

#include <array>
#include <functional>
#include <optional>
#include <string_view>

class AfterStepRunner;
class WindowLocks;

namespace platform {
class Environment;
}

// Everything a user can ask of the browser, whichever way they ask: a hotkey, a
// popup menu item, a quick command in the address bar, a window-edge gesture, a
// side-bar button or the wide view.
enum class Command {
    NewTab,
    CloseTab,
    NextTab,
    PreviousTab,
    Back,
    Forward,
    Refresh,
    Stop,
    StartPage,
    EditAddress,
    FavoritesPanel,
    QuickFavorite,
    SearchPanel,
    Notepad,
    DesignMode,
    ScriptErrors,
    TaskManager,
    WideView,
    MiniMode,
    Transparency,
    Hotkeys,
    Settings,
    About,
    ThemeManager,
    Minimize,
    // The window-edge and popup-menu commands.
    Maximize,          // maximizes a window that is not maximized
    CloseSelectedTab,  // closes the selected tab; the start tab ends the program
    NewTabPage,        // a new tab on the new-tab page
    HomePage,          // the tab menu's start page: a fresh start page frame, or the offline display
    SetStartPage,      // the selected page as the start page
    MakerSite,         // the maker's web site in the selected tab
    FavoriteOpen,      // the favorite menu on the selected favorite
    FavoriteDelete,
    FavoriteEdit,
    // The page commands every browser has, on their standard keys.
    FindInPage,        // the find bar of the selected tab
    ZoomIn,
    ZoomOut,
    ZoomReset,         // back to the default zoom
    Print,
    SavePdf,           // the page as a PDF file the user names
    Downloads,         // the downloads window
    ReopenClosedTab,   // brings back the tab closed last, with its history
    History,           // the history window
    Exit,
};

inline constexpr int kCommandCount = int(Command::Exit) + 1;

// The command's name as tests and tables spell it ("NewTab").
std::string_view commandName(Command c);
// The setting that switches the command's feature off when it is 0.
std::optional<settings::Key> featureSwitch(Command c);

// The one table of commands. A feature defines the action of its command; the
// table holds the preconditions every way of asking shares and runs the action
// inside an after-step.
class Commands
{
public:
    enum class State {
        Enabled,
        NotDefined,       // no action yet
        WindowLocked,     // a dialog keeps the main window disabled
        MiniModeShown,    // the window is tucked into mini mode
        SwitchedOff,      // the feature is switched off in the settings
    };
    using Action = std::function<void()>;

    Commands(const platform::Environment &environment, const WindowLocks &locks, AfterStepRunner &afterStep);

    // Gives a command its action, once: a second definition of the same
    // command is refused (false) and the first one stays.
    bool define(Command c, Action action);
    bool defined(Command c) const;
    // Swaps a command's action and hands back the one it had: for a test or a
    // benchmark that stands in for a feature. Features use define().
    Action replace(Command c, Action action);

    // Shown while the main window is tucked into mini mode.
    void setMiniModeShown(bool shown) { m_miniMode = shown; }
    bool miniModeShown() const { return m_miniMode; }

    State state(Command c) const;
    bool enabled(Command c) const { return state(c) == State::Enabled; }

    // Runs the command when it is enabled and tells what stood in the way
    // otherwise. A switched-off feature reports itself through the handler set
    // here (the "feature not in use" notice).
    State run(Command c);
    void setSwitchedOffHandler(std::function<void(Command)> handler) { m_switchedOff = std::move(handler); }

private:
    const platform::Environment &m_environment;
    const WindowLocks &m_locks;
    AfterStepRunner &m_afterStep;
    std::array<Action, kCommandCount> m_actions;
    std::function<void(Command)> m_switchedOff;
    bool m_miniMode = false;
};
