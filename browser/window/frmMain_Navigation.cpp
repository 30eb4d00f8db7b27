// Back, forward, refresh and stop: pressed picture while held, the action on
// release of the left button unless released beyond both the width and height.
#include "frmMain.h"

#include "browser/frame/PictureControl.h"
#include "browser/startup/VorlenApp.h"
#include "browser/themes/modAmbrel.h"

void frmMain::navigationButtonDown(void (*setPicture)(VorlenApp &, bool))
{
    CurrentTab = currentTabIndex();
    setPicture(m_app, false);
}

void frmMain::navigationButtonUp(PictureControl *button, void (*setPicture)(VorlenApp &, bool),
                                 void (platform::WebBrowser::*action)(), Qt::MouseButton Button, int X, int Y)
{
    CurrentTab = currentTabIndex();
    setPicture(m_app, true);
    if (Button == Qt::LeftButton && releaseTriggers(X, Y, button->width(), button->height())) {
        if (platform::WebBrowser *page = browser(CurrentTab))
            (page->*action)();
    }
}

void frmMain::BackButton_MouseDown(Qt::MouseButton)
{
    navigationButtonDown(modAmbrel::SetBackButtonPicture);
}

void frmMain::BackButton_MouseUp(Qt::MouseButton Button, int X, int Y)
{
    navigationButtonUp(BackButton, modAmbrel::SetBackButtonPicture, &platform::WebBrowser::GoBack, Button, X, Y);
}

void frmMain::ForwardButton_MouseDown(Qt::MouseButton)
{
    navigationButtonDown(modAmbrel::SetForwardButtonPicture);
}

void frmMain::ForwardButton_MouseUp(Qt::MouseButton Button, int X, int Y)
{
    navigationButtonUp(ForwardButton, modAmbrel::SetForwardButtonPicture, &platform::WebBrowser::GoForward, Button,
                       X, Y);
}

void frmMain::RefreshButton_MouseDown(Qt::MouseButton)
{
    navigationButtonDown(modAmbrel::SetRefreshButtonPicture);
}

void frmMain::RefreshButton_MouseUp(Qt::MouseButton Button, int X, int Y)
{
    navigationButtonUp(RefreshButton, modAmbrel::SetRefreshButtonPicture, &platform::WebBrowser::Refresh, Button, X,
                       Y);
}

void frmMain::StopButton_MouseDown(Qt::MouseButton)
{
    navigationButtonDown(modAmbrel::SetStopButtonPicture);
}

void frmMain::StopButton_MouseUp(Qt::MouseButton Button, int X, int Y)
{
    navigationButtonUp(StopButton, modAmbrel::SetStopButtonPicture, &platform::WebBrowser::Stop, Button, X, Y);
}
