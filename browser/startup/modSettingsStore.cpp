#include "modSettingsStore.h"

#include "browser/core/VorlenApp.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "platform/linux/IniRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <unistd.h>

namespace modSettingsStore {

namespace {

// Removes the scratch copy and the lock file its writes left beside it.
void removeScratch(const QString &folder, const QString &name)
{
    QFile::remove(folder + QLatin1Char('/') + name);
    QFile::remove(folder + QStringLiteral("/.") + name + QStringLiteral(".lock"));
}

} // namespace

bool writeSettings(const platform::Environment &env, const Values &values,
                   const std::function<bool(int)> &interrupted)
{
    const QString path = platform::folders::settingsFile(env);
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    if (!QDir().mkpath(folder))
        return false;

    // The whole change happens on a private copy with the settings reader's own
    // rules; only the finished copy replaces the file, under the file's lock.
    const platform::FileLock lock(path);
    if (!lock.isHeld())
        return false;
    lock.removeStaleTemporaryFiles();

    QByteArray before;
    if (info.exists()) {
        QFile file(path);
        if (!info.isFile() || !file.open(QIODevice::ReadOnly))
            return false;
        before = file.readAll();
    }
    const QString scratchName = QStringLiteral(".%1.batch-%2-%3")
                                    .arg(info.fileName())
                                    .arg(::getpid())
                                    .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    const QString scratch = folder + QLatin1Char('/') + scratchName;
    if (info.exists() && !platform::writeFileAtomically(scratch, before)) {
        removeScratch(folder, scratchName);
        return false;
    }
    int applied = 0;
    for (const auto &[key, value] : values) {
        const settings::KeyInfo &k = settings::info(key);
        if (!modINIControl::WriteIniValue(QLatin1String(k.section), QLatin1String(k.name), value, scratch)) {
            removeScratch(folder, scratchName);
            return false;
        }
        ++applied;
        if (interrupted && interrupted(applied)) {
            removeScratch(folder, scratchName);
            return false;
        }
    }
    QFile copy(scratch);
    if (!copy.open(QIODevice::ReadOnly)) {
        removeScratch(folder, scratchName);
        return false;
    }
    const QByteArray after = copy.readAll();
    copy.close();
    removeScratch(folder, scratchName);
    if (info.exists() && after == before)
        return true;
    return platform::writeFileAtomically(path, after);
}

QString registryFile(VorlenApp &app)
{
    if (auto *ini = dynamic_cast<platform::IniRegistry *>(&app.platform().registry))
        return ini->filePath();
    return platform::IniRegistry::defaultFilePath();
}

bool writeStartPage(VorlenApp &app, QWidget *parent, const QString &address)
{
    if (app.platform().registry.write(QString::fromLatin1(platform::kStartPageKey),
                                      QString::fromLatin1(platform::kStartPageValue), address))
        return true;
    app.platform().dialogs.messageBox(
        parent,
        QStringLiteral("시작 문서를 저장하지 못했습니다.\n%1 파일에 쓸 수 없습니다.").arg(registryFile(app)),
        QStringLiteral("시작 문서 설정"), platform::MsgButtons::OK, platform::MsgIcon::Critical);
    return false;
}

} // namespace modSettingsStore
