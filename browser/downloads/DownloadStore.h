#pragma once

#include "platform/Downloads.h"

#include <QDateTime>
#include <QList>
#include <QString>

// One ended download as the list keeps it.
struct DownloadRecord
{
    QString path;
    QUrl url;
    QString site;
    qint64 size = -1;  // bytes received; -1 unknown
    platform::Download::State state = platform::Download::State::Completed;
    QDateTime ended;   // UTC

    bool operator==(const DownloadRecord &other) const = default;
};

// The downloads of earlier runs, the newest last, in a small file of the
// profile replaced whole at each change and cut to the last kMaxRecords.
// The file starts with a line naming its version; another version, or a
// garbled file, counts as empty, and lines that do not hold a whole record
// (an absolute path, a known state, a time) are left out.
//
//   vorlen-downloads 1
//   <ended, ISO 8601> TAB <completed|cancelled|failed> TAB <size> TAB <site> TAB <url> TAB <path>
//
// Fields are percent-encoded, so no name can make a line or a field of its own.
// An address that is not of the web (http, https, ftp) is kept as none, so
// "다시 받기" never asks a file: or script address of a garbled file.
class DownloadStore
{
public:
    static constexpr int kMaxRecords = 100;
    static constexpr qint64 kMaxFileSize = 1024 * 1024;

    explicit DownloadStore(QString path);

    QString path() const { return m_path; }
    QList<DownloadRecord> load() const;
    // Adds one record at the end and drops the oldest past the limit.
    bool append(const DownloadRecord &record) const;
    bool save(QList<DownloadRecord> records) const;
    bool clear() const { return save({}); }

    static QByteArray serialize(const QList<DownloadRecord> &records);
    static QList<DownloadRecord> parse(const QByteArray &bytes);

private:
    QString m_path;
};
