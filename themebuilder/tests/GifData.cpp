#include "GifData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace gifdata {

namespace {

void putWord(QByteArray &out, int v)
{
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

// LZW with a two-bit alphabet that never grows past three-bit codes: a clear code
// before every pair of pixels keeps the table at its first free entry.
QByteArray lzwData(const QByteArray &pixels)
{
    QByteArray bytes;
    quint32 acc = 0;
    int bits = 0;
    auto emitCode = [&](int code) {
        acc |= quint32(code) << bits;
        bits += 3;
        while (bits >= 8) {
            bytes.append(char(acc & 0xff));
            acc >>= 8;
            bits -= 8;
        }
    };
    for (qsizetype i = 0; i < pixels.size(); ++i) {
        if (i % 2 == 0)
            emitCode(4);  // clear
        emitCode(pixels[i] & 3);
    }
    emitCode(5);  // end of information
    if (bits > 0)
        bytes.append(char(acc & 0xff));

    QByteArray blocks;
    blocks.append(char(2));  // minimum code size
    for (qsizetype at = 0; at < bytes.size(); at += 255) {
        const QByteArray chunk = bytes.mid(at, 255);
        blocks.append(char(chunk.size()));
        blocks.append(chunk);
    }
    blocks.append(char(0));
    return blocks;
}

} // namespace

QByteArray makeGif(const Params &params)
{
    const int w = params.size.width(), h = params.size.height();
    QByteArray out("GIF89a");
    putWord(out, w);
    putWord(out, h);
    out.append(char(0x91));  // global colour table of four entries
    out.append(char(0));
    out.append(char(0));
    for (int i = 0; i < 4; ++i) {
        const QColor c = params.palette.value(i, Qt::black);
        out.append(char(c.red()));
        out.append(char(c.green()));
        out.append(char(c.blue()));
    }
    if (params.frames > 1) {
        out.append("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    }
    for (int f = 0; f < params.frames; ++f) {
        out.append(char(0x21));
        out.append(char(0xf9));
        out.append(char(4));
        out.append(char((2 << 2) | (params.transparentIndex >= 0 ? 1 : 0)));
        putWord(out, 10);
        out.append(char(params.transparentIndex >= 0 ? params.transparentIndex : 0));
        out.append(char(0));

        out.append(char(0x2c));
        putWord(out, 0);
        putWord(out, 0);
        putWord(out, w);
        putWord(out, h);
        out.append(char(0));

        QByteArray pixels(qsizetype(w) * h, 0);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x)
                pixels[y * w + x] = char((x + y + f + params.seed) % 4);
        }
        out.append(lzwData(pixels));
    }
    out.append(char(0x3b));
    return out;
}

QString writeGif(const QString &path, const Params &params)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(makeGif(params));
    return path;
}

QString writeGif(const QString &path, QSize size, int seed)
{
    Params params;
    params.size = size;
    params.seed = seed;
    return writeGif(path, params);
}

} // namespace gifdata
