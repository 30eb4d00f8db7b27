#include "BrowserAssembly.h"

#include "SessionCommands.h"
#include "SessionWindows.h"
#include "browser/downloads/DownloadCommands.h"
#include "browser/find/FindCommands.h"
#include "browser/frame/FadeOut.h"
#include "browser/fullscreen/FullScreenCommands.h"
#include "browser/history/HistoryCommands.h"
#include "browser/input/InputCommands.h"
#include "browser/input/PageCommands.h"
#include "browser/input/frmPopupMenu.h"
#include "browser/input/modKeyflint.h"
#include "browser/lifecycle/TabLifecycle.h"
#include "browser/modes/DisplayWindows.h"
#include "browser/modes/ModeCommands.h"
#include "browser/panels/PanelCommands.h"
#include "browser/print/PrintCommands.h"
#include "browser/sessions/SessionKeeper.h"
#include "browser/startup/frmSetting.h"
#include "browser/startup/modBase.h"
#include "browser/themes/BuiltinImages.h"
#include "browser/themes/Skin.h"
#include "browser/themes/ThemeCommands.h"
#include "browser/frame/PictureControl.h"
#include "browser/themes/modAmbrel.h"
#include "browser/tools/ToolCommands.h"
#include "browser/trust/TrustInstall.h"
#include "browser/window/AddressInput.h"
#include "browser/window/WindowCommands.h"
#include "browser/window/StatusBar.h"
#include "browser/window/WindowSetting.h"
#include "browser/window/frmMain.h"
#include "browser/zoom/ZoomCommands.h"

#include <QApplication>
#include <QScreen>

BrowserAssembly::BrowserAssembly(platform::Platform &platform)
    : m_app(platform, *this)
{
    m_app.setOpacityProbe([](const QWidget *window) { return fade::opacityShows(window); });
    m_app.afterStep().setSteps([this] { modBase::TrimWorkingSet(m_app.platform()); },
                               [this] {
                                   if (m_main)
                                       m_main->ArrangeMainWindow();
                               });
}

BrowserAssembly::~BrowserAssembly()
{
    // The windows and their pages go before the engine profile of the platform,
    // and no step runs on a window that is going.
    m_app.afterStep().setSteps({}, {});
    m_windows.reset();
    m_display.reset();
    m_keyflint.reset();
    m_main.reset();
}

BuiltinImages &BrowserAssembly::images()
{
    if (!m_images) {
        // The @2x pictures on a high-density screen.
        const QScreen *screen = QGuiApplication::primaryScreen();
        m_images = std::make_unique<BuiltinImages>(screen ? screen->devicePixelRatio() : 1.0);
    }
    return *m_images;
}

Skin &BrowserAssembly::skin()
{
    if (!m_skin)
        m_skin = std::make_unique<Skin>(m_app.environment(), images());
    return *m_skin;
}

frmMain &BrowserAssembly::mainForm()
{
    if (!m_main) {
        m_main = std::make_unique<frmMain>(m_app, skin(), images());
        m_app.locks().setTarget(m_main.get());
        installCommands();
        m_main->Form_Initialize();
    }
    return *m_main;
}

void BrowserAssembly::installCommands()
{
    frmMain &main = *m_main;
    m_display = std::make_unique<DisplayWindows>();
    installWindowCommands(m_app, main);
    installSessionCommands(m_app, *this);
    installPanelCommands(m_app, SidePanels{*main.FavoriteBox, *main.SearchBox, *main.ntpdNotepadBox,
                                           *main.ScriptErrorsButton});
    installToolCommands(m_app, main);
    installModeCommands(m_app, *m_display, main);
    installThemeCommands(m_app, ThemeHooks{main, [this, &main] {
                                               modAmbrel::Context theme = themeContext();
                                               modAmbrel::LoadThemePack(theme, true);
                                               // The frame edges resize only a window that is not maximized.
                                               main.showFrameState(main.WindowState() == 2);
                                           }});
    installInputCommands(m_app, InputTargets{keyflint(), *main.FavoriteBox});
    installTrust(m_app, TrustTargets{main.tabs(), [&main](int picture) { main.setConnectionPicture(picture); },
                                     main.ProgramStatusBar->ProgramStatusInternetIconImage});
    installPageCommandPaths(m_app, main.tabs(), main);
    installFindCommands(m_app, main.tabs());
    installZoomCommands(m_app, ZoomTargets{main.tabs(), *main.ProgramStatusTextLabel});
    installPrintCommands(m_app, main.tabs(), main);
    installDownloadCommands(m_app, main);
    installFullScreen(main.tabs(), main);
    m_sessions = &installSessionRestoreCommands(m_app, main.tabs(), *main.popupMenu().frmMainTabPopupMenu);
    installHistory(m_app, HistoryTargets{main.tabs(), main, *main.WebAdressInputBar,
                                         [keeper = m_sessions](const QString &url) { return keeper->isGenerated(url); }});
    installTabLifecycle(m_app, main.tabs());
}

