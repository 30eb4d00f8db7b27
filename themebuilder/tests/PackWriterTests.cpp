#include "themebuilder/PackWriter.h"
#include "themepack/ThemePack.h"

#include "platform/IniFile.h"

#include "GifData.h"
#include "TempDir.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

using namespace prismel;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class PackWriterTest : public ::testing::Test
{
protected:
    // A request with a distinct GIF chosen for each of the 25 slots.
    PackRequest fullRequest(const QString &name, int seed = 0)
    {
        PackRequest r;
        r.applicationFolder = m_app;
        r.packName = name;
        r.makerName = QStringLiteral("홍길동");
        r.makerUrl = QStringLiteral("http://example.com/~hong");
        int i = 0;
        for (std::string_view slot : kWriteOrder) {
            const QString s = themepack::tableText(slot);
            const QString path = gifdata::writeGif(m_sources.file(QStringLiteral("src%1/%2.gif").arg(seed).arg(s)),
                                                   QSize(9 + i, 8 + i), seed + i);
            r.pictures.insert(s, *loadSlotPicture(path));
            ++i;
        }
        return r;
    }

    PackResult failed(PackResult::Failure failure) const
    {
        PackResult result;
        result.outcome = PackResult::Outcome::WriteFailed;
        result.failedPath = m_root.file("x.gif");
        result.failure = failure;
        return result;
    }

    QStringList packFiles(const QString &name) const
    {
        return QDir(themepack::packFolder(m_app, name)).entryList(QDir::Files, QDir::Name);
    }

    TestFolder m_root;
    TestFolder m_sources;
    QString m_app = m_root.path();
};

} // namespace

TEST_F(PackWriterTest, FullPackReadsBackThroughThePackFormat)
{
    const QString name = QStringLiteral("파란 하늘");
    const PackRequest request = fullRequest(name);
    const PackResult result = writePack(request);
    ASSERT_EQ(result.outcome, PackResult::Outcome::Made);

    EXPECT_EQ(themepack::listPacks(m_app), QStringList{name});
    const QString pack = themepack::packFolder(m_app, name);
    EXPECT_TRUE(themepack::missingCountedFiles(pack).isEmpty());
    int present = 0;
    for (const themepack::PictureFile &f : themepack::kPictureFiles) {
        const QString path = pack + '/' + themepack::tableText(f.fileName);
        EXPECT_EQ(themepack::fileExists(path), f.writtenByBuilder) << f.fileName;
        if (!f.writtenByBuilder)
            continue;
        ++present;
        // Each picture is the chosen GIF, byte for byte, and loads by content.
        EXPECT_EQ(readAll(path), request.pictures.value(themepack::tableText(f.baseName())).bytes) << f.fileName;
        EXPECT_FALSE(QImage(path).isNull()) << f.fileName;
    }
    EXPECT_EQ(present, 25);
    EXPECT_EQ(packFiles(name).size(), 26);  // 25 pictures and the information file

    const themepack::PackInfo info = themepack::readInfo(themepack::infoFile(m_app, name));
    EXPECT_EQ(info.name, name);
    EXPECT_EQ(info.makerName, QStringLiteral("홍길동"));
    EXPECT_EQ(info.makerUrl, QStringLiteral("http://example.com/~hong"));
}

TEST_F(PackWriterTest, EmptyMakerFieldsAreStoredEmptyAndShowPlaceholders)
{
    PackRequest request = fullRequest("Plain");
    request.makerName.clear();
    request.makerUrl.clear();
    ASSERT_EQ(writePack(request).outcome, PackResult::Outcome::Made);
    const QString info = themepack::infoFile(m_app, "Plain");
    EXPECT_TRUE(readAll(info).contains("MakerName="));
    EXPECT_EQ(themepack::readInfo(info).makerName, themepack::noMakerNameText());
    EXPECT_EQ(themepack::readInfo(info).makerUrl, themepack::noMakerUrlText());
}

