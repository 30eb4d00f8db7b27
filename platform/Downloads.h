#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

namespace platform {

// One download the user agreed to: where it comes from, where it goes, how far
// it got. Made by the engine's side and owned by it; it lives until the
// program ends, so a list may keep pointers to this run's downloads.
class Download : public QObject
{
    Q_OBJECT
public:
    enum class State { Running, Completed, Cancelled, Failed };

    using QObject::QObject;
    ~Download() override = default;

    // The file the download writes; it exists whole only once Completed. A
    // cancelled or failed download leaves nothing at this path.
    virtual QString path() const = 0;
    virtual QUrl url() const = 0;
    // Where it comes from, as the question before it named it.
    virtual QString site() const = 0;
    virtual qint64 receivedBytes() const = 0;
    // -1 while the size is not known.
    virtual qint64 totalBytes() const = 0;
    virtual State state() const = 0;
    // Why a failed download failed, in the engine's words.
    virtual QString failure() const = 0;
    // Stops a running download and removes what it wrote.
    virtual void cancel() = 0;

Q_SIGNALS:
    void progressChanged();
    // The download ended (state() is no longer Running).
    void finished();
};

// The downloads of all pages. started is raised once the user agreed and the
// file has its place; the end-of-download notices are shown unless switched
// off (while a window lists the downloads itself).
class Downloads : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~Downloads() override = default;

    // Downloads url again, through the same question as a link would.
    virtual void download(const QUrl &url) = 0;
    // Shows folder in the user's file manager.
    virtual void openFolder(const QString &folder) = 0;

    bool endNoticesShown() const { return m_endNotices; }
    void setEndNoticesShown(bool shown) { m_endNotices = shown; }

Q_SIGNALS:
    void started(platform::Download *download);

private:
    bool m_endNotices = true;
};

} // namespace platform
