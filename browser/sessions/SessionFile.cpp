#include "SessionFile.h"

#include "platform/FileIO.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>

namespace sessionFile {

namespace {

constexpr int kHashSize = 20;
constexpr int kHeaderSize = 4 + 4 + 4 + kHashSize;
// A count beyond this is damage, not a session: no strip holds that many tabs.
constexpr quint32 kMaxTabs = 40000;

void writeTab(QDataStream &out, const Tab &tab)
{
    out << tab.url << tab.title << tab.history;
}

bool readTab(QDataStream &in, Tab &tab)
{
    in >> tab.url >> tab.title >> tab.history;
    return in.status() == QDataStream::Ok;
}

QByteArray payloadOf(const Session &session)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << session.cleanExit << qint32(session.selected) << quint32(session.tabs.size());
    for (const Tab &tab : session.tabs)
        writeTab(out, tab);
    out << quint32(session.closed.size());
    for (const ClosedTab &closed : session.closed) {
        out << qint32(closed.position);
        writeTab(out, closed.tab);
    }
    return bytes;
}

std::optional<Session> sessionOf(const QByteArray &payload)
{
    QDataStream in(payload);
    in.setVersion(QDataStream::Qt_6_4);
    Session session;
    qint32 selected = 0;
    quint32 count = 0;
    in >> session.cleanExit >> selected >> count;
    if (in.status() != QDataStream::Ok || count > kMaxTabs)
        return std::nullopt;
    for (quint32 i = 0; i < count; ++i) {
        Tab tab;
        if (!readTab(in, tab))
            return std::nullopt;
        session.tabs.append(tab);
    }
    in >> count;
    if (in.status() != QDataStream::Ok || count > kMaxTabs)
        return std::nullopt;
    for (quint32 i = 0; i < count; ++i) {
        ClosedTab closed;
        qint32 position = 1;
        in >> position;
        if (!readTab(in, closed.tab))
            return std::nullopt;
        closed.position = position;
        session.closed.append(closed);
    }
    if (!in.atEnd())
        return std::nullopt;
    session.selected = session.tabs.isEmpty() ? 0 : qBound(0, int(selected), int(session.tabs.size()) - 1);
    return session;
}

} // namespace

QByteArray encode(const Session &session)
{
    const QByteArray payload = payloadOf(session);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << kMagic << kVersion << quint32(payload.size());
    bytes.append(QCryptographicHash::hash(payload, QCryptographicHash::Sha1));
    bytes.append(payload);
    return bytes;
}

std::optional<Session> decode(const QByteArray &bytes, ReadError *error)
{
    auto fail = [error](ReadError why) -> std::optional<Session> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (bytes.isEmpty())
        return fail(ReadError::Empty);
    if (bytes.size() < kHeaderSize)
        return fail(ReadError::Truncated);
    QDataStream in(bytes);
    quint32 magic = 0;
    qint32 version = 0;
    quint32 length = 0;
    in >> magic >> version >> length;
    if (magic != kMagic)
        return fail(ReadError::Garbled);
    if (version != kVersion)
        return fail(ReadError::Version);
    const qsizetype available = bytes.size() - kHeaderSize;
    if (available < qsizetype(length))
        return fail(ReadError::Truncated);
    if (available > qsizetype(length))
        return fail(ReadError::Garbled);
    const QByteArray hash = bytes.mid(12, kHashSize);
    const QByteArray payload = bytes.mid(kHeaderSize);
    if (QCryptographicHash::hash(payload, QCryptographicHash::Sha1) != hash)
        return fail(ReadError::Garbled);
    std::optional<Session> session = sessionOf(payload);
    if (!session)
        return fail(ReadError::Garbled);
    if (error)
        *error = ReadError::None;
    return session;
}

QString path(const QString &folder, int generation)
{
    const QString file = folder + QStringLiteral("/session.vss");
    return generation == 0 ? file : file + QLatin1Char('.') + QString::number(generation);
}

void rotate(const QString &folder)
{
    if (!QFile::exists(path(folder, 0)))
        return;
    QFile::remove(path(folder, kBackups));
    for (int generation = kBackups - 1; generation >= 0; --generation) {
        if (QFile::exists(path(folder, generation)))
            QFile::rename(path(folder, generation), path(folder, generation + 1));
    }
}

std::optional<Found> readNewest(const QString &folder)
{
    for (int generation = 0; generation <= kBackups; ++generation) {
        QFile file(path(folder, generation));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        if (std::optional<Session> session = decode(file.readAll()))
            return Found{*session, generation};
    }
    return std::nullopt;
}

bool write(const QString &folder, const Session &session)
{
    return writeBytes(folder, encode(session));
}

bool writeBytes(const QString &folder, const QByteArray &bytes)
{
    if (!QDir().mkpath(folder))
        return false;
    return platform::writeFileAtomically(path(folder, 0), bytes);
}

} // namespace sessionFile
