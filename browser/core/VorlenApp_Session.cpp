// The application object's side of the windows that remember the user: they
// reach the main window's tabs through these few calls.
#include "VorlenApp.h"

#include "browser/startup/SessionWindows.h"
#include "browser/window/frmMain.h"

SessionWindows &VorlenApp::windows()
{
    if (!m_windows)
        m_windows = std::make_unique<SessionWindows>(*this);
    return *m_windows;
}

QWidget *VorlenApp::mainWidget() const
{
    return m_main.get();
}

platform::WebBrowser *VorlenApp::currentPage() const
{
    return m_main ? m_main->tabs().currentPage() : nullptr;
}

platform::WebBrowser *VorlenApp::openInNewTab(const QString &url)
{
    return mainForm().modRecvNewWindow(url);
}

void VorlenApp::navigateCurrent(const QString &url)
{
    if (platform::WebBrowser *page = mainForm().tabs().currentPage())
        page->Navigate(url);
}

void VorlenApp::revealMainWindow()
{
    frmMain &form = mainForm();
    form.show();
    form.setEnabled(!m_locks.locked());
}