TEST_F(PackWriterTest, StopsAtTheFirstEmptySlotOfTheFixedOrder)
{
    // The first slot of the order empty: a new pack folder stays empty.
    PackRequest first = fullRequest("First");
    first.pictures.remove("BackButton");
    PackResult result = writePack(first);
    EXPECT_EQ(result.outcome, PackResult::Outcome::EmptySlot);
    EXPECT_EQ(result.emptySlot, "BackButton");
    EXPECT_TRUE(themepack::folderExists(themepack::packFolder(m_app, "First")));
    EXPECT_TRUE(packFiles("First").isEmpty());
    EXPECT_EQ(emptySlotMessage(slotLabel(result.emptySlot)),
              QStringLiteral("이미지가 등록되어 있지 않은 부분 : 뒤로 버튼 (일반)\n해당 부분으로 이동 합니다."));

    // Only the notepad button empty: 24 pictures, no information file.
    PackRequest last = fullRequest("Last");
    last.pictures.remove("NotepadButton");
    result = writePack(last);
    EXPECT_EQ(result.emptySlot, "NotepadButton");
    EXPECT_EQ(packFiles("Last").size(), 24);
    EXPECT_FALSE(themepack::fileExists(themepack::infoFile(m_app, "Last")));

    // Several empty: the earliest in the order wins, not the earliest on the pages;
    // a slot holding an empty picture counts as empty.
    PackRequest several = fullRequest("Several");
    several.pictures.remove("TopLeftEdge");
    several.pictures.remove("FavoriteButton");
    several.pictures["BottomLine"] = SlotPicture{};
    result = writePack(several);
    EXPECT_EQ(result.emptySlot, "BottomLine");
    EXPECT_EQ(packFiles("Several"), (QStringList{"BackButton.gif", "BackButtonPress.gif", "BottomLeftEdge.gif"}));
    EXPECT_EQ(slotLabel("StopButtonPress"), QStringLiteral("불러오기 중지 (누름)"));
}

TEST_F(PackWriterTest, RemakingReplacesPicturesAndKeysAndKeepsEverythingElse)
{
    ASSERT_EQ(writePack(fullRequest("Blue", 0)).outcome, PackResult::Outcome::Made);
    const QString pack = themepack::packFolder(m_app, "Blue");
    const QString info = themepack::infoFile(m_app, "Blue");
    m_root.write("Ambrel/Blue/SystemMinButton.gif", gifdata::makeGif({}));
    ASSERT_TRUE(modINIControl::WriteIniValue(themepack::kInfoSection, "Comment", "by hand", info));

    PackRequest second = fullRequest("Blue", 7);
    second.makerName = QStringLiteral("김 철수");
    second.makerUrl = QString();
    ASSERT_EQ(writePack(second).outcome, PackResult::Outcome::Made);

    for (std::string_view slot : kWriteOrder) {
        const QString s = themepack::tableText(slot);
        EXPECT_EQ(readAll(pack + '/' + s + ".gif"), second.pictures.value(s).bytes) << slot;
    }
    EXPECT_TRUE(themepack::fileExists(pack + "/SystemMinButton.gif"));
    const themepack::PackInfo values = themepack::readInfoValues(info);
    EXPECT_EQ(values.name, "Blue");
    EXPECT_EQ(values.makerName, QStringLiteral("김 철수"));
    EXPECT_TRUE(values.makerUrl.isEmpty());
    EXPECT_EQ(modINIControl::ReadIniValue(themepack::kInfoSection, "Comment", info), "by hand");
    EXPECT_EQ(readAll(info).count("MakerName"), 1);  // replaced in place, not appended
}

