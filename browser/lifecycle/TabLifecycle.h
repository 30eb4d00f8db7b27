#pragma once

#include "LifecyclePolicy.h"

#include <QHash>
#include <QObject>
#include <QTimer>

#include <functional>

class TabSet;
namespace platform {
class WebBrowser;
}
class VorlenApp;

// Freezes and discards the tabs left in the background, after the periods of
// the settings file (see lifecycle::target). It watches the tab set for how
// long each tab has been hidden and looks the tabs over on a timer, never on
// a tab switch: a switch only wakes the tab it shows. The periods are read at
// each look, so a change in the settings file counts from the next one.
//
// The engine frees a discarded page's memory a moment later; the look after
// a discard trims the working set, so that the memory goes back to the
// system and not only to the allocator.
//
// Before a tab leaves Active its page is asked whether a form field was
// edited; the answer holds while the page stays hidden, since nobody can type
// into it. A frozen tab whose answer is unknown is not discarded.
class TabLifecycle : public QObject
{
    Q_OBJECT
public:
    // Milliseconds on a clock that never goes back.
    using Clock = std::function<qint64()>;

    TabLifecycle(VorlenApp &app, TabSet &tabs, QObject *parent = nullptr);

    void setClock(Clock clock) { m_clock = std::move(clock); }
    // Looks every tab over now (the timer calls it).
    void check();
    // The tab shown before the current one; -1 when there is none.
    qint16 lastSelected() const { return m_lastSelected; }
    int intervalMs() const { return m_timer.interval(); }

private:
    struct Watch
    {
        qint64 hiddenSince = -1;  // -1 while shown
        int formAnswer = -1;      // -1 unknown, 0 no edits, 1 edited
        bool asking = false;
        int shownCount = 0;       // how often the tab was shown, to date answers
    };
    void shown(qint16 index);
    lifecycle::TabFacts facts(qint16 index, const Watch &watch, bool formEdited) const;
    void apply(qint16 index, const lifecycle::Periods &periods);
    void moveTo(platform::WebBrowser &page, platform::PageLifecycle state);

    VorlenApp &m_app;
    TabSet &m_tabs;
    QHash<qint16, Watch> m_watch;
    qint16 m_shown = -1;
    qint16 m_lastSelected = -1;
    // A tab was discarded since the last look: the memory the engine gave
    // back by now is handed on to the system at the next one.
    bool m_trimDue = false;
    Clock m_clock;
    QTimer m_timer;
};

// Puts the tab set's background tabs under a TabLifecycle owned by the set.
TabLifecycle &installTabLifecycle(VorlenApp &app, TabSet &tabs);
