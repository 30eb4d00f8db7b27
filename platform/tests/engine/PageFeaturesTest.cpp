// designMode, script-error reports, downloads and the lifetime of the engine
// objects, on the real engine; plus the address and file-name rules.

#include "EngineHarness.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
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

QList<QMessageBox *> scriptErrorBoxes()
{
    QList<QMessageBox *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (box && box->isVisible() && box->windowTitle() == QStringLiteral("스크립트 오류"))
            boxes << box;
    }
    return boxes;
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

    // A flood of errors: every one is reported, one box shows.
    b->setSilent(false);
    runJs(b->page(), "flood(20); true");
    ASSERT_TRUE(waitUntil([&] { return reports.count() >= 20; }));
    EXPECT_TRUE(reports.at(0).at(0).toString().contains("noSuchFunction"));
    EXPECT_GT(reports.at(0).at(1).toInt(), 0);
    EXPECT_TRUE(reports.at(0).at(2).toString().endsWith("errors.html"));
    const QList<QMessageBox *> boxes = scriptErrorBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.first()->text().contains("noSuchFunction"));
    EXPECT_FALSE(boxes.first()->isModal());
    EXPECT_EQ(engine.factory->scriptErrorBox(), boxes.first());

    // Once closed, the next error may show a box again.
    boxes.first()->close();
    QApplication::processEvents();
    reports.clear();
    runJs(b->page(), "flood(1); true");
    ASSERT_TRUE(waitUntil([&] { return reports.count() >= 1; }));
    EXPECT_EQ(scriptErrorBoxes().size(), 1);
    for (QMessageBox *box : scriptErrorBoxes())
        box->close();
    QApplication::processEvents();

    // Silent: nothing is reported and no box opens.
    b->setSilent(true);
    reports.clear();
    runJs(b->page(), "flood(5); true");
    settle(400);
    EXPECT_EQ(reports.count(), 0);
    EXPECT_TRUE(scriptErrorBoxes().isEmpty());
}

TEST(EnginePage, DownloadsGetAFreshNameInTheDownloadFolder)
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

    b->Navigate(source);
    ASSERT_TRUE(downloaded.wait(kLoadTimeout));
    b->Navigate(source);
    ASSERT_TRUE(downloaded.count() == 2 || downloaded.wait(kLoadTimeout));

    const QString first = QDir(downloads).filePath(base + " (1).bin");
    const QString second = QDir(downloads).filePath(base + " (2).bin");
    EXPECT_EQ(downloaded.at(0).at(0).toString(), first);
    EXPECT_EQ(downloaded.at(1).at(0).toString(), second);
    EXPECT_TRUE(waitUntil([&] { return readAll(first) == content && readAll(second) == content; }));
    EXPECT_EQ(readAll(QDir(downloads).filePath(base + ".bin")), "old");
    // Each finished download tells where the file went.
    auto resultBoxes = [] {
        QStringList texts;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->objectName() == "downloadResult")
                texts << box->text();
        }
        return texts;
    };
    EXPECT_TRUE(waitUntil([&] { return resultBoxes().size() == 2; }));
    EXPECT_TRUE(resultBoxes().contains("파일을 내려받았습니다.\n" + first));
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "downloadResult")
            w->close();
    }

    // The page stays where it was, and a navigation that became a download is no error.
    settle(200);
    EXPECT_EQ(rec.count("NavigateError"), 0);
    EXPECT_FALSE(b->Busy());
    QFile::remove(first);
    QFile::remove(second);
    QFile::remove(QDir(downloads).filePath(base + ".bin"));
}

TEST(EnginePage, ControlsLeftAfterTheFactoryGoBecomeInert)
{
    TestFolder folder;
    auto factory = std::make_unique<platform::QtWebBrowserFactory>(folder.file("Engine"));
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
