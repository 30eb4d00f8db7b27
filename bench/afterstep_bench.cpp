// The after-step that nearly every handler of the main window ends with
// (working-set trim, then the layout pass), and the progress handler that runs
// it many times a second while a page loads. The browser runs on fakes, so the
// figures are the browser's own cost without a page engine.
#include "BenchBrowser.h"
#include "browser/startup/modBase.h"
#include "browser/startup/modSystemCheck.h"
#include "browser/frame/modRoundEdge.h"
#include "platform/testing/FakeWebBrowser.h"

#include <QApplication>

namespace {

using settings::Key;

// Values as a settings dialog leaves them after some use. PurgelValue=1 makes
// every trim read the file and call the system's trim.
const BenchBrowser::Setting kRealisticSettings[] = {
    {Key::ResetEngineValue, "0"},
    {Key::PurgelValue, "1"},
    {Key::SystemCheckValue, "1"},
    {Key::NewWindowOpenValue, "0"},
    {Key::FadeEffectValue, "1"},
    {Key::AlwaysShowWebBrowserPlusToolValue, "0"},
    {Key::KeyflintValue, "1"},
    {Key::VitrelUseValue, "0"},
    {Key::VitrelValue, "230"},
    {Key::AmbrelUseValue, "0"},
    {Key::GestraValue, "1"},
    {Key::RestoriaValue, "1"},
    {Key::PanovelValue, "1"},
    {Key::LastWindowMode, "0"},
    {Key::LastWindowTop, "1200"},
    {Key::LastWindowLeft, "1800"},
    {Key::LastWindowHeight, "9000"},
    {Key::LastWindowWidth, "14400"},
    {Key::StartPageUseValue, "1"},
    {Key::StartPageAdressValue, "http://www.example.com/start"},
    {Key::ThemeName, "파란 하늘"},
    {Key::AskUseBooleanValue, "1"},
};

// A whole browser on fakes in its own temporary folder, started as the program
// starts, with `tabs` tabs open (the start tab included).
class BrowserOnFakes : public BenchBrowser
{
public:
    explicit BrowserOnFakes(int tabs)
        : BenchBrowser(kRealisticSettings)
    {
        for (int i = 1; i < tabs; ++i) {
            if (!form().modRecvNewWindow(QStringLiteral("http://site%1.example/page.html").arg(i)))
                m_error = "a tab could not be opened";
        }
        // Let the first paint and the queued work of the start-up settle.
        QApplication::processEvents();
    }

    platform::testing::FakeWebBrowser *selectedPage()
    {
        return qobject_cast<platform::testing::FakeWebBrowser *>(form().browser(form().currentTabIndex()));
    }

    // Skips the benchmark with a reason when the browser could not be set up.
    bool check(benchmark::State &state, int tabs)
    {
        if (!m_dir.isValid())
            m_error = "no temporary folder";
        else if (form().WebTabStrip == nullptr || form().tabs().count() != tabs)
            m_error = "unexpected number of tabs";
        if (m_error) {
            state.SkipWithError(m_error);
            return false;
        }
        return true;
    }
};

void tabCounts(benchmark::internal::Benchmark *b)
{
    b->Arg(1)->Arg(30)->ArgName("tabs")->Unit(benchmark::kMicrosecond)->UseRealTime();
}

// One after-step: the trim, then the layout pass.
void BM_AfterStep(benchmark::State &state)
{
    const int tabs = int(state.range(0));
    BrowserOnFakes browser(tabs);
    if (!browser.check(state, tabs))
        return;
    const int trimsBefore = browser.fake().system().trimCount();
    for (auto _ : state) {
        { AfterStep step(browser.app().afterStep()); }
    }
    // The trim must really run (PurgelValue=1): 1 + 2 per step.
    state.counters["trims/step"] =
        double(browser.fake().system().trimCount() - trimsBefore) / double(state.iterations());
}
BENCHMARK(BM_AfterStep)->Apply(tabCounts);

// The parts of the step on their own.
void BM_TrimWorkingSet(benchmark::State &state)
{
    BrowserOnFakes browser(1);
    if (!browser.check(state, 1))
        return;
    for (auto _ : state)
        modBase::TrimWorkingSet(browser.app().platform());
}
BENCHMARK(BM_TrimWorkingSet)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ArrangeMainWindow(benchmark::State &state)
{
    const int tabs = int(state.range(0));
    BrowserOnFakes browser(tabs);
    if (!browser.check(state, tabs))
        return;
    for (auto _ : state)
        browser.form().ArrangeMainWindow();
}
BENCHMARK(BM_ArrangeMainWindow)->Apply(tabCounts);

// The corner mask the layout pass sets again each time (same size: no change).
void BM_ApplyRoundEdge(benchmark::State &state)
{
    BrowserOnFakes browser(1);
    if (!browser.check(state, 1))
        return;
    for (auto _ : state)
        modRoundEdge::ApplyRoundEdge(&browser.form(), true, 5, 5);
}
BENCHMARK(BM_ApplyRoundEdge)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The system-state icon, which the layout pass updates twice.
void BM_UpdateSystemStateIcon(benchmark::State &state)
{
    BrowserOnFakes browser(1);
    if (!browser.check(state, 1))
        return;
    for (auto _ : state)
        browser.form().UpdateSystemStateIcon();
}
BENCHMARK(BM_UpdateSystemStateIcon)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The after-step followed by the repaint it leaves queued, as the event loop
// would run it next.
void BM_AfterStepAndPaint(benchmark::State &state)
{
    const int tabs = int(state.range(0));
    BrowserOnFakes browser(tabs);
    if (!browser.check(state, tabs))
        return;
    for (auto _ : state) {
        { AfterStep step(browser.app().afterStep()); }
        QApplication::processEvents();
    }
}
BENCHMARK(BM_AfterStepAndPaint)->Apply(tabCounts);

// The whole progress handler for the selected tab; the value changes every
// time, so the bar has something new to draw.
void BM_ProgressChange(benchmark::State &state)
{
    const int tabs = int(state.range(0));
    BrowserOnFakes browser(tabs);
    if (!browser.check(state, tabs))
        return;
    frmMain &form = browser.form();
    const qint16 index = form.currentTabIndex();
    int p = 0;
    for (auto _ : state) {
        form.TabWebBrowser_ProgressChange(index, p, 100);
        p = (p + 7) % 101;
    }
}
BENCHMARK(BM_ProgressChange)->Apply(tabCounts);

// The same, raised by the page as the engine raises it, and with the repaint
// of the bar (and whatever else the step marked dirty) done each time.
void BM_ProgressChangeSignalAndPaint(benchmark::State &state)
{
    const int tabs = int(state.range(0));
    BrowserOnFakes browser(tabs);
    if (!browser.check(state, tabs))
        return;
    platform::testing::FakeWebBrowser *page = browser.selectedPage();
    if (!page) {
        state.SkipWithError("no selected page");
        return;
    }
    int p = 0;
    for (auto _ : state) {
        page->simulateProgress(p, 100);
        QApplication::processEvents();
        p = (p + 7) % 101;
    }
}
BENCHMARK(BM_ProgressChangeSignalAndPaint)->Apply(tabCounts);

// The settings read every handler makes, through the same path as the browser.
void BM_SettingRead(benchmark::State &state)
{
    BrowserOnFakes browser(1);
    if (!browser.check(state, 1))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::setting::int16(browser.app().environment(), Key::PurgelValue));
}
BENCHMARK(BM_SettingRead)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
