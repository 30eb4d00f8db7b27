#pragma once

class BrowserAssembly;

namespace modSubMain {

// The program's entry: sets up the application and the platform, runs the
// start sequence and the event loop. Returns the process exit code.
int Main(int argc, char **argv);

// The start sequence on an application object: the firewall offer, then the
// main window with its start tab.
void Start(BrowserAssembly &app);

} // namespace modSubMain
