#include "NoteStore.h"

#include "platform/FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {
const QString kSuffix = QStringLiteral(".stf");
}

NoteStore::NoteStore(QString folder)
    : m_folder(std::move(folder))
{
}

bool NoteStore::isValidName(const QString &name)
{
    return platform::isSafeFileName(name) && platform::isSafeFileName(name + kSuffix);
}

std::optional<QString> NoteStore::pathOf(const QString &name) const
{
    if (!isValidName(name))
        return std::nullopt;
    return m_folder + u'/' + name + kSuffix;
}

bool NoteStore::ensureFolder() const
{
    return QDir().mkpath(m_folder);
}

QStringList NoteStore::names() const
{
    QStringList files =
        QDir(m_folder).entryList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::Hidden, QDir::NoSort);
    QStringList result;
    for (const QString &f : files) {
        if (f.endsWith(kSuffix))   // the pattern matches case-blind
            result << f.chopped(kSuffix.size());
    }
    std::sort(result.begin(), result.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return result;
}

bool NoteStore::exists(const QString &name) const
{
    const auto path = pathOf(name);
    return path && QFileInfo(*path).isFile();
}

QByteArray NoteStore::encode(const QString &text)
{
    // Lines end with CR LF on disk and with LF in the text field.
    QString onDisk = text;
    onDisk.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    onDisk.replace(u'\n', QStringLiteral("\r\n"));
    return (onDisk + QStringLiteral("\r\n")).toUtf8();
}

QString NoteStore::decode(const QByteArray &bytes)
{
    QString text = platform::decodeText(bytes);
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    else if (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::optional<QString> NoteStore::load(const QString &name) const
{
    const auto path = pathOf(name);
    if (!path)
        return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decode(file.readAll());
}

bool NoteStore::save(const QString &name, const QString &text) const
{
    const auto path = pathOf(name);
    if (!path || !ensureFolder())
        return false;
    return platform::writeFileAtomically(*path, encode(text));
}

bool NoteStore::remove(const QString &name) const
{
    const auto path = pathOf(name);
    return path && QFile::remove(*path);
}
