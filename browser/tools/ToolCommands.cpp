#include "ToolCommands.h"

#include "browser/core/VorlenApp.h"
#include "frmAbout.h"
#include "frmTaskManager.h"

#include <memory>

namespace {

// A tool window stays usable while the main window is locked.
template <class W>
W *makeTool(QWidget &main, VorlenApp &app)
{
    auto *window = new W(app, nullptr);
    attachToMainWindow(*window, main);
    return window;
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
