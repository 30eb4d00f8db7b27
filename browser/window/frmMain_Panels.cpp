// The side area's panels and page tools: the commands of the side-bar buttons,
// and what the panels ask of the window (the offline state, captions, notices,
// the favorite menu).
#include "frmMain.h"
#include "frmMainParts.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/PictureControl.h"
#include "browser/panels/FavoritePanel.h"
#include "browser/panels/NotepadPanel.h"
#include "browser/panels/SearchPanel.h"
#include "browser/startup/SessionWindows.h"
#include "browser/startup/modLocalPages.h"

#include <QLabel>
#include <QMenu>

void frmMain::definePanelCommands()
{
    Commands &commands = m_app.commands();
    commands.define(Command::FavoritesPanel, [this] { FavoriteBox->FavoriteButton_Click(); });
    commands.define(Command::SearchPanel, [this] { SearchBox->SearchButton_Click(); });
    commands.define(Command::Notepad, [this] { ntpdNotepadBox->NotepadButton_Click(); });
    commands.define(Command::DesignMode, [this] { DesignModeButton_Click(); });
    commands.define(Command::ScriptErrors, [this] { ScriptErrorsButton_Click(); });

    connect(FavoriteBox, &FavoritePanel::offlineRequested, this, [this] { Parts::showFavoriteOffline(*this); });
    connect(FavoriteBox, &FavoritePanel::captionRefreshRequested, this, [this] {
        WriteTitle(m_tabs.CurrentTab());
        WriteTabCap(m_tabs.CurrentTab());
    });
    connect(FavoriteBox, &FavoritePanel::menuRequested, this,
            [this](const QPoint &at) { Parts::showFavoriteMenu(*this, at); });
    connect(ntpdNotepadBox, &NotepadPanel::notice, this, [this](const QString &title, const QString &content) {
        m_app.windows().VorlenNotice(title, content, true, 5000);
    });
}

void frmMain::FavoriteActivatee()
{
    FavoriteBox->FavoriteActivatee();
}

void frmMain::modLoadTxtFileList()
{
    ntpdNotepadBox->modLoadTxtFileList();
    WriteTitle(m_tabs.CurrentTab());
    WriteTabCap(m_tabs.CurrentTab());
}

void frmMain::Parts::showFavoriteOffline(frmMain &f)
{
    AfterStep step(f.m_app.afterStep());
    if (platform::WebBrowser *page = f.m_tabs.currentPage()) {
        if (!modLocalPages::Open(f.m_app.platform(), modLocalPages::Page::Error, page))
            Parts::reportPageWriteFailure(f);
    }
    f.setAddressText(QStringLiteral("LAN 선이나 모뎀이 인터넷에 연결되어 있는지 확인 하십시오."));
    f.setStatus(2, QStringLiteral("시스템이 인터넷에 연결 되어있지 않습니다."));
}

void frmMain::DesignModeButton_Click()
{
    if (platform::WebBrowser *page = m_tabs.currentPage())
        page->ToggleDesignMode();
}

void frmMain::ScriptErrorsButton_Click()
{
    AfterStep step(m_app.afterStep());
    platform::WebBrowser *page = m_tabs.currentPage();
    if (!page)
        return;
    const bool silent = !page->Silent();
    page->setSilent(silent);
    ScriptErrorsButton->setToolTip(silent ? QStringLiteral("문서 오류 무시 - On")
                                          : QStringLiteral("문서 오류 무시 - Off"));
}
