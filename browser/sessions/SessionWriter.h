#pragma once

#include "SessionFile.h"

#include <QMutex>
#include <QObject>
#include <QThreadPool>
#include <QWaitCondition>

#include <functional>
#include <optional>

// Writes the session file away from the main thread. The caller hands over a
// snapshot (cheap: the tabs' history bytes are shared, not copied); encoding,
// checksum, the write beside and the rename happen on one worker thread.
//
// Writes keep their order: each snapshot gets the next number, only the
// newest one waiting is written (a newer snapshot makes an older one that has
// not started pointless), and a write whose number is below the last one
// written is dropped, so an older snapshot never replaces a newer file.
// writeNow writes on the caller's thread and returns when the file is there;
// it is the one for the clean exit.
class SessionWriter : public QObject
{
    Q_OBJECT
public:
    // Told on the writer's owner thread after each write from the worker.
    using Done = std::function<void(quint64 number, bool ok)>;

    explicit SessionWriter(QString folder, QObject *parent = nullptr);
    // Waits for the write under way.
    ~SessionWriter() override;

    void setDone(Done done) { m_done = std::move(done); }
    // Test seam: runs on the worker right before each write, with its number.
    void setBeforeWrite(std::function<void(quint64)> hook) { m_beforeWrite = std::move(hook); }

    // Queues a snapshot for the worker; its number.
    quint64 post(sessionFile::Session session);
    // Writes a snapshot at once, after or instead of what is queued.
    bool writeNow(const sessionFile::Session &session);
    // Returns once nothing is queued or under way.
    void wait();

    quint64 lastWritten() const;

private:
    void work();
    bool writeFile(quint64 number, const sessionFile::Session &session);

    const QString m_folder;
    QThreadPool m_pool;
    mutable QMutex m_mutex;
    QWaitCondition m_idle;
    std::optional<sessionFile::Session> m_pending;
    quint64 m_pendingNumber = 0;
    quint64 m_next = 0;
    bool m_working = false;
    // Held from the number check to the rename: one write at a time.
    mutable QMutex m_fileMutex;
    quint64 m_written = 0;
    Done m_done;
    std::function<void(quint64)> m_beforeWrite;
};
