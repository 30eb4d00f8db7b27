// designMode, script-error reports, downloads and the lifetime of the engine
// objects, on the real engine; plus the address and file-name rules.

#include "EngineHarness.h"
#include "LocalServer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>

#include <gtest/gtest.h>

using namespace enginetest;
using platform::QtWebBrowser;
using platform::WebBrowser;

namespace {

QString designModeOf(QtWebBrowser *b)
{
    QString mode = "?";
    QObject context;
    b->readDesignMode(&context, [&](const QString &m) { mode = m; });
    waitUntil([&] { return mode != "?"; }, 5000);
    return mode;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(EnginePage, ToggleDesignModeFlipsOffAndOn)
{
    Engine engine;
    auto *b = engine.create();
    ASSERT_TRUE(navigateAndWait(b, engine.page("edit.html", "<html><body>text</body></html>")));

    EXPECT_EQ(designModeOf(b), "off");
    b->ToggleDesignMode();
    EXPECT_EQ(designModeOf(b), "on");
    b->ToggleDesignMode();
    EXPECT_EQ(designModeOf(b), "off");
}

TEST(EnginePage, ScriptErrorsAreReportedOnceAtATimeUnlessSilent)
{
    Engine engine;
    auto *b = engine.create();
    ASSERT_TRUE(navigateAndWait(b, engine.page("errors.html",
        "<html><body><script>function boom() { noSuchFunction(); }"
        "function flood(n) { for (var i = 0; i < n; ++i) setTimeout(boom, 0); }"
        "console.error('not a script error');</script></body></html>")));
    SignalSpy reports(b, &QtWebBrowser::ScriptErrorReported);
    auto scriptErrorNotices = [&] {
        int n = 0;
        for (const auto &notice : engine.dialogs.notices())
            n += notice.title == QStringLiteral("스크립트 오류") ? 1 : 0;
        return n;
    };

    // A flood of errors: every one is reported, one notice shows.
    b->setSilent(false);
    runJs(b->page(), "flood(20); true");
    ASSERT_TRUE(waitUntil([&] { return reports.count() >= 20; }));
    EXPECT_TRUE(reports.at(0).at(0).toString().contains("noSuchFunction"));
    EXPECT_GT(reports.at(0).at(1).toInt(), 0);
    EXPECT_TRUE(reports.at(0).at(2).toString().endsWith("errors.html"));
    ASSERT_EQ(scriptErrorNotices(), 1);
    const auto &notice = engine.dialogs.notices().first();
    EXPECT_TRUE(notice.text.startsWith("이 페이지의 스크립트에서 오류가 발생했습니다.\n\n줄: "));
    EXPECT_TRUE(notice.text.contains("noSuchFunction"));
    EXPECT_EQ(notice.icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(notice.parent, b->widget());
    EXPECT_EQ(engine.factory->scriptErrorNotice(), notice.handle);

    // Once closed, the next error may show a notice again.
    engine.dialogs.closeNotices();
    reports.clear();
    runJs(b->page(), "flood(1); true");
    ASSERT_TRUE(waitUntil([&] { return reports.count() >= 1; }));
    EXPECT_EQ(scriptErrorNotices(), 2);
    engine.dialogs.closeNotices();

    // Silent: nothing is reported and no notice opens.
    b->setSilent(true);
    reports.clear();
    runJs(b->page(), "flood(5); true");
    settle(400);
    EXPECT_EQ(reports.count(), 0);
    EXPECT_EQ(scriptErrorNotices(), 2);
}

TEST(EnginePage, DownloadsAreAskedForAndGetAFreshNameInTheDownloadFolder)
{
    Engine engine;
    auto *b = engine.create();
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    ASSERT_TRUE(downloads.startsWith(QDir::homePath()));
    QDir().mkpath(downloads);
    const QString base = "data-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QByteArray content(4096, 'x');
    const QString source = engine.page(base + ".bin", content);
    // A file of that name is already there and must survive.
    {
        QFile old(QDir(downloads).filePath(base + ".bin"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    ASSERT_TRUE(navigateAndWait(b, engine.page("before.html", "<html><body>x</body></html>")));
    EventRecorder rec(b);
    SignalSpy downloaded(b, &WebBrowser::FileDownload);

    engine.dialogs.queueAnswer(platform::MsgResult::Save);
    engine.dialogs.queueAnswer(platform::MsgResult::Save);
    b->Navigate(source);
    ASSERT_TRUE(downloaded.wait(kLoadTimeout));
    b->Navigate(source);
    ASSERT_TRUE(downloaded.count() == 2 || downloaded.wait(kLoadTimeout));

    // Each one was asked for first, naming the file and where it comes from.
    ASSERT_EQ(engine.dialogs.messageBoxes().size(), 2);
    const auto &question = engine.dialogs.messageBoxes().first();
    EXPECT_EQ(question.title, "내려받기");
    EXPECT_EQ(question.text, "이 파일을 내려받으시겠습니까?\n\n파일 이름: " + base + ".bin\n보낸 곳: 이 컴퓨터");
    EXPECT_EQ(question.buttons, platform::MsgButtons::SaveCancel);
    EXPECT_EQ(question.parent, engine.host.get());

    const QString first = QDir(downloads).filePath(base + " (1).bin");
    const QString second = QDir(downloads).filePath(base + " (2).bin");
    EXPECT_EQ(downloaded.at(0).at(0).toString(), first);
    EXPECT_EQ(downloaded.at(1).at(0).toString(), second);
    EXPECT_TRUE(waitUntil([&] { return readAll(first) == content && readAll(second) == content; }));
    EXPECT_EQ(readAll(QDir(downloads).filePath(base + ".bin")), "old");
    // Each finished download tells where the file went.
    EXPECT_TRUE(waitUntil([&] { return engine.dialogs.notices().size() == 2; }));
    EXPECT_TRUE(engine.dialogs.noticeTexts().contains("파일을 내려받았습니다.\n" + first));
    EXPECT_EQ(engine.dialogs.notices().first().title, "내려받기");

    // The page stays where it was, and a navigation that became a download is no error.
    settle(200);
    EXPECT_EQ(rec.count("NavigateError"), 0);
    EXPECT_FALSE(b->Busy());
    QFile::remove(first);
    QFile::remove(second);
    QFile::remove(QDir(downloads).filePath(base + ".bin"));
}

TEST(EnginePage, ADownloadTheUserCancelsLeavesNoFile)
{
    Engine engine;
    auto *b = engine.create();
    LocalServer server;
    server.setPage("report.pdf", QByteArray(2048, 'p'), "application/octet-stream");
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    const QStringList before = QDir(downloads).entryList(QDir::Files);
    ASSERT_TRUE(navigateAndWait(b, engine.page("before.html", "<html><body>x</body></html>")));
    SignalSpy downloaded(b, &WebBrowser::FileDownload);
    EventRecorder rec(b);

    // No answer queued: the user closes the question, which cancels.
    b->Navigate(server.url("report.pdf"));
    ASSERT_TRUE(waitUntil([&] { return !engine.dialogs.messageBoxes().isEmpty(); }));
    settle(500);
    const auto &question = engine.dialogs.messageBoxes().first();
    EXPECT_EQ(question.answer, platform::MsgResult::Cancel);
    EXPECT_TRUE(question.text.contains("파일 이름: report.pdf"));
    EXPECT_TRUE(question.text.endsWith(QStringLiteral("보낸 곳: 127.0.0.1:%1").arg(server.port())));
    EXPECT_EQ(downloaded.count(), 0);
    EXPECT_EQ(QDir(downloads).entryList(QDir::Files), before);
    EXPECT_TRUE(engine.dialogs.notices().isEmpty());
    EXPECT_EQ(rec.count("NavigateError"), 0);
    EXPECT_FALSE(b->Busy());
}

TEST(EngineAddresses, DownloadSitesAreNamedByHost)
{
    using platform::QtWebBrowserFactory;
    EXPECT_EQ(QtWebBrowserFactory::downloadSite(QUrl("https://example.com/a.zip"), {}), "example.com");
    EXPECT_EQ(QtWebBrowserFactory::downloadSite(QUrl("http://127.0.0.1:8080/a"), {}), "127.0.0.1:8080");
    EXPECT_EQ(QtWebBrowserFactory::downloadSite(QUrl("blob:https://example.com/1234"), {}), "example.com");
    EXPECT_EQ(QtWebBrowserFactory::downloadSite(QUrl("data:text/plain,x"), QUrl("https://site.kr/p")), "site.kr");
    EXPECT_EQ(QtWebBrowserFactory::downloadSite(QUrl::fromLocalFile("/tmp/a"), {}), "이 컴퓨터");
    EXPECT_EQ(QtWebBrowserFactory::downloadSite(QUrl("data:text/plain,x"), {}), "알 수 없는 곳");
}

TEST(EnginePage, ControlsLeftAfterTheFactoryGoBecomeInert)
{
    TestFolder folder;
    platform::testing::FakeDialogs dialogs;
    auto factory = std::make_unique<platform::QtWebBrowserFactory>(folder.file("Engine"), dialogs);
    std::unique_ptr<WebBrowser> kept(factory->create(nullptr));
    const QString page = folder.write("p.html", "<html><head><title>t</title></head></html>");
    ASSERT_TRUE(navigateAndWait(kept.get(), page));

    // A control closed the usual way leaves its page to the event loop; the
    // factory must still delete it before the profile.
    std::unique_ptr<WebBrowser> closed(factory->create(nullptr));
    closed.reset();

    factory.reset();
    EXPECT_EQ(kept->widget(), nullptr);
    EXPECT_EQ(kept->LocationURL(), "");
    EXPECT_EQ(kept->DocumentTitle(), "");
    EXPECT_FALSE(kept->Busy());
    kept->Navigate(page);
    kept->GoBack();
    kept->Stop();
    kept->ToggleDesignMode();
    kept.reset();
    waitForStorageToSettle(folder.path());

    // The storage lives in the folder the factory was given.
    EXPECT_TRUE(QFileInfo(folder.file("Engine")).isDir());
}

TEST(EngineAddresses, AddressesBecomeUrlsTheWayAUserExpects)
{
    TestFolder folder;
    const QString local = folder.write("local page.html", "x");
    using platform::QtWebBrowser;

    EXPECT_EQ(QtWebBrowser::urlFromAddress("example.com", folder.path()).toString(), "http://example.com");
    EXPECT_EQ(QtWebBrowser::urlFromAddress("  www.example.com/a?b=1  ", folder.path()).toString(),
              "http://www.example.com/a?b=1");
    EXPECT_EQ(QtWebBrowser::urlFromAddress("https://example.com/x", folder.path()).toString(),
              "https://example.com/x");
    EXPECT_EQ(QtWebBrowser::urlFromAddress(local, "/"), QUrl::fromLocalFile(local));
    EXPECT_EQ(QtWebBrowser::urlFromAddress("local page.html", folder.path()), QUrl::fromLocalFile(local));
    EXPECT_EQ(QtWebBrowser::urlFromAddress("file://" + local, "/"), QUrl::fromLocalFile(local));
    EXPECT_EQ(QtWebBrowser::urlFromAddress("", "/").toString(), "about:blank");
}

TEST(EngineAddresses, UniqueFileNamesNeverTakeAnExistingOrReservedName)
{
    TestFolder folder;
    const QString dir = folder.path();
    using platform::uniqueFileName;

    EXPECT_EQ(uniqueFileName(dir, "a.txt", {}), "a.txt");
    folder.write("a.txt", "1");
    EXPECT_EQ(uniqueFileName(dir, "a.txt", {}), "a (1).txt");
    EXPECT_EQ(uniqueFileName(dir, "a.txt", {QDir(dir).filePath("a (1).txt")}), "a (2).txt");

    folder.write("src.tar.gz", "1");
    EXPECT_EQ(uniqueFileName(dir, "src.tar.gz", {}), "src (1).tar.gz");
    folder.write("README", "1");
    EXPECT_EQ(uniqueFileName(dir, "README", {}), "README (1)");
    folder.write(".profile", "1");
    EXPECT_EQ(uniqueFileName(dir, ".profile", {}), ".profile (1)");

    // A dangling symbolic link occupies its name too.
    ASSERT_TRUE(QFile::link(QDir(dir).filePath("nowhere"), QDir(dir).filePath("link.bin")));
    EXPECT_EQ(uniqueFileName(dir, "link.bin", {}), "link (1).bin");
}
