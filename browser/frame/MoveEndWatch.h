#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// Tells when a move that the window manager runs has ended. startSystemMove()
// returns as soon as the window manager has taken over, long before the user
// lets go; the steps that follow a move (the blink, the edge commands) want
// the place where the window came to rest. The watch polls whether the mouse
// button is still held (asked of the X server, which knows it even while the
// window manager holds the pointer); where that cannot be asked, the move has
// ended when the window has not moved for a short while.
class MoveEndWatch : public QObject
{
    Q_OBJECT
public:
    // Whether the button is held: true, false, or unknown.
    enum class Held { Yes, No, Unknown };
    using ButtonHeld = std::function<Held()>;

    explicit MoveEndWatch(QWidget *window, QObject *parent = nullptr);
    // For tests: the button state comes from here instead of the X server.
    void setButtonHeld(ButtonHeld held) { m_held = std::move(held); }

    void start();
    void cancel();
    bool watching() const { return m_poll.isActive(); }

    static constexpr int kPollMs = 30;
    static constexpr int kSettleMs = 400;
    static constexpr int kLongestMs = 60000;

Q_SIGNALS:
    void ended();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void poll();
    void finish();
    static Held buttonHeldOnX11();

    QWidget *m_window;
    ButtonHeld m_held;
    QTimer m_poll;
    int m_quietMs = 0;
    int m_totalMs = 0;
};
