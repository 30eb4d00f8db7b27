#pragma once

class FavoritePanel;
class NotepadPanel;
class PictureControl;
class SearchPanel;
class VorlenApp;

// The side area as the window made it: its three panels and the side-bar
// button that shows the page's script-error switch.
struct SidePanels
{
    FavoritePanel &favorites;
    SearchPanel &search;
    NotepadPanel &notepad;
    PictureControl &scriptErrorsButton;
};

// Defines the side-bar commands (favorites, search, notepad, design mode,
// script errors) and the favorite menu's, lets the two panels that share the
// side area give way to each other, and sends the notepad's notices to the
// notice window.
void installPanelCommands(VorlenApp &app, const SidePanels &panels);
