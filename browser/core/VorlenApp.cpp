#include "VorlenApp.h"

#include "browser/frame/FadeOut.h"
#include "browser/startup/SessionWindows.h"
#include "browser/startup/modBase.h"
#include "browser/themes/BuiltinImages.h"
#include "browser/themes/Skin.h"
#include "browser/window/frmMain.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

VorlenApp::VorlenApp(platform::Platform &platform)
    : m_platform(platform)
    , m_commands(platform.environment, m_locks, m_afterStep)
{
    m_afterStep.setSteps([this] { modBase::TrimWorkingSet(*this); },
                         [this] {
                             if (m_main)
                                 m_main->ArrangeMainWindow();
                         });
}

VorlenApp::~VorlenApp()
{
    // The main window's pages go before the engine profile of the platform.
    m_afterStep.setSteps({}, {});
    m_windows.reset();
    m_main.reset();
}

BuiltinImages &VorlenApp::images()
{
    if (!m_images) {
        // The @2x pictures on a high-density screen.
        const QScreen *screen = QGuiApplication::primaryScreen();
        m_images = std::make_unique<BuiltinImages>(screen ? screen->devicePixelRatio() : 1.0);
    }
    return *m_images;
}

Skin &VorlenApp::skin()
{
    if (!m_skin)
        m_skin = std::make_unique<Skin>(m_platform.environment, images());
    return *m_skin;
}

frmMain &VorlenApp::mainForm()
{
    if (!m_main) {
        m_main = std::make_unique<frmMain>(*this);
        m_locks.setTarget(m_main.get());
        m_main->Form_Initialize();
    }
    return *m_main;
}

void VorlenApp::showMainWindow()
{
    frmMain &form = mainForm();
    AfterStep step(m_afterStep);
    // Folders, the first-run greeting and the placement the user left.
    form.ApplyWindowSetting();
    form.ArrangeFrame();
    m_afterStep.flushLayout();
    form.StartKeyflint();
    form.CheckThemeAtStart();
    form.UpdateSystemStateIcon();
    form.modTabStrip();
}

bool VorlenApp::opacityShows(const QWidget *window) const
{
    return m_opacityShows.value_or(fade::opacityShows(window));
}

void VorlenApp::holdBarsUntilStartPage()
{
    if (m_main)
        m_main->holdBarsUntilStartPage();
}

void VorlenApp::End()
{
    m_ended = true;
    if (m_main)
        m_main->hide();
    if (m_quitOnEnd)
        QCoreApplication::exit(0);
}
