#include "QtWebBrowserFactory.h"

#include "QtWebBrowser.h"
#include "QtWebKoreanFonts.h"
#include "QtWebLocalCanvasGuard.h"
#include "QtWebSpellCheck.h"
#include "platform/Dialogs.h"
#include "platform/FileIO.h"
#include "platform/linux/QtWebPermissionPrompts.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineNotification>
#include <QWebEngineProfile>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWidget>

namespace platform {

namespace {

template<typename T>
void dropDead(QList<QPointer<T>> &list)
{
    list.removeIf([](const QPointer<T> &p) { return p.isNull(); });
}

// Splits "report.pdf" into "report" and ".pdf", keeping double extensions of
// archives together ("src.tar.gz" -> "src", ".tar.gz"). A leading dot alone
// is part of the name (".profile").
std::pair<QString, QString> splitExtension(const QString &name)
{
    for (const char *archive : {".tar.gz", ".tar.bz2", ".tar.xz", ".tar.zst"}) {
        const QLatin1String ext(archive);
        if (name.size() > ext.size() && name.endsWith(ext, Qt::CaseInsensitive))
            return {name.left(name.size() - ext.size()), name.right(ext.size())};
    }
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return {name, QString()};
    return {name.left(dot), name.mid(dot)};
}

// The name a download is offered under: the last component of the server's
// name; a name that could still leave the folder is replaced.
QString downloadName(const QWebEngineDownloadRequest *request)
{
    QString name = QFileInfo(request->suggestedFileName()).fileName();
    if (!isSafeFileName(name))
        name = QFileInfo(request->downloadFileName()).fileName();
    if (!isSafeFileName(name))
        name = QStringLiteral("download");
    return name;
}

QWidget *windowOf(QtWebBrowser *browser)
{
    return browser && browser->widget() ? browser->widget()->window() : nullptr;
}

} // namespace

QString uniqueFileName(const QString &folder, const QString &name, const QSet<QString> &taken)
{
    const QDir dir(folder);
    auto isFree = [&](const QString &candidate) {
        const QString path = dir.filePath(candidate);
        return !taken.contains(path) && !QFileInfo::exists(path) && !QFileInfo(path).isSymLink();
    };
    if (isFree(name))
        return name;
    const auto [base, ext] = splitExtension(name);
    for (int n = 1;; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(ext);
        if (isFree(candidate))
            return candidate;
    }
}

bool isUsableFolder(const QString &folder)
{
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".probe-XXXXXX")));
    return probe.open();
}

QtWebBrowserFactory::QtWebBrowserFactory(const QString &storageFolder, Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_storageFolder(storageFolder)
    , m_dialogs(dialogs)
    , m_generatedPageHandler(m_generatedPages)
    , m_downloads([this](const QUrl &url) {
        dropDead(m_browsers);
        for (const QPointer<QtWebBrowser> &browser : std::as_const(m_browsers)) {
            if (browser && browser->page()) {
                browser->page()->download(url);
                return true;
            }
        }
        return false;
    })
{
}

QtWebBrowserFactory::~QtWebBrowserFactory()
{
    delete m_scriptErrorNotice.data();
    // Views before pages (a view left without its page would make a default
    // one), pages before their profile (the engine warns and may crash when
    // a profile goes while its pages live).
    for (const QPointer<QObject> &view : std::as_const(m_views))
        delete view.data();
    for (const QPointer<QObject> &page : std::as_const(m_pages))
        delete page.data();
    delete m_profile;
}

QStringList QtWebBrowserFactory::generatedPageNames()
{
    return {QStringLiteral("Error.htm"), QStringLiteral("NewTab.htm"), QStringLiteral("StartPage.htm"),
            QStringLiteral("Loading.htm"), QStringLiteral("Ending.htm"), QStringLiteral("Recovery.htm")};
}

void QtWebBrowserFactory::setGeneratedPages(const QString &folder, const QStringList &names)
{
    m_generatedPages = GeneratedPages(folder, names);
}

QWebEngineProfile *QtWebBrowserFactory::profile()
{
    if (m_profile)
        return m_profile;
    // The engine writes its storage on its own threads and says nothing when
    // it cannot: the folder is checked here, and without one the profile keeps
    // everything in memory.
    m_storageUsable = isUsableFolder(m_storageFolder);
    if (m_storageUsable) {
        m_profile = new QWebEngineProfile(QStringLiteral("vorlen"));
        m_profile->setPersistentStoragePath(m_storageFolder);
        m_profile->setCachePath(QDir(m_storageFolder).filePath(QStringLiteral("Cache")));
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    } else {
        m_profile = new QWebEngineProfile();
    }
    m_profile->setHttpAcceptLanguage(QStringLiteral("ko-KR,ko"));
    spellcheck::apply(m_profile, spellcheck::dictionaryFolder());
    // A page opened from disk shows the files beside it (its style sheets,
    // pictures, frames) but reaches no web address; what would let it read
    // another file the request filter refuses. The generated pages come
    // through their own scheme instead.
    QWebEngineSettings *settings = m_profile->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    koreanfonts::apply(settings);
    // Pages never read the clipboard, whatever they ask.
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    m_sitePermissions = std::make_unique<SitePermissions>(
        m_storageUsable ? QDir(m_storageFolder).filePath(QStringLiteral("SitePermissions.txt")) : QString());
    m_profile->setNotificationPresenter([this](std::unique_ptr<QWebEngineNotification> notification) {
        presentNotification(std::move(notification));
    });
    // A PDF opens in its tab, in the engine's own viewer, instead of downloading.
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, true);
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    m_profile->setUrlRequestInterceptor(&m_requestFilter);
    m_profile->scripts()->insert(localCanvasGuardScript());
    m_profile->installUrlSchemeHandler(QByteArray(kGeneratedPageScheme), &m_generatedPageHandler);
    connect(m_profile, &QWebEngineProfile::downloadRequested, this, &QtWebBrowserFactory::downloadRequested);
    return m_profile;
}

