#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

namespace platform {
class Environment;
}

// The session record "lastdocinfo.sfm" in the profile temp folder: while the
// browser runs it names the document last shown; a clean exit deletes it, so a
// record found at start marks a run that did not end cleanly.
namespace modSessionRecord {

inline constexpr const char *kSection = "Vorlen Temp Tab Info";
inline constexpr const char *kDateKey = "Date";
inline constexpr const char *kTitleKey = "Temp Tab Title";
inline constexpr const char *kUrlKey = "Temp Tab URL";

struct Record
{
    QString date;
    QString title;
    QString url;
};

QString recordPath(const platform::Environment &env);
bool exists(const platform::Environment &env);
Record read(const platform::Environment &env);
// The whole file for a record, three keys in one section.
QByteArray format(const Record &record);
// Replaces the record in one atomic write (the temp folder is made when missing).
bool write(const platform::Environment &env, const Record &record);
// The date and time in the general date form the record keeps.
QString generalDate(const QDateTime &when);

// A recorded address is opened only when the start page's rule would open it
// (web addresses, local files and paths, about:blank, bare hosts): a record is
// a file anybody may write, and a script or markup address in it would run at
// the next start. The refused scheme is what the user is told, as written,
// cut short and reduced to the letters a scheme may have; never the address.
bool isRecoverable(const QString &url);
QString refusedScheme(const QString &url);
QString refusedText(const QString &url);
inline constexpr const char *kRefusedTitle = "문서 복구 안함";

} // namespace modSessionRecord

// Keeps the record current. A page may change its title many times a second;
// the record is written at most once a second, and the latest change is never
// dropped: it is written when the second is over. The title and the address are
// taken together from the selected tab at the moment of writing.
class SessionRecorder : public QObject
{
    Q_OBJECT
public:
    struct Document
    {
        QString title;
        QString url;
    };
    // The selected tab's document, or nothing when there is no tab.
    using Source = std::function<std::optional<Document>()>;

    static constexpr int kMinIntervalMs = 1000;

    explicit SessionRecorder(const platform::Environment &env, QObject *parent = nullptr);

    void setSource(Source source) { m_source = std::move(source); }

    // A page's title changed: write now, or once the current second is over.
    void WriteSessionRecord();
    // The clean exit: deletes the record; nothing is written after it.
    void ClearSessionRecord();

    bool writePending() const { return m_timer.isActive(); }
    int writes() const { return m_writes; }

private:
    void writeNow();

    const platform::Environment &m_env;
    Source m_source;
    QTimer m_timer;
    QElapsedTimer m_lastWrite;
    int m_writes = 0;
    bool m_cleared = false;
};
