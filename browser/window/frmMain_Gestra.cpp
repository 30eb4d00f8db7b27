// The window's input beyond its controls: the shortcut filter, and what follows
// a move of the window by its title strip (the blink of the fade effect and the
// window-edge commands, run once the move has ended).
#include "frmMain.h"
#include "frmMainParts.h"

#include "Design.h"
#include "browser/core/VorlenApp.h"
#include "browser/frame/MoveEndWatch.h"
#include "browser/input/modGestra.h"
#include "browser/input/modKeyflint.h"
#include "browser/modes/modVitrel.h"
#include "platform/Settings.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

Keyflint &frmMain::keyflint()
{
    if (!m_parts->keyflint)
        m_parts->keyflint = std::make_unique<Keyflint>(
            [this](Command c) { m_app.commands().run(c); },
            // Only while this window is the one in front; another program's keys
            // never arrive here at all.
            [this] { return QApplication::activeWindow() == this && isEnabled(); });
    return *m_parts->keyflint;
}

void frmMain::StartKeyflint()
{
    if (platform::setting::int16(m_app.environment(), settings::Key::KeyflintValue) == 1)
        keyflint().hook();
}

void frmMain::UnhookKeyflint()
{
    if (m_parts->keyflint)
        m_parts->keyflint->unhook();
}

bool frmMain::keyflintHooked() const
{
    return m_parts->keyflint && m_parts->keyflint->hooked();
}

void frmMain::watchMoveEnd()
{
    if (!m_parts->moveEnd) {
        m_parts->moveEnd = new MoveEndWatch(this, this);
        connect(m_parts->moveEnd, &MoveEndWatch::ended, this, &frmMain::afterTitleMove);
    }
    m_parts->moveEnd->start();
}

void frmMain::afterTitleMove()
{
    AfterStep step(m_app.afterStep());
    modVitrel::VitrelBlink(m_app.environment(), this, m_app.opacityShows(this));
    CheckGestra(true);
}

void frmMain::CheckGestra(bool afterMove)
{
    AfterStep step(m_app.afterStep());
    QScreen *screen = QGuiApplication::primaryScreen();
    // Where the display server keeps the window's position to itself, any
    // decision would act on a wrong place.
    if (!screen || !modGestra::positionKnown(QGuiApplication::platformName()))
        return;
    constexpr int T = design::kTwipsPerPixel;
    const QRect area = screen->geometry();
    const QRect window = geometry().translated(-area.topLeft());
    const int taskbarPx = std::max(0, area.bottom() - screen->availableGeometry().bottom());
    const modGestra::Outcome outcome =
        modGestra::CheckGestra(QRect(window.x() * T, window.y() * T, window.width() * T, window.height() * T),
                               area.size() * T, taskbarPx,
                               platform::setting::int16(m_app.environment(), settings::Key::GestraValue), afterMove);

    const QPoint place(outcome.topLeft.x() / T, outcome.topLeft.y() / T);
    if (place != window.topLeft() && WindowState() == 0)
        move(place + area.topLeft());

    // Every edge action is a command, with the preconditions of any other way of asking.
    Commands &commands = m_app.commands();
    using A = modGestra::Action;
    for (const A action : outcome.actions) {
        switch (action) {
        case A::Back:
            commands.run(Command::Back);
            modTabStrip();
            break;
        case A::Forward:
            commands.run(Command::Forward);
            modTabStrip();
            break;
        case A::Maximize:
            commands.run(Command::Maximize);
            modTabStrip();
            break;
        case A::Minimize:
            commands.run(Command::Minimize);
            break;
        case A::PreviousTab:
            commands.run(Command::PreviousTab);
            break;
        case A::NextTab:
            commands.run(Command::NextTab);
            break;
        case A::NewTab:
            commands.run(Command::NewTab);
            break;
        case A::CloseTab:
            commands.run(Command::CloseSelectedTab);
            break;
        }
    }
    Parts::refreshMaxButton(*this);
    Parts::setEdgeControlsEnabled(*this, WindowState() != 2);
    m_app.afterStep().requestLayout();
}
