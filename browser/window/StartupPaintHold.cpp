#include "StartupPaintHold.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

StartupPaintHold::StartupPaintHold(const QList<QWidget *> &bars, int limitMs, QObject *parent)
    : QObject(parent)
    , m_limitMs(limitMs)
{
    for (QWidget *bar : bars) {
        if (bar)
            m_bars.append(bar);
    }
    // The first bar's first paint belongs to the window's first frame.
    if (!m_bars.isEmpty())
        m_bars.first()->installEventFilter(this);
}

StartupPaintHold::~StartupPaintHold()
{
    release();
}

bool StartupPaintHold::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && !m_held && !m_released) {
        watched->removeEventFilter(this);
        // After the frame that this paint is part of has gone out.
        QTimer::singleShot(0, this, [this] { hold(); });
    }
    return false;
}

void StartupPaintHold::hold()
{
    if (m_released || m_held)
        return;
    m_held = true;
    for (const QPointer<QWidget> &bar : std::as_const(m_bars)) {
        if (bar)
            bar->setUpdatesEnabled(false);
    }
    QTimer::singleShot(m_limitMs, this, [this] { release(); });
}

void StartupPaintHold::release()
{
    if (m_released)
        return;
    m_released = true;
    if (!m_bars.isEmpty() && m_bars.first())
        m_bars.first()->removeEventFilter(this);
    if (!m_held)
        return;
    // Enabling updates again repaints each bar as it is now.
    for (const QPointer<QWidget> &bar : std::as_const(m_bars)) {
        if (bar)
            bar->setUpdatesEnabled(true);
    }
}
