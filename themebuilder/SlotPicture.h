#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace prismel {

// A picture chosen for one slot of the wizard. The file is read once, when it is
// chosen, so that what is written later is what the preview showed even if the
// source file changes or disappears in the meantime.
struct SlotPicture
{
    QString sourcePath;
    QByteArray bytes;   // the chosen file, byte for byte
    QByteArray format;  // as recognised from the content ("gif", "png", ...)
    QImage image;       // the first frame
    bool animated = false;

    bool isEmpty() const { return image.isNull(); }
};

// Reads and decodes a picture file; nothing when it cannot be read as a picture.
std::optional<SlotPicture> loadSlotPicture(const QString &path);

// The bytes that go into the pack for this picture: a GIF stays exactly as chosen
// (transparency and animation included); any other format is stored as PNG. The
// browser recognises pictures by content, so both load under the ".gif" name.
// Empty when the picture could not be encoded.
QByteArray packFileBytes(const SlotPicture &picture);

} // namespace prismel
