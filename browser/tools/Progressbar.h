#pragma once

#include <QImage>
#include <QList>
#include <QPalette>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QWidget>

#include <optional>

// The decisions of the progress bar, kept apart from the widget so that they can
// be checked without drawing. Colours are 0x00BBGGRR integers throughout.
namespace progressbar {

inline constexpr int kGrey104 = 6842472;          // outline and corner pixels
inline constexpr int kGrey190 = 12500670;         // inner highlight
inline constexpr int kDefaultBackColor = 0xFFFFFF;
inline constexpr int kDefaultBarColor = 2871848;  // red 40, green 210, blue 43

// ScrollingType values; any other value draws one smooth bar.
inline constexpr int kBlocksCleared = 0;
inline constexpr int kBlocks = 1;

inline constexpr int red(int c) { return c & 0xFF; }
inline constexpr int green(int c) { return (c >> 8) & 0xFF; }
inline constexpr int blue(int c) { return (c >> 16) & 0xFF; }
inline constexpr int rgb(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

// Moves every component of c towards white: x * (255 - a) / 255 + a, at most 255.
int lighten(int c, int a);

// Rows of the upper and lower shading, from the control's height in pixels.
int topShade(int height);
int bottomShade(int height);

// The colour of bar row y (3 <= y <= H - 4) for a control of height H: a gradient
// from a light tint down to the bar colour at the top, the bar colour in the
// middle and a gradient towards a second tint at the bottom.
int rowColor(int y, int height, int barColor);

// Where the bar ends and which columns separate the blocks.
struct Blocks
{
    int filledRight = 4;             // first column after the bar (the bar starts at x = 4)
    QList<int> separatorColumns;     // drawn in the back colour from y = 3 to H - 4
    std::optional<QRect> clearRect;  // filled with the back colour after the last whole block
};

Blocks blocks(int min, int max, int value, int scrollingType, QSize size);

// The control's shape: its rectangle with three pixels cut away at each corner.
QRegion windowShape(QSize size);

// Resolves a colour as the control stores it: a negative value refers to a
// system colour by index (top bit cleared) and becomes that colour's value.
int resolveColor(int value, const QPalette &palette);

// Mouse buttons and modifier keys in the form the host's mouse events carry:
// left 1, right 2, middle 4; shift 1, control 2, alt 4.
int buttonCode(Qt::MouseButtons buttons);
int shiftCode(Qt::KeyboardModifiers modifiers);

struct State
{
    int min = 0;
    int max = 100;
    int value = 0;
    int scrollingType = 0;
    int backColor = kDefaultBackColor;
    int barColor = kDefaultBarColor;
};

// Draws the whole control into image, one image pixel per device pixel.
void paint(QImage &image, const State &state);

} // namespace progressbar

// The program's own progress bar: a shaded bar with a soft border, drawn off-screen
// and copied to the screen in one step so that frequent updates do not flicker.
class Progressbar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE setMin NOTIFY MinChanged)
    Q_PROPERTY(int Max READ Max WRITE setMax NOTIFY MaxChanged)
    Q_PROPERTY(int Value READ Value WRITE setValue NOTIFY ValueChanged)
    Q_PROPERTY(int ScrollingType READ ScrollingType WRITE setScrollingType NOTIFY ScrollingTypeChanged)
    Q_PROPERTY(int BackColor READ BackColor WRITE setBackColor NOTIFY BackColorChanged)
    Q_PROPERTY(int BarColor READ BarColor WRITE setBarColor NOTIFY BarColorChanged)

public:
    explicit Progressbar(QWidget *parent = nullptr);

    int Min() const { return m_state.min; }
    int Max() const { return m_state.max; }
    int Value() const { return m_state.value; }
    int ScrollingType() const { return m_state.scrollingType; }
    int BackColor() const { return m_state.backColor; }
    int BarColor() const { return m_state.barColor; }

    // Values outside the rules are ignored without complaint.
    void setMin(int v);
    void setMax(int v);
    void setValue(int v);
    void setScrollingType(int v);
    void setBackColor(int v);
    void setBarColor(int v);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The off-screen picture as last drawn, in device pixels.
    const QImage &image() const { return m_image; }

signals:
    void MinChanged(int);
    void MaxChanged(int);
    void ValueChanged(int);
    void ScrollingTypeChanged(int);
    void BackColorChanged(int);
    void BarColorChanged(int);

    void Click();
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QSize deviceSize() const;
    void redraw();

    progressbar::State m_state;
    QImage m_image;
};
