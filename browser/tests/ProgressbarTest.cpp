#include "browser/tools/Progressbar.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <climits>

using namespace progressbar;

namespace {

QRgb screen(int c)
{
    return qRgb(red(c), green(c), blue(c));
}

} // namespace

TEST(ProgressbarColors, ComponentsAndLighten)
{
    EXPECT_EQ(red(kDefaultBarColor), 40);
    EXPECT_EQ(green(kDefaultBarColor), 210);
    EXPECT_EQ(blue(kDefaultBarColor), 43);
    EXPECT_EQ(rgb(104, 104, 104), kGrey104);
    EXPECT_EQ(rgb(190, 190, 190), kGrey190);

    EXPECT_EQ(lighten(kDefaultBarColor, 153), rgb(169, 237, 170));
    EXPECT_EQ(lighten(kDefaultBarColor, 137), rgb(156, 234, 157));
    EXPECT_EQ(lighten(0xFFFFFF, 153), 0xFFFFFF);
    EXPECT_EQ(lighten(0, 0), 0);
}

TEST(ProgressbarColors, ShadeRowsFollowHeight)
{
    EXPECT_EQ(topShade(24), 7);
    EXPECT_EQ(bottomShade(24), 6);
    EXPECT_EQ(topShade(16), 5);    // 4.67
    EXPECT_EQ(bottomShade(16), 4);
    EXPECT_EQ(topShade(12), 4);    // 3.5 goes to the even neighbour
    EXPECT_EQ(topShade(36), 10);   // 10.5 likewise
    EXPECT_EQ(bottomShade(14), 4); // 3.5
}

TEST(ProgressbarColors, RowColorRule)
{
    const int bar = kDefaultBarColor;
    const int light1 = lighten(bar, 153);
    const int light2 = lighten(bar, 137);
    const int h = 24; // top shade 7, bottom shade 6

    EXPECT_EQ(rowColor(3, h, bar), light1);
    EXPECT_EQ(rowColor(6, h, bar), rgb(104, 224, 106)); // halfway, halves to even
    EXPECT_EQ(rowColor(9, h, bar), bar);                // top shade + 2
    for (int y = 10; y <= 14; ++y)
        EXPECT_EQ(rowColor(y, h, bar), bar) << y;
    EXPECT_EQ(rowColor(19, h, bar), light2);
    EXPECT_EQ(rowColor(20, h, bar), light2); // H - 4

    // The upper shade darkens row by row, the lower one brightens.
    for (int y = 4; y <= 9; ++y)
        EXPECT_LE(red(rowColor(y, h, bar)), red(rowColor(y - 1, h, bar))) << y;
    for (int y = 15; y <= 20; ++y)
        EXPECT_GE(red(rowColor(y, h, bar)), red(rowColor(y - 1, h, bar))) << y;
    EXPECT_GT(red(rowColor(15, h, bar)), red(bar));
}

TEST(ProgressbarColors, RowColorNeverDividesByZeroOnSmallBars)
{
    for (int h = 1; h <= 12; ++h) {
        for (int y = 3; y <= h - 4; ++y) {
            const int c = rowColor(y, h, kDefaultBarColor);
            EXPECT_GE(c, 0);
            EXPECT_LE(c, 0xFFFFFF);
        }
    }
}

TEST(ProgressbarBlocks, HalfFullInEachMode)
{
    const QSize size(80, 16);
    const Blocks cleared = blocks(0, 100, 50, kBlocksCleared, size);
    EXPECT_EQ(cleared.filledRight, 40);
    EXPECT_EQ(cleared.separatorColumns, (QList<int>{10, 11, 18, 19, 26, 27, 34, 35}));
    ASSERT_TRUE(cleared.clearRect.has_value());
    EXPECT_EQ(*cleared.clearRect, QRect(QPoint(36, 3), QPoint(76, 12)));

    const Blocks kept = blocks(0, 100, 50, kBlocks, size);
    EXPECT_EQ(kept.separatorColumns, cleared.separatorColumns);
    EXPECT_FALSE(kept.clearRect.has_value());

    const Blocks smooth = blocks(0, 100, 50, 2, size);
    EXPECT_EQ(smooth.filledRight, 40);
    EXPECT_TRUE(smooth.separatorColumns.isEmpty());
    EXPECT_FALSE(smooth.clearRect.has_value());
}

