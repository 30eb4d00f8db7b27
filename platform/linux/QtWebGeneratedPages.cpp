#include "QtWebGeneratedPages.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Status pages are a few kilobytes; anything far larger is not one of ours.
constexpr qint64 kMaxPageSize = 1024 * 1024;

QString schemeName()
{
    return QString::fromLatin1(kGeneratedPageScheme);
}

QString hostName()
{
    return QString::fromLatin1(kGeneratedPageHost);
}

} // namespace

void registerGeneratedPageScheme()
{
    const QByteArray name(kGeneratedPageScheme);
    if (!QWebEngineUrlScheme::schemeByName(name).name().isEmpty())
        return;
    QWebEngineUrlScheme scheme(name);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setDefaultPort(QWebEngineUrlScheme::PortUnspecified);
    // Not local (a local page may not go to the network) nor secure (a secure
    // page may not frame a plain http start page), but allowed to show local
    // files: the loading page leads on to a local start page and the start
    // page frame shows it. What such a page may not do with local files (read
    // them) the profile's request filter refuses.
    scheme.setFlags(QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

GeneratedPages::GeneratedPages(const QString &folder, const QStringList &names)
    : m_folder(folder.isEmpty() ? QString() : QDir::cleanPath(folder))
    , m_names(names)
{
}

QUrl GeneratedPages::engineUrl(const QUrl &url) const
{
    if (m_folder.isEmpty() || !url.isLocalFile() || url.hasQuery() || url.hasFragment())
        return url;
    const QFileInfo file(QDir::cleanPath(url.toLocalFile()));
    if (QDir::cleanPath(file.path()) != m_folder || !m_names.contains(file.fileName()))
        return url;
    QUrl page;
    page.setScheme(schemeName());
    page.setHost(hostName());
    page.setPath(QLatin1Char('/') + file.fileName());
    return page;
}

QString GeneratedPages::nameOf(const QUrl &url) const
{
    if (m_folder.isEmpty() || url.scheme() != schemeName() || url.host() != hostName() || url.hasQuery())
        return QString();
    const QString path = url.path();
    if (!path.startsWith(QLatin1Char('/')))
        return QString();
    const QString name = path.mid(1);
    return m_names.contains(name) ? name : QString();
}

QUrl GeneratedPages::fileUrl(const QUrl &url) const
{
    const QString path = filePathOf(url);
    return path.isEmpty() ? url : QUrl::fromLocalFile(path);
}

QString GeneratedPages::filePathOf(const QUrl &url) const
{
    const QString name = nameOf(url);
    return name.isEmpty() ? QString() : m_folder + QLatin1Char('/') + name;
}

std::optional<QByteArray> readGeneratedPage(const QString &path)
{
    // O_NOFOLLOW: a link planted under a page's name is refused, not followed;
    // O_NONBLOCK: a FIFO there cannot hold the engine up before it is refused.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()
        || info.st_size > kMaxPageSize) {
        ::close(fd);
        return std::nullopt;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray data = file.read(kMaxPageSize + 1);
    if (data.size() > kMaxPageSize || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

GeneratedPageHandler::GeneratedPageHandler(const GeneratedPages &pages, QObject *parent)
    : QWebEngineUrlSchemeHandler(parent)
    , m_pages(pages)
{
}

void GeneratedPageHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    // The browser's own navigations come without an initiator; the generated
    // pages are their own origin. Anybody else gets nothing.
    const QUrl initiator = job->initiator();
    const bool fromBrowser = initiator.isEmpty();
    const bool fromOwnPages = initiator.scheme() == schemeName() && initiator.host() == hostName();
    if ((!fromBrowser && !fromOwnPages) || job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QString path = m_pages.filePathOf(job->requestUrl());
    if (path.isEmpty()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    const std::optional<QByteArray> page = readGeneratedPage(path);
    if (!page) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto *body = new QBuffer(job);
    body->setData(*page);
    body->open(QIODevice::ReadOnly);
    // The pages start with a UTF-8 byte-order mark, which sets their encoding.
    job->reply(QByteArrayLiteral("text/html"), body);
}

} // namespace platform