TEST_F(PackWriterTest, RefusedNamesWriteNothing)
{
    using themepack::PackNameProblem;
    const std::pair<QString, PackNameProblem> cases[] = {
        {QStringLiteral("."), PackNameProblem::Hidden},
        {QStringLiteral(".."), PackNameProblem::Hidden},
        {QStringLiteral(".숨김"), PackNameProblem::Hidden},
        {QStringLiteral("../Escape"), PackNameProblem::PathCharacter},
        {QStringLiteral("a/b"), PackNameProblem::PathCharacter},
        {QStringLiteral("a\\b"), PackNameProblem::PathCharacter},
        {QString::fromUtf8("a\0b", 3), PackNameProblem::ControlCharacter},
        {QStringLiteral("두 줄\n이름"), PackNameProblem::ControlCharacter},
        {QStringLiteral("   "), PackNameProblem::OnlyBlanks},
        {QStringLiteral(" 파랑"), PackNameProblem::EdgeBlanks},
        {QStringLiteral("파랑 "), PackNameProblem::EdgeBlanks},
        {QString(80, QChar(0xAC00)), PackNameProblem::TooLong},
    };
    for (const auto &[bad, problem] : cases) {
        const PackResult result = writePack(fullRequest(bad));
        EXPECT_EQ(result.outcome, PackResult::Outcome::UnusableName) << bad.toStdString();
        EXPECT_EQ(result.nameProblem, problem) << bad.toStdString();
        const QString message = unusableNameMessage(problem);
        EXPECT_TRUE(message.startsWith(QStringLiteral("입력하신 테마팩 이름은 사용할 수 없습니다.\n")));
        EXPECT_TRUE(message.endsWith(QStringLiteral("\n다른 이름을 입력 하십시오.")));
    }
    EXPECT_TRUE(QDir(m_app).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(m_app));
    EXPECT_TRUE(unusableNameMessage(themepack::PackNameProblem::TooLong).contains(QStringLiteral("한글은 73자")));
}

// 80 Korean syllables are 240 bytes: the pack folder and the pictures fit, the
// information file's temporary name does not. The name must be refused before
// the 25 pictures go to disk, and the longest name that fits must work.
TEST_F(PackWriterTest, NameLengthIsCheckedAgainstTheLongestFileOfTheMake)
{
    const QString tooLong = QString(80, QChar(0xAC00));
    EXPECT_EQ(writePack(fullRequest(tooLong)).outcome, PackResult::Outcome::UnusableName);
    EXPECT_FALSE(QFileInfo::exists(themepack::packFolder(m_app, tooLong)));

    const QString longest = QString(73, QChar(0xAC00)) + QStringLiteral("xy");  // 221 bytes
    const PackResult result = writePack(fullRequest(longest));
    ASSERT_EQ(result.outcome, PackResult::Outcome::Made);
    EXPECT_EQ(result.packName, longest);
    EXPECT_EQ(packFiles(longest).size(), 26);
    EXPECT_EQ(themepack::readInfo(themepack::infoFile(m_app, longest)).name, longest);
    EXPECT_EQ(themepack::listPacks(m_app), QStringList{longest});
}

TEST_F(PackWriterTest, AnEmptyNameMakesThePackUnderTheNextFreeDefaultName)
{
    PackResult result = writePack(fullRequest(QString()));
    ASSERT_EQ(result.outcome, PackResult::Outcome::Made);
    EXPECT_EQ(result.packName, QStringLiteral("새 테마팩"));
    EXPECT_EQ(packFiles(result.packName).size(), 26);
    EXPECT_EQ(themepack::readInfo(themepack::infoFile(m_app, result.packName)).name, QStringLiteral("새 테마팩"));
    // Nothing lands in the theme folder itself.
    EXPECT_TRUE(QDir(themepack::themeFolder(m_app)).entryList(QDir::Files | QDir::Hidden).isEmpty());

    result = writePack(fullRequest(QString(), 3));
    ASSERT_EQ(result.outcome, PackResult::Outcome::Made);
    EXPECT_EQ(result.packName, QStringLiteral("새 테마팩 2"));

    // A file and a dangling link take their names too.
    const QString theme = themepack::themeFolder(m_app);
    m_root.write(QStringLiteral("Ambrel/새 테마팩 3"), "x");
    ASSERT_TRUE(QFile::link(m_sources.file("gone"), theme + QStringLiteral("/새 테마팩 4")));
    EXPECT_EQ(defaultPackName(m_app), QStringLiteral("새 테마팩 5"));
    EXPECT_EQ(writePack(fullRequest(QString(), 5)).packName, QStringLiteral("새 테마팩 5"));
    EXPECT_FALSE(QFileInfo::exists(m_sources.file("gone")));

    EXPECT_EQ(themepack::listPacks(m_app),
              (QStringList{QStringLiteral("새 테마팩"), QStringLiteral("새 테마팩 2"), QStringLiteral("새 테마팩 5")}));
}

