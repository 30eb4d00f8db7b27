#pragma once

#include "platform/Platform.h"
#include "platform/linux/IniRegistry.h"
#include "platform/linux/LinuxEnvironment.h"
#include "platform/linux/LinuxProcesses.h"
#include "platform/linux/LinuxSystemState.h"
#include "platform/linux/QtDialogs.h"

#include <memory>

namespace platform {

class QtWebBrowserFactory;

// The program's services on a Linux desktop, owned in one place. Make it after the
// QApplication and keep it until the last form is gone.
class LinuxPlatform
{
public:
    LinuxPlatform();
    explicit LinuxPlatform(LinuxEnvironment::Overrides overrides);
    ~LinuxPlatform();

    LinuxPlatform(const LinuxPlatform &) = delete;
    LinuxPlatform &operator=(const LinuxPlatform &) = delete;

    Platform &platform() { return m_platform; }

    LinuxEnvironment &environment() { return m_environment; }
    IniRegistry &registry() { return m_registry; }
    LinuxSystemState &system() { return m_system; }
    LinuxProcesses &processes() { return m_processes; }
    QtDialogs &dialogs() { return m_dialogs; }
    QtWebBrowserFactory &browsers() { return *m_browsers; }

private:
    LinuxEnvironment m_environment;
    IniRegistry m_registry;
    LinuxSystemState m_system;
    LinuxProcesses m_processes;
    QtDialogs m_dialogs;
    std::unique_ptr<QtWebBrowserFactory> m_browsers;
    Platform m_platform;
};

} // namespace platform
