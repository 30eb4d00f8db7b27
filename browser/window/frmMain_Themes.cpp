// The window's side of themes: the start-up theme check, the selected pack, and
// the theme manager's menu item.
#include "frmMain.h"
#include "frmMainParts.h"

#include "browser/core/VorlenApp.h"
#include "browser/input/frmPopupMenu.h"
#include "browser/startup/SessionWindows.h"
#include "browser/startup/frmSetting.h"
#include "browser/themes/frmAmbrel.h"
#include "browser/themes/modAmbrel.h"

void frmMain::connectThemes()
{
    m_app.commands().define(Command::ThemeManager, [this] { showThemeManager(); });
}

frmAmbrel &frmMain::showThemeManager()
{
    AfterStep step(m_app.afterStep());
    const bool fresh = !m_parts->ambrelSlot.isOpen();
    // A window of its own: a child would be disabled with the main window.
    frmAmbrel &manager = m_parts->ambrelSlot.open(nullptr, [this](QWidget *) { return new frmAmbrel(m_app); });
    if (fresh) {
        connect(&manager, &frmAmbrel::applyRequested, this, [this] {
            AfterStep inner(m_app.afterStep());
            LoadThemePack(true);
            // The frame edges resize only a window that is not maximized.
            Parts::refreshMaxButton(*this);
            Parts::setEdgeControlsEnabled(*this, WindowState() != 2);
        });
        // It goes with the main window.
        connect(this, &QObject::destroyed, &manager, [&manager] { delete &manager; });
        manager.Form_Load();
        manager.move(geometry().center() - manager.rect().center());
    }
    manager.show();
    manager.raise();
    manager.activateWindow();
    if (fresh)
        m_app.locks().lockWhileShown(&manager);
    return manager;
}

frmAmbrel *frmMain::themeManager() const
{
    return m_parts->ambrelSlot.window();
}

modAmbrel::Context frmMain::Parts::ambrelContext(frmMain &f)
{
    return modAmbrel::Context{
        f.m_app.skin(),
        f.m_app.environment(),
        f.m_app.platform().dialogs,
        &f,
        [&f] { f.modTabStrip(); },
        [&f](bool enabled) { f.setAmbrelMenuEnabled(enabled); },
    };
}

void frmMain::CheckThemeAtStart()
{
    modAmbrel::Context ctx = Parts::ambrelContext(*this);
    modAmbrel::CheckThemeAtStart(ctx);
    // The pack's maximize button stands for the window's state of now.
    modAmbrel::SetMaxButtonPicture(m_app.skin(), true, WindowState() == 2);
}

int frmMain::LoadThemePack(bool fromManager)
{
    modAmbrel::Context ctx = Parts::ambrelContext(*this);
    return modAmbrel::LoadThemePack(ctx, fromManager);
}

void frmMain::setAmbrelMenuEnabled(bool enabled)
{
    m_parts->ambrelMenuEnabled = enabled;
    if (m_parts->popup)
        m_parts->popup->setAmbrelShowEnabled(enabled);
}
