// Back, forward, refresh and stop: pressed picture while held, the action on
// release of the left button unless released beyond both the width and height.
#include "frmMain.h"

#include "browser/frame/PictureControl.h"
#include "browser/startup/VorlenApp.h"
#include "browser/themes/modAmbrel.h"

void frmMain::BackButton_MouseDown(Qt::MouseButton)
{
    CurrentTab = currentTabIndex();
    modAmbrel::SetBackButtonPicture(m_app, false);
}

void frmMain::BackButton_MouseUp(Qt::MouseButton Button, int X, int Y)
{
    CurrentTab = currentTabIndex();
    modAmbrel::SetBackButtonPicture(m_app, true);
    if (Button == Qt::LeftButton && releaseTriggers(X, Y, BackButton->width(), BackButton->height())) {
        if (platform::WebBrowser *page = browser(CurrentTab))
            page->GoBack();
    }
}

void frmMain::ForwardButton_MouseDown(Qt::MouseButton)
{
    CurrentTab = currentTabIndex();
    modAmbrel::SetForwardButtonPicture(m_app, false);
}

void frmMain::ForwardButton_MouseUp(Qt::MouseButton Button, int X, int Y)
{
    CurrentTab = currentTabIndex();
    modAmbrel::SetForwardButtonPicture(m_app, true);
    if (Button == Qt::LeftButton && releaseTriggers(X, Y, ForwardButton->width(), ForwardButton->height())) {
        if (platform::WebBrowser *page = browser(CurrentTab))
            page->GoForward();
    }
}

void frmMain::RefreshButton_MouseDown(Qt::MouseButton)
{
    CurrentTab = currentTabIndex();
    modAmbrel::SetRefreshButtonPicture(m_app, false);
}

void frmMain::RefreshButton_MouseUp(Qt::MouseButton Button, int X, int Y)
{
    CurrentTab = currentTabIndex();
    modAmbrel::SetRefreshButtonPicture(m_app, true);
    if (Button == Qt::LeftButton && releaseTriggers(X, Y, RefreshButton->width(), RefreshButton->height())) {
        if (platform::WebBrowser *page = browser(CurrentTab))
            page->Refresh();
    }
}

void frmMain::StopButton_MouseDown(Qt::MouseButton)
{
    CurrentTab = currentTabIndex();
    modAmbrel::SetStopButtonPicture(m_app, false);
}

void frmMain::StopButton_MouseUp(Qt::MouseButton Button, int X, int Y)
{
    CurrentTab = currentTabIndex();
    modAmbrel::SetStopButtonPicture(m_app, true);
    if (Button == Qt::LeftButton && releaseTriggers(X, Y, StopButton->width(), StopButton->height())) {
        if (platform::WebBrowser *page = browser(CurrentTab))
            page->Stop();
    }
}
