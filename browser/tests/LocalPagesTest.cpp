#include "browser/startup/modLocalPages.h"

#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "platform/testing/FakePlatform.h"

#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace modLocalPages;

namespace {

const QString kBlendEnter = QStringLiteral("<meta http-equiv='Page-Enter' content='blendTrans(Duration=1)'>");
const QString kBlendExit = QStringLiteral("<meta http-equiv='Page-Exit' content='blendTrans(Duration=1)'>");
const QString kOffline = QStringLiteral(
    "<p align='center'><font face='굴림' size='3' color='red'><b>시스템이 인터넷에 연결 되어있지 않습니다.</b></font></p>");

using LinesFn = QStringList (*)(const PageInputs &);

struct NamedPage
{
    const char *name;
    LinesFn lines;
};

const NamedPage kPages[] = {
    {"error", errorPageLines},     {"newtab", newTabPageLines}, {"startframe", startPageFrameLines},
    {"loading", loadingPageLines}, {"ending", endingPageLines},
};

PageInputs inputs(bool fade, bool connected)
{
    PageInputs in;
    in.fade = fade;
    in.connected = connected;
    in.startPage = QStringLiteral("http://start.example/");
    in.homeLink = QStringLiteral("http://home.example/");
    in.version = QStringLiteral("1.0.0");
    return in;
}

bool containsText(const QStringList &lines, const QString &text)
{
    return lines.join(u'\n').contains(text);
}

// A browser's platform on fakes, with its settings file ready to be written.
struct Pages
{
    TestFolder folder;
    platform::testing::FakePlatform fake{folder.path()};

    Pages() { QDir().mkpath(platform::folders::profileFolder(fake.environment())); }
    const platform::Platform &ctx() { return fake.platform(); }
    void set(settings::Key key, const QString &value) { platform::setting::write(fake.environment(), key, value); }
    QString temp() { return fake.environment().tempFolder(); }
    QString read(const QString &name) { return platform::decodeText(folder.read(temp() + u'/' + name)); }
};

} // namespace

TEST(LocalPageLines, EveryPageHasTheCommonFrame)
{
    for (const NamedPage &page : kPages) {
        const QStringList lines = page.lines(inputs(false, true));
        SCOPED_TRACE(page.name);
        ASSERT_GE(lines.size(), 10);
        EXPECT_EQ(lines.mid(0, 3), (QStringList{"<html>", "", "<head>"}));
        EXPECT_EQ(lines.mid(lines.size() - 3), (QStringList{"</body>", "", "</html>"}));
        EXPECT_EQ(lines.filter(QStringLiteral("</head>")).size(), 2);
        const int copyright = lines.indexOf(QStringLiteral("<meta name='copyright' content='Brenmor'></head>"));
        EXPECT_GT(copyright, 2);
        EXPECT_TRUE(lines.at(copyright - 1).startsWith(QStringLiteral("<title>")));
        EXPECT_EQ(lines.count(QStringLiteral("</head>")), 1);
    }
}

TEST(LocalPageLines, BlendTransitionsOnlyWithFade)
{
    for (const NamedPage &page : kPages) {
        SCOPED_TRACE(page.name);
        const QStringList withFade = page.lines(inputs(true, true));
        const int copyright = withFade.indexOf(QStringLiteral("<meta name='copyright' content='Brenmor'></head>"));
        ASSERT_GE(copyright, 0);
        EXPECT_EQ(withFade.value(copyright + 1), kBlendEnter);
        EXPECT_EQ(withFade.value(copyright + 2), kBlendExit);

        const QStringList noFade = page.lines(inputs(false, true));
        EXPECT_FALSE(containsText(noFade, QStringLiteral("blendTrans")));
        EXPECT_EQ(noFade.size() + 2, withFade.size());
    }
}

TEST(LocalPageLines, OfflineNoticeOnErrorAndNewTabOnly)
{
    for (const NamedPage &page : kPages) {
        SCOPED_TRACE(page.name);
        const bool carries = page.lines == errorPageLines || page.lines == newTabPageLines;
        EXPECT_EQ(page.lines(inputs(false, false)).count(kOffline), carries ? 1 : 0);
        EXPECT_EQ(page.lines(inputs(false, true)).count(kOffline), 0);
    }
}

