#include "WebAddress.h"

#include <QDir>

namespace platform {

bool isAboutAddress(const QString &address)
{
    return address.startsWith(QLatin1String("about:"), Qt::CaseInsensitive);
}

QUrl urlFromAddress(const QString &address, const QString &workingDirectory)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return QUrl(QStringLiteral("about:blank"));
    if (QDir::isAbsolutePath(text))
        return QUrl::fromLocalFile(QDir::cleanPath(text));
    const QUrl url = QUrl::fromUserInput(text, workingDirectory);
    // A network address needs a host to go to ("http://" alone has none).
    const QString scheme = url.scheme();
    const bool network = scheme == QLatin1String("http") || scheme == QLatin1String("https")
                         || scheme == QLatin1String("ftp");
    if (!url.isValid() || url.isEmpty() || (network && url.host().isEmpty()))
        return QUrl();
    return url;
}

bool isNavigableAddress(const QString &address, const QString &workingDirectory)
{
    return isAboutAddress(address) || urlFromAddress(address, workingDirectory).isValid();
}

} // namespace platform
