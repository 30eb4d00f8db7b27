// Pages opened from disk on the real engine: they show what lies beside them
// and link to each other, but read no other file.

#include "EngineHarness.h"
#include "LocalServer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

using namespace enginetest;
using platform::NewWindowRequest;
using platform::QtWebBrowser;
using platform::WebBrowser;

namespace {

// What fetch() of url gives a script of the frame chosen by `target` (a
// JavaScript expression for a window): the text, or "failed".
QString fetchIn(QtWebBrowser *b, const QString &target, const QString &url)
{
    runJs(b->page(), "window.fetched = 'pending'; " + target + ".fetch('" + url
                         + "').then(r => r.text()).then(t => window.fetched = t, e => window.fetched = 'failed'); true");
    QString result;
    waitUntil([&] {
        result = runJs(b->page(), "window.fetched").toString();
        return result != "pending";
    }, 5000);
    return result;
}

QString xhrFrom(QtWebBrowser *b, const QString &url)
{
    runJs(b->page(), "window.xhr = 'pending'; try { const r = new XMLHttpRequest(); r.open('GET', '" + url
                         + "'); r.onload = () => window.xhr = r.responseText; r.onerror = () => window.xhr = 'failed';"
                           " r.send(); } catch (e) { window.xhr = 'failed'; } true");
    QString result;
    waitUntil([&] {
        result = runJs(b->page(), "window.xhr").toString();
        return result != "pending";
    }, 5000);
    return result;
}

// A real click in the middle of the element with id, so the page sees a user gesture.
void click(QtWebBrowser *b, const QString &id)
{
    const QVariantList r = runJs(b->page(), "(() => { const r = document.getElementById('" + id
                                                + "').getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; })()")
                               .toList();
    ASSERT_EQ(r.size(), 2);
    QWidget *target = b->widget()->focusProxy();
    ASSERT_NE(target, nullptr);
    const QPoint at(int(r[0].toDouble()), int(r[1].toDouble()));
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
}

QColor pixelAt(QWidget *view, const QPoint &at)
{
    // A grab right after the load may still be blank: wait for a painted frame.
    QColor colour;
    waitUntil([&] {
        colour = view->grab().toImage().pixelColor(at);
        return colour != Qt::white && colour.isValid();
    }, 5000);
    return colour;
}

} // namespace

TEST(EngineLocalPages, ASavedPageShowsItsStylesPicturesScriptsAndFrames)
{
    Engine engine;
    auto *b = engine.create();
    engine.page("site/s.css", "body { background: rgb(0, 128, 0); margin: 0 }");
    engine.page("site/p.png", png(QColor(255, 0, 0)));
    engine.page("site/s.js", "document.title = 'scripted';");
    engine.page("site/sub/frame.html", "<html><head><title>frame</title></head><body>inner</body></html>");
    const QString page = engine.page(
        "site/page.html",
        "<html><head><title>page</title><link rel='stylesheet' href='s.css'><script src='s.js'></script></head>"
        "<body><img id='p' src='p.png' style='position:absolute;left:200px;top:200px;width:50px;height:50px'>"
        "<iframe id='f' src='sub/frame.html'></iframe></body></html>");

    ASSERT_TRUE(navigateAndWait(b, page));
    EXPECT_EQ(b->DocumentTitle(), "scripted");
    EXPECT_EQ(runJs(b->page(), "getComputedStyle(document.body).backgroundColor").toString(), "rgb(0, 128, 0)");
    EXPECT_EQ(runJs(b->page(), "document.getElementById('p').naturalWidth").toInt(), 8);
    ASSERT_TRUE(waitUntil([&] {
        return runJs(b->page(), "document.getElementById('f').contentDocument?.title ?? ''").toString() == "frame";
    }));
    // As the user sees it: the page's colour, and the picture on it.
    EXPECT_EQ(pixelAt(b->widget(), QPoint(100, 400)), QColor(0, 128, 0));
    EXPECT_EQ(pixelAt(b->widget(), QPoint(225, 225)), QColor(255, 0, 0));
}

TEST(EngineLocalPages, LinksBetweenLocalFilesOpenInTheSameAndANewTab)
{
    Engine engine;
    auto *opener = engine.create();
    const QString reader = engine.page("reader.html", "<html><head><title>reader</title></head><body>r</body></html>");
    const QString page = engine.page(
        "opener.html", "<html><head><title>opener</title></head><body>"
                       "<a id='new' href='" + fileUrl(reader).toUtf8() + "' target='_blank' style='display:block;height:40px'>new</a>"
                       "<a id='same' href='reader.html' style='display:block;height:40px'>same</a></body></html>");
    QtWebBrowser *popup = nullptr;
    QObject::connect(opener, &WebBrowser::NewWindow2, opener, [&](NewWindowRequest &request) {
        popup = engine.create();
        request.ppDisp = popup;
    });

    ASSERT_TRUE(navigateAndWait(opener, page));
    ASSERT_NO_FATAL_FAILURE(click(opener, "new"));
    ASSERT_TRUE(waitUntil([&] { return popup && popup->DocumentTitle() == "reader" && !popup->Busy(); }));
    EXPECT_EQ(popup->LocationURL(), fileUrl(reader));

    ASSERT_NO_FATAL_FAILURE(click(opener, "same"));
    ASSERT_TRUE(waitUntil([&] { return opener->DocumentTitle() == "reader" && !opener->Busy(); }));
    EXPECT_EQ(opener->LocationURL(), fileUrl(reader));
}

