#include "LinuxWebPlatform.h"

#include "platform/Folders.h"
#include "platform/linux/QtWebBrowserFactory.h"
#include "platform/linux/QtWebGeneratedPages.h"

#include <QByteArray>

#include <cstdlib>

namespace platform {

namespace {

std::unique_ptr<WebBrowserFactory> makeBrowsers(LinuxPlatform &services)
{
    auto browsers = std::make_unique<QtWebBrowserFactory>(folders::engineFolder(services.environment()),
                                                          services.dialogs());
    browsers->setGeneratedPages(services.environment().tempFolder(), QtWebBrowserFactory::generatedPageNames());
    return browsers;
}

} // namespace

void prepareWebEngine()
{
    registerGeneratedPageScheme();
    // The engine takes its language from its --lang switch, read once at its
    // start; the flags variable is how a program hands it switches.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--lang")) {
        flags = flags.trimmed();
        flags += flags.isEmpty() ? "--lang=ko" : " --lang=ko";
        ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.constData(), 1);
    }
}

LinuxWebPlatform::LinuxWebPlatform()
    : LinuxWebPlatform(LinuxEnvironment::Overrides{})
{
}

LinuxWebPlatform::LinuxWebPlatform(LinuxEnvironment::Overrides overrides)
    : LinuxPlatform(std::move(overrides), makeBrowsers)
{
}

QtWebBrowserFactory &LinuxWebPlatform::browsers()
{
    return static_cast<QtWebBrowserFactory &>(platform().browsers);
}

} // namespace platform
