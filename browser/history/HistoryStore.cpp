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

QStringList wordsOf(const QString &text)
{
    QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() > kMaxWords)
        words = words.mid(0, kMaxWords);
    return words;
}

// A LIKE pattern that finds the word anywhere, its own % and _ taken literally.
QString likePattern(QString word)
{
    word.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    word.replace(QLatin1Char('%'), QLatin1String("\\%"));
    word.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QLatin1Char('%') + word + QLatin1Char('%');
}

QString whereClause(int words)
{
    QStringList parts;
    for (int i = 0; i < words; ++i)
        parts << QStringLiteral("(url LIKE ? ESCAPE '\\' OR title LIKE ? ESCAPE '\\')");
    return parts.isEmpty() ? QString() : QStringLiteral(" WHERE ") + parts.join(QLatin1String(" AND "));
}

void bindWords(QSqlQuery &query, const QStringList &words)
{
    for (const QString &word : words) {
        const QString pattern = likePattern(word);
        query.addBindValue(pattern);
        query.addBindValue(pattern);
    }
}

bool holdsWords(const Visit &visit, const QStringList &words)
{
    return std::all_of(words.begin(), words.end(), [&](const QString &word) {
        return visit.url.contains(word, Qt::CaseInsensitive) || visit.title.contains(word, Qt::CaseInsensitive);
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
                "CREATE TABLE IF NOT EXISTS visits (id INTEGER PRIMARY KEY, url TEXT NOT NULL, "
                "title TEXT NOT NULL DEFAULT '', time INTEGER NOT NULL, typed INTEGER NOT NULL DEFAULT 0)",
                "CREATE INDEX IF NOT EXISTS visits_time ON visits(time)",
                "CREATE INDEX IF NOT EXISTS visits_url ON visits(url)",
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
    insert.prepare(QStringLiteral("INSERT INTO visits (url, title, time, typed) VALUES (?, ?, ?, ?)"));
    QSqlQuery rename(db);
    rename.prepare(QStringLiteral("UPDATE visits SET title = ? WHERE id = (SELECT MAX(id) FROM visits WHERE url = ?)"));
    for (const Pending &p : std::as_const(m_queue)) {
        QSqlQuery &q = p.retitleOnly ? rename : insert;
        if (p.retitleOnly) {
            q.addBindValue(p.visit.title);
            q.addBindValue(p.visit.url);
        } else {
            q.addBindValue(p.visit.url);
            q.addBindValue(p.visit.title);
            q.addBindValue(p.visit.timeMs);
            q.addBindValue(p.visit.typed ? 1 : 0);
        }
        if (!q.exec()) {
            why = errorText(q);
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
                      + QStringLiteral(" ORDER BY time DESC, id DESC LIMIT ?"));
        bindWords(query, words);
        query.addBindValue(limit);
        if (query.exec()) {
            while (query.next()) {
                found.append(Visit{query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString(),
                                   query.value(3).toLongLong(), query.value(4).toInt() != 0});
            }
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
        // SQLite takes the bare title from the row that has the MAX(time).
        query.prepare(QStringLiteral("SELECT url, title, COUNT(*), SUM(typed), MAX(time) FROM visits")
                      + whereClause(int(words.size()))
                      + QStringLiteral(" GROUP BY url ORDER BY MAX(time) DESC LIMIT ?"));
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
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM visits WHERE id = ?"));
    QVariantList values;
    for (qint64 id : ids)
        values << id;
    query.addBindValue(values);
    if (db.transaction() && query.execBatch() && db.commit())
        return true;
    const QString why = errorText(query);
    db.rollback();
    startOver(why);
    return false;
}

bool HistoryStore::clear()
{
    m_queue.clear();
    m_timer.stop();
    // Kept in memory only: the queue was all there was.
    if (!ensureOpen())
        return true;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (query.exec(QStringLiteral("DELETE FROM visits")))
        return true;
    startOver(errorText(query));
    return false;
}