TEST(EngineLocalPages, NoLocalPageReadsAnotherFileNorTheWeb)
{
    Engine engine;
    auto *b = engine.create();
    LocalServer server;
    ASSERT_TRUE(server.listening());
    const QString secret = engine.page("secret.txt", "top secret");
    const QString other = engine.page("elsewhere/inner.html", "<html><body>inner</body></html>");
    engine.page("frame.html", "<html><head><title>framed</title></head><body>f</body></html>");
    const QString page = engine.page(
        "page.html", "<html><head><title>page</title></head><body>"
                     "<button id='go' style='width:200px;height:50px' onclick=\"window.fetched = 'pending'; fetch('"
                         + fileUrl(secret).toUtf8()
                         + "').then(r => r.text()).then(t => window.fetched = t, e => window.fetched = 'failed')\">go</button>"
                           "<iframe id='f' src='frame.html'></iframe></body></html>");

    ASSERT_TRUE(navigateAndWait(b, page));
    const int blockedBefore = engine.factory->requestFilter().blockedCount();
    EXPECT_EQ(fetchIn(b, "window", fileUrl(secret)), "failed");
    EXPECT_EQ(fetchIn(b, "window", "secret.txt"), "failed");
    EXPECT_EQ(xhrFrom(b, fileUrl(secret)), "failed");
    EXPECT_EQ(fetchIn(b, "window", server.url("data")), "failed");
    EXPECT_GT(engine.factory->requestFilter().blockedCount(), blockedBefore) << "the filter, not chance, refused";

    // With a user gesture.
    ASSERT_NO_FATAL_FAILURE(click(b, "go"));
    QString clicked;
    ASSERT_TRUE(waitUntil([&] {
        clicked = runJs(b->page(), "window.fetched").toString();
        return clicked != "pending" && !clicked.isEmpty();
    }, 5000));
    EXPECT_EQ(clicked, "failed");

    // From a frame of the page.
    ASSERT_TRUE(waitUntil([&] { return runJs(b->page(), "document.getElementById('f').contentDocument?.title ?? ''").toString() == "framed"; }));
    EXPECT_EQ(fetchIn(b, "document.getElementById('f').contentWindow", fileUrl(secret)), "failed");

    // A beacon to the web leaves nothing on the server.
    runJs(b->page(), "navigator.sendBeacon('" + server.url("beacon") + "', 'x'); true");

    // Pictures and frames from outside the page's folder are refused: drawn
    // into a canvas or framed they could be read back.
    const QString outside = engine.folder.write("outside.png", png(Qt::blue));
    const QString confined = engine.page(
        "confined/page.html", "<html><head><title>confined</title></head><body>"
                              "<img id='i' src='" + fileUrl(outside).toUtf8() + "'>"
                              "<iframe id='f' src='" + fileUrl(other).toUtf8() + "'></iframe></body></html>");
    ASSERT_TRUE(navigateAndWait(b, confined));
    settle(300);
    EXPECT_EQ(runJs(b->page(), "document.getElementById('i').naturalWidth").toInt(), 0);
    EXPECT_NE(runJs(b->page(), "(() => { try { return document.getElementById('f').contentDocument.body.innerText; }"
                               " catch (e) { return 'denied'; } })()").toString(), "inner");
    EXPECT_TRUE(server.requestsFor("beacon").isEmpty());
    EXPECT_TRUE(server.requestsFor("data").isEmpty());
}

TEST(EngineLocalPages, ANewTabOpenedByALocalPageReadsNoFileEither)
{
    Engine engine;
    auto *opener = engine.create();
    const QString secret = engine.page("secret.txt", "top secret");
    const QString reader = engine.page("reader.html", "<html><head><title>reader</title></head><body>r</body></html>");
    const QString page = engine.page("opener.html", "<html><head><title>opener</title></head><body>o</body></html>");
    QtWebBrowser *popup = nullptr;
    QObject::connect(opener, &WebBrowser::NewWindow2, opener, [&](NewWindowRequest &request) {
        popup = engine.create();
        request.ppDisp = popup;
    });
    ASSERT_TRUE(navigateAndWait(opener, page));
    runJs(opener->page(), "window.opened = window.open('" + fileUrl(reader) + "'); true");
    ASSERT_TRUE(waitUntil([&] { return popup && popup->DocumentTitle() == "reader" && !popup->Busy(); }));
    EXPECT_EQ(fetchIn(popup, "window", fileUrl(secret)), "failed");
    EXPECT_EQ(fetchIn(opener, "window.opened", fileUrl(secret)), "failed");
}

