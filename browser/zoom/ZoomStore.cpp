#include "ZoomStore.h"

#include "ZoomLadder.h"
#include "platform/FileIO.h"

#include <QFile>
#include <QUrl>

namespace {

constexpr const char *kHeader = "vorlen-zoom 1";
constexpr const char *kFileSite = "file:";

} // namespace

ZoomStore::ZoomStore(QString path)
    : m_path(std::move(path))
{
}

QString ZoomStore::siteOf(const QString &address)
{
    const QUrl url(address);
    if (url.isLocalFile())
        return QString::fromLatin1(kFileSite);
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return QString();
    const QString host = url.host(QUrl::FullyEncoded).toLower();
    return isValidSite(host) ? host : QString();
}

bool ZoomStore::isValidSite(const QString &site)
{
    if (site == QLatin1String(kFileSite))
        return true;
    // A host as an address gives it: letters, digits, '-', '.', and the
    // brackets and colons of an IPv6 address; nothing that could make a line.
    if (site.isEmpty() || site.size() > 255)
        return false;
    for (const QChar c : site) {
        const char16_t u = c.unicode();
        const bool ok = (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '-' || u == '.' || u == ':'
                        || u == '[' || u == ']' || u == '_';
        if (!ok)
            return false;
    }
    return true;
}

QByteArray ZoomStore::serialize(const QMap<QString, int> &levels)
{
    QByteArray out = QByteArray(kHeader) + '\n';
    for (auto it = levels.cbegin(); it != levels.cend(); ++it)
        out += it.key().toUtf8() + '\t' + QByteArray::number(it.value()) + '\n';
    return out;
}

QMap<QString, int> ZoomStore::parse(const QByteArray &bytes)
{
    QMap<QString, int> levels;
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != kHeader)
        return levels;
    for (qsizetype i = 1; i < lines.size() && levels.size() < kMaxSites; ++i) {
        const QList<QByteArray> fields = lines[i].trimmed().split('\t');
        if (fields.size() != 2)
            continue;
        const QString site = QString::fromUtf8(fields[0]);
        bool ok = false;
        const int percent = fields[1].toInt(&ok);
        if (!ok || !isValidSite(site) || percent < zoomLadder::kMinimum || percent > zoomLadder::kMaximum)
            continue;
        levels.insert(site, percent);
    }
    return levels;
}

QMap<QString, int> ZoomStore::levels() const
{
    QFile file(m_path);
    if (file.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.read(kMaxFileSize));
}

int ZoomStore::level(const QString &site) const
{
    return site.isEmpty() ? 0 : levels().value(site, 0);
}

bool ZoomStore::setLevel(const QString &site, int percent) const
{
    if (!isValidSite(site))
        return false;
    QMap<QString, int> all = levels();
    if (percent == 0)
        all.remove(site);
    else
        all.insert(site, zoomLadder::clamp(percent));
    // The file stays small: past the limit a new site is not kept.
    if (all.size() > kMaxSites)
        return false;
    return platform::writeFileAtomically(m_path, serialize(all));
}
