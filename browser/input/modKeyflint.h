#pragma once

#include "browser/core/Commands.h"

#include <QObject>

#include <array>
#include <functional>
#include <optional>

// The fifteen shortcuts: one table from a key with its modifiers to a command.
struct KeyflintKey
{
    int key;                         // Qt::Key
    Qt::KeyboardModifiers modifiers; // exactly these of Ctrl, Alt, Shift, Meta
    Command command;
};

inline constexpr std::array<KeyflintKey, 15> kKeyflintKeys = {{
    {Qt::Key_N, Qt::ControlModifier, Command::Forward},
    {Qt::Key_B, Qt::ControlModifier, Command::Back},
    {Qt::Key_A, Qt::AltModifier, Command::QuickFavorite},
    {Qt::Key_F3, Qt::NoModifier, Command::FavoritesPanel},
    {Qt::Key_T, Qt::ControlModifier, Command::NewTab},
    {Qt::Key_W, Qt::ControlModifier, Command::CloseTab},
    {Qt::Key_S, Qt::AltModifier, Command::SearchPanel},
    {Qt::Key_G, Qt::AltModifier, Command::StartPage},
    {Qt::Key_W, Qt::AltModifier, Command::Transparency},
    {Qt::Key_Space, Qt::AltModifier, Command::EditAddress},
    {Qt::Key_Left, Qt::AltModifier, Command::PreviousTab},
    {Qt::Key_Right, Qt::AltModifier, Command::NextTab},
    {Qt::Key_F11, Qt::NoModifier, Command::WideView},
    {Qt::Key_F4, Qt::NoModifier, Command::MiniMode},
    {Qt::Key_F6, Qt::NoModifier, Command::Notepad},
}};

namespace modKeyflint {

// The command of a key press, or nothing when the key is not a shortcut.
// Keypad and group-switch flags do not count; Shift or Meta with a shortcut
// makes it a different key.
std::optional<Command> commandOf(int key, Qt::KeyboardModifiers modifiers);

} // namespace modKeyflint

namespace platform {
class Environment;
}
class Keyflint;

namespace modKeyflint {

// Switches the shortcuts on at start when KeyflintValue is 1.
void StartKeyflint(const platform::Environment &env, Keyflint &keyflint);

} // namespace modKeyflint

// The shortcuts at work: an event filter on the application that sees each key
// press before the focused widget does, the page's own widget included, and
// turns a shortcut into its command while the browser's window is the active
// one. A key pressed while another program is in front never reaches this
// program, so that program keeps it.
class Keyflint : public QObject
{
    Q_OBJECT
public:
    using Run = std::function<void(Command)>;
    using Active = std::function<bool()>;

    Keyflint(Run run, Active active, QObject *parent = nullptr);
    ~Keyflint() override;

    // Switching on and off; the filter and the key table always change together.
    void hook();
    void unhook();
    bool hooked() const { return m_hooked; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Run m_run;
    Active m_active;
    bool m_hooked = false;
};
