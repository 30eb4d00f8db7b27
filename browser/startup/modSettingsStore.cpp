#include "modSettingsStore.h"

#include "platform/Platform.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "platform/linux/IniRegistry.h"

#include <QDir>
#include <QFileInfo>

namespace modSettingsStore {

bool writeSettings(const platform::Environment &env, const Values &values,
                   const std::function<bool(int)> &interrupted)
{
    const QString path = platform::folders::settingsFile(env);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QList<modINIControl::IniChange> changes;
    changes.reserve(values.size());
    for (const auto &[key, value] : values) {
        const settings::KeyInfo &k = settings::info(key);
        changes.append({QLatin1String(k.section), QLatin1String(k.name), value});
    }
    return modINIControl::WriteIniValues(changes, path, interrupted);
}

QString registryFile(platform::Platform &platform)
{
    if (auto *ini = dynamic_cast<platform::IniRegistry *>(&platform.registry))
        return ini->filePath();
    return platform::IniRegistry::defaultFilePath();
}

bool writeStartPage(platform::Platform &platform, QWidget *parent, const QString &address)
{
    if (platform.registry.write(QString::fromLatin1(platform::kStartPageKey),
                                      QString::fromLatin1(platform::kStartPageValue), address))
        return true;
    platform.dialogs.messageBox(
        parent,
        QStringLiteral("시작 문서를 저장하지 못했습니다.\n%1 파일에 쓸 수 없습니다.").arg(registryFile(platform)),
        QStringLiteral("시작 문서 설정"), platform::MsgButtons::OK, platform::MsgIcon::Critical);
    return false;
}

} // namespace modSettingsStore
