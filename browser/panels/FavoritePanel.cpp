#include "FavoritePanel.h"

FavoritePanel::FavoritePanel(QWidget *parent)
    : SidePanel(QStringLiteral("FavoriteBox"), parent)
    , AddFavoriteBox(new QWidget(this))
{
    AddFavoriteBox->setObjectName(QStringLiteral("AddFavoriteBox"));
    AddFavoriteBox->hide();
}
