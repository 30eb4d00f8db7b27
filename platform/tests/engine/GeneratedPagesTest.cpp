// The program's generated pages may lead to web addresses, while pages opened
// from disk may neither read other files nor reach the network; on the real
// engine, with a server of the test's own on 127.0.0.1.

#include "EngineHarness.h"
#include "LocalServer.h"
#include "platform/linux/QtWebGeneratedPages.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace enginetest;
using platform::GeneratedPages;
using platform::WebBrowser;

namespace {

QByteArray titled(const QByteArray &title, const QByteArray &head = {}, const QByteArray &body = {})
{
    return "\xEF\xBB\xBF<html><head><meta charset='utf-8'><title>" + title + "</title>" + head + "</head><body>"
           + body + "</body></html>";
}

// What fetch() of url gives a script of the page: the text, or "failed".
QString fetchFrom(platform::QtWebBrowser *b, const QString &url)
{
    runJs(b->page(), "window.fetched = 'pending'; fetch('" + url
                         + "').then(r => r.text()).then(t => window.fetched = t, e => window.fetched = 'failed'); true");
    QString result;
    waitUntil([&] {
        result = runJs(b->page(), "window.fetched").toString();
        return result != "pending";
    }, 5000);
    return result;
}

} // namespace

TEST(EngineGeneratedPages, TheLoadingPageRefreshesToAWebStartPage)
{
    Engine engine;
    auto *b = engine.create();
    LocalServer server;
    ASSERT_TRUE(server.listening());
    server.setPage("start", titled("시작"));
    const QString loading = engine.generated(
        "Loading.htm", titled("loading", "<meta http-equiv='refresh' content='1;url=" + server.url("start").toUtf8() + "'>"));
    EventRecorder rec(b);

    ASSERT_TRUE(navigateAndWait(b, loading));
    // The browser goes on naming the page by its file.
    EXPECT_EQ(b->LocationURL(), fileUrl(loading));
    EXPECT_EQ(rec.argsOf("BeforeNavigate2"), QStringList{fileUrl(loading)});
    EXPECT_EQ(rec.lastArgs("DocumentComplete"), fileUrl(loading));
    EXPECT_EQ(b->DocumentTitle(), "loading");

    ASSERT_TRUE(waitUntil([&] { return b->LocationURL() == server.url("start") && !b->Busy(); }));
    EXPECT_EQ(server.requestsFor("start").size(), 1);
    EXPECT_EQ(rec.lastArgs("DocumentComplete"), server.url("start"));
    EXPECT_EQ(rec.count("NavigateError"), 0);
    EXPECT_EQ(b->DocumentTitle(), "시작");
}

TEST(EngineGeneratedPages, LinksAndFramesOfGeneratedPagesReachTheWeb)
{
    Engine engine;
    auto *b = engine.create();
    LocalServer server;
    const QString newTab = engine.generated(
        "NewTab.htm", titled("new tab", {}, "<a id='home' href='" + server.url("home").toUtf8() + "' target='_parent'>home</a>"));
    const QString frame = engine.generated(
        "StartPage.htm", titled("frame", {}, "<iframe name='DaumInsidePage' src='" + server.url("frame").toUtf8() + "'></iframe>"));

    ASSERT_TRUE(navigateAndWait(b, frame));
    ASSERT_TRUE(waitUntil([&] { return !server.requestsFor("frame").isEmpty(); }));
    EXPECT_EQ(b->LocationURL(), fileUrl(frame));

    ASSERT_TRUE(navigateAndWait(b, newTab));
    runJs(b->page(), "document.getElementById('home').click(); true");
    ASSERT_TRUE(waitUntil([&] { return b->LocationURL() == server.url("home") && !b->Busy(); }));
    EXPECT_EQ(server.requestsFor("home").size(), 1);

    // Back in history the generated page is its file again.
    SignalSpy done(b, &WebBrowser::DocumentComplete);
    b->GoBack();
    ASSERT_TRUE(done.wait());
    EXPECT_EQ(b->LocationURL(), fileUrl(newTab));
    EXPECT_EQ(b->DocumentTitle(), "new tab");
}

TEST(EngineGeneratedPages, LocalFilesReadNoOtherFileAndReachNoServer)
{
    Engine engine;
    auto *b = engine.create();
    LocalServer server;
    const QString secret = engine.page("secret.txt", "top secret");
    // An ordinary page on disk, and one in the TEMP folder under a name that is
    // not a generated page's: both stay local files.
    const QString ordinary = engine.page("ordinary.html", titled("ordinary"));
    const QString stranger = engine.generated("Other.htm", titled("other"));
    const QString generated = engine.generated("Error.htm", titled("error"));

    for (const QString &local : {ordinary, stranger}) {
        SCOPED_TRACE(local.toStdString());
        ASSERT_TRUE(navigateAndWait(b, local));
        EXPECT_EQ(b->page()->url(), QUrl::fromLocalFile(local));
        EXPECT_EQ(fetchFrom(b, fileUrl(secret)), "failed");
        EXPECT_EQ(fetchFrom(b, server.url("data")), "failed");
    }
    // A generated page reaches the web as any site does, but reads no file either.
    ASSERT_TRUE(navigateAndWait(b, generated));
    EXPECT_EQ(fetchFrom(b, fileUrl(secret)), "failed");
    EXPECT_TRUE(server.requestsFor("data").isEmpty());

    // A refresh from a local file to the web is refused as well.
    const QString refresh = engine.page(
        "refresh.html", titled("refresh", "<meta http-equiv='refresh' content='0;url=" + server.url("lured").toUtf8() + "'>"));
    ASSERT_TRUE(navigateAndWait(b, refresh));
    settle(800);
    EXPECT_TRUE(server.requestsFor("lured").isEmpty());
}

