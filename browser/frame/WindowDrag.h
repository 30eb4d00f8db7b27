#pragma once

#include <QPoint>
#include <QRect>

#include <optional>

class QWidget;

// Moving and resizing a borderless window: the window manager runs the move or
// resize when it can; otherwise the window follows the mouse itself until the
// button is released. A press on the title strip starts the move only once the
// pointer has travelled the drag distance, so a double-click still arrives.
class WindowDrag
{
public:
    explicit WindowDrag(QWidget *window);

    void pressTitle(const QPoint &globalPos) { m_titlePress = globalPos; }
    void releaseTitle() { m_titlePress.reset(); }
    bool titlePressed() const { return m_titlePress.has_value(); }
    // True when a pressed title has been dragged far enough to start a move.
    bool titleDragged(const QPoint &globalPos) const;

    void startMove(const QPoint &globalPos);
    void startResize(Qt::Edges edges, const QPoint &globalPos);
    bool manualActive() const { return m_active; }
    // True while the manual drag moves the window (rather than resizing it).
    bool manualMove() const { return m_active && !m_edges; }

    // A mouse move of the manual drag.
    void follow(const QPoint &globalPos);
    // The button's release ends the manual drag.
    void finish() { m_active = false; }

private:
    QWidget *m_window;
    std::optional<QPoint> m_titlePress;
    bool m_active = false;
    Qt::Edges m_edges;
    QPoint m_origin;
    QRect m_start;
};
