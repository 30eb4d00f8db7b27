#include "SessionWriter.h"

#include <QMetaObject>
#include <QPointer>

SessionWriter::SessionWriter(QString folder, QObject *parent)
    : QObject(parent)
    , m_folder(std::move(folder))
{
    m_pool.setMaxThreadCount(1);
    m_pool.setExpiryTimeout(30000);
}

SessionWriter::~SessionWriter()
{
    wait();
    m_pool.waitForDone();
}

quint64 SessionWriter::post(sessionFile::Session session)
{
    QMutexLocker lock(&m_mutex);
    const quint64 number = ++m_next;
    m_pending = std::move(session);
    m_pendingNumber = number;
    if (!m_working) {
        m_working = true;
        m_pool.start([this] { work(); });
    }
    return number;
}

void SessionWriter::work()
{
    for (;;) {
        std::optional<sessionFile::Session> session;
        quint64 number = 0;
        {
            QMutexLocker lock(&m_mutex);
            if (!m_pending) {
                m_working = false;
                m_idle.wakeAll();
                return;
            }
            session = std::move(m_pending);
            m_pending.reset();
            number = m_pendingNumber;
        }
        if (m_beforeWrite)
            m_beforeWrite(number);
        const bool ok = writeFile(number, *session);
        QPointer<SessionWriter> self(this);
        QMetaObject::invokeMethod(
            this,
            [self, number, ok] {
                if (self && self->m_done)
                    self->m_done(number, ok);
            },
            Qt::QueuedConnection);
    }
}

bool SessionWriter::writeFile(quint64 number, const sessionFile::Session &session)
{
    // Encoding happens before the lock: only the check and the rename are serial.
    const QByteArray bytes = sessionFile::encode(session);
    QMutexLocker lock(&m_fileMutex);
    if (number <= m_written)
        return true;  // a newer snapshot is on disk already
    const bool ok = sessionFile::writeBytes(m_folder, bytes);
    if (ok)
        m_written = number;
    return ok;
}

bool SessionWriter::writeNow(const sessionFile::Session &session)
{
    quint64 number = 0;
    {
        QMutexLocker lock(&m_mutex);
        number = ++m_next;
        // What waits is older than this one and would only be dropped.
        m_pending.reset();
    }
    return writeFile(number, session);
}

void SessionWriter::wait()
{
    QMutexLocker lock(&m_mutex);
    while (m_working)
        m_idle.wait(&m_mutex);
}

quint64 SessionWriter::lastWritten() const
{
    QMutexLocker lock(&m_fileMutex);
    return m_written;
}
