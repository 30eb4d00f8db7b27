#pragma once

class QString;
class QWidget;

namespace modRoundEdge {

// Clips the window to a rectangle with rounded corners of the given ellipse
// (pixels); 0 x 0 gives a plain rectangle.
void ApplyRoundEdge(QWidget *form, bool redraw, int ellipseWidth, int ellipseHeight);

// Whether the platform takes a window's mask for its input area only (Wayland),
// so that the corners must be cut by drawing the window transparent there.
bool PaintsCorners(const QString &platformName);

// Draws form with a transparent background cut to the rounded outline. Returns
// false when the window already exists without a transparent background.
bool PaintRoundEdge(QWidget *form, int ellipseWidth, int ellipseHeight);

} // namespace modRoundEdge
