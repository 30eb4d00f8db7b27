#include "platform/FileIO.h"
#include "platform/IniFile.h"
#include "themepack/ThemePack.h"

#include "TempDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace themepack;

namespace {

QString syllables(int count)
{
    return QString(count, QChar(0xAC00));  // "가", three bytes in UTF-8
}

QString dump(const QString &s)
{
    QString out;
    for (QChar c : s)
        out += c.unicode() < 0x20 ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0')) : QString(c);
    return out;
}

} // namespace

TEST(PackNameRules, EachRefusedNameHasItsReason)
{
    const struct
    {
        QString name;
        PackNameProblem problem;
    } cases[] = {
        {QString(), PackNameProblem::Empty},
        {QStringLiteral(" "), PackNameProblem::OnlyBlanks},
        {QStringLiteral("   "), PackNameProblem::OnlyBlanks},
        {QStringLiteral("\u3000"), PackNameProblem::OnlyBlanks},  // ideographic space
        {QStringLiteral(" Blue"), PackNameProblem::EdgeBlanks},
        {QStringLiteral("Blue "), PackNameProblem::EdgeBlanks},
        {QStringLiteral("파랑\u3000"), PackNameProblem::EdgeBlanks},
        {QStringLiteral("a\tb"), PackNameProblem::ControlCharacter},
        {QStringLiteral("line\nbreak"), PackNameProblem::ControlCharacter},
        {QStringLiteral("Blue\r"), PackNameProblem::ControlCharacter},
        {QString::fromUtf8("a\0b", 3), PackNameProblem::ControlCharacter},
        {QStringLiteral("del\x7f"), PackNameProblem::ControlCharacter},
        {QStringLiteral("c1\u0085x"), PackNameProblem::ControlCharacter},
        {QStringLiteral("a/b"), PackNameProblem::PathCharacter},
        {QStringLiteral("../up"), PackNameProblem::PathCharacter},
        {QStringLiteral("a\\b"), PackNameProblem::PathCharacter},
        {QStringLiteral("."), PackNameProblem::Hidden},
        {QStringLiteral(".."), PackNameProblem::Hidden},
        {QStringLiteral(".hidden"), PackNameProblem::Hidden},
        {QString(QChar(0xD800)) + QStringLiteral("x"), PackNameProblem::NotEncodable},
        {syllables(80), PackNameProblem::TooLong},  // 240 bytes
        {syllables(74), PackNameProblem::TooLong},  // 222 bytes
        {QString(222, QLatin1Char('a')), PackNameProblem::TooLong},
        {syllables(73), PackNameProblem::None},  // 219 bytes
        {QString(221, QLatin1Char('a')), PackNameProblem::None},
        {syllables(73) + QStringLiteral("ab"), PackNameProblem::None},
        {QStringLiteral("파란 하늘 v1.0"), PackNameProblem::None},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(packNameProblem(c.name), c.problem) << dump(c.name).toStdString();
        EXPECT_EQ(isUsablePackName(c.name), c.problem == PackNameProblem::None) << dump(c.name).toStdString();
    }
}

// The limit must hold for the atomic writer the programs really use: the longest
// allowed name gets its information file and every picture written.
TEST(PackNameRules, TheLongestAllowedNameStillTakesItsInformationFile)
{
    TestFolder root;
    const QString longest = syllables(kMaxPackNameBytes / 3) + QString(kMaxPackNameBytes % 3, QLatin1Char('x'));
    ASSERT_EQ(longest.toUtf8().size(), kMaxPackNameBytes);
    ASSERT_TRUE(isUsablePackName(longest));
    ASSERT_TRUE(QDir().mkpath(packFolder(root.path(), longest)));
    const QString info = infoFile(root.path(), longest);
    EXPECT_TRUE(modINIControl::WriteIniValue(kInfoSection, kKeyName, longest, info));
    EXPECT_EQ(readInfo(info).name, longest);
    for (const PictureFile &f : kPictureFiles)
        EXPECT_TRUE(platform::writeFileAtomically(picturePath(root.path(), longest, tableText(f.fileName)), "GIF89a"))
            << f.fileName;
    EXPECT_TRUE(missingCountedFiles(packFolder(root.path(), longest)).isEmpty());
    EXPECT_EQ(packNameProblem(longest + QLatin1Char('x')), PackNameProblem::TooLong);
}

class PackLinks : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_theme = themeFolder(m_root.path());
        ASSERT_TRUE(QDir().mkpath(m_theme));
        m_outsidePack = m_outside.path() + "/Planted";
        ASSERT_TRUE(QDir().mkpath(m_outsidePack));
        for (const PictureFile &f : kPictureFiles)
            m_outside.write("Planted/" + tableText(f.fileName), "GIF89a");
        m_outside.write("Planted/Planted.iti", "[Ambrel ThemePack Info]\nName=Planted\n");
        m_secret = m_outside.write("secret.iti", "[Ambrel ThemePack Info]\nName=Secret\nMakerName=Outside\n");
    }

    // A real pack holding every picture file and an information file.
    QString makeRealPack(const QString &name)
    {
        for (const PictureFile &f : kPictureFiles)
            m_root.write("Ambrel/" + name + '/' + tableText(f.fileName), "GIF89a");
        m_root.write("Ambrel/" + name + '/' + name + ".iti", "[Ambrel ThemePack Info]\nName=" + name.toUtf8() + '\n');
        return packFolder(m_root.path(), name);
    }

    TestFolder m_root;
    TestFolder m_outside;
    QString m_theme;
    QString m_outsidePack;
    QString m_secret;
};

