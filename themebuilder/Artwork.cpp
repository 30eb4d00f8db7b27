#include "themebuilder/Artwork.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>

// Resources of a static library are registered by name; this has to happen
// outside any namespace.
static void registerBuilderResources()
{
    Q_INIT_RESOURCE(prismel);
}

namespace prismel::artwork {

namespace {

void ensureResources()
{
    // Registering twice is harmless; Qt keeps one copy per resource tree.
    registerBuilderResources();
}

} // namespace

QPixmap captionPicture(Caption caption, ButtonState state, qreal devicePixelRatio)
{
    const QSize size(30, 22);
    QPixmap pm(size * devicePixelRatio);
    pm.setDevicePixelRatio(devicePixelRatio);
    pm.fill(Qt::transparent);

    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(2, 2, -2, -2);

    QColor fill = Qt::transparent;
    if (caption == Caption::Close) {
        if (state == ButtonState::Hover)
            fill = QColor(0xd9, 0x43, 0x43);
        else if (state == ButtonState::Pressed)
            fill = QColor(0xa8, 0x26, 0x26);
    } else {
        if (state == ButtonState::Hover)
            fill = QColor(255, 255, 255, 48);
        else if (state == ButtonState::Pressed)
            fill = QColor(0, 0, 0, 70);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(box, 3, 3);

    QPen pen(QColor(0xf2, 0xf4, 0xff), 1.6);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    const QPointF c = box.center() + (state == ButtonState::Pressed ? QPointF(0.5, 0.5) : QPointF());
    if (caption == Caption::Minimize) {
        p.drawLine(c + QPointF(-5, 4), c + QPointF(5, 4));
    } else {
        p.drawLine(c + QPointF(-4.5, -4.5), c + QPointF(4.5, 4.5));
        p.drawLine(c + QPointF(-4.5, 4.5), c + QPointF(4.5, -4.5));
    }
    return pm;
}

QPixmap logo(int size, qreal devicePixelRatio)
{
    ensureResources();
    QPixmap source(QStringLiteral(":/prismel/logo.png"));
    if (source.isNull())
        return {};
    QPixmap scaled = source.scaled(QSize(size, size) * devicePixelRatio, Qt::KeepAspectRatio,
                                   Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(devicePixelRatio);
    return scaled;
}

QPixmap helpPicture(int which)
{
    ensureResources();
    return QPixmap(which == 1 ? QStringLiteral(":/prismel/help-joined-badly.png")
                              : QStringLiteral(":/prismel/help-joined-well.png"));
}

QString licenceText()
{
    ensureResources();
    QFile file(QStringLiteral(":/prismel/licence.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace prismel::artwork
