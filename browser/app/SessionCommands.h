#pragma once

class Shell;
class VorlenApp;

// Defines the settings command and the notice a switched-off feature shows.
void installSessionCommands(VorlenApp &app, Shell &shell);
