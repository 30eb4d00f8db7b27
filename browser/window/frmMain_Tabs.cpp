// The tab set: making, selecting and closing tabs, and the window title, tab
// captions and address bar that follow the selected tab.
#include "frmMain.h"

#include "TabStrip.h"
#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "browser/startup/VorlenApp.h"
#include "browser/startup/modBase.h"

#include <limits>

namespace {

QString startPage(VorlenApp &app)
{
    return app.platform().registry.read(QString::fromLatin1(platform::kStartPageKey),
                                        QString::fromLatin1(platform::kStartPageValue));
}

} // namespace

void frmMain::modTabStrip()
{
    CurrentTab = currentTabIndex();
    platform::WebBrowser *page = browser(CurrentTab);
    if (!page)
        return;
    // Only the selected tab's page is shown; the others wait behind it.
    for (auto &[index, other] : TabWebBrowser) {
        if (other != page)
            other->widget()->hide();
    }
    page->widget()->show();
    page->widget()->raise();
    showHistoryState(CurrentTab);
    if (page->Busy())
        return;
    if (WebTabStrip->selectedKey() == page->Tag()) {
        page->widget()->setFocus();
        WebTabStrip->setToolTip(WebTabStrip->selectedKey(), QString::fromUtf8(kTabToolTip));
    }
    ScriptErrorsButton->setToolTip(page->Silent() ? QStringLiteral("문서 오류 무시 - On")
                                                  : QStringLiteral("문서 오류 무시 - Off"));
    modBase::ArrangeMainWindow(m_app);
    WriteTitle(CurrentTab);
    WriteTabCap(CurrentTab);
    modBase::TrimWorkingSet(m_app);
}

platform::WebBrowser *frmMain::modRecvNewWindow(const QString &sURL, qint16 isCurrentNew)
{
    Q_UNUSED(isCurrentNew);
    return createTab(sURL, true);
}

platform::WebBrowser *frmMain::createTab(const QString &sURL, bool navigate)
{
    CurrentTab = currentTabIndex();
    // Instance numbers are never reused; when they run out no tab is made.
    if (TabCounter >= std::numeric_limits<qint16>::max())
        return nullptr;
    const QString start = startPage(m_app);
    const qint16 index = ++TabCounter;
    const QString key = modBase::IndexToTabKey(index);
    WebTabStrip->add(WebTabStrip->selectedPosition() + 1, key, QStringLiteral("불러오는 중..."));
    platform::WebBrowser *page = createBrowser(index, key);
    if (!page) {
        WebTabStrip->remove(key);
        return nullptr;
    }
    page->widget()->setGeometry(browser(0) ? browser(0)->widget()->geometry() : QRect());
    if (navigate) {
        const QString url = sURL.trimmed();
        page->Navigate2(url.isEmpty() ? start : url);
    }
    WebTabStrip->select(WebTabStrip->positionOf(key));
    page->widget()->show();
    page->setResizable(false);
    page->widget()->setFocus();
    page->widget()->raise();
    CurrentTab = currentTabIndex();
    if (platform::WebBrowser *current = browser(CurrentTab))
        current->setSilent(true);
    ScriptErrorsButton->setToolTip(QStringLiteral("문서 오류 무시 - On"));
    modBase::ArrangeMainWindow(m_app);
    modBase::TrimWorkingSet(m_app);
    return page;
}

void frmMain::modRecvCloseWindow(qint16 Index)
{
    // The start-tab rule applies to the tab being closed.
    if (Index == 0) {
        if (WebTabStrip->count() > 1)
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
    platform::WebBrowser *page = browser(Index);
    if (!page)
        return;
    const QString key = page->Tag();
    const bool wasSelected = WebTabStrip->selectedKey() == key;
    const QString selectedKey = WebTabStrip->selectedKey();
    CurrentTab = modBase::TabKeyToIndex(key);
    destroyBrowser(Index);
    int position = WebTabStrip->positionOf(key);
    if (position == WebTabStrip->count())
        position -= 1;
    WebTabStrip->remove(key);
    // Closing the selected tab selects its right-hand neighbour (the left-hand
    // one for the rightmost tab); a background tab leaves the selection alone.
    WebTabStrip->select(wasSelected ? position : WebTabStrip->positionOf(selectedKey));
    modTabStrip();
}

void frmMain::WriteTitle(qint16 Index)
{
    const QString start = startPage(m_app);
    CurrentTab = Index != 0 ? Index : currentTabIndex();
    platform::WebBrowser *page = browser(CurrentTab);
    if (page && WebTabStrip->selectedKey() == page->Tag()) {
        const QString suffix = CurrentTab == 0 ? QStringLiteral("(기본탭) Vorlen™")
                                               : QStringLiteral("(%1번탭)  Vorlen™").arg(CurrentTab);
        QString title;
        if (page->LocationURL() == start && !start.isEmpty()) {
            title = CurrentTab == 0 ? QStringLiteral("시작 문서 - Vorlen™")
                                    : QStringLiteral("시작 문서 - (%1번탭)  Vorlen™").arg(CurrentTab);
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
    modBase::TrimWorkingSet(m_app);
    modBase::ArrangeMainWindow(m_app);
}

void frmMain::WriteTabCap(qint16 Index)
{
    if (Index == 0)
        return;
    platform::WebBrowser *page = browser(Index);
    if (!page)
        return;
    const QString key = modBase::IndexToTabKey(Index);
    QString caption = page->DocumentTitle();
    if (caption.isEmpty())
        caption = page->LocationName();
    // A page with neither title nor address keeps the caption it has.
    if (!caption.isEmpty())
        WebTabStrip->setCaption(key, caption);
    WebTabStrip->setToolTip(key, QString::fromUtf8(kTabToolTip));
    // The address bar belongs to the selected tab; a background tab's events
    // only touch its own caption.
    if (WebTabStrip->selectedKey() == key && !page->LocationURL().isEmpty())
        setAddressText(page->LocationURL());
    modBase::TrimWorkingSet(m_app);
    modBase::ArrangeMainWindow(m_app);
}

void frmMain::WebTabStrip_Click()
{
    modTabStrip();
    modBase::TrimWorkingSet(m_app);
    modBase::ArrangeMainWindow(m_app);
}

void frmMain::WebTabStrip_MouseDown(Qt::MouseButton button, int x, int y)
{
    // A press beyond both the strip's width and its height is not on a tab.
    if (x > WebTabStrip->width() && y > WebTabStrip->height())
        return;
    if (button == Qt::LeftButton || button == Qt::RightButton)
        modTabStrip();
    modBase::TrimWorkingSet(m_app);
    modBase::ArrangeMainWindow(m_app);
}
