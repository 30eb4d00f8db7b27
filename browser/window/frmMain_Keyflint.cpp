// The window's side of the shortcuts and the quick commands: the shortcut
// filter, the quick favorite, the switch typed into the address bar, and the
// fading minimize.
#include "frmMain.h"
#include "frmMainParts.h"

#include "AddressInput.h"
#include "browser/core/VorlenApp.h"
#include "browser/frame/modVitrel.h"
#include "browser/input/QuickFavorite.h"
#include "browser/input/modDashmere.h"
#include "browser/input/modKeyflint.h"
#include "browser/panels/FavoriteStore.h"
#include "platform/Folders.h"
#include "platform/Settings.h"

#include <QApplication>

void frmMain::defineInputCommands()
{
    Commands &commands = m_app.commands();
    m_parts->keyflint = std::make_unique<Keyflint>(
        [this](Command c) { m_app.commands().run(c); },
        // Only while this window is the one in front; another program's keys
        // never arrive here at all.
        [this] { return QApplication::activeWindow() == this && isEnabled(); });

    commands.define(Command::QuickFavorite, [this] {
        platform::WebBrowser *page = m_tabs.currentPage();
        if (!page)
            return;
        const FavoriteStore store(platform::folders::favoriteFolder(m_app.environment()));
        // The document's own title: a page without one leaves it empty (its
        // location name would be the address) and the host name is taken.
        quickFavorite::AddQuickFavorite(store, page->DocumentTitle(), page->LocationURL());
        FavoriteActivatee();
    });
    // The feature switch (KeyflintValue) is the command table's: switched off,
    // the command only shows the notice.
    commands.define(Command::Hotkeys, [this] {
        if (m_parts->keyflint->hooked())
            m_parts->keyflint->unhook();
        else
            m_parts->keyflint->hook();
    });
    commands.define(Command::Minimize, [this] {
        modVitrel::VitrelMinimize(m_app.environment(), this, m_app.opacityShows(this));
    });
}

void frmMain::StartKeyflint()
{
    if (platform::setting::int16(m_app.environment(), settings::Key::KeyflintValue) == 1)
        m_parts->keyflint->hook();
}

void frmMain::UnhookKeyflint()
{
    if (m_parts->keyflint)
        m_parts->keyflint->unhook();
}

bool frmMain::keyflintHooked() const
{
    return m_parts->keyflint && m_parts->keyflint->hooked();
}

bool frmMain::Parts::runQuickCommand(frmMain &f)
{
    const std::optional<Command> command = modDashmere::RunAddressCommand(f.WebAdressInputBar->text());
    if (!command)
        return false;
    platform::WebBrowser *page = f.m_tabs.currentPage();
    f.WebAdressInputBar->setText(page ? page->LocationURL() : QString());
    f.WebAdressInputBar->setFocus();
    f.WebAdressInputBar->selectAll();
    f.m_app.commands().run(*command);
    return true;
}
