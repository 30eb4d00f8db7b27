// The packs the build draws, read with the calls the browser uses.
#include "themepack/ThemePack.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

namespace {

// The application folder the build places the packs in.
QString applicationFolder()
{
    return QFileInfo(QStringLiteral(SHIPPED_THEME_FOLDER)).absolutePath();
}

const QStringList kShipped = {QStringLiteral("Daylight"), QStringLiteral("Midnight")};

} // namespace

TEST(ShippedPacks, BothAreListedAndCompleteWithTheirInformation)
{
    const QStringList packs = themepack::listPacks(applicationFolder());
    for (const QString &name : kShipped) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(packs.contains(name));
        const QString folder = themepack::packFolder(applicationFolder(), name);
        EXPECT_TRUE(themepack::isPlainPackFolder(folder));
        EXPECT_TRUE(themepack::missingCountedFiles(folder).isEmpty());

        const themepack::PackInfo info = themepack::readInfoValues(themepack::infoFile(applicationFolder(), name));
        EXPECT_TRUE(info.name.startsWith(name)) << info.name.toStdString();
        EXPECT_FALSE(info.makerName.isEmpty());
        EXPECT_TRUE(info.makerUrl.startsWith(QStringLiteral("https://")));
    }
}

TEST(ShippedPacks, EveryPictureDecodesAtItsDesignedSize)
{
    for (const QString &name : kShipped) {
        for (const themepack::PictureFile &row : themepack::kPictureFiles) {
            const QString file = themepack::tableText(row.fileName);
            SCOPED_TRACE((name + QLatin1Char('/') + file).toStdString());
            const QString path = themepack::picturePath(applicationFolder(), name, file);
            ASSERT_TRUE(themepack::fileExists(path));
            const QImage image(path);
            ASSERT_FALSE(image.isNull());
            if (row.width > 0)
                EXPECT_EQ(image.width(), row.width);
            if (row.height > 0)
                EXPECT_EQ(image.height(), row.height);
        }
    }
}

TEST(ShippedPacks, TheTwoLooksTellApartAtAGlance)
{
    // The toolbars' middle pixels: one light, one dark.
    auto lightness = [](const QString &pack) {
        const QImage image(themepack::picturePath(applicationFolder(), pack, QStringLiteral("ToolbarBackgroundImage.gif")));
        return image.isNull() ? -1 : image.pixelColor(image.width() / 2, image.height() / 2).lightness();
    };
    EXPECT_GT(lightness(QStringLiteral("Daylight")), 180);
    EXPECT_LT(lightness(QStringLiteral("Midnight")), 80);
    EXPECT_GE(lightness(QStringLiteral("Midnight")), 0);
}
