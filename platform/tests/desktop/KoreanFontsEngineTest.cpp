// The Korean faces pages ask for by name, and the engine's default faces, on
// the real engine with the build's font aliases: a face is known by the width
// it gives a line of Korean, Hanja and Latin text.
#include "../engine/EngineHarness.h"

#include "platform/linux/LinuxWebPlatform.h"
#include "platform/linux/QtWebKoreanFonts.h"

#include <QFontDatabase>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include <gtest/gtest.h>

using namespace enginetest;
namespace koreanfonts = platform::koreanfonts;

namespace {

const char *const kSansFaces[] = {"Malgun Gothic", "맑은 고딕", "Apple SD Gothic Neo", "Dotum", "돋움",
                                  "Gulim",         "굴림",      "NanumGothic"};
const char *const kSerifFaces[] = {"Batang", "바탕", "Gungsuh", "궁서"};

// A page with one line per face; a face that is not installed falls back to
// a Latin serif face, whose letters are wider than any Korean face's.
const char kFallback[] = "DejaVu Serif";
QByteArray facesPage(const QStringList &faces)
{
    QByteArray html = "<html><head><meta charset='utf-8'><style>span{font-size:40px;white-space:nowrap}</style>"
                      "</head><body>";
    for (int i = 0; i < faces.size(); ++i) {
        html += "<div><span id='f" + QByteArray::number(i) + "' style=\"font-family:'" + faces.at(i).toUtf8()
            + "', '" + QByteArray(kFallback) + "'\">한국어 漢字 English</span></div>";
    }
    html += "<div><span id='plain'>한국어 漢字 English</span></div></body></html>";
    return html;
}

double widthOf(QWebEnginePage *page, const QString &id)
{
    return runJs(page, "document.getElementById('" + id + "').getBoundingClientRect().width").toDouble();
}

} // namespace

TEST(KoreanFonts, TheFirstInstalledCandidateIsTaken)
{
    EXPECT_EQ(koreanfonts::firstInstalled({"A", "B"}, {"x", "b", "a"}), "A");
    EXPECT_EQ(koreanfonts::firstInstalled({"A", "B"}, {"B"}), "B");
    EXPECT_TRUE(koreanfonts::firstInstalled({"A"}, {"B"}).isEmpty());
}

TEST(KoreanFonts, TheAliasesAreHandedOverOnlyWhereTheFilesAreAndTheUserChoseNone)
{
    TestFolder dir;
    QHash<QByteArray, QByteArray> values;
    const auto current = [&](const char *name) { return values.value(name); };
    EXPECT_TRUE(platform::engineVariables(dir.path(), current).isEmpty());

    dir.write("fontconfig/vorlen-fonts.conf", "<fontconfig/>");
    dir.write("qtwebengine_dictionaries/ko.bdic", "x");
    auto variables = platform::engineVariables(dir.path(), current);
    QHash<QByteArray, QByteArray> set;
    for (const auto &v : variables)
        set.insert(v.name, v.value);
    EXPECT_EQ(set.value("FONTCONFIG_FILE"), QFile::encodeName(dir.file("fontconfig/vorlen-fonts.conf")));
    EXPECT_EQ(set.value("FONTCONFIG_PATH"), QFile::encodeName(dir.file("fontconfig")));
    EXPECT_EQ(set.value("QTWEBENGINE_DICTIONARIES_PATH"), QFile::encodeName(dir.file("qtwebengine_dictionaries")));

    // A path of the user's is kept after ours; a file or folder of theirs wins.
    values.insert("FONTCONFIG_PATH", "/mine");
    set.clear();
    for (const auto &v : platform::engineVariables(dir.path(), current))
        set.insert(v.name, v.value);
    EXPECT_EQ(set.value("FONTCONFIG_PATH"), QFile::encodeName(dir.file("fontconfig")) + ":/mine");
    values.insert("FONTCONFIG_FILE", "/my/fonts.conf");
    values.insert("QTWEBENGINE_DICTIONARIES_PATH", "/my/dictionaries");
    EXPECT_TRUE(platform::engineVariables(dir.path(), current).isEmpty());
}

TEST(KoreanFontsEngine, TheFacesPagesAskForAreKoreanFacesAndSoIsTheDefault)
{
    const QString sans = koreanfonts::sansFamily();
    const QString serif = koreanfonts::serifFamily();
    ASSERT_FALSE(sans.isEmpty()) << "no Korean sans-serif face: install fonts-noto-cjk or fonts-nanum";
    ASSERT_FALSE(serif.isEmpty()) << "no Korean serif face: install fonts-noto-cjk or fonts-nanum";
    ASSERT_TRUE(QFontDatabase::hasFamily(kFallback)) << "the measure needs " << kFallback << " (fonts-dejavu-core)";

    Engine engine;
    auto *b = engine.create();
    QWebEngineSettings *settings = engine.factory->profile()->settings();
    EXPECT_EQ(settings->fontFamily(QWebEngineSettings::StandardFont), sans);
    EXPECT_EQ(settings->fontFamily(QWebEngineSettings::SansSerifFont), sans);
    EXPECT_EQ(settings->fontFamily(QWebEngineSettings::SerifFont), serif);

    QStringList faces;
    for (const char *face : kSansFaces)
        faces << QString::fromUtf8(face);
    for (const char *face : kSerifFaces)
        faces << QString::fromUtf8(face);
    faces << sans << serif << QStringLiteral("No Such Face");
    ASSERT_TRUE(navigateAndWait(b, engine.page("faces.html", facesPage(faces))));
    const auto width = [&](const QString &face) { return widthOf(b->page(), "f" + QString::number(faces.indexOf(face))); };

    const double sansWidth = width(sans);
    const double serifWidth = width(serif);
    const double fallback = width(QStringLiteral("No Such Face"));
    ASSERT_GT(sansWidth, 0);
    // The measure tells the faces apart, or it proves nothing.
    ASSERT_NE(sansWidth, fallback);
    ASSERT_NE(serifWidth, fallback);
    for (const char *face : kSansFaces) {
        // NanumGothic itself, where installed, is a Korean face of its own.
        if (QString::fromUtf8(face) == QLatin1String("NanumGothic") && QFontDatabase::hasFamily(QStringLiteral("NanumGothic")))
            EXPECT_NE(width(QString::fromUtf8(face)), fallback) << face;
        else
            EXPECT_EQ(width(QString::fromUtf8(face)), sansWidth) << face;
    }
    for (const char *face : kSerifFaces)
        EXPECT_EQ(width(QString::fromUtf8(face)), serifWidth) << face;
    // Text that names no face takes the Korean default.
    EXPECT_EQ(widthOf(b->page(), "plain"), sansWidth);
}