TEST(ProgressbarBlocks, EndsOfTheRange)
{
    const QSize size(80, 16);
    const Blocks full = blocks(0, 100, 100, kBlocksCleared, size);
    EXPECT_EQ(full.filledRight, 76);
    EXPECT_EQ(full.separatorColumns.size(), 18); // 72 / 8 blocks
    EXPECT_FALSE(full.clearRect.has_value());

    const Blocks empty = blocks(0, 100, 0, kBlocksCleared, size);
    EXPECT_EQ(empty.filledRight, 4);
    EXPECT_TRUE(empty.separatorColumns.isEmpty());
    EXPECT_EQ(empty.clearRect, QRect(QPoint(4, 3), QPoint(76, 12)));

    // An empty range leaves the bar empty instead of dividing by zero.
    const Blocks none = blocks(7, 7, 7, kBlocksCleared, size);
    EXPECT_EQ(none.filledRight, 4);
    EXPECT_TRUE(none.separatorColumns.isEmpty());
    EXPECT_FALSE(none.clearRect.has_value());

    // The widest range does not overflow.
    const Blocks wide = blocks(INT_MIN, INT_MAX, 0, kBlocks, size);
    EXPECT_EQ(wide.filledRight, 40);

    // A control narrower than the border draws no bar at all.
    const Blocks narrow = blocks(0, 100, 100, kBlocksCleared, QSize(5, 16));
    EXPECT_EQ(narrow.filledRight, 4);
    EXPECT_TRUE(narrow.separatorColumns.isEmpty());
}

TEST(ProgressbarShape, CornersAreCut)
{
    const QRegion shape = windowShape(QSize(80, 16));
    for (const QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(79, 0), QPoint(78, 0),
                           QPoint(79, 1), QPoint(0, 15), QPoint(1, 15), QPoint(0, 14), QPoint(79, 15),
                           QPoint(78, 15), QPoint(79, 14)})
        EXPECT_FALSE(shape.contains(p)) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(2, 0), QPoint(1, 1), QPoint(0, 2), QPoint(77, 0), QPoint(78, 1),
                           QPoint(79, 2), QPoint(40, 8), QPoint(1, 14), QPoint(78, 14)})
        EXPECT_TRUE(shape.contains(p)) << p.x() << "," << p.y();

    int area = 0;
    for (const QRect &r : shape)
        area += r.width() * r.height();
    EXPECT_EQ(area, 80 * 16 - 12);
}

TEST(ProgressbarColors, SystemColourReferenceIsResolved)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Highlight, QColor(10, 20, 30));
    EXPECT_EQ(resolveColor(int(0x8000000Fu), palette), rgb(1, 2, 3));   // button face
    EXPECT_EQ(resolveColor(int(0x8000000Du), palette), rgb(10, 20, 30)); // highlight
    EXPECT_EQ(resolveColor(0x123456, palette), 0x123456);
    EXPECT_GE(resolveColor(int(0x800000FFu), palette), 0); // unknown index still gives a colour

    Progressbar bar;
    QPalette own = bar.palette();
    own.setColor(QPalette::Highlight, QColor(10, 20, 30));
    bar.setPalette(own);
    bar.setBarColor(int(0x8000000Du));
    EXPECT_EQ(bar.BarColor(), rgb(10, 20, 30));
    bar.setBackColor(int(0x8000000Du));
    EXPECT_EQ(bar.BackColor(), rgb(10, 20, 30));
}

TEST(ProgressbarWidget, DefaultsAndSize)
{
    Progressbar bar;
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(bar.ScrollingType(), 0);
    EXPECT_EQ(bar.BackColor(), 0xFFFFFF);
    EXPECT_EQ(bar.BarColor(), 2871848);
    EXPECT_EQ(bar.sizeHint(), QSize(80, 16));
}

TEST(ProgressbarWidget, ValidatedProperties)
{
    Progressbar bar;
    QList<int> valueChanges;
    QObject::connect(&bar, &Progressbar::ValueChanged, &bar, [&](int v) { valueChanges << v; });

    bar.setValue(60);
    bar.setValue(101); // above Max
    bar.setValue(-1);  // below Min
    EXPECT_EQ(bar.Value(), 60);
    EXPECT_EQ(valueChanges, QList<int>{60});

    bar.setMax(40); // pulls Value down
    EXPECT_EQ(bar.Max(), 40);
    EXPECT_EQ(bar.Value(), 40);

    bar.setMin(50); // above Max: ignored
    EXPECT_EQ(bar.Min(), 0);

    bar.setMin(10);
    bar.setMax(5); // below Min: ignored
    EXPECT_EQ(bar.Max(), 40);

    bar.setValue(20);
    bar.setMin(30); // pushes Value up
    EXPECT_EQ(bar.Min(), 30);
    EXPECT_EQ(bar.Value(), 30);
    EXPECT_EQ(valueChanges, (QList<int>{60, 40, 20, 30}));

    bar.setScrollingType(-7); // stored as given
    EXPECT_EQ(bar.ScrollingType(), -7);

    // Min == Max is a valid, if empty, range.
    bar.setMax(30);
    EXPECT_EQ(bar.Max(), 30);
    EXPECT_EQ(bar.Value(), 30);
    const QRgb bg = screen(bar.BackColor());
    bar.resize(80, 16);
    EXPECT_EQ(bar.image().pixel(4, 8), bg);
}

