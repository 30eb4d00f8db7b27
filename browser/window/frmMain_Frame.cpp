// The main window's frame: resizing by the edge pieces, moving by the title
// strip, and the minimize, maximize/restore and close buttons.
#include "frmMain.h"
#include "frmMainParts.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "browser/input/frmPopupMenu.h"
#include "browser/themes/modAmbrel.h"

#include <QMouseEvent>

void frmMain::Parts::setEdgeControlsEnabled(frmMain &f, bool enabled)
{
    for (PictureControl *edge : {f.ProgramDesignTopLeftEdge, f.ProgramDesignTopSize, f.ProgramDesignTopLine,
                                 f.ProgramDesignTopRightEdge, f.ProgramDesignRightLine, f.ProgramDesignBottomRightEdge,
                                 f.ProgramDesignBottomLine, f.ProgramDesignBottomLeftEdge, f.ProgramDesignLeftLine})
        edge->setEnabled(enabled);
}

void frmMain::showFrameState(bool maximized)
{
    modAmbrel::SetMaxButtonPicture(m_skin, true, maximized);
    SystemMaxButton->setToolTip(maximized ? QStringLiteral("이전 크기로 복원") : QStringLiteral("최대화"));
    Parts::setEdgeControlsEnabled(*this, !maximized);
}

void frmMain::Parts::refreshMaxButton(frmMain &f)
{
    const bool maximized = f.WindowState() == 2;
    modAmbrel::SetMaxButtonPicture(f.m_skin, true, maximized);
    f.SystemMaxButton->setToolTip(maximized ? QStringLiteral("이전 크기로 복원") : QStringLiteral("최대화"));
}

void frmMain::Parts::resizeByEdge(frmMain &f, Qt::MouseButton button, Qt::Edges edges)
{
    if (button != Qt::LeftButton)
        return;
    AfterStep step(f.m_app.afterStep(), AfterStep::Kind::TrimOnly);
    f.m_parts->drag.startResize(edges, QCursor::pos());
    Parts::refreshMaxButton(f);
    f.m_app.afterStep().requestLayout();
}

void frmMain::ProgramDesignTopLeftEdge_MouseDown(Qt::MouseButton Button)
{
    Parts::resizeByEdge(*this, Button, Qt::TopEdge | Qt::LeftEdge);
}

void frmMain::ProgramDesignTopSize_MouseDown(Qt::MouseButton Button)
{
    Parts::resizeByEdge(*this, Button, Qt::TopEdge);
}

void frmMain::ProgramDesignTopRightEdge_MouseDown(Qt::MouseButton Button)
{
    Parts::resizeByEdge(*this, Button, Qt::TopEdge | Qt::RightEdge);
}

void frmMain::ProgramDesignRightLine_MouseDown(Qt::MouseButton Button)
{
    Parts::resizeByEdge(*this, Button, Qt::RightEdge);
}

void frmMain::ProgramDesignBottomRightEdge_MouseDown(Qt::MouseButton Button)
{
    Parts::resizeByEdge(*this, Button, Qt::BottomEdge | Qt::RightEdge);
}

void frmMain::ProgramDesignBottomLine_MouseDown(Qt::MouseButton Button)
{
    Parts::resizeByEdge(*this, Button, Qt::BottomEdge);
}

void frmMain::ProgramDesignBottomLeftEdge_MouseDown(Qt::MouseButton Button)
{
    Parts::resizeByEdge(*this, Button, Qt::BottomEdge | Qt::LeftEdge);
}

void frmMain::ProgramDesignLeftLine_MouseDown(Qt::MouseButton Button)
{
    Parts::resizeByEdge(*this, Button, Qt::LeftEdge);
}

void frmMain::ProgramTitleBar_MouseDown(Qt::MouseButton Button)
{
    AfterStep step(m_app.afterStep());
    // The move starts once the pointer has travelled a little with the button
    // held, so that a double-click still reaches the title strip.
    if (Button == Qt::LeftButton && WindowState() == 0)
        m_parts->drag.pressTitle(QCursor::pos());
}

void frmMain::ProgramTitleBar_MouseUp(Qt::MouseButton)
{
    AfterStep step(m_app.afterStep());
    m_parts->drag.releaseTitle();
}

void frmMain::Parts::toggleMaximized(frmMain &f)
{
    const bool maximize = f.WindowState() != 2;
    f.showFrameState(maximize);
    f.setWindowStateValue(maximize ? 2 : 0);
}

void frmMain::ProgramTitleBar_DblClick()
{
    AfterStep step(m_app.afterStep());
    m_parts->drag.releaseTitle();
    Parts::toggleMaximized(*this);
}

void frmMain::SystemMinButton_MouseDown(Qt::MouseButton)
{
    modAmbrel::SetMinButtonPicture(m_skin, false);
}

void frmMain::SystemMinButton_MouseUp(Qt::MouseButton, int X, int Y)
{
    modAmbrel::SetMinButtonPicture(m_skin, true);
    if (releaseTriggers(X, Y, SystemMinButton->width(), SystemMinButton->height()))
        m_app.commands().run(Command::Minimize);
}

void frmMain::SystemMaxButton_MouseDown(Qt::MouseButton)
{
    AfterStep step(m_app.afterStep());
    modAmbrel::SetMaxButtonPicture(m_skin, false, WindowState() == 2);
}

void frmMain::SystemMaxButton_MouseUp(Qt::MouseButton, int X, int Y)
{
    AfterStep step(m_app.afterStep());
    Parts::refreshMaxButton(*this);
    if (releaseTriggers(X, Y, SystemMaxButton->width(), SystemMaxButton->height()))
        Parts::toggleMaximized(*this);
}

void frmMain::SystemExitButton_MouseDown(Qt::MouseButton)
{
    modAmbrel::SetExitButtonPicture(m_skin, false);
}

void frmMain::SystemExitButton_MouseUp(Qt::MouseButton, int X, int Y)
{
    modAmbrel::SetExitButtonPicture(m_skin, true);
    if (releaseTriggers(X, Y, SystemExitButton->width(), SystemExitButton->height()))
        m_app.commands().run(Command::Exit);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (watched == ProgramTitleBar && type == QEvent::MouseMove && m_parts->drag.titleDragged(QCursor::pos())) {
        AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
        m_parts->drag.startMove(QCursor::pos());
        // The window manager runs the move from here on: the steps that
        // follow it wait for its end.
        if (!m_parts->drag.manualActive())
            watchMoveEnd();
        Parts::refreshMaxButton(*this);
        m_app.afterStep().requestLayout();
        return false;
    }
    // The manual move or resize when the window manager cannot run one.
    if (m_parts->drag.manualActive() && (type == QEvent::MouseMove || type == QEvent::MouseButtonRelease)) {
        if (type == QEvent::MouseButtonRelease) {
            AfterStep step(m_app.afterStep());
            const bool moved = m_parts->drag.manualMove();
            m_parts->drag.finish();
            Parts::refreshMaxButton(*this);
            if (moved)
                afterTitleMove();
            return false;
        }
        m_parts->drag.follow(QCursor::pos());
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::setAmbrelMenuEnabled(bool enabled)
{
    m_parts->ambrelMenuEnabled = enabled;
    if (m_parts->popup)
        m_parts->popup->setAmbrelShowEnabled(enabled);
}
