#include "HistoryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace {

constexpr int kSchemaVersion = 1;
// While the database cannot be used, the queue is all there is; it keeps the
// newest visits only.
constexpr int kMaxInMemory = 10000;
constexpr int kMaxWords = 8;

// Searches compare lower-case text, so Latin letters match in either case.
QStringList wordsOf(const QString &text)
{
    QStringList words = text.simplified().toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() > kMaxWords)
        words = words.mid(0, kMaxWords);
    return words;
}

// What a search looks through: the address and the title in lower case. A
// plain substring test (instr) takes every character literally, Hangul
// syllables and LIKE's wildcards alike.
QString searchText(const QString &url, const QString &title)
{
    return (url + QLatin1Char('\n') + title).toLower();
}

QString whereClause(int words)
{
    QStringList parts;
    for (int i = 0; i < words; ++i)
        parts << QStringLiteral("instr(text, ?) > 0");
    return parts.isEmpty() ? QString() : QStringLiteral(" WHERE ") + parts.join(QLatin1String(" AND "));
}

void bindWords(QSqlQuery &query, const QStringList &words)
{
    for (const QString &word : words)
        query.addBindValue(word);
}

bool holdsWords(const Visit &visit, const QStringList &words)
{
    return std::all_of(words.begin(), words.end(), [&](const QString &word) {
        return searchText(visit.url, visit.title).contains(word);
    });
}

QString errorText(const QSqlQuery &query)
{
    return query.lastError().text();
}

// Where a database that failed goes: beside it, under a name no file has.
QString asideName(const QString &path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = path + QStringLiteral(".broken-") + stamp;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = path + QStringLiteral(".broken-%1-%2").arg(stamp).arg(n);
    return name;
}

} // namespace

HistoryStore::HistoryStore(QString path, QObject *parent)
    : QObject(parent)
    , m_path(std::move(path))
    , m_connection(QStringLiteral("vorlen-history-%1").arg(quintptr(this), 0, 16))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kFlushDelayMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { flush(); });
}

HistoryStore::~HistoryStore()
{
    flush();
    closeDatabase();
}

void HistoryStore::add(const Visit &visit)
{
    m_queue.append(Pending{visit, false});
    if (m_failed && m_queue.size() > kMaxInMemory)
        m_queue.removeFirst();
    if (!m_timer.isActive())
        m_timer.start();
}

void HistoryStore::retitle(const QString &url, const QString &title)
{
    for (auto it = m_queue.rbegin(); it != m_queue.rend(); ++it) {
        if (it->visit.url == url) {
            it->visit.title = title;
            return;
        }
    }
    if (m_failed)
        return;
    Visit change;
    change.url = url;
    change.title = title;
    m_queue.append(Pending{change, true});
    if (!m_timer.isActive())
        m_timer.start();
}

bool HistoryStore::ensureOpen()
{
    if (m_failed)
        return false;
    if (m_open)
        return true;
    QString why;
    if (openDatabase(why))
        return true;
    return startOver(why);
}

bool HistoryStore::openDatabase(QString &why)
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(m_path);
        // Another process holding the file makes us start over, not wait.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=100"));
        if (!db.open()) {
            why = db.lastError().text();
        } else {
            QSqlQuery query(db);
            const char *const steps[] = {
                "PRAGMA synchronous=NORMAL",
                // One row a visit, in the order they were made.
                "CREATE TABLE IF NOT EXISTS visits (id INTEGER PRIMARY KEY, url TEXT NOT NULL, "
                "title TEXT NOT NULL DEFAULT '', time INTEGER NOT NULL, typed INTEGER NOT NULL DEFAULT 0, "
                "text TEXT NOT NULL DEFAULT '')",
                "CREATE INDEX IF NOT EXISTS visits_url ON visits(url)",
                // One row an address, kept with the visits, for the suggestions.
                "CREATE TABLE IF NOT EXISTS places (url TEXT PRIMARY KEY, title TEXT NOT NULL DEFAULT '', "
                "text TEXT NOT NULL DEFAULT '', visits INTEGER NOT NULL, typed INTEGER NOT NULL, last INTEGER NOT NULL)",
                "PRAGMA user_version",
            };
            for (const char *step : steps) {
                if (!query.exec(QString::fromLatin1(step))) {
                    why = errorText(query);
                    break;
                }
            }
            if (why.isEmpty() && query.next()) {
                const int version = query.value(0).toInt();
                if (version > kSchemaVersion)
                    why = QStringLiteral("a newer version (%1)").arg(version);
                else if (version < kSchemaVersion
                         && !query.exec(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion)))
                    why = errorText(query);
            }
        }
    }
    if (!why.isEmpty()) {
        closeDatabase();
        return false;
    }
    m_open = true;
    return true;
}

