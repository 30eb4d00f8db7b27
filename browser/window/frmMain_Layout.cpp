// The layout pass of the main window: every rectangle is computed by
// layout::arrange from the window size and the panel state, then applied here.
#include "frmMain.h"
#include "frmMainParts.h"

#include "AddressInput.h"
#include "Design.h"
#include "Layout.h"
#include "SideBar.h"
#include "StatusBar.h"
#include "TabStrip.h"
#include "browser/core/VorlenApp.h"
#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "browser/frame/StackOrder.h"
#include "browser/frame/modRoundEdge.h"
#include "browser/panels/FavoritePanel.h"
#include "browser/panels/NotepadPanel.h"
#include "browser/panels/SearchPanel.h"
#include "browser/startup/modSystemCheck.h"
#include "browser/themes/BuiltinImages.h"
#include "browser/themes/modAmbrel.h"
#include "browser/tools/Progressbar.h"
#include "platform/Settings.h"

#include <QLabel>

void frmMain::UpdateSystemStateIcon()
{
    const modSystemCheck::SystemStatePicture picked = modSystemCheck::currentSystemState(m_app.platform());
    if (picked.picture != 0)
        ProgramStatusBar->setSystemStatePicture(picked.picture, QString::fromUtf8(picked.tooltip));
}

void frmMain::ArrangeFrame()
{
    const layout::FrameRects r = layout::arrangeFrame(Width(), Height());
    ProgramDesignTopLeftEdge->setGeometry(design::px(r.topLeftEdge));
    ProgramDesignTopLine->setGeometry(design::px(r.topLine));
    ProgramDesignTopSize->setGeometry(design::px(r.topSize));
    ProgramDesignTopRightEdge->setGeometry(design::px(r.topRightEdge));
    ProgramDesignRightLine->setGeometry(design::px(r.rightLine));
    ProgramDesignBottomRightEdge->setGeometry(design::px(r.bottomRightEdge));
    ProgramDesignBottomLine->setGeometry(design::px(r.bottomLine));
    ProgramDesignBottomLeftEdge->setGeometry(design::px(r.bottomLeftEdge));
    ProgramDesignLeftLine->setGeometry(design::px(r.leftLine));
    SystemMinButton->setGeometry(design::px(r.minButton));
    SystemMaxButton->setGeometry(design::px(r.maxButton));
    SystemExitButton->setGeometry(design::px(r.exitButton));
}

void frmMain::ArrangeMainWindow()
{
    const bool alwaysShow =
        platform::setting::int16(m_app.environment(), settings::Key::AlwaysShowWebBrowserPlusToolValue) == 1;
    const bool maximized = WindowState() == 2;
    modRoundEdge::ApplyRoundEdge(this, !maximized, maximized ? 0 : 5, maximized ? 0 : 5);
    UpdateSystemStateIcon();
    ArrangeFrame();

    const int tw = design::kTwipsPerPixel;
    layout::Input in;
    in.W = Width();
    in.H = Height();
    in.maximized = maximized;
    in.alwaysShowToolBox = alwaysShow;
    in.toolBoxVisible = WebBrowserToolBox->isVisibleTo(ProgramToolbar);
    in.toolBoxWidth = WebBrowserToolBox->width() * tw;
    const PanelState panelsNow = panels();
    in.sidebarWidth = panelsNow.sidebarWidth;
    in.favoriteBoxVisible = panelsNow.favoriteOpen;
    in.searchBoxVisible = panelsNow.searchOpen;
    in.notepadEnabled = panelsNow.notepadEnabled;
    in.notepadVisible = panelsNow.notepadOpen;
    in.notepadTop = panelsNow.notepadTop;
    in.notepadWidth = panelsNow.notepadWidth;
    in.notepadHeight = panelsNow.notepadHeight;
    in.maxButtonShowsBuiltinMaximize =
        m_images.isBuiltin(SystemMaxButton->picture(), ImageList::SystemButtonImageList, 3);
    const layout::Output out = layout::arrange(in);

    // The panels lie over the pages; the selected page over the tab strip.
    platform::WebBrowser *selectedPage = m_tabs.currentPage();
    stackInOrder({WebTabStrip, selectedPage ? selectedPage->widget() : nullptr, ProgramToolbar, ProgramStatusBar,
                  ProgramSidebar, ntpdNotepadBox});

    if ((out.W != in.W || out.H != in.H) && !maximized)
        setSizeTwips(out.W, out.H);
    if (out.status)
        setStatus(out.status->picture, out.status->text);
    if (out.closeNotepad)
        ntpdNotepadBox->closeBox();
    if (out.showRestorePicture) {
        SystemMaxButton->setPicture(m_images.builtinPicture(ImageList::SystemButtonImageList, 5));
        SystemMaxButton->setToolTip(QStringLiteral("이전 크기로 복원"));
        Parts::setEdgeControlsEnabled(*this, false);
    } else if (!maximized && !ProgramDesignTopSize->isEnabled()) {
        // Restored by the window manager (a key of its own, say): the normal
        // picture, tooltip and resizable edges come back.
        showFrameState(false);
    }

    ProgramTitleBar->setGeometry(design::px(out.titleBar));
    ProgramToolbar->setGeometry(design::px(out.toolbar));
    ProgramToolbarBackgroundImage->setGeometry(design::px(out.toolbarBackground));
    if (out.toolBoxVisible)
        WebBrowserToolBox->show();
    WebBrowserToolBox->setGeometry(design::px(out.toolBox));
    WebAdressBar->setGeometry(design::px(out.addressBar));
    WebAdressInputBar->setGeometry(design::px(out.addressBar));
    BackButton->setGeometry(design::px(out.backButton));
    ForwardButton->setGeometry(design::px(out.forwardButton));

    if (out.collapseSidebar) {
        SearchBox->fold();
        FavoriteBox->fold();
    }
    if (out.hideAddFavoriteBox)
        FavoriteBox->hideAddBox();
    ProgramSidebar->setGeometry(design::px(out.sidebar));
    ProgramSidebarBackgroundImage->setGeometry(design::px(out.sidebarBackground));
    FavoriteBox->setGeometry(design::px(out.favoriteBox));
    FavoriteBox->setVisible(FavoriteBox->isOpen());
    FavoriteBox->AddFavoriteBox->setVisible(FavoriteBox->addBoxOpen());
    SearchBox->setGeometry(design::px(out.searchBox));
    SearchBox->setVisible(SearchBox->isOpen());

    WebTabStrip->setGeometry(design::px(out.tabStrip));
    const QRect pageRect = design::px(out.browser);
    for (qint16 index : m_tabs.indices()) {
        if (platform::WebBrowser *page = m_tabs.page(index))
            page->widget()->setGeometry(pageRect);
    }
    ntpdNotepadBox->setGeometry(design::px(out.notepad));
    ntpdNotepadBox->setEnabled(ntpdNotepadBox->boxEnabled());
    ntpdNotepadBox->setVisible(ntpdNotepadBox->isOpen());
    m_parts->notepadTop = out.notepad.top();
    m_parts->notepadWidth = out.notepad.width();

    ProgramStatusBar->setGeometry(design::px(out.statusBar));
    ProgramStatusBar->arrange(design::px(out.stateIcon), design::px(out.statusText), design::px(out.progressBar));
}