TEST_F(PackWriterTest, AnEmptyNameWithAnEmptySlotLeavesNoFolderBehind)
{
    PackRequest request = fullRequest(QString());
    request.pictures.remove("NotepadButton");
    const PackResult result = writePack(request);
    EXPECT_EQ(result.outcome, PackResult::Outcome::EmptySlot);
    EXPECT_EQ(result.emptySlot, "NotepadButton");
    EXPECT_FALSE(QFileInfo::exists(themepack::packFolder(m_app, QStringLiteral("새 테마팩"))));

    // Once filled, the make takes the first default name after all.
    EXPECT_EQ(writePack(fullRequest(QString())).packName, QStringLiteral("새 테마팩"));
}

TEST_F(PackWriterTest, APackFolderThatIsALinkIsRefusedAndNothingGoesThroughIt)
{
    TestFolder elsewhere;
    const QString theme = themepack::themeFolder(m_app);
    ASSERT_TRUE(QDir().mkpath(theme));
    ASSERT_TRUE(QFile::link(elsewhere.path(), theme + "/Planted"));
    ASSERT_TRUE(QFile::link(elsewhere.file("not-yet"), theme + "/Dangling"));
    ASSERT_TRUE(QDir().mkpath(theme + "/Real"));
    ASSERT_TRUE(QFile::link(theme + "/Real", theme + "/Alias"));

    for (const QString &name : {QStringLiteral("Planted"), QStringLiteral("Dangling"), QStringLiteral("Alias")}) {
        const PackResult result = writePack(fullRequest(name));
        EXPECT_EQ(result.outcome, PackResult::Outcome::WriteFailed) << name.toStdString();
        EXPECT_EQ(result.failure, PackResult::Failure::LinkedFolder) << name.toStdString();
        EXPECT_EQ(result.failedPath, themepack::packFolder(m_app, name));
        const QString message = failureMessage(result);
        EXPECT_TRUE(message.contains(result.failedPath));
        EXPECT_TRUE(message.contains(QStringLiteral("링크")));
    }
    EXPECT_TRUE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    EXPECT_TRUE(QDir(theme + "/Real").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());

    // An ordinary write failure keeps its own message.
    const PackResult plain = failed(PackResult::Failure::Write);
    EXPECT_EQ(failureMessage(plain), writeFailedMessage(plain.failedPath));
}

TEST_F(PackWriterTest, LinksInsideThePackFolderAreReplacedNeverFollowed)
{
    TestFolder elsewhere;
    const QString secret = elsewhere.write("secret.ini", "[Ambrel ThemePack Info]\nPassword=hunter2\n");
    const QString victim = elsewhere.write("victim.gif", "keep me");
    const QString pack = themepack::packFolder(m_app, "Blue");
    ASSERT_TRUE(QDir().mkpath(pack));
    ASSERT_TRUE(QFile::link(secret, themepack::infoFile(m_app, "Blue")));
    ASSERT_TRUE(QFile::link(victim, pack + "/TopLine.gif"));

    const PackRequest request = fullRequest("Blue");
    ASSERT_EQ(writePack(request).outcome, PackResult::Outcome::Made);
    EXPECT_EQ(m_root.read(secret), "[Ambrel ThemePack Info]\nPassword=hunter2\n");
    EXPECT_EQ(m_root.read(victim), "keep me");
    const QString info = themepack::infoFile(m_app, "Blue");
    EXPECT_FALSE(QFileInfo(info).isSymLink());
    EXPECT_FALSE(readAll(info).contains("hunter2"));
    EXPECT_EQ(themepack::readInfo(info).name, "Blue");
    EXPECT_FALSE(QFileInfo(pack + "/TopLine.gif").isSymLink());
    EXPECT_EQ(readAll(pack + "/TopLine.gif"), request.pictures.value("TopLine").bytes);
}

TEST_F(PackWriterTest, AThemeFolderThatIsALinkIsUsed)
{
    // Keeping the theme folder elsewhere is the user's arrangement, not a trap.
    TestFolder elsewhere;
    ASSERT_TRUE(QFile::link(elsewhere.path(), themepack::themeFolder(m_app)));
    ASSERT_EQ(writePack(fullRequest("Blue")).outcome, PackResult::Outcome::Made);
    EXPECT_TRUE(QFileInfo::exists(elsewhere.file("Blue/Blue.iti")));
    EXPECT_EQ(themepack::listPacks(m_app), QStringList{"Blue"});
}

