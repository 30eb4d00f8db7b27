#include "FavoriteStore.h"

#include "platform/FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kSuffix = QStringLiteral(".sfm");

// Splits on CR LF, a lone LF or a lone CR.
QStringList splitLines(const QString &text)
{
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines << current;
            current.clear();
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        lines << current;
    return lines;
}

} // namespace

QString favoriteTitleRule(const QString &title)
{
    QString t = title;
    t.replace(u'\\', u'-');
    t.replace(u'/', u'-');
    t.replace(u':', QStringLiteral(" 대 "));
    t.replace(u'*', u'-');
    t.replace(u'?', u'-');
    t.replace(u'<', u'(');
    t.replace(u'>', u')');
    t.replace(u'|', u'_');
    t.replace(u'"', u'\'');
    return t;
}

FavoriteStore::FavoriteStore(QString folder)
    : m_folder(std::move(folder))
{
}

std::optional<QString> FavoriteStore::pathOf(const QString &fileBase) const
{
    if (!platform::isSafeFileName(fileBase) || !platform::isSafeFileName(fileBase + kSuffix))
        return std::nullopt;
    return m_folder + u'/' + fileBase + kSuffix;
}

QByteArray FavoriteStore::encode(const Favorite &favorite)
{
    // A line end inside a value would shift the lines after it.
    auto oneLine = [](QString v) {
        v.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        v.replace(u'\r', u' ');
        v.replace(u'\n', u' ');
        return v;
    };
    const QString text = oneLine(favorite.title) + QStringLiteral("\r\n") + oneLine(favorite.explanation)
        + QStringLiteral("\r\n") + oneLine(favorite.address) + QStringLiteral("\r\n");
    return text.toUtf8();
}

Favorite FavoriteStore::decode(const QByteArray &bytes)
{
    const QStringList lines = splitLines(platform::decodeText(bytes));
    Favorite f;
    f.title = lines.value(0);
    f.explanation = lines.value(1);
    f.address = lines.value(2);
    return f;
}

std::vector<FavoriteEntry> FavoriteStore::list() const
{
    std::vector<FavoriteEntry> entries;
    const QDir dir(m_folder);
    if (!dir.exists())
        return entries;
    QStringList names = dir.entryList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::Hidden, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    entries.reserve(size_t(names.size()));
    for (const QString &name : names) {
        if (!name.endsWith(kSuffix))   // the pattern matches case-blind
            continue;
        const QString base = name.chopped(kSuffix.size());
        if (auto f = read(base))
            entries.push_back({base, std::move(*f)});
    }
    return entries;
}

std::optional<Favorite> FavoriteStore::read(const QString &fileBase) const
{
    const auto path = pathOf(fileBase);
    if (!path)
        return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decode(file.readAll());
}

bool FavoriteStore::write(const Favorite &favorite, const QString &fileBase) const
{
    const auto path = pathOf(fileBase.isEmpty() ? favorite.title : fileBase);
    if (!path)
        return false;
    if (!QDir().mkpath(m_folder))
        return false;
    return platform::writeFileAtomically(*path, encode(favorite));
}

bool FavoriteStore::remove(const QString &fileBase) const
{
    const auto path = pathOf(fileBase);
    return path && QFile::remove(*path);
}
