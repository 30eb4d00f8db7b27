// What follows a move of the window by its title strip: the blink of the fade
// effect and the window-edge commands, run once the move has ended.
#include "frmMain.h"
#include "frmMainParts.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/MoveEndWatch.h"
#include "browser/input/modGestra.h"
#include "browser/modes/modVitrel.h"
#include "platform/Settings.h"


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
