#include "modSessionRecord.h"
#include "modStartPage.h"

#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace modSessionRecord {

namespace {

// A value is one line; blanks at its ends would be dropped by the reader anyway.
QString oneLine(QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    value.replace(QChar(0), u' ');
    return value.trimmed();
}

} // namespace

QString recordPath(const platform::Environment &env)
{
    return platform::folders::profileTempFolder(env) + QStringLiteral("/lastdocinfo.sfm");
}

bool exists(const platform::Environment &env)
{
    return QFileInfo(recordPath(env)).isFile();
}

Record read(const platform::Environment &env)
{
    const QString path = recordPath(env);
    const QString section = QString::fromLatin1(kSection);
    return {modINIControl::ReadIniValue(section, QString::fromLatin1(kDateKey), path),
            modINIControl::ReadIniValue(section, QString::fromLatin1(kTitleKey), path),
            modINIControl::ReadIniValue(section, QString::fromLatin1(kUrlKey), path)};
}

QByteArray format(const Record &record)
{
    QString text;
    text += QLatin1Char('[') + QLatin1String(kSection) + QLatin1String("]\r\n");
    text += QLatin1String(kDateKey) + QLatin1Char('=') + oneLine(record.date) + QLatin1String("\r\n");
    text += QLatin1String(kTitleKey) + QLatin1Char('=') + oneLine(record.title) + QLatin1String("\r\n");
    text += QLatin1String(kUrlKey) + QLatin1Char('=') + oneLine(record.url) + QLatin1String("\r\n");
    return text.toUtf8();
}

bool write(const platform::Environment &env, const Record &record)
{
    QDir().mkpath(platform::folders::profileTempFolder(env));
    return platform::writeFileAtomically(recordPath(env), format(record));
}

QString generalDate(const QDateTime &when)
{
    return QLocale(QLocale::Korean).toString(when, QStringLiteral("yyyy-MM-dd AP h:mm:ss"));
}

bool isRecoverable(const QString &url)
{
    return modStartPage::classify(url) != modStartPage::State::Refused;
}

QString refusedScheme(const QString &url)
{
    const QString text = url.trimmed();
    QString scheme;
    for (const QChar c : text) {
        if (c == QLatin1Char(':') || scheme.size() >= 20)
            break;
        if (c.isLetterOrNumber() && c.unicode() < 0x80)
            scheme += c.toLower();
        else if (c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.'))
            scheme += c;
        else
            break;
    }
    return scheme.isEmpty() ? QStringLiteral("알 수 없음") : scheme;
}

QString refusedText(const QString &url)
{
    return QStringLiteral("마지막으로 탐색 중이던 문서의 주소(%1:)는 열 수 없어 복구하지 않았습니다. 새 탭 문서를 대신 엽니다.")
        .arg(refusedScheme(url));
}

} // namespace modSessionRecord

SessionRecorder::SessionRecorder(const platform::Environment &env, QObject *parent)
    : QObject(parent)
    , m_env(env)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SessionRecorder::writeNow);
}

void SessionRecorder::WriteSessionRecord()
{
    if (m_cleared)
        return;
    if (!m_lastWrite.isValid() || m_lastWrite.elapsed() >= kMinIntervalMs) {
        m_timer.stop();
        writeNow();
        return;
    }
    if (!m_timer.isActive())
        m_timer.start(int(qMax<qint64>(0, kMinIntervalMs - m_lastWrite.elapsed())));
}

void SessionRecorder::ClearSessionRecord()
{
    m_cleared = true;
    m_timer.stop();
    const QString path = modSessionRecord::recordPath(m_env);
    if (QFileInfo(path).isFile())
        QFile::remove(path);
}

void SessionRecorder::writeNow()
{
    if (m_cleared || !m_source)
        return;
    const std::optional<Document> document = m_source();
    if (!document)
        return;
    m_lastWrite.start();
    ++m_writes;
    modSessionRecord::write(m_env, {modSessionRecord::generalDate(QDateTime::currentDateTime()), document->title,
                                    document->url});
}