Keyflint &BrowserAssembly::keyflint()
{
    if (!m_keyflint) {
        frmMain *main = &mainForm();
        m_keyflint = std::make_unique<Keyflint>(
            [this](Command c) { m_app.commands().run(c); },
            // Only while the main window is the one in front; another program's
            // keys never arrive here at all.
            [main] { return QApplication::activeWindow() == main && main->isEnabled(); });
        QObject::connect(main, &frmMain::unloading, m_keyflint.get(), [keys = m_keyflint.get()] { keys->unhook(); });
    }
    return *m_keyflint;
}

SessionWindows &BrowserAssembly::windows()
{
    if (!m_windows) {
        m_windows = std::make_unique<SessionWindows>(m_app);
        m_windows->setAfterRecovery([this] {
            if (m_main) {
                m_main->modTabStrip();
                m_app.afterStep().flushLayout();
            }
        });
        m_windows->setSessionStart(SessionWindows::SessionStart{
            [this] {
                mainForm();
                if (!m_sessions || !m_sessions->previous() || m_sessions->previous()->session.tabs.isEmpty())
                    return false;
                showMainWindow();
                return m_sessions->continueAtStart();
            },
            [this] {
                mainForm();
                return m_sessions ? m_sessions->recoverAfterCrash() : -1;
            },
            [this] {
                if (m_sessions)
                    m_sessions->startDone();
            },
            [this] {
                mainForm();
                if (!m_sessions || !m_sessions->crashLoop())
                    return false;
                showMainWindow();
                return m_sessions->showRecoveryPage();
            },
        });
    }
    return *m_windows;
}

DisplayWindows &BrowserAssembly::displayWindows()
{
    mainForm();
    return *m_display;
}

modAmbrel::Context BrowserAssembly::themeContext()
{
    frmMain &main = mainForm();
    return modAmbrel::Context{
        skin(),
        m_app.environment(),
        m_app.platform().dialogs,
        &main,
        [&main] { main.modTabStrip(); },
        [&main](bool enabled) { main.setAmbrelMenuEnabled(enabled); },
        // Back to the normal picture, except over the offline display: that
        // tells a standing state no later page event would correct.
        [&main] {
            if (main.connectionPicture() != 2)
                main.setConnectionPicture(1);
        },
    };
}

void BrowserAssembly::holdBarsUntilStartPage()
{
    if (m_main)
        m_main->holdBarsUntilStartPage();
}

platform::WebBrowser *BrowserAssembly::currentPage() const
{
    return m_main ? m_main->tabs().currentPage() : nullptr;
}

platform::WebBrowser *BrowserAssembly::openInNewTab(const QString &url)
{
    return mainForm().modRecvNewWindow(url);
}

platform::WebBrowser *BrowserAssembly::openWaitingTab(int position)
{
    return mainForm().openWaitingTab(position);
}

void BrowserAssembly::navigateCurrent(const QString &url)
{
    if (platform::WebBrowser *page = mainForm().tabs().currentPage())
        page->Navigate(url);
}

void BrowserAssembly::showMainWindow()
{
    frmMain &form = mainForm();
    AfterStep step(m_app.afterStep());
    // Folders, the first-run greeting and the placement the user left.
    modWindowSetting::ApplyWindowSetting(form, m_app);
    form.ArrangeFrame();
    m_app.afterStep().flushLayout();
    modKeyflint::StartKeyflint(m_app.environment(), keyflint());
    modAmbrel::Context theme = themeContext();
    modAmbrel::CheckThemeAtStart(theme);
    // The pack's maximize button stands for the window's state of now.
    modAmbrel::SetMaxButtonPicture(skin(), true, form.WindowState() == 2);
    form.UpdateSystemStateIcon();
    form.modTabStrip();
}

void BrowserAssembly::revealMainWindow()
{
    frmMain &form = mainForm();
    form.show();
    form.setEnabled(!m_app.locks().locked());
}

QWidget *BrowserAssembly::mainWidget() const
{
    return m_main.get();
}

void BrowserAssembly::notice(const QString &title, const QString &contents, bool titleFocusPoint,
                             qint16 exitInterval)
{
    windows().VorlenNotice(title, contents, titleFocusPoint, exitInterval);
}

void BrowserAssembly::messageBox(qint16 type, QString &text, qint32 &number)
{
    windows().MyMsgBox(type, text, number);
}

void BrowserAssembly::showSettings()
{
    frmSetting &dialog = windows().showSetting();
    // Whichever way the dialog was opened, its verdict on themes reaches the
    // theme manager's menu item.
    if (m_main)
        QObject::connect(&dialog, &frmSetting::ambrelMenuEnabled, m_main.get(), &frmMain::setAmbrelMenuEnabled,
                         Qt::UniqueConnection);
}

void BrowserAssembly::showSystemCheck()
{
    windows().showSystemScan();
}

void BrowserAssembly::writeSessionRecord()
{
    windows().recorder().WriteSessionRecord();
}

void BrowserAssembly::clearSessionRecord()
{
    windows().recorder().ClearSessionRecord();
    // Both ways out pass here: the session is written once more and marked as ended cleanly.
    if (m_sessions)
        m_sessions->endCleanly();
}
