#pragma once

#include "themebuilder/SlotPicture.h"

#include <QPointer>
#include <QWidget>

class QBuffer;
class QMovie;

namespace prismel {

// The preview of one picture slot. It holds the slot's picture (its only state)
// and shows it stretched over the element's size, animated when the GIF is.
// A framed preview draws a one-pixel border around that area.
class PicturePreview : public QWidget
{
    Q_OBJECT
public:
    PicturePreview(QSize pictureSize, bool framed, QWidget *parent = nullptr);

    void setPicture(const SlotPicture &picture);
    const SlotPicture &picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isEmpty(); }
    // The frame shown now (the first frame of a still picture).
    QImage currentFrame() const;
    bool isAnimating() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect pictureRect() const;

    SlotPicture m_picture;
    bool m_framed;
    QPointer<QBuffer> m_movieData;
    QPointer<QMovie> m_movie;
};

} // namespace prismel
