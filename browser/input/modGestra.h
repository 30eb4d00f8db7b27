#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QWidget;
class VorlenApp;
enum class Command;

// The window-edge commands: where a window thrown by its title strip ended up
// decides what happens. All positions in twips; the screen's top-left is 0,0.
namespace modGestra {

enum class Action {
    Back,
    Forward,
    Maximize,
    Minimize,
    PreviousTab,
    NextTab,
    NewTab,
    CloseTab,
};

struct Outcome
{
    std::vector<Action> actions; // in the order they run
    QPoint topLeft;              // where the window goes back to (twips)
};

// The decision after a move. gestraValue 1 picks the tab commands (only after
// a move), anything else the history and window commands. The taskbar height
// is in pixels. More than one edge can fire in one check; each test sees the
// position the tests before it left.
Outcome CheckGestra(const QRect &window, const QSize &screen, int taskbarHeightPx, qint16 gestraValue,
                    bool afterMove);

// Whether the display server tells the program where its windows are; without
// that (Wayland) the edge commands stay idle rather than act on a wrong place.
bool positionKnown(const QString &platformName);

// The command an edge action runs; the history and window commands are then
// followed by the tab strip's refresh.
Command commandOf(Action action);
bool refreshesTabStrip(Action action);

// The check on the window itself: decides from its place on the primary
// screen, puts a normal window back inside the screen and runs each command
// through the command table. refreshTabs runs after a history or window
// command. False when the display server keeps the position to itself.
bool CheckGestra(VorlenApp &app, QWidget &window, bool afterMove, const std::function<void()> &refreshTabs);

} // namespace modGestra
