#include "Progressbar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>

namespace progressbar {

namespace {

// Halves go to the even neighbour (banker's rounding, as BASIC converts), so
// that shades and bar ends come out on the same pixels.
int roundEven(double v)
{
    return int(std::nearbyint(v));
}

QRgb toRgb(int c)
{
    return qRgb(red(c), green(c), blue(c));
}

int fromColor(const QColor &color)
{
    return rgb(color.red(), color.green(), color.blue());
}

// One component running from `from` (t = 0) to `to` (t = 1).
int blend(int from, int to, double t)
{
    return std::clamp(roundEven(from + t * (to - from)), 0, 255);
}

int blendColor(int from, int to, double t)
{
    return rgb(blend(red(from), red(to), t), blend(green(from), green(to), t),
               blend(blue(from), blue(to), t));
}

// Share of the range that the value covers; nullopt when the range is empty.
std::optional<double> fillRatio(int min, int max, int value)
{
    if (max <= min)
        return std::nullopt;
    return (double(value) - double(min)) / (double(max) - double(min));
}

} // namespace

int lighten(int c, int a)
{
    const auto one = [a](int x) { return std::clamp(roundEven(x * (255.0 - a) / 255.0 + a), 0, 255); };
    return rgb(one(red(c)), one(green(c)), one(blue(c)));
}

int topShade(int height)
{
    return roundEven(height / 24.0 * 7.0);
}

int bottomShade(int height)
{
    return roundEven(height / 24.0 * 6.0);
}

int rowColor(int y, int height, int barColor)
{
    const int top = topShade(height);
    const int bottom = bottomShade(height);
    const int light1 = lighten(barColor, 153);
    const int light2 = lighten(barColor, 137);

    if (y < top + 2) {
        // A shade of a single row has nowhere to run; it shows the tint.
        const double t = top > 1 ? double(y - 3) / double(top - 1) : 0.0;
        return blendColor(light1, barColor, t);
    }
    if (y == top + 2)
        return barColor;
    if (y == height - 4)
        return light2;
    const int bottomStart = height - bottom - 4;
    if (y > bottomStart) {
        const double t = bottom > 1 ? double(y - bottomStart) / double(bottom - 1) : 1.0;
        return blendColor(barColor, light2, t);
    }
    return barColor;
}

Blocks blocks(int min, int max, int value, int scrollingType, QSize size)
{
    Blocks result;
    const int w = size.width();
    const int h = size.height();
    const std::optional<double> ratio = fillRatio(min, max, value);
    if (!ratio)
        return result; // nothing to fill; min == max means value == max, so nothing to clear either

    const int filled = std::max(0, roundEven(*ratio * (w - 8)));
    result.filledRight = 4 + filled;

    if (scrollingType != kBlocksCleared && scrollingType != kBlocks)
        return result;

    const int n = filled / 8;
    result.separatorColumns.reserve(2 * n);
    for (int k = 1; k <= n; ++k)
        result.separatorColumns << 8 * k + 2 << 8 * k + 3;

    if (scrollingType == kBlocksCleared && value != max) {
        const QRect clear(QPoint(n * 8 + 4, 3), QPoint(w - 4, h - 4));
        if (!clear.isEmpty())
            result.clearRect = clear;
    }
    return result;
}

QRegion windowShape(QSize size)
{
    const int w = size.width();
    const int h = size.height();
    QRegion shape(0, 0, w, h);
    if (w < 4 || h < 4)
        return shape;
    // Per corner: two pixels of the outer row, one of the next row.
    shape -= QRegion(0, 0, 2, 1);
    shape -= QRegion(0, 1, 1, 1);
    shape -= QRegion(w - 2, 0, 2, 1);
    shape -= QRegion(w - 1, 1, 1, 1);
    shape -= QRegion(0, h - 1, 2, 1);
    shape -= QRegion(0, h - 2, 1, 1);
    shape -= QRegion(w - 2, h - 1, 2, 1);
    shape -= QRegion(w - 1, h - 2, 1, 1);
    return shape;
}

int resolveColor(int value, const QPalette &palette)
{
    if (value >= 0)
        return value;

    struct Entry
    {
        QPalette::ColorGroup group;
        QPalette::ColorRole role;
    };
    constexpr auto A = QPalette::Active;
    constexpr auto D = QPalette::Disabled;
    constexpr auto I = QPalette::Inactive;
    // The system colour table by index, as near as the palette comes.
    static constexpr std::array<Entry, 31> table{{
        {A, QPalette::Button},          // scroll bar
        {A, QPalette::Dark},            // desktop
        {A, QPalette::Highlight},       // active caption
        {I, QPalette::Mid},             // inactive caption
        {A, QPalette::Window},          // menu
        {A, QPalette::Base},            // window
        {A, QPalette::Shadow},          // window frame
        {A, QPalette::WindowText},      // menu text
        {A, QPalette::Text},            // window text
        {A, QPalette::HighlightedText}, // caption text
        {A, QPalette::Button},          // active border
        {I, QPalette::Button},          // inactive border
        {A, QPalette::Mid},             // application workspace
        {A, QPalette::Highlight},       // highlight
        {A, QPalette::HighlightedText}, // highlight text
        {A, QPalette::Button},          // button face
        {A, QPalette::Dark},            // button shadow
        {D, QPalette::Text},            // grey text
        {A, QPalette::ButtonText},      // button text
        {I, QPalette::WindowText},      // inactive caption text
        {A, QPalette::Light},           // button highlight
        {A, QPalette::Shadow},          // 3D dark shadow
        {A, QPalette::Midlight},        // 3D light
        {A, QPalette::ToolTipText},     // tooltip text
        {A, QPalette::ToolTipBase},     // tooltip background
        {A, QPalette::Window},          // (unused index)
        {A, QPalette::Link},            // hot-tracked item
        {A, QPalette::Highlight},       // active caption gradient
        {I, QPalette::Mid},             // inactive caption gradient
        {A, QPalette::Highlight},       // menu highlight
        {A, QPalette::Window},          // menu bar
    }};
    const unsigned index = unsigned(value) & 0x7fffffffu;
    const Entry e = index < table.size() ? table[index] : Entry{A, QPalette::Window};
    return fromColor(palette.color(e.group, e.role));
}

int buttonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

void paint(QImage &image, const State &state)
{
    const int w = image.width();
    const int h = image.height();
    if (w <= 0 || h <= 0)
        return;

    // Every write is clipped to the picture, so a control too small for some part
    // simply goes without it.
    const auto pixel = [&](int x, int y, int c) {
        if (x >= 0 && y >= 0 && x < w && y < h)
            image.setPixel(x, y, toRgb(c));
    };
    const auto fill = [&](const QRect &r, int c) {
        const QRect clipped = r.intersected(image.rect());
        const QRgb v = toRgb(c);
        for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            std::fill(line + clipped.left(), line + clipped.right() + 1, v);
        }
    };

