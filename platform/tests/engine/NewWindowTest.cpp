// Pages that open and close windows, on the real engine.

#include "EngineHarness.h"
#include "LocalServer.h"

#include <gtest/gtest.h>

using namespace enginetest;
using platform::NewWindowRequest;
using platform::QtWebBrowser;
using platform::WebBrowser;

namespace {

const QByteArray kOpener = "<html><head><title>opener</title></head><body>"
                           "<a id='blank' href='popup.html' target='_blank'>new</a>"
                           "</body></html>";
const QByteArray kPopup = "<html><head><title>popup</title></head><body>popup</body></html>";
const QByteArray kStart = "<html><head><title>start</title></head><body>start</body></html>";

} // namespace

TEST(EngineNewWindow, WindowOpenLoadsIntoTheControlHandedBack)
{
    Engine engine;
    auto *opener = engine.create();
    // From a web site: a page on disk may not send a window to another file
    // by script.
    LocalServer server;
    server.setPage("opener.html", kOpener);
    server.setPage("popup.html", kPopup);
    const QString popupUrl = server.url("popup.html");
    const QString start = engine.page("start.html", kStart);
    ASSERT_TRUE(navigateAndWait(opener, server.url("opener.html")));

    // As a new tab does: a fresh control that already heads for the start
    // page receives the window.
    QtWebBrowser *popup = nullptr;
    std::unique_ptr<EventRecorder> popupEvents;
    QObject::connect(opener, &WebBrowser::NewWindow2, opener, [&](NewWindowRequest &request) {
        popup = engine.create();
        popupEvents = std::make_unique<EventRecorder>(popup);
        popup->Navigate2(start);
        popup->setRegisterAsBrowser(true);
        request.ppDisp = popup;
    });

    runJs(opener->page(), "window.open('popup.html'); true");
    ASSERT_TRUE(waitUntil([&] { return popup != nullptr; }));
    ASSERT_TRUE(waitUntil([&] { return popupEvents->argsOf("DocumentComplete").contains(popupUrl); }));
    EXPECT_EQ(popup->LocationURL(), popupUrl);
    EXPECT_EQ(popup->DocumentTitle(), "popup");
    EXPECT_FALSE(popup->Busy());
    EXPECT_EQ(popupEvents->names.last(), "DocumentComplete");
    EXPECT_EQ(popupEvents->argsOf("BeforeNavigate2").count(popupUrl), 1);
    EXPECT_EQ(opener->LocationURL(), server.url("opener.html"));

    // The popup closes itself: the control hears WindowClosing, and closing the
    // tab right inside that event is safe.
    QPointer<QtWebBrowser> closing = popup;
    bool heard = false;
    QObject::connect(popup, &WebBrowser::WindowClosing, popup, [&] {
        heard = true;
        delete closing.data();
    });
    runJs(popup->page(), "window.close(); true");
    ASSERT_TRUE(waitUntil([&] { return heard; }));
    EXPECT_TRUE(closing.isNull());
    settle(100); // the engine finishes with the deleted page without trouble
}

TEST(EngineNewWindow, TargetBlankLinksAskToo)
{
    Engine engine;
    auto *opener = engine.create();
    const QString popupUrl = fileUrl(engine.page("popup.html", kPopup));
    ASSERT_TRUE(navigateAndWait(opener, engine.page("opener.html", kOpener)));

    QtWebBrowser *popup = nullptr;
    QObject::connect(opener, &WebBrowser::NewWindow2, opener, [&](NewWindowRequest &request) {
        popup = engine.create();
        request.ppDisp = popup;
    });
    runJs(opener->page(), "document.getElementById('blank').click(); true");
    ASSERT_TRUE(waitUntil([&] { return popup && popup->LocationURL() == popupUrl && !popup->Busy(); }));
}

TEST(EngineNewWindow, CancelledOrUnansweredRequestOpensNoWindow)
{
    Engine engine;
    auto *opener = engine.create();
    ASSERT_TRUE(navigateAndWait(opener, engine.page("opener.html", kOpener)));

    int asked = 0;
    bool cancel = true;
    QObject::connect(opener, &WebBrowser::NewWindow2, opener, [&](NewWindowRequest &request) {
        ++asked;
        if (cancel)
            request.Cancel = true;
        // otherwise no control is named
    });
    // window.open answers before the program is asked; the window nobody
    // took is then dropped, and the page sees it closed.
    auto windowDropped = [&] {
        return waitUntil([&] { return runJs(opener->page(), "window.w.closed").toBool(); }, 5000);
    };
    runJs(opener->page(), "window.w = window.open('popup.html'); true");
    ASSERT_TRUE(waitUntil([&] { return asked == 1; }));
    EXPECT_TRUE(windowDropped());

    cancel = false;
    runJs(opener->page(), "window.w = window.open('popup.html'); true");
    ASSERT_TRUE(waitUntil([&] { return asked == 2; }));
    EXPECT_TRUE(windowDropped());
    EXPECT_EQ(opener->LocationURL(), fileUrl(engine.folder.file("pages/opener.html")));
}