TEST(LocalPageLines, ErrorPageText)
{
    const QStringList lines = errorPageLines(inputs(false, true));
    EXPECT_TRUE(lines.contains(QStringLiteral("<title>페이지에 오류가 있습니다.</title>")));
    EXPECT_TRUE(lines.contains(QStringLiteral("<body bgcolor='#FFEEED'>")));
    const QStringList verbatim{
        "사용자 컴퓨터의 인터넷 설정이 올바르지 않거나,",
        "네트워크로부터 해당 페이지를 불러 올 수 없기 때문입니다.",
        " 사용자 컴퓨터의 인터넷을 올바르게 설정 하고, LAN 또는 모뎀이 올바르게",
        "연결 되어 있는지 확인 하십시오.<br>",
        "그럼에도 불구하고 해당 웹 페이지가 열리지 않는다면, 해당 네트워크 관리자에게",
        "문의 하십시오.<hr>",
    };
    int previous = -1;
    for (const QString &line : verbatim) {
        const int at = lines.indexOf(line);
        EXPECT_GT(at, previous) << line.toStdString();
        previous = at;
    }
    EXPECT_TRUE(lines.contains(QStringLiteral("<style>")));
    EXPECT_TRUE(lines.contains(QStringLiteral("a:visited {text-decoration:none}")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Version : 1.0.0")));
    EXPECT_TRUE(containsText(lines, QStringLiteral("renmor® ")));
}

TEST(LocalPageLines, NewTabLinks)
{
    const QStringList lines = newTabPageLines(inputs(false, true));
    EXPECT_TRUE(lines.contains(QStringLiteral("<title>새로운 Tab을 생성 했습니다.</title>")));
    EXPECT_TRUE(lines.contains(QStringLiteral("<body bgcolor='#EFFEFF'>")));
    EXPECT_TRUE(containsText(lines, QStringLiteral(
        "<a href='http://home.example/' title='홈 페이지로 이동 합니다.' target='_parent'>☞ 홈 페이지로 이동</a>")));
    EXPECT_TRUE(containsText(lines, QStringLiteral(
        "<a href='http://www.daum.net/' title='Daum 으로 이동 합니다.' target='_parent'>")));
    EXPECT_TRUE(containsText(lines, QStringLiteral("::: 링크 :::")));
}

TEST(LocalPageLines, StartFrameLoadingAndEnding)
{
    const QStringList frame = startPageFrameLines(inputs(false, true));
    EXPECT_EQ(frame.value(3), QStringLiteral("<meta http-equiv='content-type' content='text/html; charset=utf-8'>"));
    EXPECT_TRUE(containsText(frame, QStringLiteral("<iframe name='DaumInsidePage' src='http://start.example/'")));
    EXPECT_FALSE(containsText(frame, QStringLiteral("Version :")));
    EXPECT_FALSE(containsText(errorPageLines(inputs(false, true)), QStringLiteral("charset")));

    // The loading page moves on to the start page after one second; with no
    // start page it carries no refresh, which would reload it for ever.
    for (bool fade : {false, true}) {
        PageInputs in = inputs(fade, false);
        EXPECT_TRUE(loadingPageLines(in).contains(
            QStringLiteral("<meta http-equiv='refresh' content='1;url=http://start.example/'>")));
        in.startPage.clear();
        EXPECT_FALSE(containsText(loadingPageLines(in), QStringLiteral("http-equiv='refresh'")));
    }

    const QStringList ending = endingPageLines(inputs(false, true));
    EXPECT_TRUE(containsText(ending, QStringLiteral("웹 브라우저를 종료하고 있습니다...")));
    EXPECT_TRUE(containsText(ending, QStringLiteral("ystem")));
    EXPECT_FALSE(containsText(ending, QStringLiteral("Version :")));
}

TEST(LocalPageLines, AddressesCannotLeaveTheirAttribute)
{
    PageInputs in = inputs(false, true);
    in.startPage = QStringLiteral("http://a.example/?q='><script>alert(1)</script>&x=\"\r\n");
    in.homeLink = in.startPage;
    const QString escaped =
        QStringLiteral("http://a.example/?q=&#39;&gt;&lt;script&gt;alert(1)&lt;/script&gt;&amp;x=&quot;&#13;&#10;");

    const QStringList frame = startPageFrameLines(in);
    EXPECT_TRUE(containsText(frame, QStringLiteral("src='") + escaped + u'\''));
    const QStringList loading = loadingPageLines(in);
    EXPECT_TRUE(loading.contains(QStringLiteral("<meta http-equiv='refresh' content='1;url=") + escaped + "'>"));
    const QStringList newTab = newTabPageLines(in);
    EXPECT_TRUE(containsText(newTab, QStringLiteral("<a href='") + escaped + u'\''));
    for (const QStringList &lines : {frame, loading, newTab})
        EXPECT_FALSE(containsText(lines, QStringLiteral("<script")));
    EXPECT_EQ(frame.size(), startPageFrameLines(inputs(false, true)).size()); // no line broken in two
}

TEST(LocalPageFiles, WrittenAsUtf8WithBomAndCrLf)
{
    Pages pages;
    const QString path = MakeErrorPage(pages.ctx());
    EXPECT_EQ(path, pages.temp() + QStringLiteral("/Error.htm"));
    EXPECT_EQ(path, pagePath(pages.ctx(), Page::Error));

    const QByteArray bytes = pages.folder.read(path);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.endsWith("</html>\r\n"));
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
    EXPECT_EQ(bytes.count("\r"), bytes.count("\r\n"));
    EXPECT_EQ(bytes, encodePage(errorPageLines(inputs(false, true))));
    EXPECT_TRUE(QString::fromUtf8(bytes).contains(QStringLiteral("페이지에 오류가 있습니다.")));
}

TEST(LocalPageFiles, WritersReadSettingsRegistryAndConnection)
{
    Pages pages;
    pages.fake.registry().setStartPage(QStringLiteral("http://start.example/"));
    pages.fake.system().setConnected(false);

    MakeNewTabPage(pages.ctx());
    QString page = pages.read(QStringLiteral("NewTab.htm"));
    EXPECT_TRUE(page.contains(kOffline));
    EXPECT_FALSE(page.contains(QStringLiteral("blendTrans")));
    EXPECT_TRUE(page.contains(QStringLiteral("<a href='http://start.example/'")));

    pages.set(settings::Key::FadeEffectValue, QStringLiteral("1"));
    pages.set(settings::Key::StartPageUseValue, QStringLiteral("1"));
    pages.set(settings::Key::StartPageAdressValue, QStringLiteral("http://own.example/"));
    pages.fake.system().setConnected(true);
    MakeNewTabPage(pages.ctx());
    page = pages.read(QStringLiteral("NewTab.htm"));
    EXPECT_FALSE(page.contains(kOffline));
    EXPECT_TRUE(page.contains(kBlendEnter));
    EXPECT_TRUE(page.contains(QStringLiteral("<a href='http://own.example/'")));

    MakeStartPageFrame(pages.ctx());
    EXPECT_TRUE(pages.read(QStringLiteral("StartPage.htm")).contains(QStringLiteral("src='http://start.example/'")));
    MakeLoadingPage(pages.ctx());
    EXPECT_TRUE(pages.read(QStringLiteral("Loading.htm")).contains(QStringLiteral("url=http://start.example/'")));

    // Only exactly 1 switches the transitions on.
    pages.set(settings::Key::FadeEffectValue, QStringLiteral("2"));
    MakeEndingPage(pages.ctx());
    EXPECT_FALSE(pages.read(QStringLiteral("Ending.htm")).contains(QStringLiteral("blendTrans")));
}

TEST(LocalPageFiles, SecondWriteReplacesTheFirst)
{
    Pages pages;
    pages.fake.system().setConnected(false);
    MakeErrorPage(pages.ctx());
    EXPECT_TRUE(pages.read(QStringLiteral("Error.htm")).contains(kOffline));

    pages.fake.system().setConnected(true);
    MakeErrorPage(pages.ctx());
    EXPECT_FALSE(pages.read(QStringLiteral("Error.htm")).contains(kOffline));
    EXPECT_EQ(QDir(pages.temp()).entryList(QDir::Files | QDir::Hidden), QStringList{"Error.htm"});
}

TEST(LocalPageFiles, PlantedLinkIsReplacedNotFollowed)
{
    Pages pages;
    const QString victim = pages.folder.write(QStringLiteral("victim.txt"), "keep");
    ASSERT_TRUE(QFile::link(victim, pages.temp() + QStringLiteral("/Loading.htm")));

    EXPECT_FALSE(MakeLoadingPage(pages.ctx()).isEmpty());
    EXPECT_EQ(pages.folder.read(victim), QByteArray("keep"));
    EXPECT_FALSE(QFileInfo(pages.temp() + QStringLiteral("/Loading.htm")).isSymLink());
}

TEST(LocalPageFiles, UnwritableTempGivesEmptyPath)
{
    Pages pages;
    // A folder below a plain file can never be created or written, even by root.
    const QString blocker = pages.folder.write(QStringLiteral("blocker"), "x");
    pages.fake.environment().setTempFolder(blocker + QStringLiteral("/tmp"));

    EXPECT_TRUE(MakeErrorPage(pages.ctx()).isEmpty());
    EXPECT_TRUE(MakeNewTabPage(pages.ctx()).isEmpty());
    EXPECT_TRUE(MakeStartPageFrame(pages.ctx()).isEmpty());
    EXPECT_TRUE(MakeLoadingPage(pages.ctx()).isEmpty());
    EXPECT_TRUE(MakeEndingPage(pages.ctx()).isEmpty());
    // The caller still has an address to navigate to.
    EXPECT_EQ(pagePath(pages.ctx(), Page::Loading), blocker + QStringLiteral("/tmp/Loading.htm"));
    DeleteGeneratedPages(pages.ctx());
}

TEST(LocalPageFiles, DeleteKeepsTheStartPageFrame)
{
    Pages pages;
    EXPECT_FALSE(MakeErrorPage(pages.ctx()).isEmpty());
    EXPECT_FALSE(MakeNewTabPage(pages.ctx()).isEmpty());
    EXPECT_FALSE(MakeStartPageFrame(pages.ctx()).isEmpty());
    EXPECT_FALSE(MakeLoadingPage(pages.ctx()).isEmpty());
    EXPECT_FALSE(MakeEndingPage(pages.ctx()).isEmpty());
    const QString other = pages.folder.write(QDir(pages.folder.path()).relativeFilePath(pages.temp() + QStringLiteral("/other.htm")), "x");

    DeleteGeneratedPages(pages.ctx());
    QStringList left = QDir(pages.temp()).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    EXPECT_EQ(left, (QStringList{"StartPage.htm", "other.htm"}));
    DeleteGeneratedPages(pages.ctx()); // nothing left to delete is no fault
    EXPECT_TRUE(QFile::exists(other));
}
