#include "ShippedFiles.h"

#include "platform/Environment.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace shipped {

namespace {

bool sameFolder(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// Copies the regular files and folders below from into to; links are left out.
bool copyTree(const QString &from, const QString &to)
{
    const QDir source(from);
    const QFileInfoList entries =
        source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink())
            continue;
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isDir()) {
            if (!QDir().mkdir(target) || !copyTree(entry.filePath(), target))
                return false;
        } else if (entry.isFile()) {
            if (!QFile::copy(entry.filePath(), target))
                return false;
        }
    }
    return true;
}

} // namespace

QString helpPage(const platform::Environment &env)
{
    for (const QString &folder : {env.applicationFolder(), env.dataFolder()}) {
        const QString path = QDir(folder).filePath(QString::fromUtf8(kHelpPage));
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString shippedThemeFolder(const platform::Environment &env)
{
    return env.dataFolder() + QLatin1String("/Ambrel");
}

QStringList installPacks(const platform::Environment &env)
{
    const QString source = shippedThemeFolder(env);
    const QString themes = platform::folders::themeFolder(env);
    QStringList copied;
    if (!QFileInfo(source).isDir() || sameFolder(source, themes))
        return copied;
    if (!QDir().mkpath(themes) || QFileInfo(themes).isSymLink())
        return copied;

    const QFileInfoList packs = QDir(source).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &pack : packs) {
        const QString name = pack.fileName();
        if (pack.isSymLink() || name.startsWith(u'.') || !platform::isSafeFileName(name))
            continue;
        const QString target = QDir(themes).filePath(name);
        // A pack the user has (shipped before, or made under the same name) stays as it is.
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        QTemporaryDir partial(QDir(themes).filePath(QStringLiteral(".") + name + QStringLiteral("-XXXXXX")));
        if (!partial.isValid() || !copyTree(pack.filePath(), partial.path()))
            continue;
        // A pack folder is readable by its user like any folder they make.
        QFile::setPermissions(partial.path(), QFile::permissions(partial.path()) | QFileDevice::ReadOwner
                                                  | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (QDir().rename(partial.path(), target)) {
            partial.setAutoRemove(false);
            copied << name;
        }
    }
    return copied;
}

} // namespace shipped
