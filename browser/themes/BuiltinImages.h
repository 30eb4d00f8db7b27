#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include <map>
#include <utility>

// The browser's own pictures: the image lists of the main window that supply
// every skinned element when no theme pack picture replaces it. The pictures
// live in the Qt resource "images" (prefix "/images"), each at 1x and @2x.
//
// Indices are 1-based, as the lists are numbered everywhere else in the
// program. The free dimension of a stretched piece (the width of TopLine,
// BottomLine and the toolbar background, the height of LeftLine and RightLine)
// is uniform, so the element can stretch it to any length.

enum class ImageList {
    SystemImageList,          // 8 frame pieces: corners, edges, top band
    SystemButtonImageList,    // 8 caption buttons: min, max, restore, close; each normal then pressed
    ProgramToolbarImagesList, // 9: toolbar background, back, forward, refresh, stop (normal, pressed)
    ProgramSidebarImagesList, // 8 side-bar buttons
    ProgramStatusImagesList,  // 5 connection icons
    ProgramStateList,         // 5 system-state icons
};

// Number of pictures in list.
int builtinCount(ImageList list);

// Size in device-independent pixels of picture index of list; an invalid size
// for an index outside 1..builtinCount(list).
QSize designedSize(ImageList list, int index);

// A greyed, faded copy of picture for a button that takes no input. Keeps the
// size and device pixel ratio; a null picture gives a null picture.
QPixmap disabledPicture(const QPixmap &picture);

// Registers the picture resource, which sits in a static library and is
// otherwise dropped by the linker. Safe to call any number of times.
void initBuiltinImages();

// Loads the built-in pictures and keeps each one once loaded.
//
// Identity: builtinPicture() returns copies of the one pixmap kept per
// (list, index), so every picture it hands out for the same list and index has
// the same QPixmap::cacheKey() for the life of this object. A control that
// shows such a copy (QLabel::setPixmap / pixmap()) keeps that key, which is how
// isBuiltin() tells "the built-in maximize picture is shown" from a theme
// pack's picture. Anything that changes the copy (scaling, setDevicePixelRatio,
// painting on it, going through a QIcon) makes a new pixmap that is no longer
// recognised.
class BuiltinImages
{
public:
    // devicePixelRatio picks the 1x pictures (1.0) or the @2x ones (above
    // 1.0); pass the ratio of the window that shows them.
    explicit BuiltinImages(qreal devicePixelRatio = 1.0);

    qreal devicePixelRatio() const { return m_devicePixelRatio; }

    // Picture index (1-based) of list at its designed size; a null pixmap for a
    // bad index.
    QPixmap builtinPicture(ImageList list, int index) const;

    // True when picture is (a copy of) builtinPicture(list, index).
    bool isBuiltin(const QPixmap &picture, ImageList list, int index) const;

    // The program icon, size x size device-independent pixels (16 is drawn
    // for the title strip; other sizes come from the 256 px artwork). Null for
    // a size below 1.
    QPixmap programIcon(int size) const;

    // The program icon at 16, 32 and 256 pixels, for the window icon; without
    // the large one, the 16 and 32 pixels a window starts with: the 256 pixel
    // picture costs its decoding and a quarter megabyte to the X server.
    QIcon windowIcon(bool withLarge = true) const;

private:
    qreal m_devicePixelRatio;
    mutable std::map<std::pair<int, int>, QPixmap> m_pictures;
    mutable std::map<int, QPixmap> m_icons;
};
