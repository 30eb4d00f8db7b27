#include "themepack/ThemePack.h"

#include "platform/Environment.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"

#include <QDir>
#include <QFileInfo>

namespace themepack {

QString noNameText()
{
    return QStringLiteral("[테마팩 이름 없음]");
}

QString noMakerNameText()
{
    return QStringLiteral("[제작자 이름 없음]");
}

QString noMakerUrlText()
{
    return QStringLiteral("[제작자 URL 없음]");
}

QString themeFolder(const QString &applicationFolder)
{
    return applicationFolder + QStringLiteral("/Ambrel");
}

QString themeFolder(const platform::Environment &env)
{
    return platform::folders::themeFolder(env);
}

QString packFolder(const QString &applicationFolder, const QString &packName)
{
    return themeFolder(applicationFolder) + QLatin1Char('/') + packName;
}

QString infoFile(const QString &applicationFolder, const QString &packName)
{
    return packFolder(applicationFolder, packName) + QLatin1Char('/') + packName
        + QLatin1String(kInfoSuffix);
}

QString picturePath(const QString &applicationFolder, const QString &packName, const QString &fileName)
{
    return packFolder(applicationFolder, packName) + QLatin1Char('/') + fileName;
}

PackInfo readInfoValues(const QString &infoFilePath)
{
    const QString section = QLatin1String(kInfoSection);
    return PackInfo{
        modINIControl::ReadIniValue(section, QLatin1String(kKeyName), infoFilePath),
        modINIControl::ReadIniValue(section, QLatin1String(kKeyMakerName), infoFilePath),
        modINIControl::ReadIniValue(section, QLatin1String(kKeyMakerUrl), infoFilePath),
    };
}

PackInfo readInfo(const QString &infoFilePath)
{
    // A missing file reads as three empty values, which all turn into placeholders.
    PackInfo info = fileExists(infoFilePath) ? readInfoValues(infoFilePath) : PackInfo{};
    if (info.name.isEmpty())
        info.name = noNameText();
    if (info.makerName.isEmpty())
        info.makerName = noMakerNameText();
    if (info.makerUrl.isEmpty())
        info.makerUrl = noMakerUrlText();
    return info;
}

QStringList listPacks(const QString &applicationFolder)
{
    const QDir dir(themeFolder(applicationFolder));
    if (!dir.exists())
        return {};
    return dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

bool fileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool folderExists(const QString &path)
{
    return QFileInfo(path).isDir();
}

QStringList missingCountedFiles(const QString &packFolderPath)
{
    QStringList missing;
    for (const PictureFile &f : kPictureFiles) {
        if (f.group != Group::Counted)
            continue;
        const QString name = tableText(f.fileName);
        if (!fileExists(packFolderPath + QLatin1Char('/') + name))
            missing << name;
    }
    return missing;
}

bool isUsablePackName(const QString &name)
{
    return platform::isSafeFileName(name);
}

} // namespace themepack
