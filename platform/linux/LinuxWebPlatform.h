#pragma once

#include "platform/linux/LinuxPlatform.h"

#include <QByteArray>
#include <QList>

#include <functional>

namespace platform {

class QtWebBrowserFactory;

// Prepares the process for the page engine. Call it first thing in main(),
// before the QApplication is made: it registers the scheme of the generated
// pages and has the engine speak Korean (its own texts, such as form
// validation messages), unless the engine's flags already name a language.
// It also sets the variables of engineVariables for the program's assets.
void prepareWebEngine();

struct ProcessVariable
{
    QByteArray name;
    QByteArray value;
};

// The process variables that hand the engine the program's assets in
// assetFolder, given the values the process has now (current): the folder of
// the spell-check dictionaries, and a font configuration of the system's plus
// the Korean face aliases (FONTCONFIG_FILE, with the alias folder first on
// FONTCONFIG_PATH), set before anything reads the fonts so that the engine's
// helper processes inherit them. A variable the user set is left alone;
// assets that are missing set nothing.
QList<ProcessVariable> engineVariables(const QString &assetFolder,
                                      const std::function<QByteArray(const char *)> &current);

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
