#include "SidePanel.h"

SidePanel::SidePanel(const QString &name, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(name);
    hide();
}
