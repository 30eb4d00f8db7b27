#include "themebuilder/PicturePreview.h"

#include <QBuffer>
#include <QMovie>
#include <QPainter>

namespace prismel {

PicturePreview::PicturePreview(QSize pictureSize, bool framed, QWidget *parent)
    : QWidget(parent)
    , m_framed(framed)
{
    const int border = framed ? 2 : 0;
    setFixedSize(pictureSize + QSize(border, border));
}

void PicturePreview::setPicture(const SlotPicture &picture)
{
    delete m_movie;
    delete m_movieData;
    m_picture = picture;

    if (m_picture.animated) {
        // QMovie reads from the bytes kept in the slot, not from the source file.
        m_movieData = new QBuffer(this);
        m_movieData->setData(m_picture.bytes);
        m_movieData->open(QIODevice::ReadOnly);
        m_movie = new QMovie(m_movieData, QByteArray(), this);
        m_movie->setCacheMode(QMovie::CacheAll);
        connect(m_movie, &QMovie::frameChanged, this, [this] { update(); });
        m_movie->start();
    }
    update();
}

QImage PicturePreview::currentFrame() const
{
    if (m_movie && m_movie->isValid())
        return m_movie->currentImage();
    return m_picture.image;
}

bool PicturePreview::isAnimating() const
{
    return m_movie && m_movie->state() == QMovie::Running;
}

QRect PicturePreview::pictureRect() const
{
    return m_framed ? rect().adjusted(1, 1, -1, -1) : rect();
}

void PicturePreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect area = pictureRect();

    if (m_picture.isEmpty()) {
        // An empty slot: a soft hatched box that still shows the element's size.
        p.fillRect(area, QColor(0xee, 0xf0, 0xf6));
        p.setPen(QPen(QColor(0xc4, 0xca, 0xdc), 1));
        p.save();
        p.setClipRect(area);
        for (int x = area.left() - area.height(); x < area.right(); x += 6)
            p.drawLine(x, area.bottom(), x + area.height(), area.top());
        p.restore();
    } else {
        // Transparent parts show over a light checkerboard.
        const int cell = 4;
        p.save();
        p.setClipRect(area);
        for (int y = area.top(); y <= area.bottom(); y += cell) {
            for (int x = area.left(); x <= area.right(); x += cell) {
                const bool dark = ((x - area.left()) / cell + (y - area.top()) / cell) % 2;
                p.fillRect(x, y, cell, cell, dark ? QColor(0xdd, 0xdd, 0xdd) : Qt::white);
            }
        }
        p.restore();
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        p.drawImage(area, currentFrame());
    }

    if (m_framed) {
        p.setPen(QColor(0x8a, 0x93, 0xb0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace prismel
