#include "ThemeCommands.h"

#include "browser/core/VorlenApp.h"
#include "frmAmbrel.h"

#include <memory>

void installThemeCommands(VorlenApp &app, const ThemeHooks &hooks)
{
    auto slot = std::make_shared<WindowSlot<frmAmbrel>>();
    QWidget *main = &hooks.window;
    app.commands().define(Command::ThemeManager, [&app, slot, main, apply = hooks.applyPack] {
        const bool fresh = !slot->isOpen();
        // A window of its own: a child would be disabled with the main window.
        frmAmbrel &manager = slot->open(nullptr, [&](QWidget *) { return new frmAmbrel(app); });
        if (fresh) {
            QObject::connect(&manager, &frmAmbrel::applyRequested, main, [&app, apply] {
                AfterStep step(app.afterStep());
                apply();
            });
            // It goes with the main window.
            QObject::connect(main, &QObject::destroyed, &manager, [&manager] { delete &manager; });
            manager.Form_Load();
            manager.move(main->geometry().center() - manager.rect().center());
        }
        manager.show();
        manager.raise();
        manager.activateWindow();
        if (fresh)
            app.locks().lockWhileShown(&manager);
    });
}
