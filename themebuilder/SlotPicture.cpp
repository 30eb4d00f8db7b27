#include "themebuilder/SlotPicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>

namespace prismel {

std::optional<SlotPicture> loadSlotPicture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;

    SlotPicture picture;
    picture.sourcePath = path;
    picture.bytes = file.readAll();
    if (picture.bytes.isEmpty())
        return std::nullopt;

    // Decide the format from the content, never from the name.
    QBuffer buffer(&picture.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    picture.format = reader.format().toLower();
    picture.animated = reader.supportsAnimation() && reader.imageCount() > 1;
    picture.image = reader.read();
    if (picture.image.isNull())
        return std::nullopt;
    return picture;
}

QByteArray packFileBytes(const SlotPicture &picture)
{
    if (picture.isEmpty())
        return {};
    if (picture.format == "gif" && !picture.bytes.isEmpty())
        return picture.bytes;

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture.image))
        return {};
    return png;
}

} // namespace prismel
