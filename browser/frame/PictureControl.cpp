#include "PictureControl.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

PictureControl::PictureControl(const QString &name, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_TranslucentBackground);
}

void PictureControl::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    m_disabled = QPixmap();
    update();
}

void PictureControl::setStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void PictureControl::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    const QPixmap *shown = &m_picture;
    if (!isEnabled() && m_greyWhenDisabled) {
        if (m_disabled.isNull()) {
            QStyleOption option;
            option.initFrom(this);
            m_disabled = style()->generatedIconPixmap(QIcon::Disabled, m_picture, &option);
        }
        shown = &m_disabled;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_stretch) {
        painter.drawPixmap(rect(), *shown);
    } else {
        const QSize size = shown->deviceIndependentSize().toSize();
        painter.drawPixmap(QRect(QPoint(0, (height() - size.height()) / 2), size), *shown);
    }
}

void PictureControl::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    Q_EMIT MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void PictureControl::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    const bool inside = rect().contains(p);
    Q_EMIT MouseUp(event->button(), event->modifiers(), p.x(), p.y());
    if (inside && event->button() == Qt::LeftButton)
        Q_EMIT Click();
}

void PictureControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT DblClick();
    else
        mousePressEvent(event);
}

void PictureControl::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}
