#include "themepack/ThemePack.h"

#include "platform/Environment.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace themepack {

namespace {

// The folder part of a path and its last name, split at the last '/'.
std::pair<QString, QString> splitLast(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {QString(), path};
    return {slash == 0 ? QStringLiteral("/") : path.left(slash), path.mid(slash + 1)};
}

QString canonical(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

// True when the file (or the file a link at path points to) lies directly in
// the plain pack folder packFolderPath. A dangling link resolves to nothing.
bool resolvesInside(const QString &path, const QString &packFolderPath)
{
    const QString target = canonical(path);
    const QString folder = canonical(packFolderPath);
    return !target.isEmpty() && !folder.isEmpty() && splitLast(target).first == folder;
}

} // namespace

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
    if (!isUsablePackName(packName) || !platform::isSafeFileName(fileName))
        return {};
    const QString folder = packFolder(applicationFolder, packName);
    const QString path = folder + QLatin1Char('/') + fileName;
    const QFileInfo folderInfo(folder);
    if (!folderInfo.exists() && !folderInfo.isSymLink())
        return path;  // nothing there yet: where a writer would create the file
    if (!isPlainPackFolder(folder))
        return {};
    if (QFileInfo(path).isSymLink() && !resolvesInside(path, folder))
        return {};
    return path;
}

bool isPlainPackFolder(const QString &packFolderPath)
{
    const auto [parent, name] = splitLast(packFolderPath);
    if (parent.isEmpty() || !isUsablePackName(name))
        return false;
    const QFileInfo info(packFolderPath);
    if (info.isSymLink() || !info.isDir())
        return false;
    // Not a link itself, but the path might still pass through one below the
    // theme folder; the resolved folder must be the theme folder's own child.
    const QString parentCanonical = canonical(parent);
    if (parentCanonical.isEmpty())
        return false;
    const QString expected = parentCanonical.endsWith(QLatin1Char('/')) ? parentCanonical + name
                                                                        : parentCanonical + QLatin1Char('/') + name;
    return info.canonicalFilePath() == expected;
}

PackInfo readInfoValues(const QString &infoFilePath)
{
    // A linked information file may point anywhere; it is not the pack's.
    if (!fileExists(infoFilePath))
        return {};
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
    PackInfo info = readInfoValues(infoFilePath);
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
    const QString folder = themeFolder(applicationFolder);
    const QDir dir(folder);
    if (!dir.exists())
        return {};
    QStringList packs;
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name)) {
        if (isPlainPackFolder(folder + QLatin1Char('/') + name))
            packs << name;
    }
    return packs;
}

bool fileExists(const QString &path)
{
    const auto [folder, name] = splitLast(path);
    if (!platform::isSafeFileName(name) || !isPlainPackFolder(folder))
        return false;
    const QFileInfo info(path);
    return info.isFile() && resolvesInside(path, folder);
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

} // namespace themepack
