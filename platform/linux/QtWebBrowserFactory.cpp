#include "QtWebBrowserFactory.h"

#include "QtWebBrowser.h"
#include "platform/FileIO.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

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

QtWebBrowserFactory::QtWebBrowserFactory(const QString &storageFolder, QObject *parent)
    : QObject(parent)
    , m_storageFolder(storageFolder)
{
}

QtWebBrowserFactory::~QtWebBrowserFactory()
{
    delete m_scriptErrorBox;
    // Views before pages (a view left without its page would make a default
    // one), pages before their profile (the engine warns and may crash when
    // a profile goes while its pages live).
    for (const QPointer<QObject> &view : std::as_const(m_views))
        delete view.data();
    for (const QPointer<QObject> &page : std::as_const(m_pages))
        delete page.data();
    delete m_profile;
}

QWebEngineProfile *QtWebBrowserFactory::profile()
{
    if (!m_profile) {
        m_profile = new QWebEngineProfile(QStringLiteral("vorlen"));
        m_profile->setPersistentStoragePath(m_storageFolder);
        m_profile->setCachePath(QDir(m_storageFolder).filePath(QStringLiteral("Cache")));
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
        connect(m_profile, &QWebEngineProfile::downloadRequested, this,
                &QtWebBrowserFactory::downloadRequested);
    }
    return m_profile;
}

WebBrowser *QtWebBrowserFactory::create(QWidget *parent)
{
    dropDead(m_browsers);
    dropDead(m_views);
    dropDead(m_pages);

    auto *browser = new QtWebBrowser(profile(), parent);
    m_browsers.append(browser);
    m_views.append(browser->widget());
    m_pages.append(browser->page());
    connect(browser, &QtWebBrowser::ScriptErrorReported, this,
            [this, browser](const QString &message, int line, const QString &source) {
                showScriptError(browser, message, line, source);
            });
    return browser;
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

void QtWebBrowserFactory::downloadRequested(QWebEngineDownloadRequest *request)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        request->cancel();
        return;
    }
    // The name comes from the server: only its last component counts, and a
    // name that could still leave the folder is replaced.
    QString name = QFileInfo(request->suggestedFileName()).fileName();
    if (!isSafeFileName(name))
        name = QFileInfo(request->downloadFileName()).fileName();
    if (!isSafeFileName(name))
        name = QStringLiteral("download");
    name = uniqueFileName(folder, name, m_reservedDownloads);
    const QString path = QDir(folder).filePath(name);

    m_reservedDownloads.insert(path);
    QtWebBrowser *browser = browserOf(request->page());
    QPointer<QWidget> window = browser && browser->widget() ? browser->widget()->window() : nullptr;
    connect(request, &QWebEngineDownloadRequest::isFinishedChanged, this, [this, request, path, window] {
        if (!request->isFinished())
            return;
        m_reservedDownloads.remove(path);
        showDownloadResult(request, path, window);
    });
    request->setDownloadDirectory(folder);
    request->setDownloadFileName(name);
    request->accept();

    if (browser)
        Q_EMIT browser->FileDownload(path);
}

void QtWebBrowserFactory::showDownloadResult(QWebEngineDownloadRequest *request, const QString &path,
                                             QWidget *window)
{
    // The user learns where the file went, or that it did not arrive; a
    // download the user cancelled needs no word.
    QString text;
    QMessageBox::Icon icon = QMessageBox::Information;
    if (request->state() == QWebEngineDownloadRequest::DownloadCompleted) {
        text = QStringLiteral("파일을 내려받았습니다.\n%1").arg(path);
    } else if (request->state() == QWebEngineDownloadRequest::DownloadInterrupted) {
        text = QStringLiteral("파일을 내려받지 못했습니다.\n%1\n%2").arg(path, request->interruptReasonString());
        icon = QMessageBox::Warning;
    } else {
        return;
    }
    auto *box = new QMessageBox(icon, QStringLiteral("내려받기"), text, QMessageBox::NoButton, window);
    box->addButton(QStringLiteral("확인"), QMessageBox::AcceptRole);
    box->setObjectName(QStringLiteral("downloadResult"));
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void QtWebBrowserFactory::showScriptError(QtWebBrowser *browser, const QString &message, int line,
                                          const QString &source)
{
    // A page that throws in a loop must not bury the user under boxes: while
    // one is open, further errors are not shown.
    if (m_scriptErrorBox || !browser->widget())
        return;
    const QString text = QStringLiteral("이 페이지의 스크립트에서 오류가 발생했습니다.\n\n줄: %1\n오류: %2\nURL: %3")
                             .arg(line)
                             .arg(message, source);
    auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("스크립트 오류"), text,
                                QMessageBox::NoButton, browser->widget());
    box->addButton(QStringLiteral("확인"), QMessageBox::AcceptRole);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    m_scriptErrorBox = box;
    box->show();
}

} // namespace platform
