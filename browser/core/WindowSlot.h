#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <memory>

// Keeps the main window disabled exactly while at least one lock is held. A
// lock is released by its destructor, so it goes on every way out of a handler,
// an exception included; a lock handed to a window goes with the window.
class WindowLocks
{
public:
    class Lock
    {
    public:
        ~Lock();
        Lock(const Lock &) = delete;
        Lock &operator=(const Lock &) = delete;

    private:
        friend class WindowLocks;
        explicit Lock(WindowLocks &locks);
        WindowLocks &m_locks;
    };

    WindowLocks() = default;
    WindowLocks(const WindowLocks &) = delete;
    WindowLocks &operator=(const WindowLocks &) = delete;

    // The window that the locks disable; it may come and go.
    void setTarget(QWidget *window);
    bool locked() const { return m_count > 0; }
    int count() const { return m_count; }

    [[nodiscard]] std::unique_ptr<Lock> acquire();
    // Holds a lock until window is hidden or deleted, whichever comes first.
    void lockWhileShown(QWidget *window);

private:
    void release();
    void apply();

    QPointer<QWidget> m_target;
    int m_count = 0;
};

// One secondary window: made on first use, never twice at a time, owned by its
// parent and deleted when it closes. open() hands back the window that is open
// or makes a new one with make(parent).
template <class W>
class WindowSlot
{
public:
    W *window() const { return m_window.data(); }
    bool isOpen() const { return !m_window.isNull(); }

    template <class Make>
    W &open(QWidget *parent, Make make)
    {
        if (!m_window) {
            W *made = make(parent);
            made->setAttribute(Qt::WA_DeleteOnClose, true);
            m_window = made;
        }
        return *m_window;
    }

    // Closes the window that is open, which deletes it.
    void close()
    {
        if (m_window)
            m_window->close();
    }

private:
    QPointer<W> m_window;
};

// A secondary window that is a window of its own rather than a child of main:
// disabling the main window disables its children, and such a window must stay
// usable while the main window is locked. It stays above main and goes with it.
inline void attachToMainWindow(QWidget &window, QWidget &main)
{
    QWidget *made = &window;
    QObject::connect(&main, &QObject::destroyed, made, [made] { delete made; });
    window.winId();
    if (main.windowHandle())
        window.windowHandle()->setTransientParent(main.windowHandle());
}

// Shows window in front, centred over `over` when it was not on screen yet.
inline void showCentred(QWidget &window, const QWidget &over)
{
    if (!window.isVisible()) {
        const QRect frame = over.geometry();
        window.move(frame.center() - QPoint(window.width() / 2, window.height() / 2));
    }
    window.show();
    window.raise();
    window.activateWindow();
}
