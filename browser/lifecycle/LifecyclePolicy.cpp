#include "LifecyclePolicy.h"

#include "platform/Settings.h"

#include <algorithm>
#include <limits>

namespace lifecycle {

namespace {

int depth(State state)
{
    switch (state) {
    case State::Active:
        return 0;
    case State::Frozen:
        return 1;
    case State::Discarded:
        return 2;
    }
    return 0;
}

State shallower(State a, State b)
{
    return depth(a) <= depth(b) ? a : b;
}

State deeper(State a, State b)
{
    return depth(a) >= depth(b) ? a : b;
}

qint64 periodMs(const platform::Environment &env, settings::Key key, qint64 fallbackSeconds)
{
    bool ok = false;
    const qint64 seconds = platform::setting::text(env, key).trimmed().toLongLong(&ok);
    if (!ok || seconds < 0)
        return fallbackSeconds * 1000;
    return std::min<qint64>(seconds, std::numeric_limits<qint32>::max()) * 1000;
}

} // namespace

State target(const TabFacts &tab, const Periods &periods)
{
    if (tab.current)
        return State::Active;
    if (tab.audible)
        return State::Active;
    if (tab.placeholder)
        return tab.state;
    const bool freeze = periods.freezeMs > 0 && tab.hiddenMs >= periods.freezeMs;
    const bool discard = periods.discardMs > 0 && tab.hiddenMs >= periods.discardMs && !tab.lastSelected
                         && !tab.formEdited;
    State wanted = discard ? State::Discarded : freeze ? State::Frozen : State::Active;
    wanted = shallower(wanted, tab.recommended);
    return deeper(wanted, tab.state);
}

Periods readPeriods(const platform::Environment &env)
{
    Periods periods;
    periods.freezeMs = periodMs(env, settings::Key::TabFreezeSecondsValue, kDefaultFreezeSeconds);
    periods.discardMs = periodMs(env, settings::Key::TabDiscardSecondsValue, kDefaultDiscardSeconds);
    return periods;
}

int checkIntervalMs(const Periods &periods)
{
    constexpr qint64 kMin = 1000;
    constexpr qint64 kMax = 60000;
    qint64 shortest = kMax * 5;
    for (qint64 ms : {periods.freezeMs, periods.discardMs}) {
        if (ms > 0)
            shortest = std::min(shortest, ms);
    }
    return int(std::clamp(shortest / 5, kMin, kMax));
}

} // namespace lifecycle