TEST_F(PackLinks, LinkedAndUnchoosablePackFoldersAreNotListed)
{
    makeRealPack("Real");
    ASSERT_TRUE(QFile::link(m_outsidePack, m_theme + "/Linked"));
    ASSERT_TRUE(QFile::link(m_theme + "/Real", m_theme + "/Alias"));  // a link even to a pack inside
    ASSERT_TRUE(QFile::link(m_outside.path() + "/gone", m_theme + "/Dangling"));
    for (const char *name : {" Edge", "Edge ", ".hidden", "   "})
        ASSERT_TRUE(QDir().mkpath(m_theme + '/' + QString::fromUtf8(name)));
    ASSERT_TRUE(QDir().mkpath(m_theme + '/' + syllables(80)));

    EXPECT_EQ(listPacks(m_root.path()), QStringList{"Real"});
    EXPECT_TRUE(isPlainPackFolder(m_theme + "/Real"));
    EXPECT_FALSE(isPlainPackFolder(m_theme + "/Linked"));
    EXPECT_FALSE(isPlainPackFolder(m_theme + "/Alias"));
    EXPECT_FALSE(isPlainPackFolder(m_theme + "/Real/.."));
}

TEST_F(PackLinks, NothingIsReadThroughALinkedPackFolder)
{
    ASSERT_TRUE(QFile::link(m_outsidePack, m_theme + "/Planted"));
    const QString pack = packFolder(m_root.path(), "Planted");

    const PackInfo shown = readInfo(infoFile(m_root.path(), "Planted"));
    EXPECT_EQ(shown.name, noNameText());
    EXPECT_TRUE(readInfoValues(infoFile(m_root.path(), "Planted")).name.isEmpty());
    EXPECT_FALSE(fileExists(pack + "/TopLine.gif"));
    EXPECT_EQ(missingCountedFiles(pack).size(), 17);
    EXPECT_TRUE(picturePath(m_root.path(), "Planted", "TopLine.gif").isEmpty());
    EXPECT_TRUE(picturePath(m_root.path(), "Planted", "BackButton.gif").isEmpty());
}

TEST_F(PackLinks, FilesLinkedOutOfTheirPackReadAsMissing)
{
    const QString pack = makeRealPack("Blue");
    // The information file and two pictures lead outside; one picture is a link
    // to another picture of the same pack, which is the pack's own business.
    for (const char *file : {"Blue.iti", "TopLine.gif", "BackButton.gif", "LeftLine.gif"})
        QFile::remove(pack + '/' + file);
    ASSERT_TRUE(QFile::link(m_secret, pack + "/Blue.iti"));
    ASSERT_TRUE(QFile::link(m_outsidePack + "/TopLine.gif", pack + "/TopLine.gif"));
    ASSERT_TRUE(QFile::link(m_outsidePack + "/BackButton.gif", pack + "/BackButton.gif"));
    ASSERT_TRUE(QFile::link(pack + "/RightLine.gif", pack + "/LeftLine.gif"));

    EXPECT_EQ(readInfo(infoFile(m_root.path(), "Blue")).name, noNameText());
    EXPECT_EQ(readInfo(infoFile(m_root.path(), "Blue")).makerName, noMakerNameText());
    EXPECT_FALSE(fileExists(pack + "/TopLine.gif"));
    EXPECT_EQ(missingCountedFiles(pack), QStringList{"TopLine.gif"});
    EXPECT_TRUE(picturePath(m_root.path(), "Blue", "TopLine.gif").isEmpty());
    EXPECT_TRUE(picturePath(m_root.path(), "Blue", "BackButton.gif").isEmpty());  // a state file, same rule

    EXPECT_TRUE(fileExists(pack + "/LeftLine.gif"));
    EXPECT_EQ(picturePath(m_root.path(), "Blue", "LeftLine.gif"), pack + "/LeftLine.gif");
    EXPECT_EQ(picturePath(m_root.path(), "Blue", "RightLine.gif"), pack + "/RightLine.gif");
    // A file not there yet still has its place; an unusable name has none.
    QFile::remove(pack + "/StopButton.gif");
    EXPECT_EQ(picturePath(m_root.path(), "Blue", "StopButton.gif"), pack + "/StopButton.gif");
    EXPECT_TRUE(picturePath(m_root.path(), "../Blue", "StopButton.gif").isEmpty());
    EXPECT_TRUE(picturePath(m_root.path(), "Blue", "../x.gif").isEmpty());
}

TEST_F(PackLinks, ALinkedThemeFolderIsTheUsersChoice)
{
    // The theme folder may live elsewhere; packs inside it are still read.
    TestFolder app;
    ASSERT_TRUE(QFile::link(m_theme, themeFolder(app.path())));
    makeRealPack("Blue");
    EXPECT_EQ(listPacks(app.path()), QStringList{"Blue"});
    EXPECT_EQ(readInfo(infoFile(app.path(), "Blue")).name, "Blue");
    EXPECT_TRUE(missingCountedFiles(packFolder(app.path(), "Blue")).isEmpty());
}
