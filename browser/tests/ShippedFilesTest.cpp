// The help page and the shipped theme packs of an installed copy.
#include "BrowserFixture.h"
#include "browser/startup/ShippedFiles.h"
#include "platform/Folders.h"
#include "platform/testing/FakeEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

class ShippedFilesTest : public ::testing::Test
{
protected:
    ShippedFilesTest()
        : env(dir.path())
    {
    }
    QString data(const QString &name) { return env.dataFolder() + '/' + name; }
    QString app(const QString &name) { return env.applicationFolder() + '/' + name; }
    void writeFile(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList treeOf(const QString &folder)
    {
        QStringList files;
        const QDir root(folder);
        std::function<void(const QString &)> walk = [&](const QString &path) {
            for (const QFileInfo &e : QDir(path).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                                               QDir::Name)) {
                files << root.relativeFilePath(e.filePath()) + (e.isDir() ? "/" : "");
                if (e.isDir() && !e.isSymLink())
                    walk(e.filePath());
            }
        };
        walk(folder);
        return files;
    }

    TestFolder dir;
    platform::testing::FakeEnvironment env;
};

TEST_F(ShippedFilesTest, HelpPageBesideTheProgramComesBeforeTheInstalledOne)
{
    EXPECT_EQ(shipped::helpPage(env), QString());
    writeFile(data("ReadMe.htm"), "installed");
    EXPECT_EQ(shipped::helpPage(env), data("ReadMe.htm"));
    writeFile(app("ReadMe.htm"), "portable");
    EXPECT_EQ(shipped::helpPage(env), app("ReadMe.htm"));
}

TEST_F(ShippedFilesTest, ShippedPacksAreCopiedIntoTheUsersThemeFolder)
{
    writeFile(data("Ambrel/Dusk/Dusk.iti"), "[Info]\nName=Dusk\n");
    writeFile(data("Ambrel/Dusk/TopLine.gif"), "GIF89a");
    writeFile(data("Ambrel/Dusk/sub/more.gif"), "GIF89a");
    writeFile(data("Ambrel/Dawn/Dawn.iti"), "[Info]\n");
    ASSERT_EQ(QFile::link(data("Ambrel/Dusk/TopLine.gif"), data("Ambrel/Dawn/linked.gif")), true);
    ASSERT_EQ(QFile::link(data("Ambrel/Dusk"), data("Ambrel/Linked")), true);

    EXPECT_EQ(shipped::installPacks(env), QStringList({"Dawn", "Dusk"}));
    const QString themes = platform::folders::themeFolder(env);
    EXPECT_EQ(treeOf(themes), QStringList({"Dawn/", "Dawn/Dawn.iti", "Dusk/", "Dusk/Dusk.iti", "Dusk/TopLine.gif",
                                           "Dusk/sub/", "Dusk/sub/more.gif"}));
    QFile copy(themes + "/Dusk/Dusk.iti");
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), "[Info]\nName=Dusk\n");
    EXPECT_FALSE(QFileInfo(themes + "/Dusk").isSymLink());
}

TEST_F(ShippedFilesTest, AUsersOwnPackIsLeftAloneAndCopyingIsOnce)
{
    writeFile(data("Ambrel/Dusk/Dusk.iti"), "shipped");
    const QString mine = platform::folders::themeFolder(env) + "/Dusk/Dusk.iti";
    writeFile(mine, "mine");
    EXPECT_TRUE(shipped::installPacks(env).isEmpty());
    QFile file(mine);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "mine");

    writeFile(data("Ambrel/Dawn/Dawn.iti"), "shipped");
    EXPECT_EQ(shipped::installPacks(env), QStringList({"Dawn"}));
    EXPECT_TRUE(shipped::installPacks(env).isEmpty());
}

TEST_F(ShippedFilesTest, APortableCopyHasNothingToCopy)
{
    // The data folder is the application folder when the program runs from its build.
    platform::testing::FakeEnvironment portable(dir.path());
    portable.setApplicationFolder(portable.dataFolder());
    writeFile(portable.dataFolder() + "/Ambrel/Dawn/Dawn.iti", "x");
    EXPECT_TRUE(shipped::installPacks(portable).isEmpty());
    EXPECT_EQ(treeOf(portable.dataFolder() + "/Ambrel"), QStringList({"Dawn/", "Dawn/Dawn.iti"}));
}

class ShippedPacksAtStart : public BrowserTest
{
};

TEST_F(ShippedPacksAtStart, StartCopiesThePacks)
{
    const QString shippedPack = fake().environment().dataFolder() + "/Ambrel/Dusk";
    QDir().mkpath(shippedPack);
    QFile file(shippedPack + "/Dusk.iti");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Info]\n");
    file.close();
    start();
    EXPECT_TRUE(QFileInfo::exists(platform::folders::themeFolder(fake().environment()) + "/Dusk/Dusk.iti"));
}
