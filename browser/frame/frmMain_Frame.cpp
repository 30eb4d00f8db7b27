// The main window's frame: resizing by the edge pieces, moving by the title
// strip, and the minimize, maximize/restore and close buttons.
#include "browser/window/frmMain.h"

#include "LabelControl.h"
#include "PictureControl.h"
#include "browser/startup/VorlenApp.h"
#include "browser/startup/modBase.h"
#include "browser/themes/modAmbrel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

void frmMain::setEdgeControlsEnabled(bool enabled)
{
    for (PictureControl *edge : {ProgramDesignTopLeftEdge, ProgramDesignTopSize, ProgramDesignTopLine,
                                 ProgramDesignTopRightEdge, ProgramDesignRightLine, ProgramDesignBottomRightEdge,
                                 ProgramDesignBottomLine, ProgramDesignBottomLeftEdge, ProgramDesignLeftLine})
        edge->setEnabled(enabled);
}

void frmMain::refreshMaxButton()
{
    const bool maximized = WindowState() == 2;
    modAmbrel::SetMaxButtonPicture(m_app, true, maximized);
    SystemMaxButton->setToolTip(maximized ? QStringLiteral("이전 크기로 복원") : QStringLiteral("최대화"));
}

void frmMain::resizeByEdge(Qt::MouseButton button, Qt::Edges edges)
{
    if (button != Qt::LeftButton)
        return;
    // The window manager runs the resize when it can; otherwise the window
    // follows the mouse itself until the button is released.
    QWindow *handle = windowHandle();
    if (!handle || !handle->startSystemResize(edges))
        m_drag = Drag{true, edges, QCursor::pos(), geometry()};
    refreshMaxButton();
    modBase::ArrangeMainWindow(m_app);
}

void frmMain::ProgramDesignTopLeftEdge_MouseDown(Qt::MouseButton Button)
{
    resizeByEdge(Button, Qt::TopEdge | Qt::LeftEdge);
}

void frmMain::ProgramDesignTopSize_MouseDown(Qt::MouseButton Button)
{
    resizeByEdge(Button, Qt::TopEdge);
}

void frmMain::ProgramDesignTopRightEdge_MouseDown(Qt::MouseButton Button)
{
    resizeByEdge(Button, Qt::TopEdge | Qt::RightEdge);
}

void frmMain::ProgramDesignRightLine_MouseDown(Qt::MouseButton Button)
{
    resizeByEdge(Button, Qt::RightEdge);
}

void frmMain::ProgramDesignBottomRightEdge_MouseDown(Qt::MouseButton Button)
{
    resizeByEdge(Button, Qt::BottomEdge | Qt::RightEdge);
}

void frmMain::ProgramDesignBottomLine_MouseDown(Qt::MouseButton Button)
{
    resizeByEdge(Button, Qt::BottomEdge);
}

void frmMain::ProgramDesignBottomLeftEdge_MouseDown(Qt::MouseButton Button)
{
    resizeByEdge(Button, Qt::BottomEdge | Qt::LeftEdge);
}

void frmMain::ProgramDesignLeftLine_MouseDown(Qt::MouseButton Button)
{
    resizeByEdge(Button, Qt::LeftEdge);
}

void frmMain::ProgramTitleBar_MouseDown(Qt::MouseButton Button)
{
    CurrentTab = currentTabIndex();
    // The move starts once the pointer has travelled a little with the button
    // held, so that a double-click still reaches the title strip.
    if (Button == Qt::LeftButton && WindowState() == 0)
        m_titlePress = QCursor::pos();
    modBase::TrimWorkingSet(m_app);
    modBase::ArrangeMainWindow(m_app);
}

void frmMain::moveByTitleBar()
{
    m_titlePress.reset();
    QWindow *handle = windowHandle();
    if (!handle || !handle->startSystemMove())
        m_drag = Drag{true, Qt::Edges(), QCursor::pos(), geometry()};
    refreshMaxButton();
    modBase::ArrangeMainWindow(m_app);
}

void frmMain::ProgramTitleBar_MouseUp(Qt::MouseButton)
{
    m_titlePress.reset();
    modBase::TrimWorkingSet(m_app);
    modBase::ArrangeMainWindow(m_app);
}

