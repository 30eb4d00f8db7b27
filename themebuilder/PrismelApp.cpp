#include "themebuilder/PrismelApp.h"

#include "platform/linux/LinuxPlatform.h"
#include "themebuilder/WizardStyle.h"
#include "themebuilder/frmMain.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace prismel {

int run(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("prismel"));

    // Qt's own texts (file dialog, context menus) in Korean, like the rest of the window.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Korean, QLocale::SouthKorea), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QFont font(QLatin1String(style::kFontFamily));
    font.setPointSizeF(9.5);
    QApplication::setFont(font);

    platform::LinuxPlatform services;
    frmMain window(services.platform());
    QObject::connect(&window, &frmMain::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();
    return app.exec();
}

} // namespace prismel
