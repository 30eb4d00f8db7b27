#include "DownloadLog.h"

#include "platform/Downloads.h"

DownloadLog::DownloadLog(platform::Downloads &downloads, DownloadStore store, QObject *parent)
    : QObject(parent)
    , m_downloads(downloads)
    , m_store(std::move(store))
{
    m_elapsed.start();
    connect(&downloads, &platform::Downloads::started, this, &DownloadLog::follow);
}

qint64 DownloadLog::now() const
{
    return m_clock ? m_clock() : m_elapsed.elapsed();
}

DownloadLog::Running *DownloadLog::find(const platform::Download *download)
{
    for (Running &r : m_run) {
        if (r.download == download)
            return &r;
    }
    return nullptr;
}

const DownloadLog::Running *DownloadLog::find(const platform::Download *download) const
{
    return const_cast<DownloadLog *>(this)->find(download);
}

void DownloadLog::follow(platform::Download *download)
{
    if (!download || find(download))
        return;
    Running running;
    running.download = download;
    running.sampleTime = now();
    running.sampleBytes = download->receivedBytes();
    m_run << running;
    connect(download, &platform::Download::progressChanged, this, [this, download] { progress(download); });
    connect(download, &platform::Download::finished, this, [this, download] { end(download); });
    Q_EMIT added(download);
    if (download->state() != platform::Download::State::Running)
        end(download);
}

void DownloadLog::progress(platform::Download *download)
{
    Running *r = find(download);
    if (!r)
        return;
    // The speed over the last second or more, smoothed: one slow or quick
    // burst does not make the time left jump about.
    const qint64 t = now();
    const qint64 bytes = download->receivedBytes();
    if (t - r->sampleTime >= 1000 || (r->speed == 0.0 && t - r->sampleTime >= 250)) {
        const double recent = double(bytes - r->sampleBytes) * 1000.0 / double(t - r->sampleTime);
        r->speed = r->speed == 0.0 ? recent : 0.7 * r->speed + 0.3 * recent;
        if (r->speed < 0.0)
            r->speed = 0.0;
        r->sampleTime = t;
        r->sampleBytes = bytes;
    }
    Q_EMIT changed(download);
}

void DownloadLog::end(platform::Download *download)
{
    Running *r = find(download);
    if (!r || r->ended)
        return;
    r->ended = true;
    r->speed = 0.0;
    r->record.path = download->path();
    r->record.url = download->url();
    r->record.site = download->site();
    r->record.size = download->state() == platform::Download::State::Completed ? download->receivedBytes()
                                                                                 : download->totalBytes();
    r->record.state = download->state();
    // Whole seconds, as the store keeps them.
    r->record.ended = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
    if (m_store.append(r->record))
        m_appended << r->record;
    else
        Q_EMIT storeFailed(m_store.path());
    Q_EMIT changed(download);
}

std::optional<DownloadRecord> DownloadLog::endedRecord(const platform::Download *download) const
{
    const Running *r = find(download);
    if (!r || !r->ended)
        return std::nullopt;
    return r->record;
}

double DownloadLog::speedOf(const platform::Download *download) const
{
    const Running *r = find(download);
    return r ? r->speed : 0.0;
}

QList<DownloadLog::Entry> DownloadLog::entries() const
{
    QList<Entry> out;
    for (auto it = m_run.crbegin(); it != m_run.crend(); ++it) {
        if (it->download)
            out << Entry{it->download, it->record};
    }
    // The store holds this run's ended downloads as well: they are listed once, above.
    QList<DownloadRecord> earlier = m_store.load();
    for (const DownloadRecord &mine : m_appended)
        earlier.removeOne(mine);
    for (auto it = earlier.crbegin(); it != earlier.crend(); ++it)
        out << Entry{nullptr, *it};
    return out;
}

bool DownloadLog::clearEnded()
{
    m_run.removeIf([](const Running &r) { return r.ended || !r.download; });
    m_appended.clear();
    const bool saved = m_store.clear();
    if (!saved)
        Q_EMIT storeFailed(m_store.path());
    Q_EMIT cleared();
    return saved;
}
