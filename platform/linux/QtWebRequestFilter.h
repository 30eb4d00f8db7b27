#pragma once

#include <QUrl>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>

namespace platform {

// What a page opened from disk may load. Local pages show their own style
// sheets, pictures, scripts, fonts, media and frames, and link to other local
// files, as in any browser; what they may not do is read content: no
// XMLHttpRequest or fetch (nor beacons, pings, workers, event streams,
// prefetches) of any local file or web address. The generated pages (the
// program's own scheme, which may lead to local start pages) read no local file
// either.
//
// Pictures and frames are also confined to the folder of the top document and
// the folders below it: the engine treats all local files as one origin, so a
// page could otherwise frame any file on the disk and read it back. Frames and
// objects hold documents only (pages, drawings, PDF files), and a canvas that
// received a picture from disk cannot be read (the canvas guard script). A top
// document that is not a local file (a generated page framing a local start
// page) sets no such bound.
//
// initiator is the origin of the document that asks (empty for the browser's
// own navigations), firstParty the top document's address.
bool isRequestAllowed(const QUrl &initiator, const QUrl &firstParty, const QUrl &target,
                      QWebEngineUrlRequestInfo::ResourceType type);

// Whether type loads something for display (documents, frames, style sheets,
// scripts, pictures, fonts, media, plug-in objects, the page's icon) rather
// than handing content to a script.
bool isDisplayRequest(QWebEngineUrlRequestInfo::ResourceType type);

// Whether path names a document a local page may show in a frame or an
// object: a page, a drawing or a PDF file (by its name), not a folder.
bool isFrameableFile(const QString &path);

// Whether path lies in folder or below it (both as given, after cleaning and,
// where they exist, with symbolic links resolved).
bool isInsideFolder(const QString &path, const QString &folder);

// The profile's request filter: blocks what isRequestAllowed refuses and
// counts it, so a test (and a curious developer) can see that it acted.
class QtWebRequestFilter : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

    int blockedCount() const { return m_blocked; }

private:
    int m_blocked = 0;
};

} // namespace platform
