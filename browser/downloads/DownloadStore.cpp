#include "DownloadStore.h"

#include "platform/FileIO.h"

#include <QDir>
#include <QFile>

#include <optional>

namespace {

constexpr const char *kHeader = "vorlen-downloads 1";

using State = platform::Download::State;

QByteArray stateName(State state)
{
    switch (state) {
    case State::Completed: return "completed";
    case State::Cancelled: return "cancelled";
    case State::Failed: return "failed";
    case State::Running: break;
    }
    return "failed";
}

std::optional<State> stateOf(const QByteArray &name)
{
    if (name == "completed")
        return State::Completed;
    if (name == "cancelled")
        return State::Cancelled;
    if (name == "failed")
        return State::Failed;
    return std::nullopt;
}

QByteArray encode(const QString &text)
{
    return text.toUtf8().toPercentEncoding();
}

QString decode(const QByteArray &field)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(field));
}

} // namespace

DownloadStore::DownloadStore(QString path)
    : m_path(std::move(path))
{
}

QByteArray DownloadStore::serialize(const QList<DownloadRecord> &records)
{
    QByteArray out = QByteArray(kHeader) + '\n';
    for (const DownloadRecord &r : records) {
        out += encode(r.ended.toUTC().toString(Qt::ISODate)) + '\t' + stateName(r.state) + '\t'
               + QByteArray::number(r.size) + '\t' + encode(r.site) + '\t'
               + encode(r.url.toString(QUrl::FullyEncoded)) + '\t' + encode(r.path) + '\n';
    }
    return out;
}

QList<DownloadRecord> DownloadStore::parse(const QByteArray &bytes)
{
    QList<DownloadRecord> records;
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != kHeader)
        return records;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> f = lines[i].trimmed().split('\t');
        if (f.size() != 6)
            continue;
        DownloadRecord r;
        r.ended = QDateTime::fromString(decode(f[0]), Qt::ISODate);
        const std::optional<State> state = stateOf(f[1]);
        bool sizeOk = false;
        r.size = f[2].toLongLong(&sizeOk);
        r.site = decode(f[3]).left(300);
        r.url = QUrl(decode(f[4]), QUrl::StrictMode);
        r.path = decode(f[5]);
        // A record names a file, never a folder to walk up from.
        if (!r.ended.isValid() || !state || !sizeOk || r.size < -1 || !QDir::isAbsolutePath(r.path)
            || QDir::cleanPath(r.path) != r.path || r.path.contains(QChar(0)))
            continue;
        r.state = *state;
        // "다시 받기" asks for the address again: only an address of the web does.
        const QString scheme = r.url.scheme().toLower();
        if (scheme != QLatin1String("http") && scheme != QLatin1String("https") && scheme != QLatin1String("ftp"))
            r.url = QUrl();
        records << r;
    }
    if (records.size() > kMaxRecords)
        records = records.mid(records.size() - kMaxRecords);
    return records;
}

QList<DownloadRecord> DownloadStore::load() const
{
    QFile file(m_path);
    if (file.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.read(kMaxFileSize));
}

bool DownloadStore::save(QList<DownloadRecord> records) const
{
    if (records.size() > kMaxRecords)
        records = records.mid(records.size() - kMaxRecords);
    return platform::writeFileAtomically(m_path, serialize(records));
}

bool DownloadStore::append(const DownloadRecord &record) const
{
    QList<DownloadRecord> records = load();
    records << record;
    return save(records);
}
