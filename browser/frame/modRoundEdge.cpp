#include "modRoundEdge.h"

#include <QPainterPath>
#include <QRegion>
#include <QVariant>
#include <QWidget>

namespace modRoundEdge {

namespace {

constexpr const char *kShapeProperty = "roundEdgeShape";

} // namespace

void ApplyRoundEdge(QWidget *form, bool redraw, int ellipseWidth, int ellipseHeight)
{
    if (!form)
        return;
    const QRect area(0, 0, form->width(), form->height());
    // The region only changes with the size or the corners; the layout pass
    // asks for it after nearly every event.
    const QVariant shape = QRect(form->width(), form->height(), ellipseWidth, ellipseHeight);
    if (form->property(kShapeProperty) == shape)
        return;
    form->setProperty(kShapeProperty, shape);
    QRegion region;
    if (ellipseWidth <= 0 || ellipseHeight <= 0) {
        region = QRegion(area);
    } else {
        // The corner ellipse is the whole rounded corner, as with a round-rect region.
        QPainterPath path;
        path.addRoundedRect(QRectF(area), ellipseWidth / 2.0, ellipseHeight / 2.0);
        region = QRegion(path.toFillPolygon().toPolygon());
    }
    form->setMask(region);
    if (redraw)
        form->update();
}

} // namespace modRoundEdge
