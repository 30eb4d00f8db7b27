#include "VorlenApp.h"

#include "browser/themes/BuiltinImages.h"
#include "browser/window/frmMain.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

VorlenApp::VorlenApp(platform::Platform &platform)
    : m_platform(platform)
{
}

VorlenApp::~VorlenApp()
{
    // The main window's pages go before the engine profile of the platform.
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

frmMain &VorlenApp::mainForm()
{
    if (!m_main) {
        m_main = std::make_unique<frmMain>(*this);
        m_main->Form_Initialize();
    }
    return *m_main;
}

void VorlenApp::End()
{
    m_ended = true;
    if (m_main)
        m_main->hide();
    if (m_quitOnEnd)
        QCoreApplication::exit(0);
}
