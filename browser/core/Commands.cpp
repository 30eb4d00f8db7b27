#include "Commands.h"

#include "AfterStep.h"
#include "WindowSlot.h"
#include "platform/Settings.h"

#include <utility>

namespace {

constexpr std::array<std::string_view, kCommandCount> kNames = {
    "NewTab",       "CloseTab", "NextTab",     "PreviousTab", "Back",         "Forward",      "Refresh",
    "Stop",         "StartPage", "EditAddress", "FavoritesPanel", "QuickFavorite", "SearchPanel", "Notepad", "DesignMode",
    "ScriptErrors", "TaskManager", "WideView", "MiniMode",    "Transparency", "Hotkeys",      "Settings",
    "About",        "ThemeManager", "Minimize", "Maximize", "CloseSelectedTab", "NewTabPage", "HomePage", "SetStartPage",
    "MakerSite",    "FavoriteOpen", "FavoriteDelete", "FavoriteEdit",
    "FindInPage",   "ZoomIn",   "ZoomOut",  "ZoomReset", "Print", "SavePdf", "Downloads", "ReopenClosedTab", "History", "Exit",
};

} // namespace

std::string_view commandName(Command c)
{
    return kNames[size_t(c)];
}

std::optional<settings::Key> featureSwitch(Command c)
{
    switch (c) {
    case Command::WideView:
        return settings::Key::PanovelValue;
    case Command::Transparency:
        return settings::Key::VitrelUseValue;
    case Command::Hotkeys:
        return settings::Key::KeyflintValue;
    case Command::ThemeManager:
        return settings::Key::AmbrelUseValue;
    default:
        return std::nullopt;
    }
}

Commands::Commands(const platform::Environment &environment, const WindowLocks &locks, AfterStepRunner &afterStep)
    : m_environment(environment)
    , m_locks(locks)
    , m_afterStep(afterStep)
{
}

bool Commands::define(Command c, Action action)
{
    Action &slot = m_actions[size_t(c)];
    if (slot || !action)
        return false;
    slot = std::move(action);
    return true;
}

Commands::Action Commands::replace(Command c, Action action)
{
    return std::exchange(m_actions[size_t(c)], std::move(action));
}

bool Commands::defined(Command c) const
{
    return bool(m_actions[size_t(c)]);
}

Commands::State Commands::state(Command c) const
{
    if (!defined(c))
        return State::NotDefined;
    if (m_locks.locked())
        return State::WindowLocked;
    if (m_miniMode && c != Command::Exit)
        return State::MiniModeShown;
    if (const auto key = featureSwitch(c); key && platform::setting::int16(m_environment, *key) == 0)
        return State::SwitchedOff;
    return State::Enabled;
}

Commands::State Commands::run(Command c)
{
    const State s = state(c);
    if (s == State::SwitchedOff && m_switchedOff) {
        AfterStep step(m_afterStep);
        m_switchedOff(c);
    }
    if (s != State::Enabled)
        return s;
    AfterStep step(m_afterStep);
    try {
        m_actions[size_t(c)]();
    } catch (...) {
        // A failing action leaves the window as it got it.
    }
    return s;
}
