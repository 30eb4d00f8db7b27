#pragma once

#include "platform/WebBrowser.h"

#include <QtGlobal>

namespace platform {
class Environment;
}

// When a background tab is frozen and when it is discarded: a decision over
// a few facts of the tab, free of pages and timers.
namespace lifecycle {

using State = platform::PageLifecycle;

inline constexpr qint64 kDefaultFreezeSeconds = 300;
inline constexpr qint64 kDefaultDiscardSeconds = 1800;

// How long a tab stays hidden before each step; 0 stands for never.
struct Periods
{
    qint64 freezeMs = kDefaultFreezeSeconds * 1000;
    qint64 discardMs = kDefaultDiscardSeconds * 1000;
};

struct TabFacts
{
    qint64 hiddenMs = 0;        // since the tab was last shown (or made)
    bool current = false;       // the tab on show
    bool lastSelected = false;  // the tab shown before the current one
    bool audible = false;       // plays sound now or did a moment ago
    bool formEdited = false;    // a field holds what the user typed or chose
    // The page holds no document worth the trouble: a restored tab not
    // loaded yet (only its title), a blank or generated text page.
    bool placeholder = false;
    State state = State::Active;
    State recommended = State::Discarded;  // the engine's word
};

// The state the tab should be in now. The current tab is always Active and a
// tab that plays sound is woken; otherwise a tab only ever goes deeper: it is
// frozen once hidden for the freeze period and discarded once hidden for the
// discard period, unless it is the last selected tab or holds an edited form
// (then it stays frozen), and never deeper than the engine recommends.
State target(const TabFacts &tab, const Periods &periods);

// TabFreezeSecondsValue and TabDiscardSecondsValue as they are on disk now:
// whole seconds, 0 for never; a missing key or one that is not a whole number
// of seconds gives the default.
Periods readPeriods(const platform::Environment &env);

// How often the tabs are looked over: a fifth of the shortest period, between
// one second and one minute.
int checkIntervalMs(const Periods &periods);

} // namespace lifecycle
