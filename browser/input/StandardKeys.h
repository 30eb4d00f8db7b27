#pragma once

#include "browser/core/Commands.h"

#include <QObject>

#include <array>
#include <functional>
#include <optional>

// The keys every browser has for its page commands. They are not the
// switchable shortcuts of modKeyflint: they work whatever KeyflintValue says,
// with the focus in a page's field too.
struct StandardKey
{
    int key;                         // Qt::Key
    Qt::KeyboardModifiers modifiers; // exactly these of Ctrl, Alt, Shift, Meta
    Command command;
    bool repeats;                    // a held key acts again
};

inline constexpr std::array<StandardKey, 10> kStandardKeys = {{
    {Qt::Key_F, Qt::ControlModifier, Command::FindInPage, false},
    {Qt::Key_Plus, Qt::ControlModifier, Command::ZoomIn, true},
    // Plus is Shift with "=" on most layouts.
    {Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, Command::ZoomIn, true},
    {Qt::Key_Equal, Qt::ControlModifier, Command::ZoomIn, true},
    {Qt::Key_Minus, Qt::ControlModifier, Command::ZoomOut, true},
    {Qt::Key_0, Qt::ControlModifier, Command::ZoomReset, false},
    {Qt::Key_P, Qt::ControlModifier, Command::Print, false},
    {Qt::Key_J, Qt::ControlModifier, Command::Downloads, false},
    {Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier, Command::ReopenClosedTab, false},
    {Qt::Key_H, Qt::ControlModifier, Command::History, false},
}};

namespace standardKeys {

// The entry of a key press, or nothing when the key is not one of them. The
// keypad flag does not count (its plus and minus zoom as well).
const StandardKey *entryOf(int key, Qt::KeyboardModifiers modifiers);

// The zoom step of a Ctrl+wheel turn: +1 in, -1 out, 0 while the turn is
// still short of one notch (deltas of 120 a notch; touchpads send less).
int wheelSteps(int &accumulated, int angleDelta);

} // namespace standardKeys

// The standard keys at work: an event filter on the application, seeing each
// key press (and Ctrl+wheel) before the focused widget does, the page's own
// widget included, while one of the browser's windows is the active one.
class StandardKeys : public QObject
{
    Q_OBJECT
public:
    using Run = std::function<void(Command)>;
    using Active = std::function<bool()>;

    // active tells whether the window in front is one of the browser's that
    // takes the keys now.
    StandardKeys(Run run, Active active, QObject *parent = nullptr);
    ~StandardKeys() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyPress(QEvent *event);
    bool wheel(QEvent *event);
    void runSafely(Command command);

    Run m_run;
    Active m_active;
    int m_wheel = 0;
};
