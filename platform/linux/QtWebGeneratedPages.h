#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

#include <optional>

namespace platform {

// The program's generated pages (status pages written into the TEMP folder) are
// shown through a URL scheme of the program's own, vorlen://local/<name>, not as
// files: a page of that scheme counts as a site of its own, so it may lead to
// web addresses (a refresh, a link, a frame), while local files stay unable to
// reach the network or read one another. A generated page may show a local
// file (the user's start page) but not read one (see QtWebRequestFilter). The browser keeps naming the pages by
// their file paths; the control maps between the two (see QtWebBrowser).
inline constexpr char kGeneratedPageScheme[] = "vorlen";
inline constexpr char kGeneratedPageHost[] = "local";

// Registers the scheme with the engine. Call it before the QApplication is made
// (see prepareWebEngine); calling it again does nothing.
void registerGeneratedPageScheme();

// Which files are generated pages: the given names, in the one folder.
class GeneratedPages
{
public:
    GeneratedPages() = default;
    GeneratedPages(const QString &folder, const QStringList &names);

    QString folder() const { return m_folder; }
    QStringList names() const { return m_names; }

    // The URL the engine loads for url: the file URL of a generated page
    // becomes its scheme URL; every other URL stays as it is.
    QUrl engineUrl(const QUrl &url) const;
    // The reverse: the scheme URL of a generated page becomes its file URL.
    QUrl fileUrl(const QUrl &url) const;
    // The page's file name for its scheme URL; empty when url names no generated page.
    QString nameOf(const QUrl &url) const;
    // The page's file for its scheme URL; empty when url names no generated page.
    QString filePathOf(const QUrl &url) const;

private:
    QString m_folder; // cleaned, without a trailing separator
    QStringList m_names;
};

// Serves the generated pages to the engine. It answers only GET requests for
// the known names, only from the one folder, only with regular files that
// belong to this user, and never through a symbolic link. Only the browser
// itself (typed addresses, history steps, reloads) and the generated pages
// may load them: a web page or a local file asking for one is refused.
class GeneratedPageHandler : public QWebEngineUrlSchemeHandler
{
public:
    explicit GeneratedPageHandler(const GeneratedPages &pages, QObject *parent = nullptr);
    void requestStarted(QWebEngineUrlRequestJob *job) override;

private:
    const GeneratedPages &m_pages;
};

// The contents of a generated page's file, or nullopt when it is missing, is
// not a regular file of this user, is reached through a symbolic link, or is
// larger than a status page can be.
std::optional<QByteArray> readGeneratedPage(const QString &path);

} // namespace platform
