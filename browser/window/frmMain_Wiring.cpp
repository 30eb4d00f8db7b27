// Wiring: the controls' signals to their handlers, the tab set to the strip,
// and the commands this window carries out.
#include "frmMain.h"
#include "frmMainParts.h"

#include "AddressInput.h"
#include "TabStrip.h"
#include "browser/input/frmPopupMenu.h"
#include "browser/core/VorlenApp.h"
#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "browser/panels/FavoritePanel.h"
#include "browser/panels/NotepadPanel.h"
#include "browser/panels/SearchPanel.h"
#include "browser/startup/modLocalPages.h"

#include <QSignalBlocker>

void frmMain::connectControls()
{
    using P = PictureControl;
    // Edge pieces resize, the title strip moves.
    const std::pair<PictureControl *, void (frmMain::*)(Qt::MouseButton)> edges[] = {
        {ProgramDesignTopLeftEdge, &frmMain::ProgramDesignTopLeftEdge_MouseDown},
        {ProgramDesignTopSize, &frmMain::ProgramDesignTopSize_MouseDown},
        {ProgramDesignTopRightEdge, &frmMain::ProgramDesignTopRightEdge_MouseDown},
        {ProgramDesignRightLine, &frmMain::ProgramDesignRightLine_MouseDown},
        {ProgramDesignBottomRightEdge, &frmMain::ProgramDesignBottomRightEdge_MouseDown},
        {ProgramDesignBottomLine, &frmMain::ProgramDesignBottomLine_MouseDown},
        {ProgramDesignBottomLeftEdge, &frmMain::ProgramDesignBottomLeftEdge_MouseDown},
        {ProgramDesignLeftLine, &frmMain::ProgramDesignLeftLine_MouseDown},
    };
    for (const auto &[control, handler] : edges) {
        connect(control, &P::MouseDown, this, [this, h = handler](Qt::MouseButton b) { (this->*h)(b); });
        control->installEventFilter(this);
    }
    ProgramTitleBar->installEventFilter(this);

    connect(ProgramTitleBar, &LabelControl::MouseDown, this, [this](Qt::MouseButton b) { ProgramTitleBar_MouseDown(b); });
    connect(ProgramTitleBar, &LabelControl::MouseUp, this, [this](Qt::MouseButton b) { ProgramTitleBar_MouseUp(b); });
    connect(ProgramTitleBar, &LabelControl::DblClick, this, &frmMain::ProgramTitleBar_DblClick);

    auto pressRelease = [this](PictureControl *control, void (frmMain::*down)(Qt::MouseButton),
                               void (frmMain::*up)(Qt::MouseButton, int, int)) {
        connect(control, &P::MouseDown, this, [this, down](Qt::MouseButton b) { (this->*down)(b); });
        connect(control, &P::MouseUp, this,
                [this, up](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) { (this->*up)(b, x, y); });
    };
    pressRelease(SystemMinButton, &frmMain::SystemMinButton_MouseDown, &frmMain::SystemMinButton_MouseUp);
    pressRelease(SystemMaxButton, &frmMain::SystemMaxButton_MouseDown, &frmMain::SystemMaxButton_MouseUp);
    pressRelease(SystemExitButton, &frmMain::SystemExitButton_MouseDown, &frmMain::SystemExitButton_MouseUp);
    pressRelease(BackButton, &frmMain::BackButton_MouseDown, &frmMain::BackButton_MouseUp);
    pressRelease(ForwardButton, &frmMain::ForwardButton_MouseDown, &frmMain::ForwardButton_MouseUp);
    pressRelease(RefreshButton, &frmMain::RefreshButton_MouseDown, &frmMain::RefreshButton_MouseUp);
    pressRelease(StopButton, &frmMain::StopButton_MouseDown, &frmMain::StopButton_MouseUp);

    connect(WebAdressBar, &LabelControl::Click, this, &frmMain::WebAdressBar_Click);
    connect(WebAdressBar, &LabelControl::DblClick, this, &frmMain::WebAdressBar_DblClick);
    connect(WebAdressInputBar, &QLineEdit::textChanged, this, &frmMain::WebAdressInputBar_Change);
    connect(WebAdressInputBar, &AddressInput::KeyDown, this, &frmMain::WebAdressInputBar_KeyDown);
    connect(WebAdressInputBar, &AddressInput::KeyPress, this, &frmMain::WebAdressInputBar_KeyPress);
    connect(WebAdressInputBar, &AddressInput::LostFocus, this, &frmMain::WebAdressInputBar_LostFocus);

    // The strip shows the tab set; a click on it selects in the tab set.
    connect(WebTabStrip, &TabStrip::Click, this, &frmMain::WebTabStrip_Click);
    connect(WebTabStrip, &TabStrip::MouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) { WebTabStrip_MouseDown(b, x, y); });
    connect(&m_tabs, &TabSet::removed, this, [this](qint16 index, platform::WebBrowser *page) {
        const QSignalBlocker quiet(WebTabStrip);
        WebTabStrip->remove(TabSet::keyOf(index));
        if (page) {
            page->disconnect(this);
            page->widget()->hide();
            // The page may be inside one of its own events (a script closing its window).
            page->deleteLater();
        }
    });
    connect(&m_tabs, &TabSet::currentChanged, this, [this](qint16 index) {
        {
            const QSignalBlocker quiet(WebTabStrip);
            WebTabStrip->select(m_tabs.positionOf(index));
        }
        modTabStrip();
    });

    // The panels speak to the window through their signals.
    for (SidePanel *panel : std::initializer_list<SidePanel *>{FavoriteBox, SearchBox, ntpdNotepadBox}) {
        connect(panel, &SidePanel::statusMessage, this, &frmMain::setStatus);
        connect(panel, &SidePanel::openAddress, this, [this](const QString &address) {
            AfterStep step(m_app.afterStep());
            if (platform::WebBrowser *page = m_tabs.currentPage())
                page->Navigate(address);
        });
        connect(panel, &SidePanel::layoutRequested, this, [this] { m_app.afterStep().requestLayout(); });
    }
    connect(FavoriteBox, &FavoritePanel::offlineRequested, this, &frmMain::showOffline);
    connect(FavoriteBox, &FavoritePanel::captionRefreshRequested, this, [this] {
        WriteTitle(m_tabs.CurrentTab());
        WriteTabCap(m_tabs.CurrentTab());
    });
    connect(FavoriteBox, &FavoritePanel::menuRequested, this,
            [this](const QPoint &at) { m_parts->popup->popup(m_parts->popup->frmMainFavoriteMenu, at); });
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

void frmMain::showOffline()
{
    AfterStep step(m_app.afterStep());
    if (platform::WebBrowser *page = m_tabs.currentPage()) {
        if (!modLocalPages::Open(m_app.platform(), modLocalPages::Page::Error, page))
            reportPageWriteFailure();
    }
    setAddressText(QStringLiteral("LAN 선이나 모뎀이 인터넷에 연결되어 있는지 확인 하십시오."));
    setStatus(2, QStringLiteral("시스템이 인터넷에 연결 되어있지 않습니다."));
}
