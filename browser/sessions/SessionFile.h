#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The session file "session.vss" in the profile folder and its two backups
// "session.vss.1" and "session.vss.2": the tabs in strip order with their
// histories, the selection, the tabs closed last and whether the run that wrote
// it ended cleanly. Free of widgets and pages: the keeper fills it in.
//
// The file is a fixed header (magic, format version, payload length, SHA-1 of
// the payload) followed by the payload, so a file cut short or damaged anywhere
// is told from a whole one and never restored from.
namespace sessionFile {

inline constexpr quint32 kMagic = 0x564C5353;  // "VLSS"
inline constexpr qint32 kVersion = 1;
inline constexpr int kBackups = 2;
inline constexpr int kMaxClosedTabs = 20;

struct Tab
{
    QString url;
    QString title;
    QByteArray history;  // the page engine's own history bytes; may be empty

    bool operator==(const Tab &) const = default;
};

struct ClosedTab
{
    Tab tab;
    int position = 1;  // 1-based strip position it had when it was closed

    bool operator==(const ClosedTab &) const = default;
};

struct Session
{
    bool cleanExit = false;
    int selected = 0;  // 0-based place of the selected tab in tabs
    QList<Tab> tabs;
    QList<ClosedTab> closed;  // oldest first

    bool operator==(const Session &) const = default;
};

enum class ReadError { None, Missing, Empty, Truncated, Garbled, Version };

QByteArray encode(const Session &session);
// Nothing unless the bytes are a whole file of this version; error says why.
std::optional<Session> decode(const QByteArray &bytes, ReadError *error = nullptr);

// folder + "/session.vss" for generation 0, then ".1", ".2".
QString path(const QString &folder, int generation = 0);

// At a start, before the first write: the file becomes backup 1, backup 1
// becomes backup 2 and the old backup 2 goes. Nothing moves when there is no
// file, so a run that ends before writing never pushes a good backup out.
void rotate(const QString &folder);

struct Found
{
    Session session;
    int generation = 0;  // which of the three files it came from
};
// The newest of the file and its backups that reads whole.
std::optional<Found> readNewest(const QString &folder);

// Replaces the file in one atomic write (the folder is made when missing).
bool write(const QString &folder, const Session &session);
// The same with the bytes encode made.
bool writeBytes(const QString &folder, const QByteArray &bytes);

} // namespace sessionFile
