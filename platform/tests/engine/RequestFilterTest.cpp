// The request filter's decisions as a table: who asks, for what, of which kind.

#include "TempDir.h"
#include "platform/linux/QtWebRequestFilter.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using platform::isInsideFolder;
using platform::isRequestAllowed;
using Info = QWebEngineUrlRequestInfo;

namespace {

struct Case
{
    const char *initiator;
    const char *firstParty;
    const char *target;
    Info::ResourceType type;
    bool allowed;
};

} // namespace

TEST(RequestFilter, LocalPagesShowButDoNotRead)
{
    const QUrl page("file:///home/u/site/page.html");
    const Case cases[] = {
        // The browser's own navigations and web pages are left to the engine.
        {"", "", "file:///home/u/site/page.html", Info::ResourceTypeMainFrame, true},
        {"http://a.test", "http://a.test/", "http://b.test/x", Info::ResourceTypeXhr, true},
        {"https://a.test", "https://a.test/", "https://a.test/x", Info::ResourceTypeSubResource, true},
        // A local page shows what lies beside it and below.
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/s.css", Info::ResourceTypeStylesheet, true},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/img/p.png", Info::ResourceTypeImage, true},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/s.js", Info::ResourceTypeScript, true},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/f.woff", Info::ResourceTypeFontResource, true},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/sub/f.html", Info::ResourceTypeSubFrame, true},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/v.webm", Info::ResourceTypeMedia, true},
        // ... but nothing from elsewhere that would become part of the page.
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/.ssh/id_rsa", Info::ResourceTypeSubFrame, false},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/photo.png", Info::ResourceTypeImage, false},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/../x.png", Info::ResourceTypeImage, false},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site2/x.png", Info::ResourceTypeImage, false},
        // A frame or an object shows documents; a text file, a key or a folder
        // framed would be read through the frame.
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/secret.txt", Info::ResourceTypeSubFrame, false},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/id_rsa", Info::ResourceTypeSubFrame, false},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/data.json", Info::ResourceTypeObject, false},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/a.HTM", Info::ResourceTypeSubFrame, true},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/d.svg", Info::ResourceTypeObject, true},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/doc.pdf", Info::ResourceTypeObject, true},
        // Following a link shows the other file as a page of its own.
        {"file:///", "file:///home/u/site/page.html", "file:///etc/other.html", Info::ResourceTypeMainFrame, true},
        // Reading is refused whatever the target.
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/secret.txt", Info::ResourceTypeXhr, false},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/secret.txt", Info::ResourceTypeSubResource, false},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/w.js", Info::ResourceTypeWorker, false},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/w.js", Info::ResourceTypeSharedWorker, false},
        {"file:///", "file:///home/u/site/page.html", "file:///home/u/site/x", Info::ResourceTypePrefetch, false},
        {"file:///", "file:///home/u/site/page.html", "http://127.0.0.1:8080/x", Info::ResourceTypeXhr, false},
        {"file:///", "file:///home/u/site/page.html", "http://127.0.0.1:8080/ping", Info::ResourceTypePing, false},
        {"file:///", "file:///home/u/site/page.html", "https://a.test/report", Info::ResourceTypeCspReport, false},
        {"file:///", "file:///home/u/site/page.html", "ws://a.test/", Info::ResourceTypeWebSocket, false},
        {"file:///", "file:///home/u/site/page.html", "file:///x", Info::ResourceTypeUnknown, false},
        // What the page holds already reads nothing new.
        {"file:///", "file:///home/u/site/page.html", "data:text/plain,x", Info::ResourceTypeXhr, true},
        {"file:///", "file:///home/u/site/page.html", "blob:null/1234", Info::ResourceTypeXhr, true},
        // The generated pages show a local start page, framed or led on to, and read no file.
        {"vorlen://local", "vorlen://local/Loading.htm", "file:///home/u/start.html", Info::ResourceTypeMainFrame, true},
        {"vorlen://local", "vorlen://local/StartPage.htm", "file:///home/u/start.html", Info::ResourceTypeSubFrame, true},
        {"file:///", "vorlen://local/StartPage.htm", "file:///home/u/s.css", Info::ResourceTypeStylesheet, true},
        {"vorlen://local", "vorlen://local/StartPage.htm", "file:///home/u/secret.txt", Info::ResourceTypeXhr, false},
        {"vorlen://local", "vorlen://local/StartPage.htm", "http://127.0.0.1/x", Info::ResourceTypeXhr, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.initiator) + " | " + c.target + " | " + std::to_string(int(c.type)));
        EXPECT_EQ(isRequestAllowed(QUrl(c.initiator), QUrl(c.firstParty), QUrl(c.target), c.type), c.allowed);
    }
}

TEST(RequestFilter, FolderBoundsResolveLinksAndDots)
{
    TestFolder folder;
    folder.write("site/page.html", "p");
    folder.write("outside/secret.png", "s");
    EXPECT_TRUE(isInsideFolder(folder.file("site/a/b.png"), folder.file("site")));
    EXPECT_FALSE(isInsideFolder(folder.file("site"), folder.file("site")));
    EXPECT_FALSE(isInsideFolder(folder.file("site2/x"), folder.file("site")));
    EXPECT_FALSE(isInsideFolder(folder.file("site/../outside/secret.png"), folder.file("site")));
    // A link inside the folder that points out of it leads out of it.
    ASSERT_TRUE(QFile::link(folder.file("outside/secret.png"), folder.file("site/innocent.png")));
    EXPECT_FALSE(isInsideFolder(folder.file("site/innocent.png"), folder.file("site")));
    EXPECT_FALSE(isInsideFolder(QString(), folder.file("site")));
    // A folder is never framed, whatever its name.
    ASSERT_TRUE(QDir().mkpath(folder.file("site/listing.html")));
    EXPECT_FALSE(platform::isFrameableFile(folder.file("site/listing.html")));
    EXPECT_TRUE(platform::isFrameableFile(folder.file("site/page.html")));
    EXPECT_FALSE(isInsideFolder(folder.file("site/x"), QString()));
}
