#include "FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <iconv.h>
#include <limits>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

struct SplitPath
{
    QByteArray folder;   // with its trailing '/', or empty for the current folder
    QByteArray fileName;
};

std::optional<SplitPath> splitPath(const QString &path)
{
    const QByteArray target = QFile::encodeName(path);
    if (target.isEmpty() || target.endsWith('/'))
        return std::nullopt;
    const qsizetype slash = target.lastIndexOf('/');
    return SplitPath{slash >= 0 ? target.left(slash + 1) : QByteArray(), target.mid(slash + 1)};
}

// ".<name>.tmp-": the start of every temporary file written for <name>; the
// writer's process id, '-' and a random base-36 number follow.
QByteArray temporaryPrefix(const QByteArray &fileName)
{
    return '.' + fileName + ".tmp-";
}

// The writer's process id when rest (what follows the prefix) is "<pid>-<base36>".
std::optional<pid_t> temporaryWriter(QByteArrayView rest)
{
    const qsizetype dash = rest.indexOf('-');
    if (dash < 1 || dash > 10 || dash == rest.size() - 1 || rest.size() - dash - 1 > 13)
        return std::nullopt;
    qint64 pid = 0;
    for (const char c : rest.first(dash)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        pid = pid * 10 + (c - '0');
    }
    for (const char c : rest.sliced(dash + 1)) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')))
            return std::nullopt;
    }
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return std::nullopt;
    return pid_t(pid);
}

bool processRuns(pid_t pid)
{
    // EPERM: it runs, under another user.
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// Creates a fresh file beside the target. O_EXCL and O_NOFOLLOW make sure we
// never write into something that was already there (a leftover temporary file
// of a crashed run, or a link planted under a guessed name).
int createTemporary(const QByteArray &folder, const QByteArray &fileName, QByteArray *tempPath)
{
    const QByteArray prefix = folder + temporaryPrefix(fileName) + QByteArray::number(qint64(::getpid())) + '-';
    for (int attempt = 0; attempt < 16; ++attempt) {
        const quint64 r = QRandomGenerator::system()->generate64();
        *tempPath = prefix + QByteArray::number(r, 36);
        const int fd = ::open(tempPath->constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.isEmpty() ? "." : folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QString decodeCp949(const QByteArray &bytes)
{
    iconv_t cd = ::iconv_open("UTF-8", "CP949");
    if (cd == iconv_t(-1))
        return QString::fromLatin1(bytes);

    // A CP949 character takes at most two bytes and becomes at most three UTF-8
    // bytes; an invalid byte becomes U+FFFD (three bytes).
    QByteArray out(bytes.size() * 3 + 4, Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    char *outPtr = out.data();
    size_t outLeft = size_t(out.size());
    static constexpr char replacement[] = "\xEF\xBF\xBD";

    while (inLeft > 0) {
        if (::iconv(cd, &in, &inLeft, &outPtr, &outLeft) != size_t(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            break; // E2BIG cannot happen with the size above
        // Skip one undecodable byte and go on, so the rest of the file still reads.
        memcpy(outPtr, replacement, 3);
        outPtr += 3;
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    ::iconv_close(cd);
    out.truncate(outPtr - out.constData());
    return QString::fromUtf8(out);
}

} // namespace

bool writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    const std::optional<SplitPath> split = splitPath(path);
    if (!split)
        return false;
    const QByteArray &folder = split->folder;
    const QByteArray &fileName = split->fileName;
    const QByteArray target = folder + fileName;

    // Like the Windows profile functions, refuse to replace a file we may not write.
    struct stat old;
    const bool haveOld = ::lstat(target.constData(), &old) == 0;
    if (haveOld && S_ISREG(old.st_mode) && ::access(target.constData(), W_OK) != 0)
        return false;
    if (haveOld && S_ISDIR(old.st_mode))
        return false;

    QByteArray tempPath;
    const int fd = createTemporary(folder, fileName, &tempPath);
    if (fd < 0)
        return false;

    bool ok = writeAll(fd, bytes.constData(), bytes.size());
    if (ok && haveOld && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    // rename() replaces a symbolic link at the target instead of following it.
    ok = ok && ::rename(tempPath.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(tempPath.constData());
        return false;
    }
    syncFolder(folder);
    return true;
}

FileLock::FileLock(const QString &targetPath)
{
    const std::optional<SplitPath> split = splitPath(targetPath);
    if (!split)
        return;
    m_folder = split->folder;
    m_fileName = split->fileName;
    const QByteArray lockPath = m_folder + '.' + m_fileName + ".lock";
    // O_NONBLOCK only keeps the open from hanging on a pipe planted at the path;
    // such a thing is refused below.
    constexpr int flags = O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = ::open(lockPath.constData(), O_RDWR | flags, 0644);
    if (fd < 0 && errno == EACCES)
        fd = ::open(lockPath.constData(), O_RDONLY | flags, 0644);
    if (fd < 0)
        return;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return;
    }
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return;
    }
    m_fd = fd;
}

FileLock::~FileLock()
{
    // Closing the only descriptor of the open file releases the lock.
    if (m_fd >= 0)
        ::close(m_fd);
}

int FileLock::removeStaleTemporaryFiles() const
{
    if (m_fd < 0)
        return 0;
    const QByteArray prefix = temporaryPrefix(m_fileName);
    const int dirFd = ::open(m_folder.isEmpty() ? "." : m_folder.constData(),
                             O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return 0;
    DIR *dir = ::fdopendir(dirFd);
    if (!dir) {
        ::close(dirFd);
        return 0;
    }

    constexpr time_t kAbandonedAfterSeconds = 10 * 60;
    const time_t now = ::time(nullptr);
    const uid_t me = ::geteuid();
    int removed = 0;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        if (!name.startsWith(prefix))
            continue;
        const std::optional<pid_t> writer = temporaryWriter(name.sliced(prefix.size()));
        if (!writer)
            continue;
        struct stat st;
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)
            || st.st_uid != me)
            continue;
        const bool abandoned = now - st.st_mtime > kAbandonedAfterSeconds;
        if (!abandoned && processRuns(*writer))
            continue;
        if (::unlinkat(dirFd, entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(dir); // closes dirFd too
    return removed;
}

QString decodeText(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    const bool bom = view.startsWith("\xEF\xBB\xBF");
    if (bom)
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    // A byte-order mark says UTF-8: a damaged byte in such a file is a damaged
    // UTF-8 character (U+FFFD), not a sign of CP949.
    if (bom || !utf8.hasError())
        return text;
    return decodeCp949(bytes);
}

bool isSafeFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c.unicode() == 0)
            return false;
    }
    return true;
}

} // namespace platform
