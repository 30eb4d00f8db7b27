#include "ModeCommands.h"

#include "DisplayWindows.h"
#include "browser/core/Shell.h"
#include "browser/core/VorlenApp.h"
#include "browser/frame/FadeOut.h"
#include "platform/WebBrowser.h"

#include <QGuiApplication>

void installModeCommands(VorlenApp &app, DisplayWindows &windows, QWidget &mainWindow)
{
    Commands &commands = app.commands();
    QWidget *main = &mainWindow;

    // Switched off (VitrelUseValue 0) the command only shows the notice; where
    // the window system offers no window opacity (Wayland) it says so instead
    // of opening a dialog that would change nothing.
    commands.define(Command::Transparency, [&app, &windows, main] {
        if (!fade::opacityOffered(QGuiApplication::platformName())) {
            app.shell().notice(QStringLiteral("기능 사용안함"),
                               QStringLiteral("이 화면 환경(Wayland)에서는 Vitrel™ 투명도를 사용할 수 없습니다."), true,
                               5000);
            return;
        }
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
