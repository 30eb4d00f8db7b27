#include "FloodGate.h"

#include <chrono>

namespace platform {

FloodGate::FloodGate(int limit, qint64 windowMs)
    : m_limit(limit)
    , m_window(windowMs)
{
}

bool FloodGate::admit(qint64 nowMs)
{
    m_admitted.removeIf([&](qint64 at) { return nowMs - at >= m_window; });
    if (m_admitted.size() >= m_limit) {
        ++m_refusedInRow;
        ++m_refused;
        return false;
    }
    m_admitted.append(nowMs);
    m_refusedInRow = 0;
    return true;
}

qint64 FloodGate::now()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace platform