    // Background, outline and highlight.
    fill(image.rect(), state.backColor);
    fill(QRect(0, 0, w, 1), kGrey104);
    fill(QRect(0, h - 1, w, 1), kGrey104);
    fill(QRect(0, 0, 1, h), kGrey104);
    fill(QRect(w - 1, 0, 1, h), kGrey104);
    fill(QRect(1, 1, w - 2, 1), kGrey190);
    fill(QRect(1, 1, 1, h - 2), kGrey190);

    // Softened corners.
    pixel(1, 1, kGrey104);
    pixel(w - 2, 1, kGrey104);
    pixel(1, h - 2, kGrey104);
    pixel(w - 2, h - 2, kGrey104);
    pixel(2, 2, kGrey190);

    const Blocks b = blocks(state.min, state.max, state.value, state.scrollingType, image.size());
    for (int y = 3; y <= h - 4; ++y)
        fill(QRect(QPoint(4, y), QPoint(b.filledRight - 1, y)), rowColor(y, h, state.barColor));
    for (int x : b.separatorColumns)
        fill(QRect(QPoint(x, 3), QPoint(x, h - 4)), state.backColor);
    if (b.clearRect)
        fill(*b.clearRect, state.backColor);
}

} // namespace progressbar

Progressbar::Progressbar(QWidget *parent)
    : QWidget(parent)
{
    // Every pixel comes from the off-screen picture; no background fill first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    redraw();
    setMask(progressbar::windowShape(size()));
}

