// Events of the tabs' page engines.
#include "frmMain.h"
#include "frmMainParts.h"

#include "TabStrip.h"
#include "browser/core/VorlenApp.h"
#include "browser/frame/PictureControl.h"
#include "browser/startup/modLocalPages.h"
#include "browser/startup/modSystemCheck.h"
#include "browser/tools/Progressbar.h"
#include "browser/window/PageRules.h"
#include "platform/Settings.h"

#include <QUrl>

void frmMain::connectBrowser(platform::WebBrowser *page)
{
    using W = platform::WebBrowser;
    // The tab's instance number is read from the page's key at each event, so
    // one connection serves whichever tab the page belongs to.
    auto index = [page] { return TabSet::indexOf(page->Tag()); };
    connect(page, &W::BeforeNavigate2, this, [this, index](const QString &url) { TabWebBrowser_BeforeNavigate2(index(), url); });
    connect(page, &W::NewWindow2, this, [this, index](platform::NewWindowRequest &r) { TabWebBrowser_NewWindow2(index(), r); });
    connect(page, &W::NavigateComplete2, this, [this, index](const QString &url) { TabWebBrowser_NavigateComplete2(index(), url); });
    connect(page, &W::DocumentComplete, this, [this, index](const QString &url) { TabWebBrowser_DocumentComplete(index(), url); });
    connect(page, &W::DownloadBegin, this, [this, index] { TabWebBrowser_DownloadBegin(index()); });
    connect(page, &W::DownloadComplete, this, [this, index] { TabWebBrowser_DownloadComplete(index()); });
    connect(page, &W::TitleChange, this, [this, index](const QString &text) { TabWebBrowser_TitleChange(index(), text); });
    connect(page, &W::ProgressChange, this, [this, index](int p, int max) { TabWebBrowser_ProgressChange(index(), p, max); });
    connect(page, &W::CommandStateChange, this, [this, index](int c, bool e) { TabWebBrowser_CommandStateChange(index(), c, e); });
    connect(page, &W::StatusTextChange, this, [this, index](const QString &t) { TabWebBrowser_StatusTextChange(index(), t); });
    connect(page, &W::WindowClosing, this, [this, index] { TabWebBrowser_WindowClosing(index()); });
    connect(page, &W::NavigateError, this, [this, index](const QString &url, int) { TabWebBrowser_NavigateError(index(), url); });
    connect(page, &W::FileDownload, this, [this, index](const QString &) { TabWebBrowser_FileDownload(index()); });
}

void frmMain::TabWebBrowser_BeforeNavigate2(qint16 Index, const QString &URL)
{
    AfterStep step(m_app.afterStep());
    // The start tab keeps its fixed caption and never renames another tab.
    if (Index != 0 && m_tabs.contains(Index))
        WebTabStrip->setCaption(TabSet::keyOf(Index), QStringLiteral("문서 읽는중..."));
    setStatus(4, QStringLiteral("Vorlen™ 작업 중 : ") + pagerules::shortUrl(URL)
                     + QStringLiteral("로부터 자료를 내려받고 있습니다."));
    WriteTitle(Index);
    WriteTabCap(Index);
}

void frmMain::TabWebBrowser_NewWindow2(qint16 Index, platform::NewWindowRequest &request)
{
    Q_UNUSED(Index);
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    const qint16 policy = platform::setting::int16(m_app.environment(), settings::Key::NewWindowOpenValue);
    bool open = false;
    if (policy == 0) {
        open = true;
    } else if (policy == 1) {
        open = m_app.platform().dialogs.messageBox(
                   this,
                   QStringLiteral("바이러스나 악성코드의 위협이 있을 수도 있습니다.\n새 탭을 여시겠습니까?\n\n"
                                  "※ 환경 설정을 통해 이 설정을 바꾸실 수 있습니다."),
                   QStringLiteral("새 탭으로 열기"), platform::MsgButtons::YesNo, platform::MsgIcon::Information)
            == platform::MsgResult::Yes;
    } else {
        request.Cancel = true;
        m_app.platform().dialogs.messageBox(
            this, QStringLiteral("환경 설정 값이 올바르지 않습니다.\n환경 설정 창을 통해 올바르게 설정 하십시오."),
            QStringLiteral("설정 오류"), platform::MsgButtons::OK, platform::MsgIcon::Critical);
        m_app.shell().showSettings();
    }
    if (!open) {
        request.Cancel = true;
        return;
    }
    // The new tab stays empty: the page's window is loaded into it.
    platform::WebBrowser *page = createTab(QString(), false);
    if (page) {
        page->setRegisterAsBrowser(true);
        request.ppDisp = page;
    } else {
        request.Cancel = true;
    }
    m_app.afterStep().requestLayout();
}

