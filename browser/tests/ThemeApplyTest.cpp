// Theme packs applied to a whole browser on fakes: the start-up decision, the
// per-file fallback with its report, hostile pack names and the pressed states.
#include "BrowserFixture.h"

#include "browser/frame/PictureControl.h"
#include "browser/themes/BuiltinImages.h"
#include "browser/themes/Skin.h"
#include "browser/themes/modAmbrel.h"
#include "platform/Folders.h"
#include "themepack/ThemePack.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <set>

namespace {

using platform::MsgIcon;
using platform::MsgResult;
using K = settings::Key;

const QColor kPackColour(10, 200, 30);

class ThemeApply : public BrowserTest
{
protected:
    // What the theme manager's "확인" does with the selected pack.
    int loadPackFromManager()
    {
        modAmbrel::Context theme = app().themeContext();
        return modAmbrel::LoadThemePack(theme, true);
    }

    QString packFolder(const QString &name)
    {
        return themepack::packFolder(m_fake.environment().applicationFolder(), name);
    }

    // A pack of one colour holding every picture of the table but those skipped.
    void writePack(const QString &name, const std::set<std::string_view> &skip = {},
                   const QString &folder = QString())
    {
        const QString target = folder.isEmpty() ? packFolder(name) : folder;
        ASSERT_TRUE(QDir().mkpath(target));
        for (const themepack::PictureFile &row : themepack::kPictureFiles) {
            if (skip.count(row.baseName()))
                continue;
            QImage image(12, 12, QImage::Format_RGB32);
            image.fill(kPackColour);
            // PNG bytes under the ".gif" name, as the builder writes them.
            ASSERT_TRUE(image.save(target + QLatin1Char('/') + themepack::tableText(row.fileName), "PNG"));
        }
    }

    void useTheme(const QString &name, const char *ask = "0")
    {
        setSetting(K::AmbrelUseValue, "1");
        setSetting(K::ThemeName, name);
        setSetting(K::AskUseBooleanValue, ask);
    }

    PictureControl *control(std::string_view name)
    {
        return form().findChild<PictureControl *>(themepack::tableText(name));
    }

    bool fromPack(std::string_view element)
    {
        const QImage image = control(element)->picture().toImage();
        return !image.isNull() && image.pixelColor(1, 1) == kPackColour;
    }

    // The theme manager's messages in order: "icon:first line".
    QStringList themeMessages()
    {
        QStringList out;
        for (const auto &box : fake().dialogs().messageBoxes()) {
            if (box.title == modAmbrel::managerTitle())
                out << QString::number(int(box.icon)) + QLatin1Char(':') + box.text.section(QLatin1Char('\n'), 0, 0);
        }
        return out;
    }

    static QString missingReport(int count)
    {
        return QString::number(int(MsgIcon::Exclamation))
            + QStringLiteral(":불러오는 도중에 %1개의 테마 파일이 누락되었거나 손상되었습니다.").arg(count);
    }
    static QString folderMissing()
    {
        return QString::number(int(MsgIcon::Critical)) + QStringLiteral(":Ambrel™ 테마팩 폴더가 없습니다.");
    }
    static QString nextStart()
    {
        return QString::number(int(MsgIcon::Information))
            + QStringLiteral(":Vorlen™ 시작시 Ambrel™ 테마팩을 활성화 하지 않도록 하였습니다.");
    }
};

} // namespace

TEST_F(ThemeApply, AFullPackPutsItsPicturesOnEveryElementWithoutAWord)
{
    writePack("Dusk");
    useTheme("Dusk");
    start();
    for (const themepack::PictureFile &row : themepack::kPictureFiles) {
        // SystemMaxButton shows the maximize or restore picture of the state.
        EXPECT_TRUE(fromPack(row.element)) << row.element;
        if (!row.alsoElement.empty())
            EXPECT_TRUE(fromPack(row.alsoElement)) << row.alsoElement;
    }
    EXPECT_TRUE(themeMessages().isEmpty()) << themeMessages().join(" | ").toStdString();
    EXPECT_TRUE(form().ambrelMenuEnabled());
    EXPECT_TRUE(app().skin().themePackActive());
}

