// Rebuilding the favorites list (FavoriteActivatee) with the 1,000 favorites a
// long-time user has: every file is read again and the list refilled, then the
// after-step runs. The browser runs on fakes; the files are real.
#include "browser/app/BrowserAssembly.h"
#include "browser/panels/FavoritePanel.h"
#include "browser/panels/FavoriteStore.h"
#include "browser/app/modSubMain.h"
#include "browser/window/frmMain.h"
#include "platform/Folders.h"
#include "platform/testing/FakePlatform.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class FavoritesOnFakes
{
public:
    explicit FavoritesOnFakes(int count)
        : m_fake(m_dir.path())
    {
        m_fake.registry().setStartPage(QStringLiteral("http://start.example/"));
        QDir().mkpath(platform::folders::profileFolder(m_fake.environment()));
        const FavoriteStore store(platform::folders::favoriteFolder(m_fake.environment()));
        for (int i = 0; i < count; ++i) {
            const Favorite f{QStringLiteral("즐겨찾는 사이트 %1 - 뉴스, 블로그").arg(i, 4, 10, QLatin1Char('0')),
                             QStringLiteral("(사이트 %1) 라는 제목을 가진 문서의 설명 입니다.").arg(i),
                             QStringLiteral("http://site%1.example.com/path/to/page.html?id=%1").arg(i)};
            if (!store.write(f))
                m_error = "cannot write a favorite";
        }
        m_app = std::make_unique<BrowserAssembly>(m_fake.platform());
        modSubMain::Start(*m_app);
        // The panel is open, as when the user works with the list.
        m_app->commands().run(Command::FavoritesPanel);
        QApplication::processEvents();
    }

    frmMain &form() { return m_app->mainForm(); }
    int rows() { return form().FavoriteBox->FavoriteListView->topLevelItemCount(); }
    const char *error() const { return m_error; }
    QString folder() { return platform::folders::favoriteFolder(m_fake.environment()); }

private:
    QTemporaryDir m_dir;
    platform::testing::FakePlatform m_fake;
    std::unique_ptr<BrowserAssembly> m_app;
    const char *m_error = nullptr;
};

void BM_FavoriteActivatee(benchmark::State &state)
{
    const int count = int(state.range(0));
    FavoritesOnFakes browser(count);
    if (browser.error() || browser.rows() != count) {
        state.SkipWithError(browser.error() ? browser.error() : "the list does not hold every favorite");
        return;
    }
    for (auto _ : state)
        browser.form().FavoriteActivatee();
    state.counters["rows"] = browser.rows();
}
BENCHMARK(BM_FavoriteActivatee)->Arg(1000)->ArgName("favorites")->Unit(benchmark::kMillisecond)->UseRealTime();

// The folder read alone, without the list control.
void BM_FavoriteStoreList(benchmark::State &state)
{
    const int count = int(state.range(0));
    FavoritesOnFakes browser(count);
    const FavoriteStore store(browser.folder());
    for (auto _ : state)
        benchmark::DoNotOptimize(store.list());
}
BENCHMARK(BM_FavoriteStoreList)->Arg(1000)->ArgName("favorites")->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
