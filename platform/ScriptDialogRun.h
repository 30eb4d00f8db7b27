#pragma once

#include <QtGlobal>

namespace platform {

// The script dialogs (alert, confirm, prompt) of one document, so that a page
// showing them in a loop can be stopped: a box that opens soon after the one
// before (within kGapMs of its closing) continues a run, and from the
// kOfferAt-th box of a run on the box offers to block the page's dialogs.
// Once blocked, the document shows none; a new document starts afresh.
class ScriptDialogRun
{
public:
    static constexpr int kOfferAt = 3;
    static constexpr qint64 kGapMs = 3000;

    // A box opens at nowMs; true when it is to offer blocking.
    bool opening(qint64 nowMs);
    // It closed at nowMs; block when the user chose to block.
    void closed(qint64 nowMs, bool block);
    bool blocked() const { return m_blocked; }
    int inRow() const { return m_inRow; }
    void reset();

private:
    int m_inRow = 0;
    qint64 m_lastClosed = 0;
    bool m_blocked = false;
};

} // namespace platform
