#pragma once

#include "DownloadStore.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

namespace platform {
class Downloads;
}

// This run's downloads, followed from their start, with each one's speed, and
// the store of earlier runs: every download that ends goes into the store.
class DownloadLog : public QObject
{
    Q_OBJECT
public:
    struct Entry
    {
        QPointer<platform::Download> download; // this run's; null for an earlier run's
        DownloadRecord record;                 // an earlier run's, or this run's once ended
    };

    using Clock = std::function<qint64()>; // milliseconds, steadily rising

    DownloadLog(platform::Downloads &downloads, DownloadStore store, QObject *parent = nullptr);

    // What the window lists: this run's downloads, newest first, then the
    // earlier runs' from the store, newest first.
    QList<Entry> entries() const;
    // Forgets every download that has ended, in the store too; running ones stay.
    bool clearEnded();

    // The record of one of this run's downloads once it has ended.
    std::optional<DownloadRecord> endedRecord(const platform::Download *download) const;
    // Bytes a second of a running download, over its last few seconds; 0 while unknown.
    double speedOf(const platform::Download *download) const;
    void setClock(Clock clock) { m_clock = std::move(clock); }

    const DownloadStore &store() const { return m_store; }
    platform::Downloads &downloads() const { return m_downloads; }

Q_SIGNALS:
    void added(platform::Download *download);
    // A download moved on or ended.
    void changed(platform::Download *download);
    // The list was cleared.
    void cleared();
    // The store could not be written.
    void storeFailed(const QString &path);

private:
    struct Running
    {
        QPointer<platform::Download> download;
        qint64 sampleTime = 0;
        qint64 sampleBytes = 0;
        double speed = 0.0;
        DownloadRecord record; // set once ended
        bool ended = false;
    };
    void follow(platform::Download *download);
    void progress(platform::Download *download);
    void end(platform::Download *download);
    Running *find(const platform::Download *download);
    const Running *find(const platform::Download *download) const;
    qint64 now() const;

    platform::Downloads &m_downloads;
    DownloadStore m_store;
    QList<Running> m_run; // oldest first
    QList<DownloadRecord> m_appended; // this run's records in the store
    Clock m_clock;
    QElapsedTimer m_elapsed;
};
