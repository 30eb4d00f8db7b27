#include "IniFile.h"

#include "FileIO.h"

#include <QFile>

#include <cerrno>
#include <optional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace modINIControl {

namespace {

// The caller's buffer holds 512 characters including the terminating NUL.
constexpr qsizetype kMaxValueLength = 511;

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\v' || u == u'\f';
}

QStringView trimmed(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

bool sameName(QStringView a, QStringView b)
{
    // Simple case folding maps one code point to one, so equal names have equal
    // lengths; the cheap test skips most lines.
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// Arguments reach the Windows functions as C strings: whatever follows a NUL is lost.
QStringView upToNul(QStringView s)
{
    const qsizetype nul = s.indexOf(QChar(0));
    return nul < 0 ? s : s.first(nul);
}

enum class FileState { Missing, Read, Failed };

// Reads the whole file with one open and one pass of read(). Only regular files
// count: a folder, a pipe or a device at the path is never read (a pipe would
// block the caller).
FileState readFile(const QString &path, QByteArray *bytes)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileState::Missing : FileState::Failed;

    FileState state = FileState::Failed;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        bytes->resize(qsizetype(st.st_size) + 1);
        qsizetype used = 0;
        state = FileState::Read;
        for (;;) {
            if (used == bytes->size())
                bytes->resize(used * 2);
            const ssize_t n = ::read(fd, bytes->data() + used, size_t(bytes->size() - used));
            if (n > 0) {
                used += n;
            } else if (n == 0) {
                break;
            } else if (errno != EINTR) {
                state = FileState::Failed;
                break;
            }
        }
        bytes->truncate(used);
    }
    ::close(fd);
    return state;
}

// CR LF, LF and CR alone all end a line, as files from any system have them.
// Where the line starting at pos ends (the index of its line end, or the size).
qsizetype endOfLine(QStringView text, qsizetype pos)
{
    const char16_t *data = text.utf16();
    const qsizetype size = text.size();
    while (pos < size && data[pos] != u'\n' && data[pos] != u'\r')
        ++pos;
    return pos;
}

// Where the next line starts, given the index of a line end.
qsizetype afterLineEnd(QStringView text, qsizetype lineEnd)
{
    if (lineEnd >= text.size())
        return text.size();
    if (text[lineEnd] == u'\r' && lineEnd + 1 < text.size() && text[lineEnd + 1] == u'\n')
        return lineEnd + 2;
    return lineEnd + 1;
}

// Where a key sits in the file text, or where it would go.
struct Location
{
    bool sectionFound = false;
    bool keyFound = false;
    // Key found: the value's characters, blanks around them excluded. A key line
    // without '=' has an empty value at the end of its text.
    qsizetype valueStart = -1;
    qsizetype valueEnd = -1;
    bool keyHasEquals = true;
    // Section found, key missing: after the section's last key line (or after
    // its header when it has no keys), before its trailing blank and comment lines.
    qsizetype insertAt = -1;
    bool insertNeedsLineEnd = false; // that line is the file's last and has no line end
};

// One pass over the lines. As on Windows only the first section of that name
// counts, and in it the first key of that name. A '[' line without ']' is no
// header; a ';' line is a comment.
Location locate(QStringView text, QStringView section, QStringView key)
{
    Location loc;
    bool inSection = false;
    const qsizetype size = text.size();
    qsizetype pos = 0;
    while (pos < size) {
        const qsizetype lineEnd = endOfLine(text, pos);
        const bool lastWithoutEnd = lineEnd == size;
        const qsizetype next = afterLineEnd(text, lineEnd);

        qsizetype b = pos;
        qsizetype e = lineEnd;
        while (b < e && isBlank(text[b]))
            ++b;
        while (e > b && isBlank(text[e - 1]))
            --e;
        pos = next;
        if (b == e)
            continue;

        const QChar first = text[b];
        if (first == u'[') {
            const qsizetype close = text.sliced(b, e - b).indexOf(u']');
            if (close >= 0) {
                if (inSection)
                    return loc; // the first matching section ends here
                if (sameName(trimmed(text.sliced(b + 1, close - 1)), section)) {
                    inSection = true;
                    loc.sectionFound = true;
                    loc.insertAt = next;
                    loc.insertNeedsLineEnd = lastWithoutEnd;
                }
                continue;
            }
        }
        if (!inSection || first == u';')
            continue;

        loc.insertAt = next;
        loc.insertNeedsLineEnd = lastWithoutEnd;
        const QStringView line = text.sliced(b, e - b);
        const qsizetype equals = line.indexOf(u'=');
        if (!sameName(trimmed(equals < 0 ? line : line.first(equals)), key))
            continue;

        loc.keyFound = true;
        if (equals < 0) {
            loc.keyHasEquals = false;
            loc.valueStart = loc.valueEnd = e;
        } else {
            qsizetype v = b + equals + 1;
            while (v < e && isBlank(text[v]))
                ++v;
            loc.valueStart = v;
            loc.valueEnd = e;
        }
        return loc;
    }
    return loc;
}

// Lines we add end in CR LF as on Windows, except in a file whose first line ends
// in LF alone: there they end like the lines around them.
QLatin1String lineEnding(QStringView text)
{
    const qsizetype end = endOfLine(text, 0);
    if (end < text.size() && text[end] == u'\n')
        return QLatin1String("\n");
    return QLatin1String("\r\n");
}

