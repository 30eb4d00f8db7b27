#pragma once

#include "SidePanel.h"

// The web search panel of the side area ("SearchBox").
class SearchPanel : public SidePanel
{
    Q_OBJECT
public:
    explicit SearchPanel(QWidget *parent);
};
