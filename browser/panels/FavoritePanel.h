#pragma once

#include "SidePanel.h"

// The favorites panel of the side area ("FavoriteBox"), with its add and edit
// box ("AddFavoriteBox") inside it.
class FavoritePanel : public SidePanel
{
    Q_OBJECT
public:
    explicit FavoritePanel(QWidget *parent);

    QWidget *AddFavoriteBox;
};