void Progressbar::setMin(int v)
{
    if (v > m_state.max)
        return;
    m_state.min = v;
    const bool valueMoved = m_state.value < v;
    if (valueMoved)
        m_state.value = v;
    redraw();
    emit MinChanged(v);
    if (valueMoved)
        emit ValueChanged(v);
}

void Progressbar::setMax(int v)
{
    if (v < m_state.min)
        return;
    m_state.max = v;
    const bool valueMoved = m_state.value > v;
    if (valueMoved)
        m_state.value = v;
    redraw();
    emit MaxChanged(v);
    if (valueMoved)
        emit ValueChanged(v);
}

void Progressbar::setValue(int v)
{
    if (v > m_state.max || v < m_state.min)
        return;
    m_state.value = v;
    redraw();
    emit ValueChanged(v);
}

void Progressbar::setScrollingType(int v)
{
    m_state.scrollingType = v;
    redraw();
    emit ScrollingTypeChanged(v);
}

void Progressbar::setBackColor(int v)
{
    m_state.backColor = progressbar::resolveColor(v, palette());
    redraw();
    emit BackColorChanged(m_state.backColor);
}

void Progressbar::setBarColor(int v)
{
    m_state.barColor = progressbar::resolveColor(v, palette());
    redraw();
    emit BarColorChanged(m_state.barColor);
}

QSize Progressbar::sizeHint() const
{
    return QSize(80, 16);
}

QSize Progressbar::minimumSizeHint() const
{
    return QSize(16, 8);
}

QSize Progressbar::deviceSize() const
{
    const qreal dpr = devicePixelRatioF();
    return QSize(qCeil(width() * dpr), qCeil(height() * dpr));
}

void Progressbar::redraw()
{
    const QSize size = deviceSize();
    if (m_image.size() != size) {
        m_image = QImage(size, QImage::Format_RGB32);
        if (m_image.isNull())
            return;
    }
    m_image.setDevicePixelRatio(devicePixelRatioF());
    progressbar::paint(m_image, m_state);
    update();
}

void Progressbar::paintEvent(QPaintEvent *)
{
    // The screen the widget is on may have changed its pixel ratio since the last drawing.
    if (m_image.size() != deviceSize() || !qFuzzyCompare(m_image.devicePixelRatio(), devicePixelRatioF())) {
        m_image = QImage(deviceSize(), QImage::Format_RGB32);
        m_image.setDevicePixelRatio(devicePixelRatioF());
        progressbar::paint(m_image, m_state);
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_image);
}

void Progressbar::resizeEvent(QResizeEvent *)
{
    redraw();
    setMask(progressbar::windowShape(size()));
}

void Progressbar::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    emit MouseDown(progressbar::buttonCode(event->button()), progressbar::shiftCode(event->modifiers()),
                   p.x(), p.y());
}

void Progressbar::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    emit MouseMove(progressbar::buttonCode(event->buttons()), progressbar::shiftCode(event->modifiers()),
                   p.x(), p.y());
}

void Progressbar::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    emit MouseUp(progressbar::buttonCode(event->button()), progressbar::shiftCode(event->modifiers()),
                 p.x(), p.y());
    if (event->button() == Qt::LeftButton && rect().contains(p))
        emit Click();
}
