#include "SearchPanel.h"

SearchPanel::SearchPanel(QWidget *parent)
    : SidePanel(QStringLiteral("SearchBox"), parent)
{
}
