// The task manager's loadlist with the machine's real process list: reading
// /proc for the user's processes and filling the list box.
#include "browser/app/BrowserAssembly.h"
#include "browser/tools/frmTaskManager.h"
#include "platform/linux/LinuxProcesses.h"
#include "platform/testing/FakePlatform.h"

#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_ProcessNames(benchmark::State &state)
{
    platform::LinuxProcesses processes;
    for (auto _ : state)
        benchmark::DoNotOptimize(processes.names());
    state.counters["processes"] = double(processes.names().size());
}
BENCHMARK(BM_ProcessNames)->Unit(benchmark::kMicrosecond);

void BM_loadlist(benchmark::State &state)
{
    QTemporaryDir dir;
    platform::testing::FakePlatform fake(dir.path());
    platform::LinuxProcesses real;
    platform::Platform mixed{fake.environment(), fake.registry(), fake.system(), real, fake.dialogs(), fake.browsers()};
    BrowserAssembly app(mixed);
    frmTaskManager window(app.context(), nullptr);
    for (auto _ : state)
        window.loadlist();
    state.counters["lines"] = double(window.ProcesList->count());
}
BENCHMARK(BM_loadlist)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