void frmMain::TabWebBrowser_NavigateComplete2(qint16 Index, const QString &URL)
{
    if (Index == 0)
        Parts::releaseStartupHold(*this);
    Q_UNUSED(URL);
    AfterStep step(m_app.afterStep());
    setStatus(5, QStringLiteral("Vorlen™ 작업 완료 : 문서 탐색을 마쳤습니다."));
    modTabStrip();
    WriteTitle(Index);
    WriteTabCap(Index);
}

void frmMain::TabWebBrowser_DocumentComplete(qint16 Index, const QString &URL)
{
    Q_UNUSED(Index);
    Q_UNUSED(URL);
    AfterStep step(m_app.afterStep());
    setStatus(5, QStringLiteral("Vorlen™ 작업 완료 : 문서를 불러 왔습니다."));
    WebBrowserToolBox->hide();
}

void frmMain::TabWebBrowser_DownloadBegin(qint16 Index)
{
    Q_UNUSED(Index);
    AfterStep step(m_app.afterStep());
    setStatus(4, QStringLiteral("Vorlen™ 작업 중 : 문서를 불러오고 있습니다."));
    WebBrowserToolBox->show();
}

void frmMain::TabWebBrowser_DownloadComplete(qint16 Index)
{
    Q_UNUSED(Index);
    AfterStep step(m_app.afterStep());
    setStatus(5, QStringLiteral("Vorlen™ 작업 완료 : 내려받기를 마쳤습니다."));
    WebBrowserToolBox->hide();
}

void frmMain::TabWebBrowser_TitleChange(qint16 Index, const QString &Text)
{
    if (Index == 0)
        Parts::releaseStartupHold(*this);
    Q_UNUSED(Text);
    AfterStep step(m_app.afterStep());
    WriteTitle(m_tabs.CurrentTab());
    WriteTabCap(Index);
    WriteSessionRecord();
}

void frmMain::TabWebBrowser_ProgressChange(qint16 Index, int Progress, int ProgressMax)
{
    AfterStep step(m_app.afterStep());
    if (Index == m_tabs.CurrentTab() && m_tabs.contains(Index)) {
        const pagerules::Progress shown = pagerules::progress(Progress, ProgressMax);
        ProgramStatusProgressbar->setMax(shown.max);
        ProgramStatusProgressbar->setValue(shown.value);
    } else {
        ProgramStatusProgressbar->setValue(0);
    }
}

void frmMain::TabWebBrowser_CommandStateChange(qint16 Index, int Command, bool Enable)
{
    // Each page keeps its own history; the buttons show the selected page's.
    m_tabs.setHistory(Index, Command, Enable);
    if (Index == m_tabs.CurrentTab())
        Parts::showHistoryState(*this, Index);
}

void frmMain::TabWebBrowser_StatusTextChange(qint16 Index, const QString &Text)
{
    Q_UNUSED(Index);
    Q_UNUSED(Text);
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
}

void frmMain::TabWebBrowser_WindowClosing(qint16 Index)
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    modRecvCloseWindow(Index);
}

void frmMain::TabWebBrowser_NavigateError(qint16 Index, const QString &URL)
{
    if (Index == 0)
        Parts::releaseStartupHold(*this);
    AfterStep step(m_app.afterStep());
    platform::WebBrowser *page = m_tabs.page(Index);
    const QString errorPage = modLocalPages::pagePath(m_app.platform(), modLocalPages::Page::Error);
    // When the error page itself fails to load (TEMP not writable, say), the
    // tab stays where it is instead of failing over and over.
    const bool isErrorPage = QUrl::fromUserInput(URL).toLocalFile() == errorPage || URL == errorPage;
    if (page && !isErrorPage && !modLocalPages::Open(m_app.platform(), modLocalPages::Page::Error, page))
        reportPageWriteFailure();
    if (page && Index == m_tabs.CurrentTab()) {
        setAddressText(modSystemCheck::IsInternetConnected(m_app.platform())
                           ? QStringLiteral("여기를 더블클릭하여 새로운 주소를 입력 하십시오.")
                           : QStringLiteral("LAN 선이나 모뎀이 인터넷에 연결되어 있는지 확인 하십시오."));
    }
    setStatus(3, QStringLiteral("Vorlen™ 알림 : %1번탭에서 오류가 발생 했습니다.").arg(Index));
}

void frmMain::TabWebBrowser_FileDownload(qint16 Index)
{
    Q_UNUSED(Index);
    AfterStep step(m_app.afterStep());
}
