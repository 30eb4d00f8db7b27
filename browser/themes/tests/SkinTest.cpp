// The skin table applied onto a window of named picture controls.
#include "browser/frame/PictureControl.h"
#include "browser/themes/BuiltinImages.h"
#include "browser/themes/Skin.h"
#include "browser/themes/modAmbrel.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "platform/testing/FakeEnvironment.h"
#include "themepack/ThemePack.h"

#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <set>

namespace {

class SkinTable : public ::testing::Test
{
protected:
    SkinTable()
        : env(dir.path())
        , skin(env, images)
    {
        QDir().mkpath(platform::folders::profileFolder(env));
        std::set<std::string_view> elements;
        for (const themepack::PictureFile &row : themepack::kPictureFiles) {
            for (std::string_view element : {row.element, row.alsoElement}) {
                if (!element.empty() && elements.insert(element).second)
                    new PictureControl(themepack::tableText(element), &window);
            }
        }
        skin.attach(&window);
    }

    PictureControl *control(const char *name)
    {
        return window.findChild<PictureControl *>(QString::fromLatin1(name));
    }

    // Writes a one-colour picture into the pack folder.
    void packPicture(const QString &pack, const char *file, QColor colour)
    {
        const QString folder = themepack::packFolder(env.applicationFolder(), pack);
        QDir().mkpath(folder);
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(folder + QLatin1Char('/') + QLatin1String(file), "PNG"));
    }

    static QRgb colourOf(const PictureControl *c) { return c->picture().toImage().pixel(5, 5); }

    TestFolder dir;
    platform::testing::FakeEnvironment env;
    BuiltinImages images;
    QWidget window;
    Skin skin;
};

} // namespace

TEST_F(SkinTable, EveryElementGetsItsBuiltinNormalPicture)
{
    skin.applyBuiltin();
    for (const themepack::PictureFile &row : themepack::kPictureFiles) {
        const auto list = Skin::imageList(row.builtInList);
        ASSERT_TRUE(list) << row.builtInList;
        auto *c = window.findChild<PictureControl *>(themepack::tableText(row.element));
        ASSERT_NE(c, nullptr) << row.element;
        EXPECT_FALSE(c->picture().isNull()) << row.element;
    }
    // The first row of an element is its normal state; the toolbar background
    // feeds both of its strips.
    EXPECT_TRUE(images.isBuiltin(control("SystemMaxButton")->picture(), ImageList::SystemButtonImageList, 3));
    EXPECT_TRUE(images.isBuiltin(control("BackButton")->picture(), ImageList::ProgramToolbarImagesList, 2));
    EXPECT_TRUE(images.isBuiltin(control("WebBrowserToolBackgroundImage")->picture(),
                                 ImageList::ProgramToolbarImagesList, 1));
    EXPECT_TRUE(images.isBuiltin(control("NotepadButton")->picture(), ImageList::ProgramSidebarImagesList, 8));
}

TEST_F(SkinTable, StatePicturesComeFromTheActivePackOrFallBack)
{
    ASSERT_TRUE(platform::setting::write(env, settings::Key::AmbrelUseValue, "1"));
    packPicture("Dusk", "BackButtonPress.gif", Qt::red);
    ASSERT_TRUE(skin.activatePack("Dusk"));
    skin.setThemePackActive(true);

    modAmbrel::SetBackButtonPicture(skin, false);
    EXPECT_EQ(colourOf(control("BackButton")), QColor(Qt::red).rgb()) << "the pack's pressed picture";
    modAmbrel::SetBackButtonPicture(skin, true);
    EXPECT_TRUE(images.isBuiltin(control("BackButton")->picture(), ImageList::ProgramToolbarImagesList, 2))
        << "the pack lacks the normal one";
    modAmbrel::SetMaxButtonPicture(skin, true, true);
    EXPECT_TRUE(images.isBuiltin(control("SystemMaxButton")->picture(), ImageList::SystemButtonImageList, 5));

    // With the feature switched off the pack is not used.
    ASSERT_TRUE(platform::setting::write(env, settings::Key::AmbrelUseValue, "0"));
    modAmbrel::SetBackButtonPicture(skin, false);
    EXPECT_TRUE(images.isBuiltin(control("BackButton")->picture(), ImageList::ProgramToolbarImagesList, 3));
}

TEST_F(SkinTable, ABrokenPackFileFallsBackToTheBuiltinPicture)
{
    ASSERT_TRUE(platform::setting::write(env, settings::Key::AmbrelUseValue, "1"));
    const QString folder = themepack::packFolder(env.applicationFolder(), "Broken");
    QDir().mkpath(folder);
    QFile bad(folder + "/StopButtonPress.gif");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    ASSERT_TRUE(skin.activatePack("Broken"));
    skin.setThemePackActive(true);
    modAmbrel::SetStopButtonPicture(skin, true);
    modAmbrel::SetStopButtonPicture(skin, false);
    EXPECT_TRUE(images.isBuiltin(control("StopButton")->picture(), ImageList::ProgramToolbarImagesList, 9))
        << "a file that does not decode is treated like a missing one";
}

TEST_F(SkinTable, OnlyAUsablePackNameActivates)
{
    for (const char *name : {"", ".", "..", "a/b", "../outside"}) {
        EXPECT_FALSE(skin.activatePack(QString::fromUtf8(name))) << name;
        EXPECT_FALSE(skin.packActive());
    }
    EXPECT_TRUE(skin.activatePack("테마 하나"));
    EXPECT_EQ(skin.packName(), "테마 하나");
    skin.deactivatePack();
    EXPECT_FALSE(skin.packActive());
}
