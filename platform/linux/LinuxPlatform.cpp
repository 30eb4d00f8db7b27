#include "LinuxPlatform.h"

#include "platform/Folders.h"
#include "platform/linux/QtWebBrowserFactory.h"

namespace platform {

LinuxPlatform::LinuxPlatform()
    : LinuxPlatform(LinuxEnvironment::Overrides{})
{
}

LinuxPlatform::LinuxPlatform(LinuxEnvironment::Overrides overrides)
    : m_environment(std::move(overrides))
    , m_browsers(std::make_unique<QtWebBrowserFactory>(folders::engineFolder(m_environment)))
    , m_platform{m_environment, m_registry, m_system, m_processes, m_dialogs, *m_browsers}
{
}

// The factory's pages go before the other services, as they were made after them.
LinuxPlatform::~LinuxPlatform() = default;

} // namespace platform