TEST(ProgressbarWidget, PaintsBarThenBackground)
{
    Progressbar bar;
    bar.resize(80, 16);
    bar.setBarColor(0x0000FF); // pure red, to tell it from anything else
    bar.setScrollingType(2);
    bar.setValue(50);

    const QImage shot = bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(80, 16));
    const int barRow = topShade(16) + 2;
    EXPECT_EQ(shot.pixel(4, barRow), screen(0x0000FF));
    EXPECT_EQ(shot.pixel(39, barRow), screen(0x0000FF));
    EXPECT_EQ(shot.pixel(40, barRow), screen(0xFFFFFF));
    EXPECT_EQ(shot.pixel(70, barRow), screen(0xFFFFFF));
    EXPECT_EQ(shot.pixel(40, 0), screen(kGrey104));  // outline
    EXPECT_EQ(shot.pixel(40, 1), screen(kGrey190));  // highlight
    EXPECT_EQ(shot.pixel(1, 1), screen(kGrey104));   // softened corner
    EXPECT_EQ(shot.pixel(78, 14), screen(kGrey104));

    // In block mode the separators show the back colour inside the bar.
    bar.setScrollingType(kBlocksCleared);
    const QImage blocksShot = bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(blocksShot.pixel(9, barRow), screen(0x0000FF));
    EXPECT_EQ(blocksShot.pixel(10, barRow), screen(0xFFFFFF));
    EXPECT_EQ(blocksShot.pixel(11, barRow), screen(0xFFFFFF));
    EXPECT_EQ(blocksShot.pixel(12, barRow), screen(0x0000FF));
}

TEST(ProgressbarWidget, TinySizesDrawWithoutFault)
{
    for (int w = 0; w <= 9; ++w) {
        for (int h = 0; h <= 9; ++h) {
            QImage image(w, h, QImage::Format_RGB32);
            paint(image, State{0, 100, 100, 0, 0xFFFFFF, kDefaultBarColor});
        }
    }
    Progressbar bar;
    bar.resize(1, 1);
    bar.setValue(100);
    EXPECT_EQ(bar.image().size(), QSize(1, 1));
}

TEST(ProgressbarWidget, MouseEventsReachTheHost)
{
    Progressbar bar;
    bar.resize(80, 16);
    QStringList seen;
    const auto record = [&](const char *name) {
        return [&seen, name](int button, int shift, int x, int y) {
            seen << QStringLiteral("%1 %2 %3 %4,%5").arg(QLatin1String(name)).arg(button).arg(shift).arg(x).arg(y);
        };
    };
    QObject::connect(&bar, &Progressbar::MouseDown, &bar, record("down"));
    QObject::connect(&bar, &Progressbar::MouseMove, &bar, record("move"));
    QObject::connect(&bar, &Progressbar::MouseUp, &bar, record("up"));
    QObject::connect(&bar, &Progressbar::Click, &bar, [&] { seen << QStringLiteral("click"); });

    const auto send = [&](QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons,
                          Qt::KeyboardModifiers mods) {
        QMouseEvent event(type, pos, bar.mapToGlobal(pos), button, buttons, mods);
        QCoreApplication::sendEvent(&bar, &event);
    };
    send(QEvent::MouseButtonPress, {10, 5}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    send(QEvent::MouseMove, {12, 6}, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    send(QEvent::MouseButtonRelease, {12, 6}, Qt::LeftButton, Qt::NoButton, Qt::AltModifier);
    // Released outside the control: no click.
    send(QEvent::MouseButtonPress, {10, 5}, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    send(QEvent::MouseButtonRelease, {200, 5}, Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    send(QEvent::MouseButtonPress, {10, 5}, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    send(QEvent::MouseButtonRelease, {200, 5}, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);

    EXPECT_EQ(seen, (QStringList{"down 1 1 10,5", "move 1 2 12,6", "up 1 4 12,6", "click", "down 2 0 10,5",
                                 "up 2 0 200,5", "down 1 0 10,5", "up 1 0 200,5"}));
}
