#include "SidePanel.h"

#include <QPalette>

SidePanel::SidePanel(const QString &name, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(name);
    // Panels lie over the pages: they paint their whole area.
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xee, 0xf1, 0xf5));
    colours.setColor(QPalette::WindowText, QColor(0x1c, 0x24, 0x30));
    setPalette(colours);
    hide();
}
