#pragma once

#include <functional>

// What nearly every handler of the main window ends with: the working-set trim
// and, for most of them, one layout pass. A handler opens an AfterStep guard at
// its top; when the outermost guard closes, the runner trims once and runs at
// most one layout pass, however many handlers ran inside each other.
//
// A layout pass asked for while a pass runs (the pass resizing the window to its
// minimum, say) runs once right after it, never inside it.
class AfterStepRunner
{
public:
    using Step = std::function<void()>;

    AfterStepRunner() = default;
    AfterStepRunner(Step trim, Step layout);
    AfterStepRunner(const AfterStepRunner &) = delete;
    AfterStepRunner &operator=(const AfterStepRunner &) = delete;

    void setSteps(Step trim, Step layout);

    // True while a guard is open or a step runs.
    bool busy() const { return m_depth > 0 || m_running; }
    // Runs the layout pass now (or right after the one running), for a handler
    // whose next step needs the new geometry. The outermost guard then runs no
    // further pass unless another one is asked for.
    void flushLayout();
    // Asks for a layout pass: at the end of the outermost guard, or now when no
    // guard is open.
    void requestLayout();

    // Counts, for tests and benchmarks.
    int layoutPasses() const { return m_layoutPasses; }
    int trims() const { return m_trims; }

private:
    friend class AfterStep;
    void enter(bool layout);
    void leave();
    void runLayout();

    Step m_trim;
    Step m_layout;
    int m_depth = 0;
    bool m_layoutWanted = false;
    bool m_running = false;
    bool m_again = false;
    int m_layoutPasses = 0;
    int m_trims = 0;
};

// The guard at the top of a handler. Kind::TrimOnly for the handlers that end
// with the trim alone.
class AfterStep
{
public:
    enum class Kind { TrimAndLayout, TrimOnly };

    explicit AfterStep(AfterStepRunner &runner, Kind kind = Kind::TrimAndLayout);
    ~AfterStep();
    AfterStep(const AfterStep &) = delete;
    AfterStep &operator=(const AfterStep &) = delete;

private:
    AfterStepRunner &m_runner;
};
