// libFuzzer harness for the settings-file reader and writer.
//
// Each input is split into a section name, a key name, a value, a flag and the
// file's bytes. The file is read with those names and with a few fixed ones;
// with the flag set the value is then written and two properties are checked:
// the value reads back as a read of the stored text must give it, and writing
// the same value again leaves the file byte for byte the same.

#include "platform/IniFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

using modINIControl::ReadIniValue;
using modINIControl::WriteIniValue;

namespace {

// A private folder for the one file every run rewrites, on tmpfs when there is one.
class Scratch
{
public:
    Scratch()
    {
        for (const char *root : {"/dev/shm", "/tmp"}) {
            QByteArray pattern = QByteArray(root) + "/vorlen-fuzz-XXXXXX";
            if (::mkdtemp(pattern.data())) {
                m_folder = QFile::decodeName(pattern);
                break;
            }
        }
        if (m_folder.isEmpty())
            std::abort();
        m_file = m_folder + QStringLiteral("/Setting.ini");
    }
    ~Scratch() { QDir(m_folder).removeRecursively(); }

    const QString &file() const { return m_file; }

private:
    QString m_folder;
    QString m_file;
};

const QString &settingsFile()
{
    static const Scratch scratch;
    return scratch.file();
}

void writePlain(const QString &path, const std::string &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        std::abort();
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            std::abort();
        done += size_t(n);
    }
    ::close(fd);
}

QByteArray readPlain(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\v' || u == u'\f';
}

QString trimmedBlanks(QStringView s)
{
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s.toString();
}

QStringView upToNul(QStringView s)
{
    const qsizetype nul = s.indexOf(QChar(0));
    return nul < 0 ? s : s.first(nul);
}

// What a writer stores for a value: cut at NUL, line breaks as blanks, no blanks at the ends.
QString storedText(const QString &value)
{
    QString v = upToNul(value).toString();
    v.replace(u'\r', u' ');
    v.replace(u'\n', u' ');
    return trimmedBlanks(v);
}

// What a read gives for a stored value: one pair of enclosing quotes dropped, at
// most 511 characters, never half a surrogate pair.
QString readOf(QString stored)
{
    if (stored.size() >= 2 && (stored.front() == u'"' || stored.front() == u'\'') && stored.back() == stored.front())
        stored = stored.sliced(1, stored.size() - 2);
    if (stored.size() > 511) {
        qsizetype n = 511;
        if (stored[n - 1].isHighSurrogate())
            --n;
        stored.truncate(n);
    }
    return stored;
}

bool writableNames(const QString &section, const QString &key)
{
    const QString s = trimmedBlanks(upToNul(section));
    const QString k = trimmedBlanks(upToNul(key));
    if (s.isEmpty() || k.isEmpty())
        return false;
    if (s.contains(u']') || s.contains(u'\n') || s.contains(u'\r'))
        return false;
    return !k.contains(u'=') && !k.contains(u'\n') && !k.contains(u'\r') && k.front() != u'[' && k.front() != u';';
}

[[noreturn]] void fail(const char *what, const QString &detail = QString())
{
    std::fprintf(stderr, "ini_fuzzer: %s %s\n", what, detail.toUtf8().constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString section = QString::fromUtf8(input.ConsumeRandomLengthString(48));
    const QString key = QString::fromUtf8(input.ConsumeRandomLengthString(48));
    const QString value = QString::fromUtf8(input.ConsumeRandomLengthString(700));
    const bool alsoWrite = input.ConsumeBool();
    const std::string fileBytes = input.ConsumeRemainingBytesAsString();

    const QString &path = settingsFile();
    writePlain(path, fileBytes);

    const QString fallback = QStringLiteral("\u2400default");
    const QString read = ReadIniValue(section, key, path, fallback);
    if (read.size() > 511)
        fail("read longer than 511 characters");
    for (const char *name : {"Vorlen Setting", "Ambrel Setting", "S"}) {
        for (const char *k : {"k", "ThemeName", "PurgelValue"}) {
            if (ReadIniValue(QLatin1String(name), QLatin1String(k), path).size() > 511)
                fail("read longer than 511 characters");
        }
    }
    if (!alsoWrite)
        return 0;

    const bool written = WriteIniValue(section, key, value, path);
    if (written != writableNames(section, key))
        fail(written ? "write with unusable names succeeded" : "write failed", section + u'|' + key);
    if (!written)
        return 0;

    const QString expected = readOf(storedText(value));
    const QString back = ReadIniValue(section, key, path, fallback);
    if (back != expected)
        fail("value does not read back:", back + QStringLiteral(" != ") + expected);

    const QByteArray once = readPlain(path);
    if (!WriteIniValue(section, key, value, path))
        fail("second write failed");
    if (readPlain(path) != once)
        fail("second write of the same value changed the file");
    return 0;
}
