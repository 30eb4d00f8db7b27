#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

// The pause between two steps of a paced animation (fades, blinks): runs the
// event loop until clock reaches until (ms), so the window keeps painting.
namespace paced {

inline void waitUntil(const QElapsedTimer &clock, qint64 until)
{
    const qint64 wait = until - clock.elapsed();
    if (wait <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(int(wait), &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace paced
