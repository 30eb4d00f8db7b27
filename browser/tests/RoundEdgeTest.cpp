// Rounded windows where the mask only limits input: the corners are cut by
// drawing the window transparent outside its outline.
#include "browser/frame/modRoundEdge.h"

#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QImage shot(QWidget &form)
{
    return form.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(RoundEdge, OnlyWaylandCutsCornersByPainting)
{
    EXPECT_TRUE(modRoundEdge::PaintsCorners("wayland"));
    EXPECT_TRUE(modRoundEdge::PaintsCorners("wayland-egl"));
    EXPECT_FALSE(modRoundEdge::PaintsCorners("xcb"));
    EXPECT_FALSE(modRoundEdge::PaintsCorners("offscreen"));
}

TEST(RoundEdge, PaintedCornersAreClearAndTheRestIsDrawn)
{
    QWidget form(nullptr, Qt::FramelessWindowHint);
    form.resize(120, 80);
    QPalette palette = form.palette();
    palette.setColor(QPalette::Window, Qt::blue);
    form.setPalette(palette);
    // A skin picture that covers the whole window, corners included, and one added afterwards.
    auto *skin = new QLabel(&form);
    skin->setAutoFillBackground(true);
    QPalette red = skin->palette();
    red.setColor(QPalette::Window, Qt::red);
    skin->setPalette(red);
    skin->setGeometry(0, 0, 120, 40);
    ASSERT_TRUE(modRoundEdge::PaintRoundEdge(&form, 10, 10));
    auto *later = new QLabel(&form);
    later->setAutoFillBackground(true);
    later->setPalette(red);
    later->setGeometry(0, 40, 120, 40);

    QImage image = shot(form);
    for (const QPoint corner : {QPoint(0, 0), QPoint(119, 0), QPoint(0, 79), QPoint(119, 79)})
        EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_EQ(QColor(image.pixel(60, 20)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(60, 60)), QColor(Qt::red));
    EXPECT_EQ(qAlpha(image.pixel(5, 0)), 255) << "the straight edge stays";
    EXPECT_EQ(qAlpha(image.pixel(0, 40)), 255);

    // The form's own background, where no child draws, fills the outline.
    later->hide();
    image = shot(form);
    EXPECT_EQ(QColor(image.pixel(60, 60)), QColor(Qt::blue));
    EXPECT_EQ(qAlpha(image.pixel(119, 79)), 0);

    // Square again (maximized): nothing is cleared.
    modRoundEdge::PaintRoundEdge(&form, 0, 0);
    image = shot(form);
    EXPECT_EQ(qAlpha(image.pixel(119, 79)), 255);
}

TEST(RoundEdge, AWindowThatExistsAlreadyKeepsItsMask)
{
    QWidget form(nullptr, Qt::FramelessWindowHint);
    form.resize(50, 50);
    form.winId();
    EXPECT_FALSE(modRoundEdge::PaintRoundEdge(&form, 10, 10));
    EXPECT_FALSE(form.testAttribute(Qt::WA_TranslucentBackground));
}
