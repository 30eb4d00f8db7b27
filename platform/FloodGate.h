#pragma once

#include <QList>
#include <QtGlobal>

namespace platform {

// Lets at most limit events through in any span of window milliseconds, so a
// page repeating something in a loop (opening windows, notifying) gets a few
// through and no more. Times come from the caller (now() in the program),
// which lets a test step the clock.
class FloodGate
{
public:
    explicit FloodGate(int limit = 20, qint64 windowMs = 60000);

    // True when the event at nowMs may pass.
    bool admit(qint64 nowMs);
    // True when the last admit refused and the one before did not: the moment
    // to tell the user, once per flood.
    bool justClosed() const { return m_refusedInRow == 1; }
    int refused() const { return m_refused; }

    // A steady clock in milliseconds.
    static qint64 now();

private:
    int m_limit;
    qint64 m_window;
    QList<qint64> m_admitted; // times of the events let through in the window
    int m_refusedInRow = 0;
    int m_refused = 0;
};

} // namespace platform
