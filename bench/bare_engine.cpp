// The bare engine: the smallest program that shows a local page in Qt WebEngine
// the way vorlen does (one view on a named, persistent profile, the window the
// size of vorlen's). bench/startup_ratio.sh times it beside vorlen, so that the
// browser's start-up is measured against what the engine alone needs.
//
//   usage: bare_engine [--frameless] [--tabs N] --profile FOLDER PAGE
//     FOLDER       the profile's storage folder (or $BARE_ENGINE_PROFILE)
//     PAGE         a local HTML file, or an http:// or https:// address
//     --frameless  a window without the window manager's frame, as vorlen's
//     --tabs N     N views of PAGE, opened one after the other as tabs are:
//                  each shown when it opens, hidden when the next one comes
//                  (for bench/memory_tabs.sh)
//
// When the view reports a title while it shows PAGE, the window title becomes
// "<document title> - bare engine": the same moment at which vorlen writes its
// start page caption (a title change of the start tab while it shows the start
// page), and the same way of telling it, through the window title.
//
// With STARTUP_T0_US set (the launch time in microseconds since the epoch, as
// bench/startup_ratio.sh passes it) the title and load times printed on
// standard output count from the launch instead of from main().
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace {

// vorlen's default window, 16500 x 11400 twips.
constexpr int kWidth = 1100;
constexpr int kHeight = 760;

qint64 epochUs()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

} // namespace

int main(int argc, char **argv)
{
    // Milliseconds since the launch when the launcher says when that was,
    // otherwise since main().
    bool haveLaunch = false;
    const qint64 launchUs = qEnvironmentVariable("STARTUP_T0_US").toLongLong(&haveLaunch);
    const qint64 mainUs = epochUs();
    auto elapsedMs = [&] { return (epochUs() - (haveLaunch ? launchUs : mainUs)) / 1000; };
    // As in vorlen: Chromium refuses to run its sandbox as root.
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bare_engine"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows one local page in a bare Qt WebEngine view."));
    parser.addHelpOption();
    const QCommandLineOption profileOption(QStringLiteral("profile"),
                                           QStringLiteral("Storage folder of the engine profile."),
                                           QStringLiteral("folder"));
    parser.addOption(profileOption);
    const QCommandLineOption framelessOption(QStringLiteral("frameless"),
                                             QStringLiteral("No window frame from the window manager."));
    parser.addOption(framelessOption);
    const QCommandLineOption tabsOption(QStringLiteral("tabs"), QStringLiteral("Views of the page."),
                                        QStringLiteral("count"), QStringLiteral("1"));
    parser.addOption(tabsOption);
    parser.addPositionalArgument(QStringLiteral("page"), QStringLiteral("The local HTML file to show."));
    parser.process(application);

    QTextStream err(stderr);
    QString folder = parser.value(profileOption);
    if (folder.isEmpty())
        folder = qEnvironmentVariable("BARE_ENGINE_PROFILE");
    const QStringList args = parser.positionalArguments();
    bool countOk = false;
    const int tabs = parser.value(tabsOption).toInt(&countOk);
    if (folder.isEmpty() || args.size() != 1 || !countOk || tabs < 1 || tabs > 500) {
        err << "usage: bare_engine [--frameless] [--tabs N] --profile FOLDER PAGE (or BARE_ENGINE_PROFILE=FOLDER)\n";
        return 2;
    }
    const QUrl address(args.first());
    const bool remote = address.scheme() == QLatin1String("http") || address.scheme() == QLatin1String("https");
    const QFileInfo page(args.first());
    if (!remote && !page.isFile()) {
        err << "bare_engine: no such file: " << args.first() << '\n';
        return 2;
    }
    if (!QDir().mkpath(folder)) {
        err << "bare_engine: cannot create the profile folder " << folder << '\n';
        return 2;
    }
    const QUrl url = remote ? address : QUrl::fromLocalFile(page.absoluteFilePath());

    // Declared before the page, so it goes after it.
    QWebEngineProfile profile(QStringLiteral("bare"));
    profile.setPersistentStoragePath(QDir(folder).absolutePath());
    profile.setCachePath(QDir(folder).absoluteFilePath(QStringLiteral("Cache")));

    QWebEngineView view;
    auto *webPage = new QWebEnginePage(&profile, &view);
    view.setPage(webPage);
    view.setWindowTitle(QStringLiteral("bare engine"));
    if (parser.isSet(framelessOption))
        view.setWindowFlag(Qt::FramelessWindowHint);
    view.resize(kWidth, kHeight);

    QTextStream out(stdout);
    bool shown = false;
    auto showTitle = [&] {
        if (shown || webPage->url() != url)
            return;
        shown = true;
        // The document's own title; the engine reports the address while there is none.
        QString title = webPage->history()->currentItem().title();
        if (title.isEmpty())
            title = url.toString();
        view.setWindowTitle(title + QStringLiteral(" - bare engine"));
        out << "title " << elapsedMs() << " ms: " << title << Qt::endl;
    };
    QObject::connect(webPage, &QWebEnginePage::titleChanged, &view, showTitle);
    QObject::connect(webPage, &QWebEnginePage::loadFinished, &view, showTitle);
    QObject::connect(webPage, &QWebEnginePage::loadFinished, &view, [&](bool ok) {
        out << "loaded " << elapsedMs() << " ms: " << (ok ? "ok" : "failed") << Qt::endl;
    });

    view.load(url);
    view.show();
    // The other views live inside the window, each with a page of its own on
    // the same profile. As a browser's new tabs are, each is shown when it
    // opens, a quarter of a second after the one before, and hidden when the
    // next one comes; the last one stays on show.
    QWebEngineView *shownView = nullptr;
    for (int i = 1; i < tabs; ++i) {
        QTimer::singleShot(250 * i, &view, [&view, &profile, &url, &shownView] {
            auto *tab = new QWebEngineView(&view);
            tab->setPage(new QWebEnginePage(&profile, tab));
            tab->setGeometry(0, 0, kWidth, kHeight);
            tab->load(url);
            if (shownView)
                shownView->hide();
            tab->show();
            shownView = tab;
        });
    }
    return QApplication::exec();
}
