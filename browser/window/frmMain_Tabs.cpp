// The tab set: making, selecting and closing tabs, and the window title, tab
// captions and address bar that follow the selected tab.
#include "frmMain.h"
#include "frmMainParts.h"

#include "TabStrip.h"
#include "browser/core/VorlenApp.h"
#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "browser/startup/modBase.h"
#include "browser/startup/modStartPage.h"

namespace {

QString startPage(VorlenApp &app)
{
    return modStartPage::usable(app.platform());
}

} // namespace

void frmMain::modTabStrip()
{
    AfterStep step(m_app.afterStep());
    const qint16 current = m_tabs.CurrentTab();
    platform::WebBrowser *page = m_tabs.page(current);
    if (!page)
        return;
    // Only the selected tab's page is shown; the others wait behind it.
    for (qint16 index : m_tabs.indices()) {
        platform::WebBrowser *other = m_tabs.page(index);
        if (other && other != page)
            other->widget()->hide();
    }
    page->widget()->show();
    page->widget()->raise();
    Parts::showHistoryState(*this, current);
    if (page->Busy())
        return;
    // While the user types an address the focus stays in the address box.
    if (!addressEditing())
        page->widget()->setFocus();
    WebTabStrip->setToolTip(TabSet::keyOf(current), QString::fromUtf8(kTabToolTip));
    ScriptErrorsButton->setToolTip(page->Silent() ? QStringLiteral("문서 오류 무시 - On")
                                                  : QStringLiteral("문서 오류 무시 - Off"));
    WriteTitle(current);
    WriteTabCap(current);
}

platform::WebBrowser *frmMain::modRecvNewWindow(const QString &sURL, qint16 isCurrentNew)
{
    Q_UNUSED(isCurrentNew);
    return createTab(sURL, true);
}

platform::WebBrowser *frmMain::createTab(const QString &sURL, bool navigate, int position)
{
    AfterStep step(m_app.afterStep());
    // Instance numbers are never reused; when they run out no tab is made.
    const qint16 index = m_tabs.takeNextIndex();
    if (index < 0)
        return nullptr;
    platform::WebBrowser *page = createBrowser(index);
    if (!page)
        return nullptr;
    page->widget()->setGeometry(browser(0) ? browser(0)->widget()->geometry() : QRect());
    m_tabs.insert(position >= 0 ? position : m_tabs.currentPosition() + 1, index, page);
    page->setResizable(false);
    page->setSilent(true);
    if (position >= 0) { // a background tab: neither shown nor selected
        page->widget()->hide();
        return page;
    }
    bool pageWritten = true;
    if (navigate) {
        const QString url = sURL.trimmed();
        if (url.isEmpty())
            pageWritten = modBase::OpenStartPage(m_app.platform(), page);
        else
            page->Navigate2(url);
    }
    m_tabs.selectIndex(index);
    page->widget()->show();
    page->widget()->setFocus();
    page->widget()->raise();
    ScriptErrorsButton->setToolTip(QStringLiteral("문서 오류 무시 - On"));
    if (!pageWritten)
        reportPageWriteFailure();
    return page;
}

void frmMain::modRecvCloseWindow(qint16 Index)
{
    AfterStep step(m_app.afterStep());
    // The start-tab rule applies to the tab being closed.
    if (Index == 0) {
        if (m_tabs.count() > 1)
            return;
        const auto answer = m_app.platform().dialogs.messageBox(
            this,
            QStringLiteral("시작 탭을 닫으면 이 응용 프로그램이 종료됩니다.\nVorlen™ 을 종료 하시겠습니까?"),
            QStringLiteral("프로그램 종료"), platform::MsgButtons::YesNo, platform::MsgIcon::Exclamation);
        if (answer == platform::MsgResult::Yes) {
            int Cancel = 0;
            Form_Unload(Cancel);
        }
        return;
    }
    if (!m_tabs.contains(Index))
        return;
    // Closing the selected tab selects its right-hand neighbour (the left-hand
    // one for the rightmost tab); a background tab leaves the selection alone.
    const qint16 before = m_tabs.CurrentTab();
    m_tabs.remove(Index);
    if (m_tabs.CurrentTab() == before)
        modTabStrip();
}

void frmMain::WriteTitle(qint16 Index)
{
    AfterStep step(m_app.afterStep());
    const qint16 current = Index != 0 ? Index : m_tabs.CurrentTab();
    platform::WebBrowser *page = m_tabs.page(current);
    if (!page || current != m_tabs.CurrentTab())
        return;
    const QString start = startPage(m_app);
    const QString suffix = current == 0 ? QStringLiteral("(기본탭) Vorlen™")
                                        : QStringLiteral("(%1번탭)  Vorlen™").arg(current);
    QString title;
    if (page->LocationURL() == start && !start.isEmpty()) {
        title = current == 0 ? QStringLiteral("시작 문서 - Vorlen™")
                             : QStringLiteral("시작 문서 - (%1번탭)  Vorlen™").arg(current);
    } else {
        QString pageTitle = page->DocumentTitle();
        if (pageTitle.isEmpty() && !page->Busy())
            pageTitle = page->LocationName();
        title = pageTitle + QStringLiteral(" - ") + suffix;
    }
    setWindowTitle(title);
    ProgramTitleBar->setText(title);
    // A page that has no address yet leaves the prompt in the address bar.
    if (!page->LocationURL().isEmpty())
        setAddressText(page->LocationURL());
}

void frmMain::WriteTabCap(qint16 Index)
{
    AfterStep step(m_app.afterStep());
    if (Index == 0)
        return;
    platform::WebBrowser *page = m_tabs.page(Index);
    if (!page)
        return;
    const QString key = TabSet::keyOf(Index);
    QString caption = page->DocumentTitle();
    if (caption.isEmpty())
        caption = page->LocationName();
    // A page with neither title nor address keeps the caption it has.
    if (!caption.isEmpty())
        WebTabStrip->setCaption(key, caption);
    WebTabStrip->setToolTip(key, QString::fromUtf8(kTabToolTip));
    // The address bar belongs to the selected tab; a background tab's events
    // only touch its own caption.
    if (Index == m_tabs.CurrentTab() && !page->LocationURL().isEmpty())
        setAddressText(page->LocationURL());
}

void frmMain::WebTabStrip_Click()
{
    AfterStep step(m_app.afterStep());
    const qint16 before = m_tabs.CurrentTab();
    m_tabs.select(WebTabStrip->selectedPosition());
    if (m_tabs.CurrentTab() == before)
        modTabStrip();
}

void frmMain::WebTabStrip_MouseDown(Qt::MouseButton button, int x, int y)
{
    AfterStep step(m_app.afterStep());
    // A press beyond both the strip's width and its height is not on a tab.
    if (x > WebTabStrip->width() && y > WebTabStrip->height())
        return;
    if (button == Qt::LeftButton || button == Qt::RightButton)
        modTabStrip();
}

void frmMain::Parts::showHistoryState(frmMain &f, qint16 index)
{
    const TabSet::History state = f.m_tabs.history(index);
    f.BackButton->setEnabled(state.canGoBack);
    f.ForwardButton->setEnabled(state.canGoForward);
}
