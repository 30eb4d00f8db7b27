// The window's input beyond its controls: the shortcut filter, and what follows
// a move of the window by its title strip (the blink of the fade effect and the
// window-edge commands, run once the move has ended).
#include "frmMain.h"
#include "frmMainParts.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/MoveEndWatch.h"
#include "browser/input/modGestra.h"
#include "browser/input/modKeyflint.h"
#include "browser/modes/modVitrel.h"
#include "platform/Settings.h"

#include <QApplication>

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
    if (!modGestra::CheckGestra(m_app, *this, afterMove, [this] { modTabStrip(); }))
        return;
    showFrameState(WindowState() == 2);
    m_app.afterStep().requestLayout();
}
