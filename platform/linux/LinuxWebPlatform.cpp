#include "LinuxWebPlatform.h"

#include "platform/Folders.h"
#include "platform/Installation.h"
#include "platform/linux/QtWebBrowserFactory.h"
#include "platform/linux/QtWebGeneratedPages.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

QList<ProcessVariable> engineVariables(const QString &assetFolder,
                                      const std::function<QByteArray(const char *)> &current)
{
    QList<ProcessVariable> variables;
    const QDir assets(assetFolder);
    // The spell-check dictionaries of an install are not beside the
    // executable, where the engine looks by itself.
    const QString dictionaries = assets.filePath(QStringLiteral("qtwebengine_dictionaries"));
    if (current("QTWEBENGINE_DICTIONARIES_PATH").isEmpty() && QFileInfo(dictionaries).isDir())
        variables.append({"QTWEBENGINE_DICTIONARIES_PATH", QFile::encodeName(dictionaries)});
    // The font aliases: a configuration that includes the system's and then
    // the aliases, found by its relative name on the config path. A user who
    // chose a configuration of their own keeps it.
    const QString fonts = assets.filePath(QStringLiteral("fontconfig"));
    const QString config = QDir(fonts).filePath(QStringLiteral("vorlen-fonts.conf"));
    if (current("FONTCONFIG_FILE").isEmpty() && QFileInfo(config).isFile()) {
        variables.append({"FONTCONFIG_FILE", QFile::encodeName(config)});
        QByteArray path = QFile::encodeName(fonts);
        const QByteArray before = current("FONTCONFIG_PATH");
        if (!before.isEmpty())
            path += ':' + before;
        variables.append({"FONTCONFIG_PATH", path});
    }
    return variables;
}

void prepareWebEngine()
{
    registerGeneratedPageScheme();
    // Before the QApplication exists the executable's folder comes from the
    // system; the assets lie where Installation says.
    const QString executableFolder = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
    const QString assets = installation::assetFolder(
        executableFolder, installation::inspect(executableFolder, installation::buildMarkedInstalled()));
    const auto current = [](const char *name) { return qgetenv(name); };
    for (const ProcessVariable &variable : engineVariables(assets, current))
        ::setenv(variable.name.constData(), variable.value.constData(), 1);
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
