#include "AfterStep.h"

AfterStepRunner::AfterStepRunner(Step trim, Step layout)
    : m_trim(std::move(trim))
    , m_layout(std::move(layout))
{
}

void AfterStepRunner::setSteps(Step trim, Step layout)
{
    m_trim = std::move(trim);
    m_layout = std::move(layout);
}

void AfterStepRunner::enter(bool layout)
{
    ++m_depth;
    m_layoutWanted = m_layoutWanted || layout;
}

void AfterStepRunner::leave()
{
    if (--m_depth > 0)
        return;
    if (m_running) {
        // A handler run by a step itself (the resize the pass causes): its
        // pass follows the running one.
        m_again = m_again || m_layoutWanted;
        m_layoutWanted = false;
        return;
    }
    // The steps may run handlers of their own (a resize event); those only
    // ask again, and the request is served here after the pass.
    m_running = true;
    const bool layout = m_layoutWanted;
    m_layoutWanted = false;
    try {
        ++m_trims;
        if (m_trim)
            m_trim();
    } catch (...) {
        // A failing trim leaves the pass to run.
    }
    m_running = false;
    if (layout || m_again)
        runLayout();
}

void AfterStepRunner::runLayout()
{
    if (m_running) {
        m_again = true;
        return;
    }
    m_running = true;
    // A pass asked for by the pass itself runs once more, and only once: the
    // second pass starts from the size the first one set.
    for (int pass = 0; pass < 2; ++pass) {
        m_again = false;
        ++m_layoutPasses;
        try {
            if (m_layout)
                m_layout();
        } catch (...) {
            // A failing pass leaves the window as it is.
        }
        if (!m_again)
            break;
    }
    m_again = false;
    m_running = false;
}

void AfterStepRunner::flushLayout()
{
    m_layoutWanted = false;
    runLayout();
}

void AfterStepRunner::requestLayout()
{
    if (m_running) {
        m_again = true;
        return;
    }
    if (m_depth > 0) {
        m_layoutWanted = true;
        return;
    }
    runLayout();
}

AfterStep::AfterStep(AfterStepRunner &runner, Kind kind)
    : m_runner(runner)
{
    m_runner.enter(kind == Kind::TrimAndLayout);
}

AfterStep::~AfterStep()
{
    m_runner.leave();
}
