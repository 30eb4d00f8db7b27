#include "TrimLater.h"

TrimLater::TrimLater(std::function<void()> trim, int delayMs)
    : m_trim(std::move(trim))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(delayMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        try {
            if (m_trim)
                m_trim();
        } catch (...) {
            // A failing trim frees nothing; the next request tries again.
        }
    });
}

void TrimLater::request()
{
    if (!m_timer.isActive())
        m_timer.start();
}