void HistoryStore::closeDatabase()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
    m_open = false;
}

bool HistoryStore::startOver(const QString &why)
{
    closeDatabase();
    if (m_startedOver) {
        // The new database failed too (a folder that cannot be written): the
        // history of this run stays in memory.
        m_failed = true;
        return false;
    }
    m_startedOver = true;
    QString movedTo;
    if (QFileInfo::exists(m_path)) {
        movedTo = asideName(m_path);
        if (!QFile::rename(m_path, movedTo)) {
            m_failed = true;
            Q_EMIT movedAside(m_path, QString(), why);
            return false;
        }
        for (const char *suffix : {"-journal", "-wal", "-shm"}) {
            const QString sibling = m_path + QLatin1String(suffix);
            if (QFileInfo::exists(sibling))
                QFile::rename(sibling, movedTo + QLatin1String(suffix));
        }
    }
    Q_EMIT movedAside(m_path, movedTo, why);
    QString again;
    if (openDatabase(again))
        return true;
    m_failed = true;
    return false;
}

bool HistoryStore::writeQueue(QString &why)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        why = errorText(query);
        return false;
    }
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO visits (url, title, time, typed, text) VALUES (?, ?, ?, ?, ?)"));
    QSqlQuery place(db);
    place.prepare(QStringLiteral(
        "INSERT INTO places (url, title, text, visits, typed, last) VALUES (?, ?, ?, 1, ?, ?) ON CONFLICT(url) DO "
        "UPDATE SET visits = visits + 1, typed = typed + excluded.typed, "
        "title = CASE WHEN excluded.last >= last THEN excluded.title ELSE title END, "
        "text = CASE WHEN excluded.last >= last THEN excluded.text ELSE text END, last = MAX(last, excluded.last)"));
    QSqlQuery rename(db);
    rename.prepare(QStringLiteral(
        "UPDATE visits SET title = ?, text = ? WHERE id = (SELECT MAX(id) FROM visits WHERE url = ?)"));
    QSqlQuery renamePlace(db);
    renamePlace.prepare(QStringLiteral("UPDATE places SET title = ?, text = ? WHERE url = ?"));
    for (const Pending &p : std::as_const(m_queue)) {
        const Visit &v = p.visit;
        const QString text = searchText(v.url, v.title);
        bool done = false;
        if (p.retitleOnly) {
            rename.addBindValue(v.title);
            rename.addBindValue(text);
            rename.addBindValue(v.url);
            renamePlace.addBindValue(v.title);
            renamePlace.addBindValue(text);
            renamePlace.addBindValue(v.url);
            done = rename.exec() && renamePlace.exec();
        } else {
            insert.addBindValue(v.url);
            insert.addBindValue(v.title);
            insert.addBindValue(v.timeMs);
            insert.addBindValue(v.typed ? 1 : 0);
            insert.addBindValue(text);
            place.addBindValue(v.url);
            place.addBindValue(v.title);
            place.addBindValue(text);
            place.addBindValue(v.typed ? 1 : 0);
            place.addBindValue(v.timeMs);
            done = insert.exec() && place.exec();
        }
        if (!done) {
            why = insert.lastError().isValid() ? errorText(insert)
                : place.lastError().isValid()  ? errorText(place)
                : rename.lastError().isValid() ? errorText(rename)
                                               : errorText(renamePlace);
            query.exec(QStringLiteral("ROLLBACK"));
            return false;
        }
    }
    if (!query.exec(QStringLiteral("COMMIT"))) {
        why = errorText(query);
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

bool HistoryStore::flush()
{
    m_timer.stop();
    if (m_queue.isEmpty())
        return !m_failed;
    if (!ensureOpen())
        return false;
    QString why;
    if (!writeQueue(why)) {
        // The visits of the queue go into the new database.
        if (!startOver(why))
            return false;
        why.clear();
        if (!writeQueue(why)) {
            closeDatabase();
            m_failed = true;
            return false;
        }
    }
    m_queue.clear();
    return true;
}

QList<Visit> HistoryStore::search(const QString &text, int limit)
{
    const QStringList words = wordsOf(text);
    QList<Visit> found;
    if (flush() && ensureOpen()) {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        query.prepare(QStringLiteral("SELECT id, url, title, time, typed FROM visits") + whereClause(int(words.size()))
                      + QStringLiteral(" ORDER BY id DESC LIMIT ?"));
        bindWords(query, words);
        query.addBindValue(limit);
        if (query.exec()) {
            while (query.next()) {
                found.append(Visit{query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString(),
                                   query.value(3).toLongLong(), query.value(4).toInt() != 0});
            }
            // Visits are written in the order they happen, so the newest
            // rows are the newest visits; a clock set back is put in order.
            std::stable_sort(found.begin(), found.end(),
                             [](const Visit &a, const Visit &b) { return a.timeMs > b.timeMs; });
            return found;
        }
        startOver(errorText(query));
        return found;
    }
    // Kept in memory only.
    for (auto it = m_queue.crbegin(); it != m_queue.crend() && found.size() < limit; ++it) {
        if (!it->retitleOnly && holdsWords(it->visit, words))
            found.append(it->visit);
    }
    return found;
}

QList<VisitedPlace> HistoryStore::places(const QString &text, int limit)
{
    const QStringList words = wordsOf(text);
    QList<VisitedPlace> found;
    if (ensureOpen()) {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        query.prepare(QStringLiteral("SELECT url, title, visits, typed, last FROM places") + whereClause(int(words.size()))
                      + QStringLiteral(" ORDER BY last DESC LIMIT ?"));
        bindWords(query, words);
        query.addBindValue(limit);
        if (query.exec()) {
            while (query.next()) {
                found.append(VisitedPlace{query.value(0).toString(), query.value(1).toString(), query.value(2).toInt(),
                                          query.value(3).toInt(), query.value(4).toLongLong()});
            }
        } else {
            startOver(errorText(query));
        }
    }
    for (const Pending &p : std::as_const(m_queue)) {
        if (p.retitleOnly || !holdsWords(p.visit, words))
            continue;
        auto at = std::find_if(found.begin(), found.end(), [&](const VisitedPlace &place) { return place.url == p.visit.url; });
        if (at == found.end()) {
            found.append(VisitedPlace{p.visit.url, p.visit.title, 0, 0, 0});
            at = found.end() - 1;
        }
        at->visits += 1;
        at->typed += p.visit.typed ? 1 : 0;
        if (p.visit.timeMs >= at->lastVisitMs) {
            at->lastVisitMs = p.visit.timeMs;
            at->title = p.visit.title;
        }
    }
    return found;
}

bool HistoryStore::remove(const QList<qint64> &ids)
{
    if (ids.isEmpty())
        return true;
    if (!flush() || !ensureOpen())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QString why;
    if (removeVisits(db, ids, why))
        return true;
    db.rollback();
    startOver(why);
    return false;
}

bool HistoryStore::removeVisits(QSqlDatabase &db, const QList<qint64> &ids, QString &why)
{
    if (!db.transaction()) {
        why = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    QStringList urls;
    query.prepare(QStringLiteral("SELECT url FROM visits WHERE id = ?"));
    for (qint64 id : ids) {
        query.addBindValue(id);
        if (!query.exec()) {
            why = errorText(query);
            return false;
        }
        if (query.next() && !urls.contains(query.value(0).toString()))
            urls << query.value(0).toString();
    }
    query.prepare(QStringLiteral("DELETE FROM visits WHERE id = ?"));
    for (qint64 id : ids) {
        query.addBindValue(id);
        if (!query.exec()) {
            why = errorText(query);
            return false;
        }
    }
    // The addresses left without visits go; the others count again.
    QSqlQuery drop(db);
    drop.prepare(QStringLiteral("DELETE FROM places WHERE url = ?"));
    QSqlQuery count(db);
    // SQLite takes the bare title and text from the row with the MAX(time).
    count.prepare(QStringLiteral("INSERT INTO places (url, title, text, visits, typed, last) SELECT url, title, text, "
                                 "COUNT(*), SUM(typed), MAX(time) FROM visits WHERE url = ? GROUP BY url"));
    for (const QString &url : std::as_const(urls)) {
        drop.addBindValue(url);
        count.addBindValue(url);
        if (!drop.exec() || !count.exec()) {
            why = drop.lastError().isValid() ? errorText(drop) : errorText(count);
            return false;
        }
    }
    if (!db.commit()) {
        why = db.lastError().text();
        return false;
    }
    return true;
}

bool HistoryStore::clear()
{
    m_queue.clear();
    m_timer.stop();
    // Kept in memory only: the queue was all there was.
    if (!ensureOpen())
        return true;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (query.exec(QStringLiteral("DELETE FROM visits")) && query.exec(QStringLiteral("DELETE FROM places")))
        return true;
    startOver(errorText(query));
    return false;
}
