#include "ScriptDialogRun.h"

namespace platform {

bool ScriptDialogRun::opening(qint64 nowMs)
{
    m_inRow = (m_inRow > 0 && nowMs - m_lastClosed <= kGapMs) ? m_inRow + 1 : 1;
    return m_inRow >= kOfferAt;
}

void ScriptDialogRun::closed(qint64 nowMs, bool block)
{
    m_lastClosed = nowMs;
    if (block)
        m_blocked = true;
}

void ScriptDialogRun::reset()
{
    m_inRow = 0;
    m_lastClosed = 0;
    m_blocked = false;
}

} // namespace platform
