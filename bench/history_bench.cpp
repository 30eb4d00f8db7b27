// The history database with 100,000 visits (5,000 sites, Hangul and Latin
// titles): a search of the history window, the address suggestions' query,
// and queueing one visit, which is all a page event pays.
#include "browser/history/HistoryStore.h"
#include "browser/history/Suggestions.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kVisits = 100000;
constexpr int kSites = 5000;

const char *const kWords[] = {"뉴스", "블로그", "날씨", "쇼핑", "카페", "News", "Weather", "Shop", "Blog", "Mail"};

class FilledHistory
{
public:
    FilledHistory()
    {
        m_store = std::make_unique<HistoryStore>(m_dir.filePath(QStringLiteral("History.sqlite")));
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        for (int i = 0; i < kVisits; ++i) {
            const int site = (i * 7919) % kSites;
            const QString word = QString::fromUtf8(kWords[site % 10]);
            m_store->add(Visit{0, QStringLiteral("https://site%1.example.com/%2/page%3.html").arg(site).arg(word).arg(i % 50),
                               QStringLiteral("%1 %2 - 사이트 %3의 문서").arg(word).arg(i % 50).arg(site),
                               now - qint64(kVisits - i) * 60 * 1000, i % 13 == 0});
        }
        // A rare word, in ten visits only.
        for (int i = 0; i < 10; ++i)
            m_store->add(Visit{0, QStringLiteral("https://rare.example.org/%1").arg(i), QStringLiteral("희귀한 낱말 %1").arg(i),
                               now - qint64(i) * 3600 * 1000, false});
        m_store->flush();
    }
    HistoryStore &store() { return *m_store; }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<HistoryStore> m_store;
};

void searchFor(benchmark::State &state, const char *text)
{
    FilledHistory history;
    const QString query = QString::fromUtf8(text);
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<Visit> visits = history.store().search(query);
        found = visits.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = double(found);
}

// The history window's list: the newest visits that hold the word.
void BM_HistorySearchHangulCommon(benchmark::State &state) { searchFor(state, "뉴스"); }
void BM_HistorySearchLatinCommon(benchmark::State &state) { searchFor(state, "weather"); }
// Few matches: every row is looked at.
void BM_HistorySearchHangulRare(benchmark::State &state) { searchFor(state, "희귀한"); }
void BM_HistorySearchNoMatch(benchmark::State &state) { searchFor(state, "없는말"); }
void BM_HistoryListAll(benchmark::State &state) { searchFor(state, ""); }

// One key in the address box: the visited places that match, ranked.
void BM_AddressSuggestions(benchmark::State &state)
{
    FilledHistory history;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    qsizetype offered = 0;
    for (auto _ : state) {
        QList<suggestions::Candidate> candidates;
        for (const VisitedPlace &p : history.store().places(QStringLiteral("site12")))
            candidates.append({p.url, p.title, p.typed, p.visits, p.lastVisitMs, false});
        offered = suggestions::rank(candidates, {}, QStringLiteral("site12"), now).size();
        benchmark::DoNotOptimize(offered);
    }
    state.counters["offered"] = double(offered);
}

// What a committed navigation costs the page-event path.
void BM_QueueOneVisit(benchmark::State &state)
{
    QTemporaryDir dir;
    HistoryStore store(dir.filePath(QStringLiteral("History.sqlite")));
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    int n = 0;
    for (auto _ : state) {
        store.add(Visit{0, QStringLiteral("https://a.example/%1").arg(++n), QStringLiteral("제목"), now, false});
        if (store.pending() >= 1000) {
            state.PauseTiming();
            store.flush();
            state.ResumeTiming();
        }
    }
}

} // namespace

BENCHMARK(BM_HistorySearchHangulCommon)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistorySearchLatinCommon)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistorySearchHangulRare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistorySearchNoMatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryListAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddressSuggestions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueueOneVisit)->Unit(benchmark::kMicrosecond);
