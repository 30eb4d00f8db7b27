// Tools: the task manager and the about box, each one window at a time.
#include "frmMain.h"
#include "frmMainParts.h"

#include "browser/core/VorlenApp.h"
#include "browser/tools/frmAbout.h"
#include "browser/tools/frmTaskManager.h"

#include <QWindow>

namespace {

// A tool window is a window of its own rather than a child of the main
// window: disabling the main window disables its children, and the tool must
// stay usable while the main window is locked. It goes with the main window.
template <class W>
W *makeTool(frmMain *main, VorlenApp &app)
{
    auto *window = new W(app, nullptr);
    QObject::connect(main, &QObject::destroyed, window, [window] { delete window; });
    window->winId();
    if (main->windowHandle())
        window->windowHandle()->setTransientParent(main->windowHandle());
    return window;
}

// Shows a tool window centred over the main window.
template <class W>
void showCentred(W &window, const QWidget &over)
{
    if (!window.isVisible()) {
        const QRect frame = over.geometry();
        window.move(frame.center() - QPoint(window.width() / 2, window.height() / 2));
    }
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

void frmMain::defineToolCommands()
{
    Commands &commands = m_app.commands();
    commands.define(Command::TaskManager, [this] {
        showCentred(m_parts->taskManager.open(this, [this](QWidget *) { return makeTool<frmTaskManager>(this, m_app); }),
                    *this);
    });
    commands.define(Command::About, [this] {
        showCentred(m_parts->about.open(this, [this](QWidget *) { return makeTool<frmAbout>(this, m_app); }), *this);
    });
}
