#pragma once

class FindBar;
class TabSet;
class VorlenApp;

namespace platform {
class WebBrowser;
}

// Defines FindInPage: the selected tab's find bar (see FindBar), made on the
// first use in that tab and going with the tab.
void installFindCommands(VorlenApp &app, TabSet &tabs);

namespace findCommands {
// The find bar of page, null before the first search there.
FindBar *barOf(platform::WebBrowser &page);
} // namespace findCommands
