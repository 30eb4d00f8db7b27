#include "SearchEngines.h"

#include <QUrl>

namespace {
QString latin(std::string_view s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}
} // namespace

const SearchEngineEntry &searchEngineEntry(SearchEngine engine)
{
    for (const SearchEngineEntry &e : kSearchEngines) {
        if (e.engine == engine)
            return e;
    }
    return kSearchEngines.front();
}

QString searchAddress(SearchEngine engine, const QString &text)
{
    const SearchEngineEntry &e = searchEngineEntry(engine);
    const QString value = QString::fromLatin1(QUrl::toPercentEncoding(text));
    return QStringLiteral("https://") + latin(e.host) + latin(e.path) + u'?' + latin(e.query) + value
        + latin(e.suffix);
}
