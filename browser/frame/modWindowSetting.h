#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QtGlobal>

namespace platform {
class Environment;
}

// The decisions of the window placement, apart from the window: what the
// stored values say, where the window goes at start, and whether a stored
// transparency is offered. Positions and sizes are twips (15 per pixel).
namespace modWindowSetting {

inline constexpr int kTwipsPerPixel = 15;
// The size the first-run grading gives the window, twips.
inline constexpr int kFirstRunWidth = 8235;
inline constexpr int kFirstRunHeight = 5565;

// The placement values of the settings file. They are read into 32-bit
// integers, so a window on a large or second screen (beyond 32767 twips) comes
// back where it was.
struct Stored
{
    qint32 mode = 0;
    qint32 top = 0;
    qint32 left = 0;
    qint32 width = 0;
    qint32 height = 0;
};
Stored read(const platform::Environment &env);

struct Placement
{
    enum class Kind {
        Centre,     // centred on the primary screen, at rectPx when it is valid, else at the window's size
        Rect,       // at rectPx (normal state)
        Maximized,  // centred, then maximized
    };
    Kind kind = Kind::Centre;
    QRect rectPx;
};

// Where the window goes. screensPx: the geometries of the screens now
// attached, the primary first. A stored rectangle that lies on none of them (a
// screen was unplugged) is centred on the primary screen at its stored size,
// clamped to that screen. A settings file without a stored rectangle (written
// by hand or by an older copy) centres the window at the first-run size.
Placement decide(bool settingsFileExists, const Stored &stored, const QList<QRect> &screensPx);

// The rectangle centred on a screen, as the start centres a window.
QRect centred(const QRect &screenPx, const QSize &sizePx);

// The values written at exit, in the order they are written: mode, top, left,
// height, width (state 0 normal, 1 minimized, 2 maximized; the rectangle is
// the window's normal one, so a maximized or minimized window comes back at
// the size it had before).
struct Saved
{
    int mode = 0;
    QRect rectPx;
};
QList<std::pair<int, QString>> savedTexts(const Saved &saved); // (settings::Key as int, text)

// The stored transparency at start.
enum class VitrelOffer { None, Ask, Error };
VitrelOffer vitrelOffer(qint16 useValue, qint32 value);

} // namespace modWindowSetting
