// The display modes the window opens: the transparency dialog, mini mode and
// the wide view. None of them is a child of the main window, which the window
// locks disable while they are open.
#include "frmMain.h"
#include "frmMainParts.h"

#include "DisplayWindows.h"
#include "browser/core/VorlenApp.h"

void frmMain::defineDisplayCommands()
{
    m_parts->display = std::make_unique<DisplayWindows>();
    Commands &commands = m_app.commands();

    // Switched off (VitrelUseValue 0) the command only shows the notice.
    commands.define(Command::Transparency, [this] {
        const bool fresh = !m_parts->display->vitrel.isOpen();
        frmVitrel &dialog =
            m_parts->display->vitrel.open(nullptr, [this](QWidget *parent) { return new frmVitrel(m_app, this, parent); });
        if (fresh) {
            dialog.Form_Load();
            dialog.move(geometry().center() - dialog.rect().center());
        }
        dialog.show();
        dialog.raise();
        dialog.activateWindow();
        if (fresh)
            m_app.locks().lockWhileShown(&dialog);
    });

    commands.define(Command::MiniMode, [this] {
        frmMiniMode &mini =
            m_parts->display->miniMode.open(nullptr, [this](QWidget *) { return new frmMiniMode(m_app, this); });
        mini.show();
        mini.raise();
    });

    // OpenPanovel; switched off (PanovelValue 0) the command only shows the notice.
    commands.define(Command::WideView, [this] {
        const bool fresh = !m_parts->display->panovel.isOpen();
        frmShowPanovel &view =
            m_parts->display->panovel.open(nullptr, [this](QWidget *) { return new frmShowPanovel(m_app); });
        platform::WebBrowser *page = m_tabs.currentPage();
        view.Form_Load(page ? page->LocationURL() : QString());
        view.showMaximized();
        if (fresh)
            m_app.locks().lockWhileShown(&view);
    });
}