WebBrowser *QtWebBrowserFactory::create(QWidget *parent)
{
    dropDead(m_browsers);
    dropDead(m_views);
    dropDead(m_pages);
    if (!m_inputMethodGuard) {
        m_inputMethodGuard = new QtWebInputMethodGuard(this);
        profile()->scripts()->insert(m_inputMethodGuard->watcherScript());
    }

    auto *browser = new QtWebBrowser(profile(), m_dialogs, &m_generatedPages, parent);
    browser->setInputMethodGuard(m_inputMethodGuard);
    browser->setCertificateExceptions(&m_certificateExceptions);
    browser->setSitePermissions(m_sitePermissions.get());
    m_browsers.append(browser);
    m_views.append(browser->widget());
    m_pages.append(browser->page());
    connect(browser, &QtWebBrowser::ScriptErrorReported, this,
            [this, browser](const QString &message, int line, const QString &source) {
                showScriptError(browser, message, line, source);
            });
    if (!m_storageUsable && !m_storageReported)
        reportUnusableStorage(parent ? parent->window() : nullptr);
    return browser;
}

void QtWebBrowserFactory::setNotificationSink(std::function<void(const SiteNotification &)> sink)
{
    m_notificationSink = std::move(sink);
}

void QtWebBrowserFactory::presentNotification(std::unique_ptr<QWebEngineNotification> notification)
{
    // The engine hands over only what a site the user allowed wants shown;
    // a site that notifies in a loop gets a few through.
    const QString origin = originKey(notification->origin());
    auto gate = m_notificationGates.find(origin);
    if (gate == m_notificationGates.end())
        gate = m_notificationGates.insert(origin, FloodGate(kNotificationsPerMinute, 60000));
    if (!m_notificationSink || !gate->admit(FloodGate::now()))
        return;
    notification->show();
    m_notificationSink(SiteNotification{siteName(notification->origin()), notification->title(),
                                        notification->message()});
}

void QtWebBrowserFactory::reportUnusableStorage(QWidget *window)
{
    m_storageReported = true;
    m_dialogs.notice(window,
                     QStringLiteral("웹 브라우저 엔진의 저장 폴더를 사용할 수 없습니다.\n%1\n\n"
                                    "이번 실행에서는 쿠키와 방문 기록이 저장되지 않습니다.")
                         .arg(QDir::toNativeSeparators(m_storageFolder)),
                     QStringLiteral("저장 폴더 오류"), MsgIcon::Exclamation);
}

QtWebBrowser *QtWebBrowserFactory::browserOf(const QWebEnginePage *page) const
{
    if (!page)
        return nullptr;
    for (const QPointer<QtWebBrowser> &browser : m_browsers) {
        if (browser && browser->page() == page)
            return browser;
    }
    return nullptr;
}