TEST_F(ThemeApply, MissingAndBrokenFilesFallBackOneByOneAndAreCountedOnce)
{
    writePack("Holes", {"TopLeftEdge", "RightLine", "BottomLine", "ToolbarBackgroundImage", "SearchButton"});
    // Present but not pictures: a zero-byte file and a truncated one.
    QFile empty(packFolder("Holes") + "/SearchButton.gif");
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    QFile truncated(packFolder("Holes") + "/NotepadButton.gif");
    ASSERT_TRUE(truncated.open(QIODevice::ReadWrite));
    truncated.resize(20);
    truncated.close();
    useTheme("Holes");
    start();

    // Three frame pieces, the toolbar background (once for its two strips) and
    // two side-bar buttons that do not decode.
    EXPECT_EQ(themeMessages(), QStringList{missingReport(6)});
    BuiltinImages &images = app().images();
    EXPECT_TRUE(images.isBuiltin(control("ProgramDesignTopLeftEdge")->picture(), ImageList::SystemImageList, 1));
    EXPECT_TRUE(images.isBuiltin(control("ProgramDesignRightLine")->picture(), ImageList::SystemImageList, 4));
    EXPECT_TRUE(images.isBuiltin(control("ProgramToolbarBackgroundImage")->picture(), ImageList::ProgramToolbarImagesList, 1));
    EXPECT_TRUE(images.isBuiltin(control("WebBrowserToolBackgroundImage")->picture(), ImageList::ProgramToolbarImagesList, 1));
    EXPECT_TRUE(images.isBuiltin(control("SearchButton")->picture(), ImageList::ProgramSidebarImagesList, 2));
    EXPECT_TRUE(images.isBuiltin(control("NotepadButton")->picture(), ImageList::ProgramSidebarImagesList, 8));
    for (const char *kept : {"ProgramDesignTopLine", "ProgramDesignLeftLine", "FavoriteButton", "BackButton", "SystemExitButton"})
        EXPECT_TRUE(fromPack(kept)) << kept;
}

TEST_F(ThemeApply, ABuilderPackKeepsTheBuiltinCaptionButtonsWithoutAReport)
{
    std::set<std::string_view> caption;
    for (const themepack::PictureFile &row : themepack::kPictureFiles) {
        if (!row.writtenByBuilder)
            caption.insert(row.baseName());
    }
    writePack("Built", caption);
    useTheme("Built");
    start();
    EXPECT_TRUE(themeMessages().isEmpty());
    EXPECT_TRUE(app().images().isBuiltin(control("SystemMinButton")->picture(), ImageList::SystemButtonImageList, 1));
    EXPECT_TRUE(fromPack("BackButton"));
}

TEST_F(ThemeApply, HostilePackNamesNeverLeaveTheThemeFolder)
{
    // A complete pack one level above the theme folder, and one inside a pack.
    writePack("evil", {}, m_fake.environment().applicationFolder() + "/evil");
    writePack("inner", {}, packFolder("Real") + "/inner");
    for (const QString &name : {QStringLiteral("../evil"), QStringLiteral(".."), QStringLiteral("."),
                                QStringLiteral("Real/inner"), QStringLiteral("..\\evil"),
                                m_fake.environment().applicationFolder() + "/evil"}) {
        SCOPED_TRACE(name.toStdString());
        fake().dialogs().clear();
        useTheme(name);
        start();
        EXPECT_EQ(themeMessages(), QStringList{folderMissing()});
        EXPECT_FALSE(fromPack("ProgramDesignTopLine"));
        EXPECT_FALSE(app().skin().packActive());
        // A pressed state does not reach the outside pack either.
        modAmbrel::SetBackButtonPicture(app().skin(), false);
        EXPECT_TRUE(app().images().isBuiltin(control("BackButton")->picture(), ImageList::ProgramToolbarImagesList, 3));
        m_app.reset();
    }
}

