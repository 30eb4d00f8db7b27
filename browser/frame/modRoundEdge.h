#pragma once

class QWidget;

namespace modRoundEdge {

// Clips the window to a rectangle with rounded corners of the given ellipse
// (pixels); 0 x 0 gives a plain rectangle.
void ApplyRoundEdge(QWidget *form, bool redraw, int ellipseWidth, int ellipseHeight);

} // namespace modRoundEdge
