#include "FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

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
    for (int attempt = 0; attempt < 16; ++attempt) {
        const quint64 r = QRandomGenerator::system()->generate64();
        *tempPath = folder + '.' + fileName + ".tmp-" + QByteArray::number(r, 36);
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
    const QByteArray target = QFile::encodeName(path);
    if (target.isEmpty() || target.endsWith('/'))
        return false;
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash >= 0 ? target.left(slash + 1) : QByteArray();
    const QByteArray fileName = target.mid(slash + 1);

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
