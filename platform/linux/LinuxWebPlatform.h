#pragma once

#include "platform/linux/LinuxPlatform.h"

namespace platform {

class QtWebBrowserFactory;

// Prepares the process for the page engine. Call it first thing in main(),
// before the QApplication is made: it registers the scheme of the generated
// pages and has the engine speak Korean (its own texts, such as form
// validation messages), unless the engine's flags already name a language.
void prepareWebEngine();

// The program's services with the page engine: LinuxPlatform whose browsers
// are a QtWebBrowserFactory on the engine folder, asking through the
// platform's dialogs, with the browser's generated pages in the TEMP folder.
// Call prepareWebEngine before making the QApplication.
class LinuxWebPlatform : public LinuxPlatform
{
public:
    LinuxWebPlatform();
    explicit LinuxWebPlatform(LinuxEnvironment::Overrides overrides);

    QtWebBrowserFactory &browsers();
};

} // namespace platform
