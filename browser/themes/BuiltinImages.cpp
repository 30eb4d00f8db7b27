#include "BuiltinImages.h"

#include <QImage>
#include <QtGlobal>

#include <cmath>
#include <span>

// Q_INIT_RESOURCE declares a function at the scope it is used in, so it must
// stay outside any namespace.
void initBuiltinImages()
{
    Q_INIT_RESOURCE(images);
}

namespace {

struct Picture
{
    const char *file; // resource name without ".png"
    int width;
    int height;
};

constexpr Picture kFrame[] = {
    {"TopLeftEdge", 9, 25},    {"TopLine", 16, 25},       {"TopRightEdge", 9, 25},  {"RightLine", 9, 16},
    {"BottomRightEdge", 9, 8}, {"BottomLine", 16, 8},     {"BottomLeftEdge", 9, 8}, {"LeftLine", 9, 16},
};

constexpr Picture kCaptionButtons[] = {
    {"SystemMinButton", 33, 17},    {"SystemMinButtonPress", 33, 17},    {"SystemMaxButton", 33, 17},
    {"SystemMaxButtonPress", 33, 17}, {"SystemBeforeButton", 33, 17}, {"SystemBeforeButtonPress", 33, 17},
    {"SystemExitButton", 33, 17},   {"SystemExitButtonPress", 33, 17},
};

constexpr Picture kToolbar[] = {
    {"ToolbarBackgroundImage", 16, 39}, {"BackButton", 45, 39},   {"BackButtonPress", 45, 39},
    {"ForwardButton", 45, 39},          {"ForwardButtonPress", 45, 39}, {"RefreshButton", 29, 25},
    {"RefreshButtonPress", 29, 25},     {"StopButton", 29, 25},   {"StopButtonPress", 29, 25},
};

constexpr Picture kSidebar[] = {
    {"FavoriteButton", 25, 25},    {"SearchButton", 25, 25}, {"DesignModeButton", 25, 25},
    {"ScriptErrorsButton", 25, 25}, {"TaskManagerButton", 25, 25}, {"VitrelButton", 25, 25},
    {"PanovelButton", 25, 25},     {"NotepadButton", 25, 25},
};

constexpr Picture kStatus[] = {
    {"StatusIdle", 16, 16},    {"StatusOffline", 16, 16},  {"StatusError", 16, 16},
    {"StatusLoading", 16, 16}, {"StatusComplete", 16, 16},
};

constexpr Picture kState[] = {
    {"StateOff", 16, 16},         {"StateSafe", 16, 16},   {"StateOffline", 16, 16},
    {"StateFirewallOff", 16, 16}, {"StateDanger", 16, 16},
};

std::span<const Picture> pictures(ImageList list)
{
    switch (list) {
    case ImageList::SystemImageList:
        return kFrame;
    case ImageList::SystemButtonImageList:
        return kCaptionButtons;
    case ImageList::ProgramToolbarImagesList:
        return kToolbar;
    case ImageList::ProgramSidebarImagesList:
        return kSidebar;
    case ImageList::ProgramStatusImagesList:
        return kStatus;
    case ImageList::ProgramStateList:
        return kState;
    }
    return {};
}

const Picture *find(ImageList list, int index)
{
    const auto all = pictures(list);
    if (index < 1 || index > int(all.size()))
        return nullptr;
    return &all[index - 1];
}

bool wantsDouble(qreal devicePixelRatio)
{
    return devicePixelRatio > 1.0;
}

QPixmap loadResource(const QString &baseName, bool twice)
{
    const QString path = QLatin1String(":/images/") + baseName + (twice ? QLatin1String("@2x.png")
                                                                             : QLatin1String(".png"));
    QPixmap pixmap(path);
    if (!pixmap.isNull())
        pixmap.setDevicePixelRatio(twice ? 2.0 : 1.0);
    return pixmap;
}

} // namespace

int builtinCount(ImageList list)
{
    return int(pictures(list).size());
}

QSize designedSize(ImageList list, int index)
{
    const Picture *picture = find(list, index);
    return picture ? QSize(picture->width, picture->height) : QSize();
}

QPixmap disabledPicture(const QPixmap &picture)
{
    if (picture.isNull())
        return {};
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = line[x];
            // Grey by luminance, squeezed towards the middle so that neither
            // the glyph nor the body stands out, and half transparent so the
            // toolbar shows through.
            const int grey = 70 + qGray(rgb) * 45 / 100;
            line[x] = qRgba(grey, grey, grey, qAlpha(rgb) * 55 / 100);
        }
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(picture.devicePixelRatio());
    return result;
}

BuiltinImages::BuiltinImages(qreal devicePixelRatio)
    : m_devicePixelRatio(devicePixelRatio > 0 ? devicePixelRatio : 1.0)
{
    initBuiltinImages();
}

QPixmap BuiltinImages::builtinPicture(ImageList list, int index) const
{
    const Picture *picture = find(list, index);
    if (!picture)
        return {};
    const auto key = std::make_pair(int(list), index);
    const auto it = m_pictures.find(key);
    if (it != m_pictures.end())
        return it->second;
    const QPixmap pixmap = loadResource(QLatin1String(picture->file), wantsDouble(m_devicePixelRatio));
    if (!pixmap.isNull())
        m_pictures.emplace(key, pixmap);
    return pixmap;
}

bool BuiltinImages::isBuiltin(const QPixmap &picture, ImageList list, int index) const
{
    if (picture.isNull())
        return false;
    const QPixmap builtin = builtinPicture(list, index);
    return !builtin.isNull() && builtin.cacheKey() == picture.cacheKey();
}

QPixmap BuiltinImages::programIcon(int size) const
{
    if (size < 1)
        return {};
    const auto it = m_icons.find(size);
    if (it != m_icons.end())
        return it->second;

    const int pixels = int(std::lround(size * m_devicePixelRatio));
    QPixmap source;
    if (pixels <= 16)
        source = loadResource(QStringLiteral("ProgramIcon"), false);
    else if (pixels <= 32)
        source = loadResource(QStringLiteral("ProgramIcon"), true);
    else
        source = loadResource(QStringLiteral("ProgramIcon256"), false);
    if (source.isNull())
        return {};
    QPixmap icon = source.width() == pixels
        ? source
        : source.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    icon.setDevicePixelRatio(m_devicePixelRatio);
    m_icons.emplace(size, icon);
    return icon;
}

QIcon BuiltinImages::windowIcon(bool withLarge) const
{
    QIcon icon;
    icon.addPixmap(loadResource(QStringLiteral("ProgramIcon"), false));
    QPixmap medium = loadResource(QStringLiteral("ProgramIcon"), true);
    medium.setDevicePixelRatio(1.0); // 32 px for the task switcher, not a sharper 16
    icon.addPixmap(medium);
    if (withLarge)
        icon.addPixmap(loadResource(QStringLiteral("ProgramIcon256"), false));
    return icon;
}
