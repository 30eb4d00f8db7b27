#pragma once

#include "SidePanel.h"

// The notepad under the pages ("ntpdNotepadBox"). It is enabled while it may be
// shown.
class NotepadPanel : public SidePanel
{
    Q_OBJECT
public:
    explicit NotepadPanel(QWidget *parent);
};
