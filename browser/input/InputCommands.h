#pragma once

class FavoritePanel;
class Keyflint;
class VorlenApp;

// The window's input machinery the shortcut commands act on.
struct InputTargets
{
    Keyflint &keyflint;
    FavoritePanel &favorites;   // shows a quick favorite at once
};

// Defines the quick favorite and the shortcuts' own switch. The switch
// (KeyflintValue) is the command table's: switched off, the command only shows
// the notice.
void installInputCommands(VorlenApp &app, const InputTargets &targets);
