#include "QuickFavorite.h"

#include "browser/panels/FavoriteStore.h"
#include "platform/FileIO.h"

#include <QTextBoundaryFinder>
#include <QUrl>

namespace quickFavorite {

namespace {

bool usable(const QString &base)
{
    // Checked on the name as it will be written.
    return !base.isEmpty() && platform::isSafeFileName(base) && platform::isSafeFileName(base + QLatin1String(".sfm"));
}

QString ruled(QString text)
{
    text.remove(QChar(u'\0'));
    text = favoriteTitleRule(text);
    // The separators became dashes; a name starting with a dot would be a
    // hidden file that the favorites list never shows.
    qsizetype start = 0;
    while (start < text.size() && (text[start] == u'.' || text[start] == u'-' || text[start].isSpace()))
        ++start;
    return text.mid(start).trimmed();
}

} // namespace

QString cutToBytes(const QString &text, int maxBytes)
{
    if (text.toUtf8().size() <= maxBytes)
        return text;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    qsizetype fits = 0;
    for (qsizetype at = characters.toNextBoundary(); at > 0; at = characters.toNextBoundary()) {
        if (text.left(at).toUtf8().size() > maxBytes)
            break;
        fits = at;
    }
    return text.left(fits);
}

QString fileBaseOf(const QString &title, const QString &address)
{
    if (const QString base = cutToBytes(ruled(title), kMaxFileBaseBytes).trimmed(); usable(base))
        return base;
    if (const QString host = cutToBytes(ruled(QUrl(address).host()), kMaxFileBaseBytes); usable(host))
        return host;
    return QStringLiteral("바로가기");
}

bool AddQuickFavorite(const FavoriteStore &store, const QString &title, const QString &address)
{
    const QString base = fileBaseOf(title, address);
    Favorite favorite;
    favorite.title = title.trimmed().isEmpty() ? base : title;
    favorite.explanation = QString::fromUtf8(kExplanation);
    favorite.address = address;
    return store.write(favorite, base);
}

} // namespace quickFavorite
