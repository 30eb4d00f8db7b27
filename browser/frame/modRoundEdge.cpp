#include "modRoundEdge.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QRegion>
#include <QVariant>
#include <QWidget>

namespace modRoundEdge {

namespace {

constexpr const char *kShapeProperty = "roundEdgeShape";

QPainterPath roundedPath(const QSize &size, int ellipseWidth, int ellipseHeight)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), ellipseWidth / 2.0, ellipseHeight / 2.0);
    return path;
}

// One corner of a window that is drawn with a transparent background: it lies
// above every other child and clears what they painted outside the rounded
// outline, so the desktop shows through there.
class CornerEraser : public QWidget
{
public:
    explicit CornerEraser(QWidget *form)
        : QWidget(form)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setObjectName(QStringLiteral("roundEdgeCorner"));
    }

    QPainterPath outline; // the form's rounded outline, in form coordinates

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        QPainterPath outside;
        outside.addRect(QRectF(rect()));
        painter.fillPath(outside.subtracted(outline.translated(-QPointF(pos()))), Qt::black);
    }
};

// Paints the form's own background inside the outline (a transparent form no
// longer gets one from the window system) and keeps the four erasers on top.
class PaintedShape : public QObject
{
public:
    explicit PaintedShape(QWidget *form)
        : QObject(form)
        , m_form(form)
    {
        setObjectName(QStringLiteral("roundEdgePaintedShape"));
        for (auto *&corner : m_corners)
            corner = new CornerEraser(form);
        form->installEventFilter(this);
    }

    void setCorners(int ellipseWidth, int ellipseHeight)
    {
        m_outline = roundedPath(m_form->size(), ellipseWidth, ellipseHeight);
        const int w = std::max(1, (ellipseWidth + 1) / 2 + 1);
        const int h = std::max(1, (ellipseHeight + 1) / 2 + 1);
        const bool round = ellipseWidth > 0 && ellipseHeight > 0;
        const QPoint origins[] = {{0, 0}, {m_form->width() - w, 0}, {0, m_form->height() - h},
                                  {m_form->width() - w, m_form->height() - h}};
        for (int i = 0; i < 4; ++i) {
            m_corners[i]->outline = m_outline;
            m_corners[i]->setGeometry(QRect(origins[i], QSize(w, h)));
            m_corners[i]->setVisible(round);
            m_corners[i]->raise();
            m_corners[i]->update();
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_form)
            return false;
        if (event->type() == QEvent::Paint) {
            QPainter painter(m_form);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.fillPath(m_outline, m_form->palette().window());
        } else if (event->type() == QEvent::ChildAdded) {
            // A child added later would cover the corners: keep the erasers last.
            for (CornerEraser *corner : m_corners)
                corner->raise();
        }
        return false;
    }

private:
    QWidget *m_form;
    QPainterPath m_outline;
    CornerEraser *m_corners[4] = {};
};

} // namespace

bool PaintsCorners(const QString &platformName)
{
    return platformName.startsWith(QLatin1String("wayland"));
}

bool PaintRoundEdge(QWidget *form, int ellipseWidth, int ellipseHeight)
{
    if (!form)
        return false;
    auto *shape = form->findChild<PaintedShape *>(QStringLiteral("roundEdgePaintedShape"), Qt::FindDirectChildrenOnly);
    if (!shape) {
        // A transparent background can only be had before the window exists.
        if (form->testAttribute(Qt::WA_WState_Created) && !form->testAttribute(Qt::WA_TranslucentBackground))
            return false;
        form->setAttribute(Qt::WA_TranslucentBackground);
        shape = new PaintedShape(form);
    }
    shape->setCorners(ellipseWidth, ellipseHeight);
    return true;
}

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
    if (ellipseWidth <= 0 || ellipseHeight <= 0)
        region = QRegion(area);
    else
        region = QRegion(roundedPath(form->size(), ellipseWidth, ellipseHeight).toFillPolygon().toPolygon());
    // Under a compositor that takes the mask for the input area only, the
    // corners are cut by painting; the mask still keeps clicks off them.
    if (PaintsCorners(QGuiApplication::platformName()))
        PaintRoundEdge(form, ellipseWidth, ellipseHeight);
    form->setMask(region);
    if (redraw)
        form->update();
}

} // namespace modRoundEdge
