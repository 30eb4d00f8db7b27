#include "themebuilder/PackWriter.h"
#include "themepack/ThemePack.h"

#include "platform/IniFile.h"

#include "GifData.h"
#include "TempDir.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
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
    for (const QString &bad : {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../Escape"),
                               QStringLiteral("a/b"), QStringLiteral("a\\b"), QString::fromUtf8("a\0b", 3)}) {
        PackRequest request = fullRequest(bad);
        EXPECT_EQ(writePack(request).outcome, PackResult::Outcome::UnusableName) << bad.toStdString();
    }
    EXPECT_TRUE(QDir(m_app).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(m_app));
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
