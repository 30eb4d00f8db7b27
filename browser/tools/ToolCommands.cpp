#include "ToolCommands.h"

#include "browser/core/VorlenApp.h"
#include "frmAbout.h"
#include "frmTaskManager.h"

#include <QWindow>

#include <memory>

namespace {

// A tool window is a window of its own rather than a child of the main
// window: disabling the main window disables its children, and the tool must
// stay usable while the main window is locked. It goes with the main window.
template <class W>
W *makeTool(QWidget &main, VorlenApp &app)
{
    auto *window = new W(app, nullptr);
    QObject::connect(&main, &QObject::destroyed, window, [window] { delete window; });
    window->winId();
    if (main.windowHandle())
        window->windowHandle()->setTransientParent(main.windowHandle());
    return window;
}

// Shows a tool window centred over the main window.
void showCentred(QWidget &window, const QWidget &over)
{
    if (!window.isVisible()) {
        const QRect frame = over.geometry();
        window.move(frame.center() - QPoint(window.width() / 2, window.height() / 2));
    }
    window.show();
    window.raise();
    window.activateWindow();
}

template <class W>
void defineTool(VorlenApp &app, QWidget &main, Command command)
{
    auto slot = std::make_shared<WindowSlot<W>>();
    app.commands().define(command, [&app, &main, slot] {
        showCentred(slot->open(&main, [&](QWidget *) { return makeTool<W>(main, app); }), main);
    });
}

} // namespace

void installToolCommands(VorlenApp &app, QWidget &mainWindow)
{
    defineTool<frmTaskManager>(app, mainWindow, Command::TaskManager);
    defineTool<frmAbout>(app, mainWindow, Command::About);
}
