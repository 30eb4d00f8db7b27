#include "platform/IniFile.h"
#include "platform/testing/FakeEnvironment.h"
#include "themepack/ThemePack.h"

#include "TempDir.h"

#include <QDir>
#include <QSet>

#include <gtest/gtest.h>

#include <map>

using namespace themepack;

namespace {

QString utf8(std::string_view s)
{
    return tableText(s);
}

// A pack folder holding the files of the table that pass the filter.
QString makePack(const TestFolder &folder, const QString &name, bool (*keep)(const PictureFile &))
{
    const QString pack = packFolder(folder.path(), name);
    QDir().mkpath(pack);
    for (const PictureFile &f : kPictureFiles) {
        if (keep(f))
            folder.write("Ambrel/" + name + '/' + utf8(f.fileName), "GIF89a");
    }
    return pack;
}

} // namespace

TEST(PictureTable, GroupsListsAndBuilderSlotsAreConsistent)
{
    QSet<QString> names;
    std::map<std::string_view, QSet<int>> indices;
    int builder = 0, counted = 0;
    for (const PictureFile &f : kPictureFiles) {
        names.insert(utf8(f.fileName));
        EXPECT_TRUE(utf8(f.fileName).endsWith(".gif"));
        EXPECT_FALSE(indices[f.builtInList].contains(f.builtInIndex)) << f.fileName;
        indices[f.builtInList].insert(f.builtInIndex);
        builder += f.writtenByBuilder;
        counted += f.group == Group::Counted;
        // Exactly the builder's files carry a slot label and a page.
        EXPECT_EQ(f.writtenByBuilder, !f.slotLabel.empty()) << f.fileName;
        EXPECT_EQ(f.writtenByBuilder, f.page != BuilderPage::None) << f.fileName;
    }
    EXPECT_EQ(names.size(), 33);
    EXPECT_EQ(builder, 25);
    EXPECT_EQ(counted, 17);
    // Each built-in list is indexed 1..n without gaps.
    const std::map<std::string_view, int> listSizes = {
        {kSystemImageList, 8}, {kSystemButtonImageList, 8}, {kToolbarImagesList, 9}, {kSidebarImagesList, 8}};
    for (const auto &[list, size] : listSizes) {
        ASSERT_EQ(indices[list].size(), size) << list;
        for (int i = 1; i <= size; ++i)
            EXPECT_TRUE(indices[list].contains(i)) << list << " " << i;
    }
}

TEST(PictureTable, LooksUpRowsByEitherName)
{
    const auto back = pictureFile("RefreshButtonPress");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->fileName, "RefreshButtonPress.gif");
    EXPECT_EQ(utf8(back->slotLabel), QStringLiteral("다시 불러오기 (누름)"));
    EXPECT_EQ(back->width, 29);
    EXPECT_EQ(back->height, 25);
    EXPECT_EQ(back->group, Group::State);

    const auto toolbar = pictureFile("ToolbarBackgroundImage.gif");
    ASSERT_TRUE(toolbar);
    EXPECT_EQ(toolbar->group, Group::Counted);
    EXPECT_EQ(toolbar->width, 0);  // follows the window
    EXPECT_EQ(toolbar->alsoElement, "WebBrowserToolBackgroundImage");
    EXPECT_FALSE(pictureFile("Toolbar"));
    EXPECT_FALSE(pictureFile("SystemMinButton")->writtenByBuilder);
}

TEST(PackPaths, KeepNamesWithSpacesAndKoreanTextAsTyped)
{
    const QString app = QStringLiteral("/opt/my apps/vorlen");
    const QString name = QStringLiteral("파란 하늘 v2");
    EXPECT_EQ(themeFolder(app), app + "/Ambrel");
    EXPECT_EQ(packFolder(app, name), app + "/Ambrel/파란 하늘 v2");
    EXPECT_EQ(infoFile(app, name), app + "/Ambrel/파란 하늘 v2/파란 하늘 v2.iti");
    EXPECT_EQ(picturePath(app, name, "TopLine.gif"), app + "/Ambrel/파란 하늘 v2/TopLine.gif");

    // Both programs must meet in the folder the platform's folder table names.
    TestFolder root;
    platform::testing::FakeEnvironment env(root.path());
    EXPECT_EQ(themeFolder(env), themeFolder(env.applicationFolder()));
}

TEST(PackPaths, InfoFileOfAKoreanNamedPackRoundTripsOnDisk)
{
    TestFolder root;
    const QString name = QStringLiteral("가을 단풍");
    QDir().mkpath(packFolder(root.path(), name));
    const QString info = infoFile(root.path(), name);
    ASSERT_TRUE(modINIControl::WriteIniValue(kInfoSection, kKeyName, name, info));
    ASSERT_TRUE(modINIControl::WriteIniValue(kInfoSection, kKeyMakerName, QStringLiteral("홍 길동"), info));

    const PackInfo shown = readInfo(info);
    EXPECT_EQ(shown.name, name);
    EXPECT_EQ(shown.makerName, QStringLiteral("홍 길동"));
    EXPECT_EQ(shown.makerUrl, noMakerUrlText());
    EXPECT_EQ(listPacks(root.path()), QStringList{name});
}

