#pragma once

#include <QPixmap>
#include <QString>

// The wizard's own pictures: the caption buttons are drawn here; the logo, the two
// help illustrations and the licence text come from the program's resources.
namespace prismel::artwork {

enum class Caption { Minimize, Close };
enum class ButtonState { Normal, Hover, Pressed };

// Caption button picture, 30 x 22 logical pixels, for the given device-pixel ratio.
QPixmap captionPicture(Caption caption, ButtonState state, qreal devicePixelRatio);
// The Ambrel logo scaled to size x size logical pixels.
QPixmap logo(int size, qreal devicePixelRatio);
// The help illustrations: 1 = badly joined frame, 2 = well joined frame.
QPixmap helpPicture(int which);
QString licenceText();

} // namespace prismel::artwork
