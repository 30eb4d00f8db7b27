#include "FullScreenCommands.h"

#include "FullScreen.h"

void installFullScreen(TabSet &tabs, QWidget &mainWindow)
{
    new FullScreen(tabs, mainWindow);
}