TEST(PackInfoFile, ShowsPlaceholdersForWhatIsMissing)
{
    TestFolder root;
    // No information file at all: all three placeholders.
    const PackInfo none = readInfo(root.file("Blue/Blue.iti"));
    EXPECT_EQ(none.name, QStringLiteral("[테마팩 이름 없음]"));
    EXPECT_EQ(none.makerName, QStringLiteral("[제작자 이름 없음]"));
    EXPECT_EQ(none.makerUrl, QStringLiteral("[제작자 URL 없음]"));
    EXPECT_TRUE(readInfoValues(root.file("Blue/Blue.iti")).name.isEmpty());

    // An empty MakerURL shows its placeholder; keys match without regard to case.
    const QString emptyUrl = root.write("Red/Red.iti",
                                        "[Ambrel ThemePack Info]\r\nname = Red\r\nMAKERNAME=Kim\r\nMakerURL=\r\n");
    const PackInfo red = readInfo(emptyUrl);
    EXPECT_EQ(red.name, "Red");
    EXPECT_EQ(red.makerName, "Kim");
    EXPECT_EQ(red.makerUrl, noMakerUrlText());
    EXPECT_TRUE(readInfoValues(emptyUrl).makerUrl.isEmpty());

    // Only Name: the name and two placeholders.
    const QString onlyName = root.write("Green/Green.iti", "[Ambrel ThemePack Info]\nName=초록\n");
    const PackInfo green = readInfo(onlyName);
    EXPECT_EQ(green.name, QStringLiteral("초록"));
    EXPECT_EQ(green.makerName, noMakerNameText());
    EXPECT_EQ(green.makerUrl, noMakerUrlText());

    // Keys in another section do not count.
    const QString otherSection = root.write("Gray/Gray.iti", "[Other]\nName=Gray\n");
    EXPECT_EQ(readInfo(otherSection).name, noNameText());
}

TEST(PackList, OffersEverySubFolderSortedAndNoFiles)
{
    TestFolder root;
    EXPECT_TRUE(listPacks(root.path()).isEmpty());  // no theme folder yet

    const QString theme = themeFolder(root.path());
    for (const char *name : {"Zebra", "Blue", "빨강 테마", "Empty"})
        QDir().mkpath(theme + '/' + QString::fromUtf8(name));
    root.write("Ambrel/Blue/Blue.iti", "[Ambrel ThemePack Info]\nName=Blue\n");
    root.write("Ambrel/readme.txt", "not a pack");
    root.write("Ambrel/Loose.iti", "[Ambrel ThemePack Info]\nName=Loose\n");

    EXPECT_EQ(listPacks(root.path()),
              (QStringList{"Blue", "Empty", "Zebra", QStringLiteral("빨강 테마")}));
}

TEST(PackFiles, ExistenceIsAPlainFileQuery)
{
    TestFolder root;
    const QString file = root.write("Pack/TopLine.gif", "x");
    QDir().mkpath(root.file("Pack/LeftLine.gif"));
    EXPECT_TRUE(fileExists(file));
    EXPECT_FALSE(fileExists(root.file("Pack/LeftLine.gif")));  // a folder is not a picture
    EXPECT_FALSE(fileExists(root.file("Pack/Missing.gif")));
    EXPECT_TRUE(folderExists(root.file("Pack")));
    EXPECT_FALSE(folderExists(file));
}

TEST(PackFiles, CountsOnlyMissingCountedFiles)
{
    TestFolder root;
    // All 33 files, and the builder's 25 (caption buttons missing): nothing to report.
    EXPECT_TRUE(missingCountedFiles(makePack(root, "Full", [](const PictureFile &) { return true; })).isEmpty());
    EXPECT_TRUE(missingCountedFiles(makePack(root, "Built", [](const PictureFile &f) { return f.writtenByBuilder; }))
                    .isEmpty());

    // The toolbar background feeds two elements but counts once.
    const QString noToolbar = makePack(root, "NoToolbar", [](const PictureFile &f) {
        return f.fileName != "ToolbarBackgroundImage.gif";
    });
    EXPECT_EQ(missingCountedFiles(noToolbar), QStringList{"ToolbarBackgroundImage.gif"});

    // Three frame pieces and the toolbar background: four, in table order.
    const QString four = makePack(root, "Four", [](const PictureFile &f) {
        return f.fileName != "TopLine.gif" && f.fileName != "LeftLine.gif" && f.fileName != "BottomRightEdge.gif"
            && f.fileName != "ToolbarBackgroundImage.gif";
    });
    EXPECT_EQ(missingCountedFiles(four),
              (QStringList{"TopLine.gif", "BottomRightEdge.gif", "LeftLine.gif", "ToolbarBackgroundImage.gif"}));

    // Missing state files (navigation buttons) are never counted.
    const QString noState = makePack(root, "NoState", [](const PictureFile &f) { return f.group == Group::Counted; });
    EXPECT_TRUE(missingCountedFiles(noState).isEmpty());

    // An empty or absent folder misses all 17 counted files.
    EXPECT_EQ(missingCountedFiles(root.file("Absent")).size(), 17);
}

TEST(PackNames, RefusesNamesThatLeaveTheThemeFolder)
{
    for (const QString &bad : {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("a/b"),
                               QStringLiteral("../up"), QStringLiteral("a\\b"), QString::fromUtf8("a\0b", 3),
                               QStringLiteral("/abs")})
        EXPECT_FALSE(isUsablePackName(bad)) << bad.toStdString();
    // Blanks inside and dots after the first character are fine; blanks at the
    // ends and a leading dot are not (see PackNameRules).
    for (const QString &good : {QStringLiteral("Blue"), QStringLiteral("파란 하늘"), QStringLiteral("in  between"),
                                QStringLiteral("dots..."), QStringLiteral("v1.0")})
        EXPECT_TRUE(isUsablePackName(good)) << good.toStdString();
    for (const QString &nowBad : {QStringLiteral(" spaced "), QStringLiteral("...dots")})
        EXPECT_FALSE(isUsablePackName(nowBad)) << nowBad.toStdString();
}
