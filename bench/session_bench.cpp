// The session record written on a title change, and the settings dialog's apply.
#include "BenchBrowser.h"
#include "browser/app/SessionWindows.h"
#include "browser/sessions/SessionKeeper.h"
#include "browser/sessions/SessionWriter.h"
#include "browser/startup/frmSetting.h"
#include "browser/window/frmMain.h"

#include <QApplication>
#include <QCheckBox>

#include <algorithm>

namespace {

using settings::Key;

const BenchBrowser::Setting kSettings[] = {
    {Key::PurgelValue, "1"},         {Key::RestoriaValue, "1"},      {Key::KeyflintValue, "1"},
    {Key::LastWindowMode, "0"},      {Key::LastWindowTop, "1200"},   {Key::LastWindowLeft, "1800"},
    {Key::LastWindowHeight, "9000"}, {Key::LastWindowWidth, "14400"},
};

// A returning user's browser on fakes, one tab open on a titled page.
class Browser : public BenchBrowser
{
public:
    Browser()
        : BenchBrowser(kSettings)
    {
        page()->setLocationURL(QStringLiteral("https://news.example/articles/2026/12/09/a-long-address?id=12345"));
        QApplication::processEvents();
    }

    platform::testing::FakeWebBrowser *page()
    {
        return qobject_cast<platform::testing::FakeWebBrowser *>(m_app->mainForm().browser(0));
    }
};

// A title change whose record write is due: the handler, the selected tab's
// title and address, and the one atomic replace of the record. Each iteration
// uses a fresh recorder, so that every change writes.
void BM_TitleChangeRecordWrite(benchmark::State &state)
{
    Browser browser;
    int i = 0;
    for (auto _ : state) {
        SessionRecorder recorder(browser.env());
        recorder.setSource([&browser]() -> std::optional<SessionRecorder::Document> {
            return SessionRecorder::Document{browser.page()->LocationName(), browser.page()->LocationURL()};
        });
        browser.page()->setDocumentTitle(QStringLiteral("기사 제목 %1").arg(++i));
        recorder.WriteSessionRecord();
    }
}
BENCHMARK(BM_TitleChangeRecordWrite)->UseRealTime()->Apply(repeatedWithMax);

// A page that changes its title all the time: the whole title-change handler
// while the record write waits for its second.
void BM_TitleChangeThrottled(benchmark::State &state)
{
    Browser browser;
    int i = 0;
    for (auto _ : state)
        browser.page()->simulateTitleChange(QStringLiteral("제목 %1").arg(++i));
}
BENCHMARK(BM_TitleChangeThrottled)->UseRealTime()->Apply(repeatedWithMax);

// Confirming the settings dialog: every switch and the start page in one write.
void BM_SettingsDialogApply(benchmark::State &state)
{
    Browser browser;
    bool on = false;
    for (auto _ : state) {
        state.PauseTiming();
        auto *dialog = new frmSetting(browser.app().context());
        on = !on;
        dialog->chkKeyflint->setChecked(on);
        dialog->chkGestra->setChecked(!on);
        state.ResumeTiming();
        dialog->cmdApply_Click();
        state.PauseTiming();
        delete dialog;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SettingsDialogApply)->UseRealTime()->Apply(repeatedWithMax);

// The session file with 30 tabs of 20 history entries each (long addresses,
// about 8 KiB of history bytes a tab), written once: the main thread's share
// of one write. Each iteration changes one title and lets the write be due, so
// every change writes. The worker's writes are waited for outside the timing.
class ThirtyTabs : public Browser
{
public:
    ThirtyTabs()
    {
        frmMain &main = m_app->mainForm();
        for (int tab = 0; tab < 30; ++tab) {
            auto *page = tab == 0 ? this->page()
                                  : qobject_cast<platform::testing::FakeWebBrowser *>(
                                        main.modRecvNewWindow(QStringLiteral("about:blank")));
            for (int entry = 0; entry < 20; ++entry)
                page->simulateNavigation(
                    QStringLiteral("https://news.example/section-%1/articles/2026/12/09/"
                                   "a-rather-long-address-of-an-article-with-words-in-it?id=%2&ref=front-page"
                                   "&utm_source=feed&utm_medium=link&session=0123456789abcdef")
                        .arg(tab)
                        .arg(entry),
                    QStringLiteral("기사 제목 %1-%2").arg(tab).arg(entry));
            m_pages.push_back(page);
        }
        keeper().setClock([this] { return m_now; });
        keeper().waitForWrites();
    }
    SessionKeeper &keeper() { return *m_app->sessions(); }
    void change(int i)
    {
        m_now += SessionKeeper::kMinIntervalMs;
        m_pages[size_t(i % 30)]->simulateTitleChange(QStringLiteral("새 제목 %1").arg(i));
    }

private:
    std::vector<platform::testing::FakeWebBrowser *> m_pages;
    qint64 m_now = 1'000'000'000;
};

// The keeper's write: the snapshot on the main thread, the rest on the worker.
void BM_SessionWrite30TabsMainThread(benchmark::State &state)
{
    ThirtyTabs browser;
    int i = 0;
    const int before = browser.keeper().writes();
    for (auto _ : state) {
        browser.change(++i);
        state.PauseTiming();
        browser.keeper().waitForWrites();
        state.ResumeTiming();
    }
    if (browser.keeper().writes() - before != i)
        state.SkipWithError("a change did not write");
}
BENCHMARK(BM_SessionWrite30TabsMainThread)->UseRealTime()->Apply(repeatedWithMax);

// The same write all on the main thread, as before the worker: the snapshot,
// encoding, checksum, the write beside and the rename.
void BM_SessionWrite30TabsSynchronous(benchmark::State &state)
{
    ThirtyTabs browser;
    int i = 0;
    for (auto _ : state) {
        browser.change(++i);
        state.PauseTiming();
        browser.keeper().waitForWrites();
        state.ResumeTiming();
        browser.keeper().writer().writeNow(browser.keeper().snapshot());
    }
}
BENCHMARK(BM_SessionWrite30TabsSynchronous)->UseRealTime()->Apply(repeatedWithMax);

} // namespace
