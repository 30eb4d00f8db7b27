// Creation, resizing, focus and the two exit paths of the main window.
#include "frmMain.h"
#include "frmMainParts.h"

#include "TabStrip.h"
#include "browser/core/VorlenApp.h"
#include "StartupPaintHold.h"
#include "StatusBar.h"
#include "WindowSetting.h"
#include "browser/frame/LabelControl.h"
#include "browser/frame/FadeOut.h"
#include "browser/startup/modBase.h"
#include "browser/startup/modLocalPages.h"
#include "browser/startup/modStartPage.h"
#include "browser/themes/BuiltinImages.h"
#include "platform/Settings.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <utility>

namespace {

// How long the ending page shows when the window cannot fade.
constexpr int kEndingPageMs = 400;
// The bars are painted again at the latest this long after the first frame.
constexpr int kStartupHoldLimitMs = 2000;

} // namespace

void frmMain::Form_Initialize()
{
    Form_Load();
    show();
    setEnabled(true);
}

void frmMain::holdBarsUntilStartPage()
{
    // The start page's first events change the bars several times before the
    // page commits; each repaint would recompose the whole window on the thread
    // the engine needs. Their state changes at once; only painting waits.
    if (!m_parts->startupHold)
        m_parts->startupHold = new StartupPaintHold(
            QList<QWidget *>{ProgramToolbar, ProgramStatusBar, ProgramTitleBar, WebTabStrip}, kStartupHoldLimitMs,
            this);
}

void frmMain::Parts::releaseStartupHold(frmMain &f)
{
    if (!std::exchange(f.m_parts->largeIconSet, true))
        f.setWindowIcon(f.m_images.windowIcon());
    if (!f.m_parts->startupHold)
        return;
    f.m_parts->startupHold->release();
    f.m_parts->startupHold->deleteLater();
    f.m_parts->startupHold = nullptr;
}

void frmMain::Form_Load()
{
    AfterStep step(m_app.afterStep());
    const modBase::StartState state = modBase::InitStartPage(m_app.platform(), m_tabs.page(0));
    setAddressText(state.addressText);
    setStatus(state.connectionPicture, state.statusText);
    if (!state.refusedStartPage.isEmpty()) {
        m_app.platform().dialogs.messageBox(this, modStartPage::refusedText(state.refusedStartPage),
                                            QString::fromUtf8(modStartPage::kRefusedTitle), platform::MsgButtons::OK,
                                            platform::MsgIcon::Exclamation);
    }
    if (state.pageWriteFailed)
        reportPageWriteFailure();
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

void frmMain::reportPageWriteFailure()
{
    if (m_parts->pageFailureReported)
        return;
    m_parts->pageFailureReported = true;
    m_app.platform().dialogs.messageBox(
        this,
        QStringLiteral("임시 폴더에 Vorlen™ 안내 문서를 만들 수 없습니다.\n%1\n"
                       "폴더가 가득 찼거나 쓰기가 막혀 있습니다. 안내 문서는 저장하지 않고 바로 보여 드립니다.")
            .arg(m_app.environment().tempFolder()),
        QStringLiteral("Vorlen™ 알림"), platform::MsgButtons::OK, platform::MsgIcon::Exclamation);
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
    if (m_parts->unloading)
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

    // The shortcuts go before the window does, on both ways out.
    Q_EMIT unloading();
    if (fade != 0) {
        modProgramExit();
        return;
    }
    m_parts->unloading = true;
    ClearSessionRecord();
    modWindowSetting::SaveWindowPlacement(*this, m_app);
    modLocalPages::DeleteGeneratedPages(m_app.platform());
    m_app.End();
}

void frmMain::modProgramExit()
{
    m_parts->unloading = true;
    Q_EMIT unloading();
    modLocalPages::Open(m_app.platform(), modLocalPages::Page::Ending, m_tabs.currentPage());
    setAddressText(QStringLiteral("웹 브라우저를 종료하고 있습니다..."));
    setStatus(1, QStringLiteral("Vorlen™ 작업 중 : 프로그램을 종료하고 있습니다."));
    setEnabled(false);

    // The ending page shows while the window fades out over about a second.
    // Without a compositing window system the opacity cannot show, so the
    // page shows for a moment and the window closes.
    m_parts->fadeSteps = 0;
    if (m_app.opacityShows(this)) {
        m_parts->fadeSteps = fade::fadeOut(this);
    } else {
        QEventLoop pause;
        QTimer::singleShot(kEndingPageMs, &pause, &QEventLoop::quit);
        pause.exec();
    }

    modLocalPages::DeleteGeneratedPages(m_app.platform());
    modWindowSetting::SaveWindowPlacement(*this, m_app);
    ClearSessionRecord();
    m_app.End();
}

void frmMain::WriteSessionRecord()
{
    m_app.shell().writeSessionRecord();
}

void frmMain::ClearSessionRecord()
{
    m_app.shell().clearSessionRecord();
}
