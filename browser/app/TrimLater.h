#pragma once

#include <QTimer>

#include <functional>

// The working-set trim the handlers end with, run a moment after the first
// handler that asks rather than inside it: the trim returns freed memory to
// the system, which takes milliseconds (more after a tab was made), and a
// handler's work should reach the screen first. Requests while one is waiting
// join it, so a burst of handlers trims once, and no stream of them can put
// the trim off past delayMs.
class TrimLater
{
public:
    TrimLater(std::function<void()> trim, int delayMs);

    void request();
    bool waiting() const { return m_timer.isActive(); }

    static constexpr int kDelayMs = 250;

private:
    std::function<void()> m_trim;
    QTimer m_timer;
};
