// Back, forward, refresh and stop: pressed picture while held, the command on
// release of the left button unless released beyond both the width and height.
#include "frmMain.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/PictureControl.h"
#include "browser/themes/modAmbrel.h"

namespace {

void release(VorlenApp &app, PictureControl *button, Command command, Qt::MouseButton Button, int X, int Y)
{
    if (Button == Qt::LeftButton && releaseTriggers(X, Y, button->width(), button->height()))
        app.commands().run(command);
}

} // namespace

void frmMain::BackButton_MouseDown(Qt::MouseButton)
{
    modAmbrel::SetBackButtonPicture(m_skin, false);
}

void frmMain::BackButton_MouseUp(Qt::MouseButton Button, int X, int Y)
{
    modAmbrel::SetBackButtonPicture(m_skin, true);
    release(m_app, BackButton, Command::Back, Button, X, Y);
}

void frmMain::ForwardButton_MouseDown(Qt::MouseButton)
{
    modAmbrel::SetForwardButtonPicture(m_skin, false);
}

void frmMain::ForwardButton_MouseUp(Qt::MouseButton Button, int X, int Y)
{
    modAmbrel::SetForwardButtonPicture(m_skin, true);
    release(m_app, ForwardButton, Command::Forward, Button, X, Y);
}

void frmMain::RefreshButton_MouseDown(Qt::MouseButton)
{
    modAmbrel::SetRefreshButtonPicture(m_skin, false);
}

void frmMain::RefreshButton_MouseUp(Qt::MouseButton Button, int X, int Y)
{
    modAmbrel::SetRefreshButtonPicture(m_skin, true);
    release(m_app, RefreshButton, Command::Refresh, Button, X, Y);
}

void frmMain::StopButton_MouseDown(Qt::MouseButton)
{
    modAmbrel::SetStopButtonPicture(m_skin, false);
}

void frmMain::StopButton_MouseUp(Qt::MouseButton Button, int X, int Y)
{
    modAmbrel::SetStopButtonPicture(m_skin, true);
    release(m_app, StopButton, Command::Stop, Button, X, Y);
}
