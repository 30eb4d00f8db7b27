#include "LinuxPlatform.h"

namespace platform {

namespace {

std::unique_ptr<WebBrowserFactory> browsersOrNone(std::unique_ptr<WebBrowserFactory> browsers)
{
    return browsers ? std::move(browsers) : std::make_unique<NoWebBrowsers>();
}

} // namespace

LinuxPlatform::LinuxPlatform()
    : LinuxPlatform(LinuxEnvironment::Overrides{})
{
}

LinuxPlatform::LinuxPlatform(LinuxEnvironment::Overrides overrides, const BrowserFactoryMaker &makeBrowsers)
    : m_environment(std::move(overrides))
    , m_browsers(browsersOrNone(makeBrowsers ? makeBrowsers(*this) : nullptr))
    , m_platform{m_environment, m_registry, m_system, m_processes, m_dialogs, *m_browsers}
{
}

// The factory's pages go before the other services, as they were made after them.
LinuxPlatform::~LinuxPlatform() = default;

WebBrowser *NoWebBrowsers::create(QWidget *)
{
    return nullptr;
}

Downloads &NoWebBrowsers::downloads()
{
    return m_downloads;
}

} // namespace platform
