#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QSize>
#include <QString>

// Qt can read GIF but not write it, so the tests make their own: a small encoder
// for pictures of up to four colours, still or animated, with an optional
// transparent colour.
namespace gifdata {

struct Params
{
    QSize size{8, 8};
    QList<QColor> palette{Qt::black, Qt::white, Qt::red, Qt::blue};  // four entries
    int frames = 1;
    int transparentIndex = -1;
    int seed = 0;  // varies the pixels so two pictures differ
};

QByteArray makeGif(const Params &params);

// Writes a GIF file and returns its path.
QString writeGif(const QString &path, const Params &params);
QString writeGif(const QString &path, QSize size, int seed = 0);

} // namespace gifdata
