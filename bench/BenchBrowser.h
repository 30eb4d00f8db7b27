#pragma once

// What the benchmarks of the whole browser share: a returning user's browser
// on fakes, in its own temporary folder, started as the program starts; and
// the repetitions they report.
#include "browser/app/BrowserAssembly.h"
#include "browser/app/modSubMain.h"
#include "browser/window/frmMain.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "platform/SettingsKeys.h"
#include "platform/testing/FakePlatform.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <span>
#include <utility>
#include <vector>

class BenchBrowser
{
public:
    using Setting = std::pair<settings::Key, const char *>;

    // The settings file holds settings before the start; the start page is
    // "http://start.example/".
    explicit BenchBrowser(std::span<const Setting> settings)
        : m_fake(m_dir.path())
    {
        m_fake.registry().setStartPage(QStringLiteral("http://start.example/"));
        QDir().mkpath(platform::folders::profileFolder(m_fake.environment()));
        for (const auto &[key, value] : settings) {
            if (!platform::setting::write(m_fake.environment(), key, QString::fromUtf8(value)))
                m_error = "cannot write the settings file";
        }
        m_app = std::make_unique<BrowserAssembly>(m_fake.platform());
        modSubMain::Start(*m_app);
    }
    ~BenchBrowser() { m_app.reset(); }

    BrowserAssembly &app() { return *m_app; }
    frmMain &form() { return m_app->mainForm(); }
    platform::testing::FakePlatform &fake() { return m_fake; }
    const platform::Environment &env() { return m_fake.environment(); }

protected:
    QTemporaryDir m_dir;
    platform::testing::FakePlatform m_fake;
    std::unique_ptr<BrowserAssembly> m_app;
    const char *m_error = nullptr; // why the browser is not as the benchmark needs it
};

// Fifteen repetitions in microseconds, reported as mean, median, deviation and
// the slowest.
inline void repeatedWithMax(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
    b->ComputeStatistics("max", [](const std::vector<double> &v) { return *std::max_element(v.begin(), v.end()); });
}
