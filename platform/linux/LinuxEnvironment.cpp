#include "LinuxEnvironment.h"

#include "platform/FileIO.h"
#include "platform/Installation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

bool isWritableFolder(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir()
        && ::access(QFile::encodeName(path).constData(), W_OK | X_OK) == 0;
}

QString userDataFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return withoutTrailingSlash(QDir::cleanPath(base)) + QStringLiteral("/vorlen");
}

QString passwordDatabaseName()
{
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? size_t(size) : 16384);
    passwd entry{};
    passwd *result = nullptr;
    while (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &result) == ERANGE
           && buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    if (!result || !result->pw_name)
        return {};
    return QString::fromLocal8Bit(result->pw_name);
}

} // namespace

LinuxEnvironment::LinuxEnvironment()
    : LinuxEnvironment(Overrides{})
{
}

LinuxEnvironment::LinuxEnvironment(Overrides overrides)
    : m_overrides(std::move(overrides))
{
}

LinuxEnvironment::~LinuxEnvironment()
{
    // Only succeeds when the folder is empty: the generated pages are deleted at
    // exit, and anything left behind is better kept than lost.
    if (!m_madeTempFolder.isEmpty())
        ::rmdir(QFile::encodeName(m_madeTempFolder).constData());
}

QString LinuxEnvironment::applicationFolder() const
{
    if (!m_applicationFolder.isEmpty())
        return m_applicationFolder;

    if (!m_overrides.applicationFolder.isEmpty()) {
        m_applicationFolder = withoutTrailingSlash(QDir::cleanPath(m_overrides.applicationFolder));
        QDir().mkpath(m_applicationFolder);
        return m_applicationFolder;
    }

    const QString exeFolder = withoutTrailingSlash(QCoreApplication::applicationDirPath());
    const installation::Facts facts = installation::inspect(exeFolder, installation::buildMarkedInstalled());
    if (installation::writableFolderOf(facts) == installation::WritableFolder::BesideExecutable) {
        m_applicationFolder = exeFolder;
    } else {
        m_applicationFolder = userDataFolder();
        QDir().mkpath(m_applicationFolder);
    }
    return m_applicationFolder;
}

QString LinuxEnvironment::userName() const
{
    // The name becomes a folder name, so a value that could leave the UserData
    // folder is not taken.
    const QString fromDatabase = passwordDatabaseName();
    if (isSafeFileName(fromDatabase))
        return fromDatabase;
    for (const char *variable : {"USER", "LOGNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (isSafeFileName(name))
            return name;
    }
    return QString::number(::geteuid());
}

QString LinuxEnvironment::tempFolder() const
{
    // The folder is checked again at every use: a private folder that was removed
    // or replaced since (a temp cleaner, another user) must not be written into.
    if (!m_tempFolder.isEmpty()) {
        const bool stillGood = m_tempIsPrivate ? makePrivateFolder(m_tempFolder) : isWritableFolder(m_tempFolder);
        if (stillGood)
            return m_tempFolder;
    }
    m_tempFolder = resolveTempFolder();
    return m_tempFolder;
}

QString LinuxEnvironment::resolveTempFolder() const
{
    const QString temp = m_overrides.tempVariable ? *m_overrides.tempVariable : qEnvironmentVariable("TEMP");
    if (!temp.isEmpty() && QDir::isAbsolutePath(temp)) {
        const QString folder = withoutTrailingSlash(QDir::cleanPath(temp));
        QDir().mkpath(folder);
        if (isWritableFolder(folder)) {
            m_tempIsPrivate = false;
            return folder;
        }
    }
    m_tempIsPrivate = true;

    const QString runtime = m_overrides.runtimeFolder ? *m_overrides.runtimeFolder
                                                      : qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir()) {
        const QString folder = withoutTrailingSlash(QDir::cleanPath(runtime)) + QStringLiteral("/vorlen");
        if (makePrivateFolder(folder))
            return folder;
    }

    const QString root = withoutTrailingSlash(
        QDir::cleanPath(m_overrides.tmpRoot.isEmpty() ? QDir::tempPath() : m_overrides.tmpRoot));
    const QString shared = root + QStringLiteral("/vorlen-") + QString::number(::geteuid());
    if (makePrivateFolder(shared))
        return shared;

    // Someone else holds our usual name: take a folder nobody can have prepared.
    if (!m_madeTempFolder.isEmpty() && makePrivateFolder(m_madeTempFolder))
        return m_madeTempFolder;
    QByteArray pattern = QFile::encodeName(shared + QStringLiteral("-XXXXXX"));
    if (::mkdtemp(pattern.data())) {
        m_madeTempFolder = QFile::decodeName(pattern);
        return m_madeTempFolder;
    }
    // Nothing private could be made. The shared temp folder is the last resort;
    // page writes there still never follow a link (writeFileAtomically).
    m_tempIsPrivate = false;
    return root;
}

QString LinuxEnvironment::dataFolder() const
{
    if (!m_overrides.dataFolder.isEmpty())
        return withoutTrailingSlash(QDir::cleanPath(m_overrides.dataFolder));
    const QString exeFolder = withoutTrailingSlash(QCoreApplication::applicationDirPath());
    return installation::assetFolder(exeFolder, installation::inspect(exeFolder, installation::buildMarkedInstalled()));
}

bool LinuxEnvironment::makePrivateFolder(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    // O_NOFOLLOW refuses a symbolic link at the path; the checks then run on the
    // opened folder itself, so it cannot be swapped between check and use.
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st{};
    bool ok = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
    if (ok && (st.st_mode & 07777) != 0700)
        ok = ::fchmod(fd, 0700) == 0;
    ::close(fd);
    return ok;
}

} // namespace platform
