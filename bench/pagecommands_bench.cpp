// The page commands' costs: opening the downloads window over a full list (on
// fakes), and one find step on a page of a megabyte (on the real engine).
#include "BenchBrowser.h"

#include "browser/downloads/DownloadStore.h"
#include "browser/downloads/frmDownloads.h"
#include "platform/linux/QtWebBrowserFactory.h"
#include "platform/testing/FakeDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUrl>

namespace {

// The window made and shown with DownloadStore::kMaxRecords entries of
// earlier runs, then closed; the time is until it is on screen with its rows.
// A returning user: with a settings file there is no first-run check holding the window.
const BenchBrowser::Setting kReturningUser[] = {{settings::Key::LastWindowMode, "0"}};

void BM_OpenDownloadsWindowWithAFullList(benchmark::State &state)
{
    BenchBrowser browser(kReturningUser);
    const DownloadStore store(QDir(platform::folders::profileFolder(browser.env())).filePath("Downloads.txt"));
    QList<DownloadRecord> records;
    for (int n = 0; n < DownloadStore::kMaxRecords; ++n) {
        DownloadRecord r;
        r.path = QStringLiteral("/home/kim/Downloads/file-%1.zip").arg(n);
        r.url = QUrl(QStringLiteral("http://files.example/file-%1.zip").arg(n));
        r.site = QStringLiteral("files.example");
        r.size = 1000 * n;
        r.state = n % 5 ? platform::Download::State::Completed : platform::Download::State::Cancelled;
        r.ended = QDateTime::fromSecsSinceEpoch(1700000000 + n, Qt::UTC);
        records << r;
    }
    if (!store.save(records)) {
        state.SkipWithError("cannot write the downloads list");
        return;
    }
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        browser.app().commands().run(Command::Downloads);
        frmDownloads *window = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *d = qobject_cast<frmDownloads *>(w))
                window = d;
        }
        QCoreApplication::processEvents();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (!window || window->rows().size() != DownloadStore::kMaxRecords) {
            state.SkipWithError("the window does not list the entries");
            return;
        }
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(BM_OpenDownloadsWindowWithAFullList)->UseManualTime()->Apply(repeatedWithMax);

// One step to the next match of a word found 2,000 times in a page of a
// megabyte, until the engine's answer is back.
void BM_FindStepOnAMegabytePage(benchmark::State &state)
{
    QTemporaryDir dir;
    platform::testing::FakeDialogs dialogs;
    auto factory = std::make_unique<platform::QtWebBrowserFactory>(dir.filePath("engine"), dialogs);
    platform::WebBrowser *page = factory->create(nullptr);
    QByteArray html = "<html><body>";
    while (html.size() < 1024 * 1024) {
        html += "<p>lorem ipsum dolor sit amet consectetur adipiscing elit sed do eiusmod tempor incididunt ut "
                "labore et dolore magna aliqua ut enim ad minim veniam quis nostrud exercitation ullamco laboris "
                "nisi ut aliquip ex ea commodo consequat duis aute irure dolor in reprehenderit";
        if ((html.size() / 300) % 2 == 0)
            html += " needle";
        html += "</p>\n";
    }
    html += "</body></html>";
    QFile file(dir.filePath("big.html"));
    if (!file.open(QIODevice::WriteOnly) || file.write(html) != html.size()) {
        state.SkipWithError("cannot write the page");
        return;
    }
    file.close();
    QEventLoop loop;
    bool loaded = false;
    QObject::connect(page, &platform::WebBrowser::DocumentComplete, &loop, [&] {
        loaded = true;
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    page->Navigate(QUrl::fromLocalFile(file.fileName()).toString());
    loop.exec();
    if (!loaded) {
        state.SkipWithError("the page did not load");
        return;
    }
    int matches = 0;
    QObject::connect(page, &platform::WebBrowser::FindTextResult, &loop, [&](const QString &, int, int count) {
        matches = count;
        loop.quit();
    });
    // The first search counts every match; the steps after it are measured.
    page->findText(QStringLiteral("needle"), false, false);
    loop.exec();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        page->findText(QStringLiteral("needle"), false, false);
        loop.exec();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
    state.counters["matches"] = matches;
    delete page;
    factory.reset();
    // The engine writes its last state on its own threads a moment after.
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
}
BENCHMARK(BM_FindStepOnAMegabytePage)->UseManualTime()->Apply(repeatedWithMax);

} // namespace
