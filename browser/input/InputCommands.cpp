#include "InputCommands.h"

#include "QuickFavorite.h"
#include "browser/core/VorlenApp.h"
#include "browser/panels/FavoritePanel.h"
#include "browser/panels/FavoriteStore.h"
#include "modKeyflint.h"
#include "platform/Folders.h"
#include "platform/WebBrowser.h"

void installInputCommands(VorlenApp &app, const InputTargets &targets)
{
    Commands &commands = app.commands();
    FavoritePanel &favorites = targets.favorites;
    Keyflint &keyflint = targets.keyflint;

    commands.define(Command::QuickFavorite, [&app, &favorites] {
        platform::WebBrowser *page = app.shell().currentPage();
        if (!page)
            return;
        const FavoriteStore store(platform::folders::favoriteFolder(app.environment()));
        // The document's own title: a page without one leaves it empty (its
        // location name would be the address) and the host name is taken.
        const QString title = page->DocumentTitle();
        if (!quickFavorite::AddQuickFavorite(store, title, page->LocationURL())) {
            // Said as the favorites panel says it, naming the file.
            const QString base = quickFavorite::fileBaseOf(title, page->LocationURL());
            app.platform().dialogs.messageBox(
                app.shell().mainWidget(),
                QStringLiteral("바로가기 파일을 저장하지 못했습니다.\n") + store.pathOf(base).value_or(base),
                QString::fromUtf8(FavoritePanel::kTitle), platform::MsgButtons::OK, platform::MsgIcon::Critical);
        }
        favorites.FavoriteActivatee();
    });
    commands.define(Command::Hotkeys, [&keyflint] {
        if (keyflint.hooked())
            keyflint.unhook();
        else
            keyflint.hook();
    });
}
