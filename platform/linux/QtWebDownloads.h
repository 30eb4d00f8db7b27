#pragma once

#include "platform/Downloads.h"

#include <QDateTime>
#include <QPointer>

#include <functional>

class QWebEngineDownloadRequest;

namespace platform {

// A download of the engine's, followed from the moment the user agreed. When
// it ends cancelled or failed, the file it was writing is removed: the engine
// keeps a failed download's part for a resumption the browser never offers.
class QtWebDownload : public Download
{
    Q_OBJECT
public:
    QtWebDownload(QWebEngineDownloadRequest *request, const QString &path, const QString &site, QObject *parent);

    QString path() const override { return m_path; }
    QUrl url() const override { return m_url; }
    QString site() const override { return m_site; }
    qint64 receivedBytes() const override { return m_received; }
    qint64 totalBytes() const override { return m_total; }
    State state() const override { return m_state; }
    QString failure() const override { return m_failure; }
    void cancel() override;

private:
    void update();
    void end();
    void removePartialFile();

    QPointer<QWebEngineDownloadRequest> m_request;
    QString m_path;
    QUrl m_url;
    QString m_site;
    qint64 m_received = 0;
    qint64 m_total = -1;
    State m_state = State::Running;
    QString m_failure;
    // A little before the start: what the engine wrote since is this download's.
    QDateTime m_started;
};

// The engine's downloads: again asks the engine for an address, through any
// page that is alive, and opens folders with the desktop's file manager.
class QtWebDownloads : public Downloads
{
    Q_OBJECT
public:
    using PageDownload = std::function<bool(const QUrl &)>;
    // pageDownload starts a download of the address on some live page; false
    // when there is none.
    explicit QtWebDownloads(PageDownload pageDownload, QObject *parent = nullptr);

    void download(const QUrl &url) override;
    void openFolder(const QString &folder) override;

    // Raises started for a download the user agreed to.
    QtWebDownload *follow(QWebEngineDownloadRequest *request, const QString &path, const QString &site);

private:
    PageDownload m_pageDownload;
};

} // namespace platform