TEST(EngineLocalPages, TheLoadingPageAndTheStartFrameLeadOnToALocalStartPage)
{
    Engine engine;
    auto *b = engine.create();
    engine.page("home/s.css", "body { background: rgb(0, 0, 128) }");
    const QString start = engine.page(
        "home/start.html", "<html><head><title>시작</title><link rel='stylesheet' href='s.css'></head><body>s</body></html>");
    const QString loading = engine.generated(
        "Loading.htm", "<html><head><title>loading</title><meta http-equiv='refresh' content='0;url=" + fileUrl(start).toUtf8()
                           + "'></head><body>l</body></html>");
    ASSERT_TRUE(navigateAndWait(b, loading));
    ASSERT_TRUE(waitUntil([&] { return b->LocationURL() == fileUrl(start) && !b->Busy(); }));
    EXPECT_EQ(b->DocumentTitle(), "시작");
    EXPECT_EQ(runJs(b->page(), "getComputedStyle(document.body).backgroundColor").toString(), "rgb(0, 0, 128)");

    const QString frame = engine.generated(
        "StartPage.htm", "<html><head><title>frame</title></head><body style='margin:0'><iframe src='" + fileUrl(start).toUtf8()
                             + "' style='border:0;width:100%;height:500px'></iframe></body></html>");
    ASSERT_TRUE(navigateAndWait(b, frame));
    EXPECT_EQ(pixelAt(b->widget(), QPoint(300, 300)), QColor(0, 0, 128)) << "the start page shows in the frame";
    const QString secret = engine.page("secret.txt", "top secret");
    EXPECT_EQ(fetchIn(b, "window", fileUrl(secret)), "failed");
}
TEST(EngineLocalPages, AWindowALocalPageOpensStaysInItsFolder)
{
    // The engine treats local files as one origin: a page holding a window it
    // opened could read whatever file it sends that window to.
    Engine engine;
    auto *opener = engine.create();
    const QString secret = engine.folder.write("far/secret.txt", "top secret");
    const QString near = engine.page("near.html", "<html><head><title>near</title></head><body>near</body></html>");
    const QString page = engine.page("opener.html", "<html><head><title>opener</title></head><body>o</body></html>");
    QtWebBrowser *popup = nullptr;
    QObject::connect(opener, &WebBrowser::NewWindow2, opener, [&](NewWindowRequest &request) {
        popup = engine.create();
        request.ppDisp = popup;
    });
    ASSERT_TRUE(navigateAndWait(opener, page));
    auto readOpened = [&] {
        return runJs(opener->page(), "(() => { try { return window.opened.document.body.innerText; }"
                                     " catch (e) { return 'denied'; } })()").toString();
    };

    runJs(opener->page(), "window.opened = window.open('" + fileUrl(secret) + "'); true");
    ASSERT_TRUE(waitUntil([&] { return popup != nullptr; }));
    settle(500);
    EXPECT_NE(readOpened(), "top secret");
    EXPECT_NE(runJs(popup->page(), "document.body ? document.body.innerText : ''").toString(), "top secret");

    // Within the folder the window opens; sent on from there by script it stays.
    runJs(opener->page(), "window.opened = window.open('near.html'); true");
    ASSERT_TRUE(waitUntil([&] { return popup && popup->DocumentTitle() == "near" && !popup->Busy(); }));
    runJs(opener->page(), "window.opened.location.href = '" + fileUrl(secret) + "'; true");
    settle(500);
    EXPECT_EQ(popup->LocationURL(), fileUrl(near));
    EXPECT_NE(readOpened(), "top secret");

    // The user may still take that tab anywhere.
    ASSERT_TRUE(navigateAndWait(popup, secret));
    EXPECT_EQ(popup->LocationURL(), fileUrl(secret));

    // Event streams read like fetch and are refused too.
    runJs(opener->page(), "window.streamed = 'pending'; const s = new EventSource('" + fileUrl(secret)
                              + "'); s.onmessage = e => window.streamed = e.data; s.onerror = () => window.streamed = 'failed'; true");
    ASSERT_TRUE(waitUntil([&] { return runJs(opener->page(), "window.streamed").toString() != "pending"; }, 5000));
    EXPECT_EQ(runJs(opener->page(), "window.streamed").toString(), "failed");
}
