#include "QtWebRequestFilter.h"

#include "platform/linux/QtWebGeneratedPages.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

using Info = QWebEngineUrlRequestInfo;

bool isScheme(const QUrl &url, const char *scheme)
{
    return url.scheme().compare(QLatin1String(scheme), Qt::CaseInsensitive) == 0;
}

// Addresses whose content the page holds already: reading them reads nothing new.
bool isSelfContained(const QUrl &url)
{
    return isScheme(url, "data") || isScheme(url, "blob");
}

QString resolved(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    const QString canonical = QFileInfo(clean).canonicalFilePath();
    return canonical.isEmpty() ? clean : canonical;
}

} // namespace

bool isFrameableFile(const QString &path)
{
    static const char *const kinds[] = {"html", "htm", "xhtml", "xht", "shtml", "svg", "mht", "mhtml", "pdf"};
    const QFileInfo info(path);
    if (info.isDir())
        return false;
    const QString suffix = info.suffix();
    for (const char *kind : kinds) {
        if (suffix.compare(QLatin1String(kind), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool isDisplayRequest(Info::ResourceType type)
{
    switch (type) {
    case Info::ResourceTypeMainFrame:
    case Info::ResourceTypeSubFrame:
    case Info::ResourceTypeStylesheet:
    case Info::ResourceTypeScript:
    case Info::ResourceTypeImage:
    case Info::ResourceTypeFontResource:
    case Info::ResourceTypeObject:
    case Info::ResourceTypeMedia:
    case Info::ResourceTypeFavicon:
        return true;
    default:
        return false;
    }
}

bool isInsideFolder(const QString &path, const QString &folder)
{
    if (path.isEmpty() || folder.isEmpty())
        return false;
    const QString file = resolved(path);
    QString root = resolved(folder);
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    return file.startsWith(root);
}

bool isRequestAllowed(const QUrl &initiator, const QUrl &firstParty, const QUrl &target, Info::ResourceType type)
{
    const bool fromLocalPage = isScheme(initiator, "file");
    const bool fromGeneratedPage = isScheme(initiator, kGeneratedPageScheme);
    if (!fromLocalPage && !fromGeneratedPage)
        return true; // the browser itself, and web pages, whom the engine keeps off local files
    if (isSelfContained(target))
        return true;
    if (!isDisplayRequest(type)) {
        // A local page reads nothing; a generated page reads no local file.
        return fromGeneratedPage && !target.isLocalFile();
    }
    if (!fromLocalPage || !target.isLocalFile() || type == Info::ResourceTypeMainFrame)
        return true;
    // A navigation of the whole tab shows the other file as a page of its own;
    // a frame or a picture becomes part of this document and stays in its folder.
    if (!firstParty.isLocalFile())
        return true;
    // What a frame holds its page can read, so a local page frames documents
    // only (pages, drawings, PDF files), never a text or data file or a folder.
    const QString path = target.toLocalFile();
    if ((type == Info::ResourceTypeSubFrame || type == Info::ResourceTypeObject) && !isFrameableFile(path))
        return false;
    return isInsideFolder(path, QFileInfo(firstParty.toLocalFile()).path());
}

void QtWebRequestFilter::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (isRequestAllowed(info.initiator(), info.firstPartyUrl(), info.requestUrl(), info.resourceType()))
        return;
    ++m_blocked;
    info.block(true);
}

} // namespace platform