QString QtWebBrowserFactory::downloadSite(const QUrl &url, const QUrl &pageUrl)
{
    // A blob address carries the address of the page that made it.
    const QUrl source = url.scheme() == QLatin1String("blob") ? QUrl(url.path()) : url;
    const QString host = source.host(QUrl::FullyDecoded);
    if (!host.isEmpty())
        return source.port() >= 0 ? QStringLiteral("%1:%2").arg(host).arg(source.port()) : host;
    if (source.isLocalFile())
        return QStringLiteral("이 컴퓨터");
    if (!pageUrl.isEmpty() && pageUrl != url)
        return downloadSite(pageUrl, QUrl());
    return QStringLiteral("알 수 없는 곳");
}

void QtWebBrowserFactory::downloadRequested(QWebEngineDownloadRequest *request)
{
    QtWebBrowser *browser = browserOf(request->page());
    QPointer<QWidget> window = windowOf(browser);
    const QString name = downloadName(request);
    const QUrl pageUrl = request->page() ? request->page()->url() : QUrl();

    // Nothing is saved before the user said so.
    QPointer<QWebEngineDownloadRequest> guard(request);
    const MsgResult answer = m_dialogs.messageBox(
        window,
        QStringLiteral("이 파일을 내려받으시겠습니까?\n\n파일 이름: %1\n보낸 곳: %2")
            .arg(name, downloadSite(request->url(), pageUrl)),
        QStringLiteral("내려받기"), MsgButtons::SaveCancel, MsgIcon::Question);
    if (!guard)
        return;
    if (answer != MsgResult::Save) {
        request->cancel();
        return;
    }

    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        request->cancel();
        m_dialogs.notice(window, QStringLiteral("파일을 내려받을 폴더를 만들 수 없습니다.\n%1").arg(folder),
                         QStringLiteral("내려받기"), MsgIcon::Exclamation);
        return;
    }
    const QString unique = uniqueFileName(folder, name, m_reservedDownloads);
    const QString path = QDir(folder).filePath(unique);

    m_reservedDownloads.insert(path);
    request->setDownloadDirectory(folder);
    request->setDownloadFileName(unique);
    QtWebDownload *download = m_downloads.follow(request, path, downloadSite(request->url(), pageUrl));
    connect(download, &Download::finished, this, [this, download, path, window] {
        // The part of a download that did not arrive is removed once more a
        // moment later (see QtWebDownload): its name stays taken until then.
        if (download->state() == Download::State::Completed)
            m_reservedDownloads.remove(path);
        else
            QTimer::singleShot(1000, this, [this, path] { m_reservedDownloads.remove(path); });
        if (m_downloads.endNoticesShown())
            showDownloadResult(*download, window);
    });
    request->accept();

    // The control may have gone while the question was open.
    if ((browser = browserOf(request->page())))
        Q_EMIT browser->FileDownload(path);
}

void QtWebBrowserFactory::showDownloadResult(const Download &download, QWidget *window)
{
    // The user learns where the file went, or that it did not arrive; a
    // download the user cancelled needs no word.
    if (download.state() == Download::State::Completed) {
        m_dialogs.notice(window, QStringLiteral("파일을 내려받았습니다.\n%1").arg(download.path()),
                         QStringLiteral("내려받기"), MsgIcon::Information);
    } else if (download.state() == Download::State::Failed) {
        m_dialogs.notice(window,
                         QStringLiteral("파일을 내려받지 못했습니다.\n%1\n%2").arg(download.path(), download.failure()),
                         QStringLiteral("내려받기"), MsgIcon::Exclamation);
    }
}

void QtWebBrowserFactory::showScriptError(QtWebBrowser *browser, const QString &message, int line,
                                          const QString &source)
{
    // A page that throws in a loop must not bury the user under boxes: while
    // one is open, further errors are not shown.
    if (m_scriptErrorNotice || !browser->widget())
        return;
    const QString text = QStringLiteral("이 페이지의 스크립트에서 오류가 발생했습니다.\n\n줄: %1\n오류: %2\nURL: %3")
                             .arg(line)
                             .arg(message, source);
    m_scriptErrorNotice = m_dialogs.notice(browser->widget(), text, QStringLiteral("스크립트 오류"),
                                           MsgIcon::Exclamation);
}

} // namespace platform
