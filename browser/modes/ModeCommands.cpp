#include "ModeCommands.h"

#include "DisplayWindows.h"
#include "browser/core/VorlenApp.h"
#include "platform/WebBrowser.h"

void installModeCommands(VorlenApp &app, DisplayWindows &windows, QWidget &mainWindow)
{
    Commands &commands = app.commands();
    QWidget *main = &mainWindow;

    // Switched off (VitrelUseValue 0) the command only shows the notice.
    commands.define(Command::Transparency, [&app, &windows, main] {
        const bool fresh = !windows.vitrel.isOpen();
        frmVitrel &dialog = windows.vitrel.open(nullptr, [&](QWidget *parent) { return new frmVitrel(app, main, parent); });
        if (fresh) {
            dialog.Form_Load();
            dialog.move(main->geometry().center() - dialog.rect().center());
        }
        dialog.show();
        dialog.raise();
        dialog.activateWindow();
        if (fresh)
            app.locks().lockWhileShown(&dialog);
    });

    commands.define(Command::MiniMode, [&app, &windows, main] {
        frmMiniMode &mini = windows.miniMode.open(nullptr, [&](QWidget *) { return new frmMiniMode(app, main); });
        mini.show();
        mini.raise();
    });

    // OpenPanovel; switched off (PanovelValue 0) the command only shows the notice.
    commands.define(Command::WideView, [&app, &windows] {
        const bool fresh = !windows.panovel.isOpen();
        frmShowPanovel &view = windows.panovel.open(nullptr, [&](QWidget *) { return new frmShowPanovel(app); });
        platform::WebBrowser *page = app.shell().currentPage();
        view.Form_Load(page ? page->LocationURL() : QString());
        view.showMaximized();
        if (fresh)
            app.locks().lockWhileShown(&view);
    });
}
