#include "themebuilder/PictureButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace prismel {

PictureButton::PictureButton(const QPixmap &normal, const QPixmap &hover, const QPixmap &pressed,
                             QWidget *parent)
    : QWidget(parent)
    , m_normal(normal)
    , m_hover(hover)
    , m_pressed(pressed)
{
    setFixedSize(sizeHint());
    setCursor(Qt::ArrowCursor);
}

QSize PictureButton::sizeHint() const
{
    return m_normal.deviceIndependentSize().toSize();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPixmap &pic = m_down ? m_pressed : (m_under ? m_hover : m_normal);
    p.drawPixmap(rect(), pic);
}

void PictureButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_down = true;
    update();
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_down)
        return;
    m_down = false;
    update();
    const QPoint pos = event->position().toPoint();
    if (releaseTriggers(pos.x(), pos.y(), width(), height()))
        emit clicked();
}

void PictureButton::enterEvent(QEnterEvent *)
{
    m_under = true;
    update();
}

void PictureButton::leaveEvent(QEvent *)
{
    m_under = false;
    update();
}

} // namespace prismel
