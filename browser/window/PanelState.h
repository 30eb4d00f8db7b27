#pragma once

// What the layout pass reads of the side area and the notepad, gathered from
// the panels that own it. Widths and heights are twips.
struct PanelState
{
    int sidebarWidth = 0;         // 495 folded, wider with a panel open
    bool favoriteOpen = false;
    bool addFavoriteOpen = false;
    bool searchOpen = false;
    bool notepadEnabled = false;
    bool notepadOpen = false;
    int notepadHeight = 0;
    // Where the last pass put the notepad.
    int notepadTop = 0;
    int notepadWidth = 0;
};