TEST_F(PackWriterTest, AFailedWriteIsReportedAndKeepsWhatWasWritten)
{
    // A folder where a picture should go: the writer names that file and stops.
    QDir().mkpath(themepack::packFolder(m_app, "Blocked") + "/BottomLine.gif");
    PackResult result = writePack(fullRequest("Blocked"));
    EXPECT_EQ(result.outcome, PackResult::Outcome::WriteFailed);
    EXPECT_EQ(result.failedPath, themepack::picturePath(m_app, "Blocked", "BottomLine.gif"));
    EXPECT_EQ(packFiles("Blocked"), (QStringList{"BackButton.gif", "BackButtonPress.gif", "BottomLeftEdge.gif"}));
    EXPECT_TRUE(writeFailedMessage(result.failedPath).contains(result.failedPath));

    // The information file cannot be written: the pictures stay.
    QDir().mkpath(themepack::infoFile(m_app, "NoInfo"));
    result = writePack(fullRequest("NoInfo"));
    EXPECT_EQ(result.outcome, PackResult::Outcome::WriteFailed);
    EXPECT_EQ(result.failedPath, themepack::infoFile(m_app, "NoInfo"));
    EXPECT_EQ(packFiles("NoInfo").size(), 25);

    // A file in place of the pack folder.
    m_root.write("Ambrel/File", "x");
    result = writePack(fullRequest("File"));
    EXPECT_EQ(result.outcome, PackResult::Outcome::WriteFailed);
    EXPECT_EQ(result.failedPath, themepack::packFolder(m_app, "File"));
    EXPECT_EQ(m_root.read("Ambrel/File"), "x");
}

TEST_F(PackWriterTest, CreatesAMissingApplicationFolderTree)
{
    PackRequest request = fullRequest("Deep");
    request.applicationFolder = m_root.file("not/yet/there");
    EXPECT_EQ(writePack(request).outcome, PackResult::Outcome::Made);
    EXPECT_TRUE(themepack::fileExists(themepack::infoFile(request.applicationFolder, "Deep")));
}

TEST(SlotPictures, GifsStayAsChosenAndOtherPicturesBecomePng)
{
    TestFolder folder;
    gifdata::Params animated;
    animated.size = QSize(25, 25);
    animated.frames = 3;
    animated.transparentIndex = 0;
    // Named .png but a GIF inside: the content decides.
    const QString gifPath = gifdata::writeGif(folder.file("moving.png"), animated);
    const auto gif = loadSlotPicture(gifPath);
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->format, "gif");
    EXPECT_TRUE(gif->animated);
    EXPECT_EQ(gif->image.size(), QSize(25, 25));
    EXPECT_TRUE(gif->image.hasAlphaChannel());
    EXPECT_EQ(packFileBytes(*gif), readAll(gifPath));

    QImage bmp(12, 10, QImage::Format_RGB32);
    bmp.fill(Qt::green);
    ASSERT_TRUE(bmp.save(folder.file("still.gif"), "BMP"));  // a bitmap under a GIF name
    const auto still = loadSlotPicture(folder.file("still.gif"));
    ASSERT_TRUE(still);
    EXPECT_EQ(still->format, "bmp");
    EXPECT_FALSE(still->animated);
    const QByteArray png = packFileBytes(*still);
    EXPECT_TRUE(png.startsWith("\x89PNG"));
    QImage back;
    ASSERT_TRUE(back.loadFromData(png));
    EXPECT_EQ(back.size(), QSize(12, 10));
    EXPECT_EQ(back.pixelColor(3, 3), QColor(Qt::green));

    folder.write("text.gif", "not a picture at all");
    EXPECT_FALSE(loadSlotPicture(folder.file("text.gif")));
    EXPECT_FALSE(loadSlotPicture(folder.file("absent.gif")));
    EXPECT_TRUE(packFileBytes(SlotPicture{}).isEmpty());
}
