#include "NotepadPanel.h"

NotepadPanel::NotepadPanel(QWidget *parent)
    : SidePanel(QStringLiteral("ntpdNotepadBox"), parent)
{
    setEnabled(false);
}
