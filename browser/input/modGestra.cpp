#include "modGestra.h"

#include "browser/core/VorlenApp.h"
#include "platform/Settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace modGestra {

namespace {

constexpr int kTwipsPerPixel = 15;

} // namespace

Outcome CheckGestra(const QRect &window, const QSize &screen, int taskbarHeightPx, qint16 gestraValue,
                    bool afterMove)
{
    Outcome out;
    int left = window.x();
    int top = window.y();
    const int width = window.width();
    const int height = window.height();
    const int screenWidth = screen.width();
    const int screenHeight = screen.height();

    if (gestraValue != 1) {
        if (left < 0) {
            out.actions.push_back(Action::Back);
            left = 300;
        }
        if (left > screenWidth - width) {
            out.actions.push_back(Action::Forward);
            left = screenWidth - width - 300;
        }
        if (top < 10) {
            top = 100;
            out.actions.push_back(Action::Maximize);
        }
        // More than half of the window below the screen. Twips are whole
        // numbers, so the half is exact: a window whose top lies exactly at
        // screen height minus half its height stays.
        if (2 * top > 2 * screenHeight - height) {
            top = (screenHeight - height) / 2;
            out.actions.push_back(Action::Minimize);
        }
    } else if (afterMove) {
        if (left < 0) {
            out.actions.push_back(Action::PreviousTab);
            left = 300;
        }
        if (left > screenWidth - width) {
            out.actions.push_back(Action::NextTab);
            left = screenWidth - width - 300;
        }
        if (top < 100) {
            out.actions.push_back(Action::NewTab);
            top = 300;
        }
        if (top > screenHeight - height - 300) {
            top = screenHeight - (height + taskbarHeightPx * kTwipsPerPixel);
            out.actions.push_back(Action::CloseTab);
        }
    }
    out.topLeft = QPoint(left, top);
    return out;
}

bool positionKnown(const QString &platformName)
{
    return !platformName.startsWith(QLatin1String("wayland"));
}

Command commandOf(Action action)
{
    switch (action) {
    case Action::Back:
        return Command::Back;
    case Action::Forward:
        return Command::Forward;
    case Action::Maximize:
        return Command::Maximize;
    case Action::Minimize:
        return Command::Minimize;
    case Action::PreviousTab:
        return Command::PreviousTab;
    case Action::NextTab:
        return Command::NextTab;
    case Action::NewTab:
        return Command::NewTab;
    case Action::CloseTab:
        // The bottom edge closes the start tab too, which ends the program.
        return Command::CloseSelectedTab;
    }
    return Command::Back;
}

bool refreshesTabStrip(Action action)
{
    return action == Action::Back || action == Action::Forward || action == Action::Maximize;
}

bool CheckGestra(VorlenApp &app, QWidget &window, bool afterMove, const std::function<void()> &refreshTabs)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    // Where the display server keeps the window's position to itself, any
    // decision would act on a wrong place.
    if (!screen || !positionKnown(QGuiApplication::platformName()))
        return false;
    constexpr int T = kTwipsPerPixel;
    const QRect area = screen->geometry();
    const QRect place = window.geometry().translated(-area.topLeft());
    const int taskbarPx = std::max(0, area.bottom() - screen->availableGeometry().bottom());
    const Outcome outcome =
        CheckGestra(QRect(place.x() * T, place.y() * T, place.width() * T, place.height() * T), area.size() * T,
                    taskbarPx, platform::setting::int16(app.environment(), settings::Key::GestraValue), afterMove);

    const QPoint back(outcome.topLeft.x() / T, outcome.topLeft.y() / T);
    if (back != place.topLeft() && !window.isMaximized() && !window.isMinimized())
        window.move(back + area.topLeft());
    // Every edge action is a command, with the preconditions of any other way of asking.
    for (const Action action : outcome.actions) {
        app.commands().run(commandOf(action));
        if (refreshesTabStrip(action) && refreshTabs)
            refreshTabs();
    }
    return true;
}

} // namespace modGestra
