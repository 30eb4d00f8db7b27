#include "modBase.h"

#include "VorlenApp.h"
#include "modLocalPages.h"
#include "modSystemCheck.h"
#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "browser/frame/modRoundEdge.h"
#include "browser/themes/BuiltinImages.h"
#include "browser/window/AddressInput.h"
#include "browser/window/Design.h"
#include "browser/window/Layout.h"
#include "browser/window/TabStrip.h"
#include "browser/window/frmMain.h"
#include "browser/tools/Progressbar.h"
#include "platform/Settings.h"

#include <QLabel>

namespace modBase {

namespace {

// Puts sibling widgets into the given order, bottom first, touching the
// stacking order only when it is wrong: every change repaints what moved.
void stackInOrder(std::initializer_list<QWidget *> order)
{
    qsizetype last = -1;
    bool inOrder = true;
    for (QWidget *w : order) {
        if (!w)
            continue;
        const qsizetype at = w->parentWidget() ? w->parentWidget()->children().indexOf(w) : -1;
        if (at <= last) {
            inOrder = false;
            break;
        }
        last = at;
    }
    if (inOrder)
        return;
    bool first = true;
    for (QWidget *w : order) {
        if (!w)
            continue;
        if (first)
            w->lower();
        else
            w->raise();
        first = false;
    }
}

} // namespace

qint16 TabKeyToIndex(const QString &key)
{
    if (key.isEmpty())
        return 0;
    bool ok = false;
    const int value = key.mid(2).toInt(&ok);
    if (!ok || value < 0 || value > 32767)
        return 0;
    return static_cast<qint16>(value);
}

QString IndexToTabKey(qint16 index)
{
    return index == 0 ? QString() : QStringLiteral("ID%1").arg(index);
}

void TrimWorkingSet(VorlenApp &app)
{
    if (platform::setting::int16(app.environment(), settings::Key::PurgelValue) == 1)
        app.platform().system.trimWorkingSet();
}

void SetAlwaysOnTop(QWidget *window, bool onTop)
{
    if (!window)
        return;
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing the flags hides the window; bring it back without taking focus.
    if (visible) {
        window->setAttribute(Qt::WA_ShowWithoutActivating, true);
        window->show();
        window->setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
}

void InitStartPage(VorlenApp &app)
{
    frmMain &form = app.mainForm();
    form.CurrentTab = form.currentTabIndex();
    const qint16 reset = platform::setting::int16(app.environment(), settings::Key::ResetEngineValue);
    const QString start = app.platform().registry.read(QString::fromLatin1(platform::kStartPageKey),
                                                       QString::fromLatin1(platform::kStartPageValue));
    platform::WebBrowser *page = form.browser(form.CurrentTab);
    if (modSystemCheck::IsInternetConnected(app)) {
        if (reset != 0) {
            modLocalPages::MakeLoadingPage(app.platform());
            if (page)
                page->Navigate(modLocalPages::pagePath(app.platform(), modLocalPages::Page::Loading));
        } else if (page) {
            page->Navigate(start);
        }
        form.setAddressText(QStringLiteral("웹 브라우저를 초기화 하고 있습니다..."));
        form.setStatus(1, QStringLiteral("Vorlen™ 엔진 초기화 중 : 잠시만 기다려 주십시오."));
    } else {
        modLocalPages::MakeErrorPage(app.platform());
        if (page)
            page->Navigate(modLocalPages::pagePath(app.platform(), modLocalPages::Page::Error));
        form.setAddressText(QStringLiteral("LAN 선이나 모뎀이 인터넷에 연결되어 있는지 확인 하십시오."));
        form.setStatus(2, QStringLiteral("시스템이 인터넷에 연결 되어있지 않습니다."));
    }
}

void ArrangeFrame(VorlenApp &app)
{
    if (!app.hasMainForm())
        return;
    frmMain &f = app.mainForm();
    const layout::FrameRects r = layout::arrangeFrame(f.Width(), f.Height());
    f.ProgramDesignTopLeftEdge->setGeometry(design::px(r.topLeftEdge));
    f.ProgramDesignTopLine->setGeometry(design::px(r.topLine));
    f.ProgramDesignTopSize->setGeometry(design::px(r.topSize));
    f.ProgramDesignTopRightEdge->setGeometry(design::px(r.topRightEdge));
    f.ProgramDesignRightLine->setGeometry(design::px(r.rightLine));
    f.ProgramDesignBottomRightEdge->setGeometry(design::px(r.bottomRightEdge));
    f.ProgramDesignBottomLine->setGeometry(design::px(r.bottomLine));
    f.ProgramDesignBottomLeftEdge->setGeometry(design::px(r.bottomLeftEdge));
    f.ProgramDesignLeftLine->setGeometry(design::px(r.leftLine));
    f.SystemMinButton->setGeometry(design::px(r.minButton));
    f.SystemMaxButton->setGeometry(design::px(r.maxButton));
    f.SystemExitButton->setGeometry(design::px(r.exitButton));
}

void ArrangeMainWindow(VorlenApp &app)
{
    if (!app.hasMainForm())
        return;
    frmMain &f = app.mainForm();
    // Enforcing the minimum size resizes the window, which asks for the pass
    // again through the resize event: that pass runs once this one is done.
    if (f.m_inLayout) {
        f.m_layoutAgain = true;
        return;
    }
    f.m_inLayout = true;
    f.m_layoutAgain = false;

    const qint16 selected = f.currentTabIndex();
    const bool alwaysShow =
        platform::setting::int16(app.environment(), settings::Key::AlwaysShowWebBrowserPlusToolValue) == 1;
    const bool maximized = f.WindowState() == 2;
    modRoundEdge::ApplyRoundEdge(&f, !maximized, maximized ? 0 : 5, maximized ? 0 : 5);
    modSystemCheck::UpdateSystemStateIcon(app);
    ArrangeFrame(app);
    TrimWorkingSet(app);

    const int tw = design::kTwipsPerPixel;
    layout::Input in;
    in.W = f.Width();
    in.H = f.Height();
    in.maximized = maximized;
    in.alwaysShowToolBox = alwaysShow;
    in.toolBoxVisible = f.WebBrowserToolBox->isVisibleTo(f.ProgramToolbar);
    in.toolBoxWidth = f.WebBrowserToolBox->width() * tw;
    in.sidebarWidth = f.ProgramSidebar->width() * tw;
    in.favoriteBoxVisible = f.FavoriteBox->isVisibleTo(f.ProgramSidebar);
    in.searchBoxVisible = f.SearchBox->isVisibleTo(f.ProgramSidebar);
    in.notepadEnabled = f.ntpdNotepadBox->isEnabled();
    in.notepadVisible = f.ntpdNotepadBox->isVisibleTo(&f);
    in.notepadTop = f.ntpdNotepadBox->y() * tw;
    in.notepadWidth = f.ntpdNotepadBox->width() * tw;
    in.notepadHeight = f.ntpdNotepadBox->height() * tw;
    in.maxButtonShowsBuiltinMaximize =
        app.images().isBuiltin(f.SystemMaxButton->picture(), ImageList::SystemButtonImageList, 3);
    const layout::Output out = layout::arrange(in);

    // The panels lie over the pages; the selected page over the tab strip.
    platform::WebBrowser *selectedPage = f.browser(selected);
    stackInOrder({f.WebTabStrip, selectedPage ? selectedPage->widget() : nullptr, f.ProgramToolbar,
                  f.ProgramStatusBar, f.ProgramSidebar, f.ntpdNotepadBox});

    if (out.W != in.W || out.H != in.H) {
        if (!maximized)
            f.setSizeTwips(out.W, out.H);
    }
    if (out.status)
        f.setStatus(out.status->picture, out.status->text);
    if (out.closeNotepad) {
        f.ntpdNotepadBox->hide();
        f.ntpdNotepadBox->setEnabled(false);
    }
    if (out.showRestorePicture) {
        f.SystemMaxButton->setPicture(app.images().builtinPicture(ImageList::SystemButtonImageList, 5));
        f.SystemMaxButton->setToolTip(QStringLiteral("이전 크기로 복원"));
        f.setEdgeControlsEnabled(false);
    }

    // The frame pieces go with the window's real size; a maximized window that
    // the minimum does not apply to keeps its size.
    f.ProgramTitleBar->setGeometry(design::px(out.titleBar));
    f.ProgramToolbar->setGeometry(design::px(out.toolbar));
    f.ProgramToolbarBackgroundImage->setGeometry(design::px(out.toolbarBackground));
    if (out.toolBoxVisible)
        f.WebBrowserToolBox->show();
    f.WebBrowserToolBox->setGeometry(design::px(out.toolBox));
    f.WebAdressBar->setGeometry(design::px(out.addressBar));
    f.WebAdressInputBar->setGeometry(design::px(out.addressBar));
    f.BackButton->setGeometry(design::px(out.backButton));
    f.ForwardButton->setGeometry(design::px(out.forwardButton));

    if (out.collapseSidebar) {
        f.SearchBox->hide();
        f.FavoriteBox->hide();
    }
    f.ProgramSidebar->setGeometry(design::px(out.sidebar));
    f.ProgramSidebarBackgroundImage->setGeometry(design::px(out.sidebarBackground));
    f.FavoriteBox->setGeometry(design::px(out.favoriteBox));
    f.SearchBox->setGeometry(design::px(out.searchBox));
    if (out.hideAddFavoriteBox)
        f.AddFavoriteBox->hide();

    f.WebTabStrip->setGeometry(design::px(out.tabStrip));
    const QRect pageRect = design::px(out.browser);
    // Every tab has its page in the control array; no key needs parsing here.
    for (const auto &[index, page] : f.TabWebBrowser)
        page->widget()->setGeometry(pageRect);
    f.ntpdNotepadBox->setGeometry(design::px(out.notepad));

    f.ProgramStatusBar->setGeometry(design::px(out.statusBar));
    f.ProgramSystemStateBar->setGeometry(design::px(out.stateIcon));
    f.ProgramStatusTextLabel->setGeometry(design::px(out.statusText));
    f.ProgramStatusProgressbar->setGeometry(design::px(out.progressBar));

    modSystemCheck::UpdateSystemStateIcon(app);
    ArrangeFrame(app);
    TrimWorkingSet(app);
    f.m_inLayout = false;
    if (f.m_layoutAgain) {
        f.m_layoutAgain = false;
        ArrangeMainWindow(app);
    }
}

} // namespace modBase
