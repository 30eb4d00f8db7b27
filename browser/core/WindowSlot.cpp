#include "WindowSlot.h"

#include <QEvent>

namespace {

// Owns a lock for as long as its window is shown; a child of the window, so it
// goes with the window at the latest.
class ShownLock : public QObject
{
public:
    ShownLock(QWidget *window, std::unique_ptr<WindowLocks::Lock> lock)
        : QObject(window)
        , m_lock(std::move(lock))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && watched == parent()) {
            m_lock.reset();
            deleteLater();
        }
        return false;
    }

private:
    std::unique_ptr<WindowLocks::Lock> m_lock;
};

} // namespace

WindowLocks::Lock::Lock(WindowLocks &locks)
    : m_locks(locks)
{
}

WindowLocks::Lock::~Lock()
{
    m_locks.release();
}

void WindowLocks::setTarget(QWidget *window)
{
    m_target = window;
    apply();
}

std::unique_ptr<WindowLocks::Lock> WindowLocks::acquire()
{
    ++m_count;
    apply();
    return std::unique_ptr<Lock>(new Lock(*this));
}

void WindowLocks::lockWhileShown(QWidget *window)
{
    if (window)
        new ShownLock(window, acquire());
}

void WindowLocks::release()
{
    if (m_count > 0)
        --m_count;
    apply();
}

void WindowLocks::apply()
{
    if (m_target)
        m_target->setEnabled(m_count == 0);
}
