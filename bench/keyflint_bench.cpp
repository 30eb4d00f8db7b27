// A shortcut pressed while the page has the keyboard focus: from the key press
// reaching the program to its command starting, and the whole handling.
#include "BenchBrowser.h"
#include "browser/window/frmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <algorithm>

namespace {

using settings::Key;

const BenchBrowser::Setting kSettings[] = {
    {Key::PurgelValue, "1"},         {Key::KeyflintValue, "1"},      {Key::LastWindowMode, "0"},
    {Key::LastWindowTop, "1200"},    {Key::LastWindowLeft, "1800"},  {Key::LastWindowHeight, "9000"},
    {Key::LastWindowWidth, "14400"},
};

// A returning user's browser on fakes with the shortcuts on, in front.
class Browser : public BenchBrowser
{
public:
    Browser()
        : BenchBrowser(kSettings)
    {
        frmMain &form = m_app->mainForm();
        form.show();
        form.activateWindow();
        QApplication::setActiveWindow(&form);
        QApplication::processEvents();
    }

    QWidget *pageWidget() { return m_app->mainForm().browser(0)->widget(); }
};

void press(QWidget *target, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &event);
}

// Ctrl+N sent to the page's widget until the command's action starts: the
// application's event delivery, the shortcut filter, the table and the
// command table's checks.
void BM_ShortcutToCommandStart(benchmark::State &state)
{
    Browser browser;
    QElapsedTimer clock;
    qint64 started = 0;
    browser.app().commands().replace(Command::Forward, [&] { started = clock.nsecsElapsed(); });
    QWidget *target = browser.pageWidget();
    for (auto _ : state) {
        started = -1;
        clock.start();
        press(target, Qt::Key_N, Qt::ControlModifier);
        if (started < 0) {
            state.SkipWithError("the shortcut did not run its command");
            break;
        }
        state.SetIterationTime(double(started) / 1e9);
    }
}
BENCHMARK(BM_ShortcutToCommandStart)->UseManualTime()->Apply(repeatedWithMax);

// The whole handling of Ctrl+N: the command (the page goes forward) and its
// after-step (working-set trim and layout pass).
void BM_ShortcutWholeHandling(benchmark::State &state)
{
    Browser browser;
    QWidget *target = browser.pageWidget();
    for (auto _ : state)
        press(target, Qt::Key_N, Qt::ControlModifier);
}
BENCHMARK(BM_ShortcutWholeHandling)->UseRealTime()->Apply(repeatedWithMax);

// An ordinary key typed into the page passes the shortcut filter.
void BM_OrdinaryKeyThroughTheFilter(benchmark::State &state)
{
    Browser browser;
    QWidget *target = browser.pageWidget();
    for (auto _ : state)
        press(target, Qt::Key_X, Qt::NoModifier);
}
BENCHMARK(BM_OrdinaryKeyThroughTheFilter)->UseRealTime()->Apply(repeatedWithMax);

} // namespace