QString limited(QStringView value)
{
    if (value.size() > kMaxValueLength) {
        qsizetype n = kMaxValueLength;
        // Never leave half of a surrogate pair at the cut.
        if (value[n - 1].isHighSurrogate())
            --n;
        value = value.first(n);
    }
    return value.toString();
}

} // namespace

QString ReadIniValue(const QString &section, const QString &key, const QString &filePath,
                     const QString &defaultValue)
{
    const QStringView sectionName = trimmed(upToNul(section));
    const QStringView keyName = trimmed(upToNul(key));
    QByteArray bytes;
    if (sectionName.isEmpty() || keyName.isEmpty() || readFile(filePath, &bytes) != FileState::Read)
        return limited(upToNul(defaultValue));

    const QString text = platform::decodeText(bytes);
    const Location loc = locate(text, sectionName, keyName);
    if (!loc.keyFound)
        return limited(upToNul(defaultValue));

    QStringView value = QStringView(text).sliced(loc.valueStart, loc.valueEnd - loc.valueStart);
    // One pair of matching quotes around the whole value is dropped.
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return limited(upToNul(value));
}

namespace {

// A change with its names checked and its value flattened, ready to apply.
struct CheckedChange
{
    QString section;
    QString key;
    QString value;
};

std::optional<CheckedChange> check(const IniChange &change)
{
    const QStringView sectionName = trimmed(upToNul(change.section));
    const QStringView keyName = trimmed(upToNul(change.key));
    // Names that would read back as something else, or break the line structure,
    // are refused rather than written.
    if (sectionName.isEmpty() || keyName.isEmpty())
        return std::nullopt;
    if (sectionName.contains(u']') || sectionName.contains(u'\n') || sectionName.contains(u'\r'))
        return std::nullopt;
    if (keyName.contains(u'=') || keyName.contains(u'\n') || keyName.contains(u'\r')
        || keyName.front() == u'[' || keyName.front() == u';')
        return std::nullopt;
    // A line break inside the value would start a new line that reads as another
    // key; it becomes a blank instead. Blanks at the value's ends are not stored:
    // a read drops them anyway, and kept they would pile up before the blanks of
    // the old value at every save of the same text.
    QString flattened = upToNul(change.value).toString();
    flattened.replace(u'\r', u' ');
    flattened.replace(u'\n', u' ');
    return CheckedChange{sectionName.toString(), keyName.toString(), trimmed(flattened).toString()};
}

// The text with one key set: replaced in place, appended to its section, or
// appended in a new section at the end.
QString applied(const QString &text, const CheckedChange &c, QLatin1String eol)
{
    const Location loc = locate(text, c.section, c.key);
    QString out;
    if (loc.keyFound) {
        const QString replacement = loc.keyHasEquals ? c.value : u'=' + c.value;
        out.reserve(text.size() + replacement.size());
        out.append(QStringView(text).first(loc.valueStart));
        out.append(replacement);
        out.append(QStringView(text).sliced(loc.valueEnd));
    } else if (loc.sectionFound) {
        QString line;
        if (loc.insertNeedsLineEnd)
            line += eol;
        line.append(c.key).append(u'=').append(c.value).append(eol);
        out.reserve(text.size() + line.size());
        out.append(QStringView(text).first(loc.insertAt));
        out.append(line);
        out.append(QStringView(text).sliced(loc.insertAt));
    } else {
        out = text;
        if (!out.isEmpty() && !out.endsWith(u'\n') && !out.endsWith(u'\r'))
            out += eol;
        out.append(u'[').append(c.section).append(u']').append(eol);
        out.append(c.key).append(u'=').append(c.value).append(eol);
    }
    return out;
}

} // namespace

bool WriteIniValue(const QString &section, const QString &key, const QString &value,
                   const QString &filePath)
{
    return WriteIniValues({{section, key, value}}, filePath);
}

bool WriteIniValues(const QList<IniChange> &changes, const QString &filePath,
                    const std::function<bool(int)> &abandonAfter)
{
    QList<CheckedChange> checked;
    checked.reserve(changes.size());
    for (const IniChange &change : changes) {
        const auto c = check(change);
        if (!c)
            return false;
        checked.append(*c);
    }

    // The read, the changes and the rename happen under the file's lock, so a
    // second writer (another process, another thread) starts from our result
    // instead of overwriting it with its own older copy.
    const platform::FileLock lock(filePath);
    if (!lock.isHeld())
        return false;
    lock.removeStaleTemporaryFiles();

    QByteArray bytes;
    const FileState state = readFile(filePath, &bytes);
    if (state == FileState::Failed)
        return false; // never replace a file we could not read

    const bool hadBom = bytes.startsWith(kUtf8Bom);
    QString text = platform::decodeText(bytes);
    const QLatin1String eol = lineEnding(text);
    int done = 0;
    for (const CheckedChange &c : checked) {
        text = applied(text, c, eol);
        if (abandonAfter && abandonAfter(++done))
            return false;
    }

    QByteArray newBytes = text.toUtf8();
    if (hadBom)
        newBytes.prepend(kUtf8Bom);
    if (state == FileState::Read && newBytes == bytes)
        return true; // nothing changed on disk
    return platform::writeFileAtomically(filePath, newBytes);
}

} // namespace modINIControl
