#include "VorlenApp.h"

#include <QCoreApplication>
#include <QWidget>

VorlenApp::VorlenApp(platform::Platform &platform, Shell &shell)
    : m_platform(platform)
    , m_shell(shell)
    , m_commands(platform.environment, m_locks, m_afterStep)
{
}

bool VorlenApp::opacityShows(const QWidget *window) const
{
    if (m_opacityShows)
        return *m_opacityShows;
    return m_opacityProbe && m_opacityProbe(window);
}

void VorlenApp::End()
{
    m_ended = true;
    if (QWidget *main = m_shell.mainWidget())
        main->hide();
    if (m_quitOnEnd)
        QCoreApplication::exit(0);
}