TEST(EngineGeneratedPages, OnlyTheBrowserMayOpenThemAndOnlyAsRegularFiles)
{
    Engine engine;
    auto *b = engine.create();
    LocalServer server;
    const QString error = engine.generated("Error.htm", titled("error"));

    // A web page cannot send a tab to a generated page.
    server.setPage("evil", titled("evil"));
    ASSERT_TRUE(navigateAndWait(b, server.url("evil")));
    EventRecorder rec(b);
    runJs(b->page(), "location.href = 'vorlen://local/Error.htm'; true");
    ASSERT_TRUE(waitUntil([&] { return rec.count("NavigateError") + rec.count("DocumentComplete") > 0; }));
    EXPECT_EQ(rec.count("DocumentComplete"), 0);
    EXPECT_EQ(rec.lastArgs("NavigateError").section(' ', 0, 0), fileUrl(error));
    EXPECT_NE(b->DocumentTitle(), "error");

    // A link planted under a page's name is not followed: the load fails, and
    // the failure names the page's file (the browser must not send the tab to
    // its error page again when that page itself fails).
    const QString elsewhere = engine.page("elsewhere.html", titled("elsewhere"));
    const QString planted = engine.tempFolder() + "/NewTab.htm";
    ASSERT_TRUE(QFile::link(elsewhere, planted));
    rec.clear();
    SignalSpy errors(b, &WebBrowser::NavigateError);
    b->Navigate(planted);
    ASSERT_TRUE(errors.wait());
    EXPECT_EQ(errors.last().at(0).toString(), fileUrl(planted));
    EXPECT_EQ(rec.count("DocumentComplete"), 0);

    // A page that was never written fails the same way.
    b->Navigate(engine.tempFolder() + "/Ending.htm");
    ASSERT_TRUE(errors.wait());
    EXPECT_EQ(errors.last().at(0).toString(), fileUrl(engine.tempFolder() + "/Ending.htm"));

    // The browser itself opens them, typed as its address too.
    ASSERT_TRUE(navigateAndWait(b, fileUrl(error)));
    EXPECT_EQ(b->DocumentTitle(), "error");
}

TEST(GeneratedPageFiles, OnlyRegularFilesOfThisUserAreRead)
{
    TestFolder folder;
    const QString page = folder.write("Error.htm", "page");
    EXPECT_EQ(platform::readGeneratedPage(page), QByteArray("page"));
    EXPECT_EQ(platform::readGeneratedPage(folder.write("Empty.htm", "")), QByteArray(""));

    ASSERT_TRUE(QFile::link(page, folder.file("Link.htm")));
    EXPECT_EQ(platform::readGeneratedPage(folder.file("Link.htm")), std::nullopt);
    QDir().mkpath(folder.file("Folder.htm"));
    EXPECT_EQ(platform::readGeneratedPage(folder.file("Folder.htm")), std::nullopt);
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.file("Pipe.htm")).constData(), 0600), 0);
    EXPECT_EQ(platform::readGeneratedPage(folder.file("Pipe.htm")), std::nullopt);
    EXPECT_EQ(platform::readGeneratedPage(folder.file("Missing.htm")), std::nullopt);
    EXPECT_EQ(platform::readGeneratedPage(folder.write("Huge.htm", QByteArray(2 * 1024 * 1024, 'x'))), std::nullopt);
}

TEST(GeneratedPageFiles, FilePathsAndSchemeAddressesMapBothWays)
{
    const GeneratedPages pages("/tmp/vorlen-1000/", {"Error.htm", "NewTab.htm"});
    const QUrl file = QUrl::fromLocalFile("/tmp/vorlen-1000/Error.htm");
    const QUrl scheme("vorlen://local/Error.htm");

    EXPECT_EQ(pages.engineUrl(file), scheme);
    EXPECT_EQ(pages.engineUrl(QUrl::fromLocalFile("/tmp/vorlen-1000/./sub/../Error.htm")), scheme);
    EXPECT_EQ(pages.fileUrl(scheme), file);
    EXPECT_EQ(pages.filePathOf(scheme), "/tmp/vorlen-1000/Error.htm");

    // Anything else stays as it is.
    for (const QUrl &other : {QUrl::fromLocalFile("/tmp/vorlen-1000/Other.htm"), QUrl::fromLocalFile("/home/u/Error.htm"),
                              QUrl::fromLocalFile("/tmp/vorlen-1000/sub/Error.htm"), QUrl::fromLocalFile("/tmp/vorlen-1000/error.htm"),
                              QUrl("file:///tmp/vorlen-1000/Error.htm?x=1"), QUrl("http://local/Error.htm")}) {
        SCOPED_TRACE(other.toString().toStdString());
        EXPECT_EQ(pages.engineUrl(other), other);
    }
    for (const QUrl &other : {QUrl("vorlen://local/Other.htm"), QUrl("vorlen://elsewhere/Error.htm"),
                              QUrl("vorlen://local/../Error.htm/x"), QUrl("vorlen://local/sub/Error.htm")}) {
        SCOPED_TRACE(other.toString().toStdString());
        EXPECT_EQ(pages.fileUrl(other), other);
        EXPECT_EQ(pages.filePathOf(other), "");
    }
    // Without a folder nothing is a generated page.
    EXPECT_EQ(GeneratedPages().engineUrl(file), file);
    EXPECT_EQ(GeneratedPages().fileUrl(scheme), scheme);
}
