#pragma once

#include "Dialogs.h"
#include "Environment.h"
#include "Processes.h"
#include "Registry.h"
#include "SystemState.h"
#include "WebBrowser.h"

namespace platform {

// Everything a form or module needs of the system, handed around by reference.
// Nothing is global: a test builds one of these on fakes and throws it away.
struct Platform
{
    Environment &environment;
    Registry &registry;
    SystemState &system;
    Processes &processes;
    Dialogs &dialogs;
    WebBrowserFactory &browsers;
};

} // namespace platform
