#include "browser/themes/BuiltinImages.h"

#include "TempDir.h"

#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

constexpr ImageList kLists[] = {
    ImageList::SystemImageList,          ImageList::SystemButtonImageList, ImageList::ProgramToolbarImagesList,
    ImageList::ProgramSidebarImagesList, ImageList::ProgramStatusImagesList, ImageList::ProgramStateList,
};

QImage pixels(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

class BuiltinImagesAtRatio : public ::testing::TestWithParam<qreal>
{
};

} // namespace

TEST(BuiltinImagesTest, ListsHaveTheirCounts)
{
    EXPECT_EQ(builtinCount(ImageList::SystemImageList), 8);
    EXPECT_EQ(builtinCount(ImageList::SystemButtonImageList), 8);
    EXPECT_EQ(builtinCount(ImageList::ProgramToolbarImagesList), 9);
    EXPECT_EQ(builtinCount(ImageList::ProgramSidebarImagesList), 8);
    EXPECT_EQ(builtinCount(ImageList::ProgramStatusImagesList), 5);
    EXPECT_EQ(builtinCount(ImageList::ProgramStateList), 5);
    EXPECT_EQ(designedSize(ImageList::SystemImageList, 1), QSize(9, 25));
    EXPECT_EQ(designedSize(ImageList::SystemImageList, 5), QSize(9, 8));
    EXPECT_EQ(designedSize(ImageList::SystemButtonImageList, 8), QSize(33, 17));
    EXPECT_EQ(designedSize(ImageList::ProgramToolbarImagesList, 2), QSize(45, 39));
    EXPECT_EQ(designedSize(ImageList::ProgramToolbarImagesList, 9), QSize(29, 25));
    EXPECT_EQ(designedSize(ImageList::ProgramSidebarImagesList, 8), QSize(25, 25));
    EXPECT_EQ(designedSize(ImageList::ProgramStateList, 5), QSize(16, 16));
}

TEST_P(BuiltinImagesAtRatio, EveryPictureLoadsAtItsDesignedSize)
{
    const BuiltinImages images(GetParam());
    for (ImageList list : kLists) {
        for (int i = 1; i <= builtinCount(list); ++i) {
            SCOPED_TRACE(testing::Message() << "list " << int(list) << " index " << i);
            const QPixmap picture = images.builtinPicture(list, i);
            ASSERT_FALSE(picture.isNull());
            EXPECT_EQ(picture.deviceIndependentSize().toSize(), designedSize(list, i));
            EXPECT_EQ(picture.devicePixelRatio(), GetParam() > 1 ? 2.0 : 1.0);
        }
    }
    EXPECT_EQ(images.programIcon(16).deviceIndependentSize().toSize(), QSize(16, 16));
    EXPECT_EQ(images.programIcon(48).deviceIndependentSize().toSize(), QSize(48, 48));
    EXPECT_EQ(images.programIcon(256).deviceIndependentSize().toSize(), QSize(256, 256));
}

INSTANTIATE_TEST_SUITE_P(Ratios, BuiltinImagesAtRatio, ::testing::Values(1.0, 2.0));

TEST(BuiltinImagesTest, BadIndexGivesNothing)
{
    const BuiltinImages images;
    for (ImageList list : kLists) {
        for (int bad : {-1, 0, builtinCount(list) + 1}) {
            EXPECT_TRUE(images.builtinPicture(list, bad).isNull());
            EXPECT_FALSE(designedSize(list, bad).isValid());
        }
    }
    EXPECT_TRUE(images.programIcon(0).isNull());
    EXPECT_FALSE(images.isBuiltin(QPixmap(), ImageList::SystemButtonImageList, 3));
}

TEST(BuiltinImagesTest, PressedPicturesDifferFromNormalAndEachOther)
{
    const BuiltinImages images;
    // Caption buttons come in (normal, pressed) pairs from 1; toolbar buttons from 2.
    for (int i = 1; i <= 7; i += 2)
        EXPECT_NE(pixels(images.builtinPicture(ImageList::SystemButtonImageList, i)),
                  pixels(images.builtinPicture(ImageList::SystemButtonImageList, i + 1)))
            << "caption button " << i;
    for (int i = 2; i <= 8; i += 2)
        EXPECT_NE(pixels(images.builtinPicture(ImageList::ProgramToolbarImagesList, i)),
                  pixels(images.builtinPicture(ImageList::ProgramToolbarImagesList, i + 1)))
            << "toolbar button " << i;
    // Maximize and restore must be told apart by the layout pass.
    EXPECT_NE(pixels(images.builtinPicture(ImageList::SystemButtonImageList, 3)),
              pixels(images.builtinPicture(ImageList::SystemButtonImageList, 5)));
}

TEST(BuiltinImagesTest, ShownCopyIsRecognisedAsTheBuiltinPicture)
{
    const BuiltinImages images;
    const QPixmap shown = images.builtinPicture(ImageList::SystemButtonImageList, 3);
    EXPECT_EQ(shown.cacheKey(), images.builtinPicture(ImageList::SystemButtonImageList, 3).cacheKey());
    EXPECT_TRUE(images.isBuiltin(shown, ImageList::SystemButtonImageList, 3));
    EXPECT_FALSE(images.isBuiltin(shown, ImageList::SystemButtonImageList, 5));

    // The picture control keeps the identity of what it was given.
    QLabel control;
    control.setScaledContents(true);
    control.resize(66, 34);
    control.setPixmap(shown);
    EXPECT_TRUE(images.isBuiltin(control.pixmap(), ImageList::SystemButtonImageList, 3));

    // A theme pack's picture with the very same pixels is not the built-in one.
    TestFolder folder;
    ASSERT_TRUE(shown.save(folder.file("SystemMaxButton.gif.png"), "PNG"));
    const QPixmap themed(folder.file("SystemMaxButton.gif.png"));
    ASSERT_FALSE(themed.isNull());
    EXPECT_FALSE(images.isBuiltin(themed, ImageList::SystemButtonImageList, 3));
}

TEST(BuiltinImagesTest, DisabledPictureIsGreyAndFaded)
{
    const BuiltinImages images(2.0);
    const QPixmap back = images.builtinPicture(ImageList::ProgramToolbarImagesList, 2);
    const QPixmap grey = disabledPicture(back);
    ASSERT_FALSE(grey.isNull());
    EXPECT_EQ(grey.size(), back.size());
    EXPECT_EQ(grey.devicePixelRatio(), back.devicePixelRatio());

    const QImage before = pixels(back), after = pixels(grey);
    const QPoint centre(before.width() / 2, before.height() / 2);
    const QRgb p = after.pixel(centre);
    EXPECT_EQ(qRed(p), qGreen(p));
    EXPECT_EQ(qGreen(p), qBlue(p));
    EXPECT_LT(qAlpha(p), qAlpha(before.pixel(centre)));
    EXPECT_TRUE(disabledPicture(QPixmap()).isNull());
}
