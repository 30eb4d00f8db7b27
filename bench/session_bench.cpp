// The session record written on a title change, and the settings dialog's apply.
#include "BenchBrowser.h"
#include "browser/app/SessionWindows.h"
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

} // namespace
