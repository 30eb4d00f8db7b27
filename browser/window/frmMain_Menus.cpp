// The window's popup menus: the program menu from the program icon and the
// title strip, the tab menu from the tab strip's right button and the favorite
// menu from the favorites list.
#include "frmMain.h"
#include "frmMainParts.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "browser/input/frmPopupMenu.h"
#include "TabStrip.h"

#include <QCursor>
#include <QMenu>

void frmMain::connectMenus()
{
    m_parts->popup = new frmPopupMenu(m_app.commands(), this);
    m_parts->popup->setAmbrelShowEnabled(m_parts->ambrelMenuEnabled);

    connect(ProgramIcon, &PictureControl::MouseDown, this, &frmMain::ProgramIcon_MouseDown);
    connect(ProgramIcon, &PictureControl::MouseUp, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) { ProgramIcon_MouseUp(b, x, y); });
    connect(ProgramTitleBar, &LabelControl::MouseDown, this, [this](Qt::MouseButton button) {
        if (button == Qt::RightButton)
            m_parts->popup->popup(m_parts->popup->frmMainIconPopupMenu, QCursor::pos());
    });
    connect(WebTabStrip, &TabStrip::MouseDown, this, [this](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
        if (button != Qt::RightButton || (x > WebTabStrip->width() && y > WebTabStrip->height()))
            return;
        m_parts->popup->popup(m_parts->popup->frmMainTabPopupMenu, QCursor::pos());
    });
}

void frmMain::ProgramIcon_MouseDown(Qt::MouseButton)
{
    // The press itself only starts the click; the menu comes with the release.
}

void frmMain::ProgramIcon_MouseUp(Qt::MouseButton, int X, int Y)
{
    // A release both right of and below the icon does not count.
    if (X > ProgramIcon->width() && Y > ProgramIcon->height())
        return;
    m_parts->popup->popup(m_parts->popup->frmMainIconPopupMenu, QCursor::pos());
}

frmPopupMenu &frmMain::popupMenu()
{
    return *m_parts->popup;
}
