#include "PanelCommands.h"

#include "FavoritePanel.h"
#include "NotepadPanel.h"
#include "SearchPanel.h"
#include "browser/core/VorlenApp.h"
#include "browser/frame/PictureControl.h"
#include "platform/WebBrowser.h"

void installPanelCommands(VorlenApp &app, const SidePanels &panels)
{
    Commands &commands = app.commands();
    FavoritePanel &favorites = panels.favorites;
    SearchPanel &search = panels.search;
    NotepadPanel &notepad = panels.notepad;
    PictureControl &scriptErrors = panels.scriptErrorsButton;

    commands.define(Command::FavoritesPanel, [&favorites] { favorites.FavoriteButton_Click(); });
    commands.define(Command::SearchPanel, [&search] { search.SearchButton_Click(); });
    commands.define(Command::Notepad, [&notepad] { notepad.NotepadButton_Click(); });
    commands.define(Command::FavoriteOpen, [&favorites] { favorites.openSelected(); });
    commands.define(Command::FavoriteDelete, [&favorites] { favorites.deleteSelected(); });
    commands.define(Command::FavoriteEdit, [&favorites] { favorites.editSelected(); });

    commands.define(Command::DesignMode, [&app] {
        if (platform::WebBrowser *page = app.shell().currentPage())
            page->ToggleDesignMode();
    });
    commands.define(Command::ScriptErrors, [&app, &scriptErrors] {
        platform::WebBrowser *page = app.shell().currentPage();
        if (!page)
            return;
        const bool silent = !page->Silent();
        page->setSilent(silent);
        scriptErrors.setToolTip(silent ? QStringLiteral("문서 오류 무시 - On") : QStringLiteral("문서 오류 무시 - Off"));
    });

    // The favorites and the search share the side area: one opening folds the other.
    QObject::connect(&favorites, &SidePanel::opened, &search, [&search] { search.fold(); });
    QObject::connect(&search, &SidePanel::opened, &favorites, [&favorites] { favorites.fold(); });
    QObject::connect(&notepad, &NotepadPanel::notice, &notepad, [&app](const QString &title, const QString &content) {
        app.shell().notice(title, content, true, 5000);
    });
}
