#include "modRoundEdge.h"

#include <QPainterPath>
#include <QRegion>
#include <QWidget>

namespace modRoundEdge {

void ApplyRoundEdge(QWidget *form, bool redraw, int ellipseWidth, int ellipseHeight)
{
    if (!form)
        return;
    const QRect area(0, 0, form->width(), form->height());
    QRegion region;
    if (ellipseWidth <= 0 || ellipseHeight <= 0) {
        region = QRegion(area);
    } else {
        // The corner ellipse is the whole rounded corner, as with a round-rect region.
        QPainterPath path;
        path.addRoundedRect(QRectF(area), ellipseWidth / 2.0, ellipseHeight / 2.0);
        region = QRegion(path.toFillPolygon().toPolygon());
    }
    if (form->mask() == region)
        return;
    form->setMask(region);
    if (redraw)
        form->update();
}

} // namespace modRoundEdge
