#include "DownloadCommands.h"

#include "DownloadLog.h"
#include "frmDownloads.h"
#include "browser/core/VorlenApp.h"
#include "platform/Folders.h"

#include <QDir>

#include <memory>

namespace {

QString storePath(const platform::Environment &env)
{
    return QDir(platform::folders::profileFolder(env)).filePath(QStringLiteral("Downloads.txt"));
}

} // namespace

DownloadLog &installDownloadCommands(VorlenApp &app, QWidget &mainWindow)
{
    auto *log = new DownloadLog(app.platform().browsers.downloads(), DownloadStore(storePath(app.environment())),
                                &mainWindow);
    QObject::connect(log, &DownloadLog::storeFailed, &mainWindow, [&app, &mainWindow](const QString &path) {
        app.platform().dialogs.notice(&mainWindow, QStringLiteral("내려받기 목록을 저장하지 못했습니다.\n%1").arg(path),
                                      QStringLiteral("내려받기"), platform::MsgIcon::Exclamation);
    });

    auto slot = std::make_shared<WindowSlot<frmDownloads>>();
    app.commands().define(Command::Downloads, [&app, &mainWindow, log, slot] {
        frmDownloads &window = slot->open(&mainWindow, [&](QWidget *) {
            // Usable while the main window is locked.
            auto *made = new frmDownloads(app, *log, nullptr);
            attachToMainWindow(*made, mainWindow);
            return made;
        });
        showCentred(window, mainWindow);
    });
    return *log;
}