TEST_F(ThemeApply, TheStartUpCheckDecidesByTheSettings)
{
    struct Row
    {
        const char *what;
        bool settingsFile;
        const char *use;
        const char *themeName;
        const char *ask;
        MsgResult answer;
        bool packShown;
        bool active;
        bool menuEnabled;
        int questions;
    };
    const Row rows[] = {
        {"no settings file", false, "", "", "", MsgResult::Yes, false, false, false, 0},
        {"themes off", true, "0", "Dusk", "0", MsgResult::Yes, false, false, false, 0},
        {"odd switch value", true, "2", "Dusk", "0", MsgResult::Yes, false, false, false, 0},
        {"on without a pack", true, "1", "", "1", MsgResult::Yes, false, false, true, 0},
        {"on, no question", true, "1", "Dusk", "0", MsgResult::No, true, true, true, 0},
        {"asked, yes", true, "1", "Dusk", "1", MsgResult::Yes, true, true, true, 1},
        {"asked, no", true, "1", "Dusk", "1", MsgResult::No, false, false, true, 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        QFile::remove(platform::folders::settingsFile(m_fake.environment()));
        writePack("Dusk");
        if (row.settingsFile) {
            setSetting(K::AmbrelUseValue, row.use);
            setSetting(K::ThemeName, row.themeName);
            setSetting(K::AskUseBooleanValue, row.ask);
        }
        fake().dialogs().clear();
        fake().dialogs().setMessageBoxHandler([&row](const auto &box) -> std::optional<MsgResult> {
            if (box.title == modAmbrel::managerTitle() && box.buttons == platform::MsgButtons::YesNo)
                return row.answer;
            return std::nullopt;
        });
        start();
        EXPECT_EQ(fromPack("ProgramDesignTopLine"), row.packShown);
        EXPECT_EQ(app().skin().themePackActive(), row.active);
        EXPECT_EQ(form().ambrelMenuEnabled(), row.menuEnabled);
        const QString question = QString::number(int(MsgIcon::Information)) + QStringLiteral(":Ambrel™ 테마팩을 활성화 하시겠습니까?");
        EXPECT_EQ(themeMessages().count(question), row.questions);
        fake().dialogs().setMessageBoxHandler({});
        m_app.reset();
    }
}

TEST_F(ThemeApply, TheManagersOkAppliesOnlyWhenPacksWereSwitchedOnAtStart)
{
    writePack("Dusk");
    useTheme("Dusk", "1");
    fake().dialogs().queueAnswer(MsgResult::No);
    start();
    EXPECT_FALSE(fromPack("ProgramDesignTopLine"));
    fake().dialogs().clear();
    loadPackFromManager();
    EXPECT_EQ(themeMessages(), QStringList{nextStart()});
    EXPECT_FALSE(fromPack("ProgramDesignTopLine")) << "nothing on screen changes";
    m_app.reset();

    // Switched on at start: a later choice applies at once (an empty one
    // restores the built-in design), a deleted folder restores the built-in
    // design with the folder message.
    useTheme("Dusk", "0");
    start();
    EXPECT_TRUE(app().skin().themePackActive());
    setSetting(K::ThemeName, "");
    loadPackFromManager();
    EXPECT_FALSE(fromPack("ProgramDesignTopLine"));
    modAmbrel::SetBackButtonPicture(app().skin(), true);
    EXPECT_FALSE(fromPack("BackButton")) << "no pack is active any more";
    setSetting(K::ThemeName, "Dusk");
    fake().dialogs().clear();
    EXPECT_EQ(loadPackFromManager(), 0);
    EXPECT_TRUE(fromPack("ProgramDesignTopLine"));
    ASSERT_TRUE(QDir(packFolder("Dusk")).removeRecursively());
    loadPackFromManager();
    EXPECT_EQ(themeMessages(), QStringList{folderMissing()});
    EXPECT_FALSE(fromPack("ProgramDesignTopLine"));
}

TEST_F(ThemeApply, PressedPicturesComeFromThePackAndFallBackSilently)
{
    writePack("Dusk", {"RefreshButtonPress"});
    QImage red(12, 12, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(packFolder("Dusk") + "/StopButtonPress.gif", "PNG"));
    useTheme("Dusk");
    start();
    fake().dialogs().clear();

    pressOn("StopButton");
    EXPECT_EQ(control("StopButton")->picture().toImage().pixelColor(1, 1), QColor(Qt::red));
    releaseOn("StopButton");
    EXPECT_TRUE(fromPack("StopButton"));

    pressOn("RefreshButton");
    EXPECT_TRUE(app().images().isBuiltin(control("RefreshButton")->picture(), ImageList::ProgramToolbarImagesList, 7));
    releaseOn("RefreshButton");
    EXPECT_TRUE(fromPack("RefreshButton"));
    EXPECT_TRUE(themeMessages().isEmpty());
}