void frmMain::toggleMaximized()
{
    if (WindowState() == 2) {
        modAmbrel::SetMaxButtonPicture(m_app, true, false);
        SystemMaxButton->setToolTip(QStringLiteral("최대화"));
        setWindowStateValue(0);
        setEdgeControlsEnabled(true);
    } else {
        modAmbrel::SetMaxButtonPicture(m_app, true, true);
        SystemMaxButton->setToolTip(QStringLiteral("이전 크기로 복원"));
        setWindowStateValue(2);
        setEdgeControlsEnabled(false);
    }
}

void frmMain::ProgramTitleBar_DblClick()
{
    CurrentTab = currentTabIndex();
    m_titlePress.reset();
    toggleMaximized();
    modBase::TrimWorkingSet(m_app);
    modBase::ArrangeMainWindow(m_app);
}

void frmMain::SystemMinButton_MouseDown(Qt::MouseButton)
{
    CurrentTab = currentTabIndex();
    modAmbrel::SetMinButtonPicture(m_app, false);
}

void frmMain::SystemMinButton_MouseUp(Qt::MouseButton, int X, int Y)
{
    CurrentTab = currentTabIndex();
    modAmbrel::SetMinButtonPicture(m_app, true);
    if (releaseTriggers(X, Y, SystemMinButton->width(), SystemMinButton->height()))
        setWindowStateValue(1);
}

void frmMain::SystemMaxButton_MouseDown(Qt::MouseButton)
{
    CurrentTab = currentTabIndex();
    modAmbrel::SetMaxButtonPicture(m_app, false, WindowState() == 2);
    modBase::ArrangeMainWindow(m_app);
    modBase::TrimWorkingSet(m_app);
}

void frmMain::SystemMaxButton_MouseUp(Qt::MouseButton, int X, int Y)
{
    CurrentTab = currentTabIndex();
    refreshMaxButton();
    if (releaseTriggers(X, Y, SystemMaxButton->width(), SystemMaxButton->height()))
        toggleMaximized();
    modBase::ArrangeMainWindow(m_app);
    modBase::TrimWorkingSet(m_app);
}

void frmMain::SystemExitButton_MouseDown(Qt::MouseButton)
{
    CurrentTab = currentTabIndex();
    modAmbrel::SetExitButtonPicture(m_app, false);
}

void frmMain::SystemExitButton_MouseUp(Qt::MouseButton, int X, int Y)
{
    CurrentTab = currentTabIndex();
    modAmbrel::SetExitButtonPicture(m_app, true);
    if (releaseTriggers(X, Y, SystemExitButton->width(), SystemExitButton->height())) {
        int Cancel = 0;
        Form_Unload(Cancel);
    }
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ProgramTitleBar && m_titlePress && event->type() == QEvent::MouseMove
        && (QCursor::pos() - *m_titlePress).manhattanLength() >= QApplication::startDragDistance()) {
        moveByTitleBar();
        return false;
    }
    // The manual move or resize when the window manager cannot run one.
    if (m_drag.active && (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease)) {
        if (event->type() == QEvent::MouseButtonRelease) {
            m_drag.active = false;
            refreshMaxButton();
            modBase::ArrangeMainWindow(m_app);
            return false;
        }
        const QPoint delta = QCursor::pos() - m_drag.origin;
        QRect g = m_drag.start;
        if (!m_drag.edges) {
            move(g.topLeft() + delta);
            return false;
        }
        if (m_drag.edges & Qt::LeftEdge)
            g.setLeft(std::min(g.left() + delta.x(), g.right() - 1));
        if (m_drag.edges & Qt::RightEdge)
            g.setRight(std::max(g.right() + delta.x(), g.left() + 1));
        if (m_drag.edges & Qt::TopEdge)
            g.setTop(std::min(g.top() + delta.y(), g.bottom() - 1));
        if (m_drag.edges & Qt::BottomEdge)
            g.setBottom(std::max(g.bottom() + delta.y(), g.top() + 1));
        setGeometry(g);
        return false;
    }
    return QWidget::eventFilter(watched, event);
}
