#include "Installation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace platform::installation {

Kind kindOf(const Facts &facts)
{
    if (facts.markedInstalled || (facts.inPrefixBin && facts.prefixDataBeside))
        return Kind::Installed;
    return Kind::Portable;
}

WritableFolder writableFolderOf(const Facts &facts)
{
    // Being root, or owning the prefix, says nothing about where a copy
    // belongs: only the layout does.
    if (kindOf(facts) == Kind::Installed)
        return WritableFolder::UserData;
    return facts.folderWritable ? WritableFolder::BesideExecutable : WritableFolder::UserData;
}

Facts inspect(const QString &executableFolder, bool markedInstalled)
{
    Facts facts;
    const QString folder = QDir::cleanPath(executableFolder);
    facts.inPrefixBin = QFileInfo(folder).fileName() == QLatin1String("bin");
    facts.prefixDataBeside = QFileInfo(folder + QStringLiteral("/../share/vorlen")).isDir();
    facts.markedInstalled = markedInstalled;
    facts.folderWritable = !folder.isEmpty() && QFileInfo(folder).isDir()
        && ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
    facts.root = ::geteuid() == 0;
    return facts;
}

QString assetFolder(const QString &executableFolder, const Facts &facts)
{
    const QString folder = QDir::cleanPath(executableFolder);
    if (facts.inPrefixBin && facts.prefixDataBeside)
        return QDir::cleanPath(folder + QStringLiteral("/../share/vorlen"));
    return folder;
}

bool buildMarkedInstalled()
{
#ifdef VORLEN_MARKED_INSTALLED
    return true;
#else
    return false;
#endif
}

} // namespace platform::installation
