// Creation, resizing, focus and the two exit paths of the main window.
#include "frmMain.h"

#include "TabStrip.h"
#include "browser/core/VorlenApp.h"
#include "browser/startup/modBase.h"
#include "browser/startup/modLocalPages.h"
#include "platform/Settings.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

constexpr int kFadeStepMs = 18;

} // namespace

void frmMain::Form_Initialize()
{
    Form_Load();
    show();
    setEnabled(true);
}

void frmMain::Form_Load()
{
    AfterStep step(m_app.afterStep());
    const modBase::StartState state = modBase::InitStartPage(m_app, m_tabs.page(0));
    setAddressText(state.addressText);
    setStatus(state.connectionPicture, state.statusText);
    m_app.afterStep().flushLayout();
    WriteTitle(m_tabs.CurrentTab());
    WriteTabCap(m_tabs.CurrentTab());
}

void frmMain::Form_Resize()
{
    m_app.afterStep().requestLayout();
}

void frmMain::Form_GotFocus()
{
    AfterStep step(m_app.afterStep());
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // The window system never closes the window itself: the exit path decides
    // and ends the program on its own.
    event->ignore();
    int Cancel = 0;
    Form_Unload(Cancel);
}

void frmMain::Form_Unload(int &Cancel)
{
    if (m_unloading)
        return;
    const qint16 fade = platform::setting::int16(m_app.environment(), settings::Key::FadeEffectValue);
    Cancel = 1;

    if (m_tabs.count() > 1) {
        const auto answer = m_app.platform().dialogs.messageBox(
            this,
            QStringLiteral("현재 여러개의 탭이 활성화 되어있습니다.\n"
                           "활성화 되어있는 탭을 모두 닫고 프로그램을 종료 하시겠습니까?"),
            QStringLiteral("Vorlen™ 탭 관리자"), platform::MsgButtons::YesNo, platform::MsgIcon::Exclamation);
        if (answer != platform::MsgResult::Yes)
            return;
    }

    if (fade != 0) {
        modProgramExit();
        return;
    }
    m_unloading = true;
    modLocalPages::DeleteGeneratedPages(m_app.platform());
    m_app.End();
}

void frmMain::modProgramExit()
{
    m_unloading = true;
    modLocalPages::MakeEndingPage(m_app.platform());
    if (platform::WebBrowser *page = m_tabs.currentPage())
        page->Navigate(modLocalPages::pagePath(m_app.platform(), modLocalPages::Page::Ending));
    setAddressText(QStringLiteral("웹 브라우저를 종료하고 있습니다..."));
    setStatus(1, QStringLiteral("Vorlen™ 작업 중 : 프로그램을 종료하고 있습니다."));
    setEnabled(false);

    // 255, 250, ..., 5, 0: 52 steps of about 18 ms, letting pending events
    // run between them so that the ending page shows while the window fades.
    m_fadeSteps = 0;
    for (int alpha = 255; alpha >= 0; alpha -= 5) {
        setWindowOpacity(alpha / 255.0);
        ++m_fadeSteps;
        repaint();
        QEventLoop step;
        QTimer::singleShot(kFadeStepMs, &step, &QEventLoop::quit);
        step.exec();
    }

    modLocalPages::DeleteGeneratedPages(m_app.platform());
    m_app.End();
}
