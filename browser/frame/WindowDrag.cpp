#include "WindowDrag.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <algorithm>

WindowDrag::WindowDrag(QWidget *window)
    : m_window(window)
{
}

bool WindowDrag::titleDragged(const QPoint &globalPos) const
{
    return m_titlePress && (globalPos - *m_titlePress).manhattanLength() >= QApplication::startDragDistance();
}

void WindowDrag::startMove(const QPoint &globalPos)
{
    m_titlePress.reset();
    QWindow *handle = m_window->windowHandle();
    if (handle && handle->startSystemMove())
        return;
    m_active = true;
    m_edges = {};
    m_origin = globalPos;
    m_start = m_window->geometry();
}

void WindowDrag::startResize(Qt::Edges edges, const QPoint &globalPos)
{
    QWindow *handle = m_window->windowHandle();
    if (handle && handle->startSystemResize(edges))
        return;
    m_active = true;
    m_edges = edges;
    m_origin = globalPos;
    m_start = m_window->geometry();
}

void WindowDrag::follow(const QPoint &globalPos)
{
    if (!m_active)
        return;
    const QPoint delta = globalPos - m_origin;
    QRect g = m_start;
    if (!m_edges) {
        m_window->move(g.topLeft() + delta);
        return;
    }
    if (m_edges & Qt::LeftEdge)
        g.setLeft(std::min(g.left() + delta.x(), g.right() - 1));
    if (m_edges & Qt::RightEdge)
        g.setRight(std::max(g.right() + delta.x(), g.left() + 1));
    if (m_edges & Qt::TopEdge)
        g.setTop(std::min(g.top() + delta.y(), g.bottom() - 1));
    if (m_edges & Qt::BottomEdge)
        g.setBottom(std::max(g.bottom() + delta.y(), g.top() + 1));
    m_window->setGeometry(g);
}
