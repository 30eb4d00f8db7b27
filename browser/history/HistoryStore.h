#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QSqlDatabase;

// One committed visit of a page.
struct Visit
{
    qint64 id = 0;          // 0 while it waits in memory
    QString url;
    QString title;
    qint64 timeMs = 0;      // milliseconds since the epoch, UTC
    bool typed = false;     // opened from the address box
};

// One address of the history with what the suggestions rank it by.
struct VisitedPlace
{
    QString url;
    QString title;          // of the newest visit
    int visits = 0;
    int typed = 0;
    qint64 lastVisitMs = 0;
};

// The visit history: an SQLite database in the profile folder, opened once at
// its first use. add() and retitle() only queue in memory, so page events
// never wait for the disk; the queue goes to the database in one transaction
// a moment later (or at flush()). A database that cannot be read or written
// (garbled, not a database, locked by another process) is moved aside once,
// reported through movedAside, and a new one is started with the queued
// visits; when the new one fails as well the history is kept in memory for
// the rest of the run. The browser goes on in every case.
class HistoryStore : public QObject
{
    Q_OBJECT
public:
    static constexpr int kFlushDelayMs = 2000;
    // A search lists at most this many visits, newest first.
    static constexpr int kSearchLimit = 2000;

    explicit HistoryStore(QString path, QObject *parent = nullptr);
    ~HistoryStore() override;

    const QString &path() const { return m_path; }

    void add(const Visit &visit);
    // The newest visit of url now has this title.
    void retitle(const QString &url, const QString &title);
    int pending() const { return int(m_queue.size()); }
    // Writes the queue now. False when it could not be written anywhere.
    bool flush();

    // The visits whose title or address holds every word of text (all when
    // text is blank), newest first. Writes the queue first.
    QList<Visit> search(const QString &text, int limit = kSearchLimit);
    // The addresses whose title or address holds every word of text, newest
    // first, the queued visits counted in without writing them.
    QList<VisitedPlace> places(const QString &text, int limit = 200);
    bool remove(const QList<qint64> &ids);
    bool clear();

    // False once the history is kept in memory only.
    bool usable() const { return !m_failed; }

Q_SIGNALS:
    // The database at path could not be used (why) and now lies at movedTo.
    void movedAside(const QString &path, const QString &movedTo, const QString &why);

private:
    struct Pending
    {
        Visit visit;
        bool retitleOnly = false;
    };

    bool ensureOpen();
    bool openDatabase(QString &why);
    void closeDatabase();
    // The database failed: moves it aside and starts a new one. False when
    // even the new one cannot be used.
    bool startOver(const QString &why);
    bool writeQueue(QString &why);
    bool removeVisits(QSqlDatabase &db, const QList<qint64> &ids, QString &why);

    QString m_path;
    QString m_connection;
    QList<Pending> m_queue;
    QTimer m_timer;
    bool m_open = false;
    bool m_failed = false;
    bool m_startedOver = false;
};
