#include "LabelControl.h"

#include <QMouseEvent>

LabelControl::LabelControl(const QString &name, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(name);
}

void LabelControl::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    Q_EMIT MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void LabelControl::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    const bool inside = rect().contains(p);
    Q_EMIT MouseUp(event->button(), event->modifiers(), p.x(), p.y());
    if (inside && event->button() == Qt::LeftButton)
        Q_EMIT Click();
}

void LabelControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT DblClick();
}
