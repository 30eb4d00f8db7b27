#include "modSubMain.h"

#include "BrowserAssembly.h"
#include "browser/startup/ShippedFiles.h"
#include "SessionWindows.h"
#include "browser/startup/modSystemCheck.h"
#include "platform/linux/LinuxWebPlatform.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

#include <cstdlib>
#include <unistd.h>

namespace modSubMain {

void Start(BrowserAssembly &app)
{
    // An installed copy gives each user the shipped theme packs in their own
    // theme folder, where the theme builder writes too.
    shipped::installPacks(app.environment());

    // The firewall offer comes before anything else is shown. A firewall whose
    // state no tool can tell is not reported as switched off.
    const std::optional<bool> firewall = app.platform().system.firewallEnabled();
    if (firewall.has_value() && !*firewall) {
        const auto answer = app.platform().dialogs.messageBox(
            nullptr,
            QStringLiteral("Windows 방화벽이 설정 되어있지 않습니다.\n"
                           "Windows 방화벽을 사용가능한 상태로 전환 하시겠습니까?"),
            QStringLiteral("Windows 방화벽 설정"), platform::MsgButtons::YesNo, platform::MsgIcon::Critical);
        if (answer == platform::MsgResult::Yes)
            modSystemCheck::SetFirewallEnabled(app.platform(), true);
    }

    // A session record left behind by a run that did not end cleanly leads to
    // the recovery wizard, which finishes the start; otherwise the main window
    // comes up where the user left it.
    app.windows().ShowStartWindow();
}

int Main(int argc, char **argv)
{
    // Chromium refuses to run its sandbox as root; only then is it switched off.
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    // The engine's own page scheme and language are set before the application exists.
    platform::prepareWebEngine();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorlen"));
    QApplication::setQuitOnLastWindowClosed(false);

    // Qt's own dialogs and the page's context menu speak Korean with the rest.
    QTranslator qtTranslator;
    QTranslator engineTranslator;
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qtTranslator.load(QLocale(QLocale::Korean), QStringLiteral("qtbase"), QStringLiteral("_"), translations))
        QApplication::installTranslator(&qtTranslator);
    if (engineTranslator.load(QLocale(QLocale::Korean), QStringLiteral("qtwebengine"), QStringLiteral("_"),
                              translations))
        QApplication::installTranslator(&engineTranslator);
    // Noto Sans CJK draws Latin text legibly at small sizes too: a dot in an
    // address stays a dot. Nanum Gothic stands in where Noto is missing.
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK KR"), QStringLiteral("NanumGothic")});
    font.setPointSize(9);
    QApplication::setFont(font);

    platform::LinuxWebPlatform system;
    BrowserAssembly app(system.platform());
    app.setQuitOnEnd(true);
    Start(app);
    if (app.ended())
        return 0;
    // The window is shown but not yet painted before the event loop runs.
    app.holdBarsUntilStartPage();
    return QApplication::exec();
}

} // namespace modSubMain
