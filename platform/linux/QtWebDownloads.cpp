#include "QtWebDownloads.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QWebEngineDownloadRequest>

namespace platform {

QtWebDownload::QtWebDownload(QWebEngineDownloadRequest *request, const QString &path, const QString &site,
                             QObject *parent)
    : Download(parent)
    , m_request(request)
    , m_path(path)
    , m_url(request->url())
    , m_site(site)
    , m_started(QDateTime::currentDateTime().addSecs(-2))
{
    connect(request, &QWebEngineDownloadRequest::receivedBytesChanged, this, &QtWebDownload::update);
    connect(request, &QWebEngineDownloadRequest::totalBytesChanged, this, &QtWebDownload::update);
    connect(request, &QWebEngineDownloadRequest::isFinishedChanged, this, &QtWebDownload::end);
    // A broken connection leaves the engine's download interrupted but
    // resumable, never finished: the browser offers no resumption (it
    // downloads anew), so such a download fails here and its part goes.
    connect(request, &QWebEngineDownloadRequest::stateChanged, this, [this](QWebEngineDownloadRequest::DownloadState state) {
        if (state != QWebEngineDownloadRequest::DownloadInterrupted || m_state != State::Running || !m_request)
            return;
        update();
        m_state = State::Failed;
        m_failure = m_request->interruptReasonString();
        m_request->cancel();
        removePartialFile();
        QTimer::singleShot(500, this, &QtWebDownload::removePartialFile);
        Q_EMIT finished();
    });
    // The request goes with its profile at the end of the program; a download
    // still running then ends as cancelled.
    connect(request, &QObject::destroyed, this, [this] {
        if (m_state == State::Running) {
            m_state = State::Cancelled;
            removePartialFile();
            Q_EMIT finished();
        }
    });
    update();
}

void QtWebDownload::update()
{
    if (!m_request)
        return;
    m_received = m_request->receivedBytes();
    m_total = m_request->totalBytes() > 0 ? m_request->totalBytes() : -1;
    Q_EMIT progressChanged();
}

void QtWebDownload::cancel()
{
    if (m_request && m_state == State::Running)
        m_request->cancel();
}

void QtWebDownload::end()
{
    if (!m_request || !m_request->isFinished() || m_state != State::Running)
        return;
    update();
    switch (m_request->state()) {
    case QWebEngineDownloadRequest::DownloadCompleted:
        m_state = State::Completed;
        break;
    case QWebEngineDownloadRequest::DownloadCancelled:
        m_state = State::Cancelled;
        break;
    default:
        m_state = State::Failed;
        m_failure = m_request->interruptReasonString();
        break;
    }
    if (m_state != State::Completed) {
        removePartialFile();
        // The engine lets go of the file on its own thread: what it still
        // flushed after the end goes a moment later.
        QTimer::singleShot(500, this, &QtWebDownload::removePartialFile);
    }
    Q_EMIT finished();
}

void QtWebDownload::removePartialFile()
{
    // The name was free when the download took it, so whatever is there is
    // this download's own part; a link is never followed. The engine writes
    // the part beside it under a name of its own until the end; such a file
    // is removed only when this download wrote it.
    const QFileInfo info(m_path);
    if (info.isSymLink() || info.isFile())
        QFile::remove(m_path);
    for (const char *suffix : {".download", ".crdownload"}) {
        const QString part = m_path + QLatin1String(suffix);
        const QFileInfo partInfo(part);
        if (partInfo.isFile() && !partInfo.isSymLink() && partInfo.lastModified() >= m_started)
            QFile::remove(part);
    }
}

QtWebDownloads::QtWebDownloads(PageDownload pageDownload, QObject *parent)
    : Downloads(parent)
    , m_pageDownload(std::move(pageDownload))
{
}

void QtWebDownloads::download(const QUrl &url)
{
    if (m_pageDownload && url.isValid())
        m_pageDownload(url);
}

void QtWebDownloads::openFolder(const QString &folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

QtWebDownload *QtWebDownloads::follow(QWebEngineDownloadRequest *request, const QString &path, const QString &site)
{
    auto *download = new QtWebDownload(request, path, site, this);
    Q_EMIT started(download);
    return download;
}

} // namespace platform
