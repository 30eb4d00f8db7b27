// The browsing window on the real engine, with file:// pages the tests write.
#include "RealBrowserFixture.h"
#include "browser/window/TabStrip.h"
#include "platform/Settings.h"
#include "platform/tests/engine/LocalServer.h"

#include <QDir>
#include <QLabel>
#include <QTcpServer>

#include <gtest/gtest.h>

using enginetest::waitUntil;

namespace {

class RealEngine : public RealBrowserTest
{
};

} // namespace

TEST_F(RealEngine, WindowOpenBecomesATabAndItsCloseClosesIt)
{
    // Served over http: a page on disk may not open another local file by script.
    enginetest::LocalServer server;
    ASSERT_TRUE(server.listening());
    server.setPage("popup.html", "<html><head><title>Popup</title></head><body>p</body></html>");
    server.setPage("start.html", "<html><head><title>Start</title></head><body>"
                                 "<button id=b onclick=\"w=window.open('popup.html')\">o</button>"
                                 "</body></html>");
    const QString popup = server.url("popup.html");
    const QString start = server.url("start.html");
    startOn(start);
    EXPECT_EQ(form().windowTitle(), "시작 문서 - Vorlen™");

    // A script may open windows only on a user gesture; the engine lets a
    // page's own script open one from a click it receives.
    enginetest::runJs(static_cast<platform::QtWebBrowser *>(form().browser(0))->page(),
                      "document.getElementById('b').click()");
    ASSERT_TRUE(waitUntil([&] { return form().WebTabStrip->count() == 2; }));
    platform::WebBrowser *tab = form().browser(1);
    ASSERT_NE(tab, nullptr);
    ASSERT_TRUE(waitUntil([&] { return tab->LocationURL() == popup && !tab->Busy(); }));
    ASSERT_TRUE(waitUntil([&] { return form().WebTabStrip->caption("ID1") == "Popup"; }));
    EXPECT_EQ(form().WebTabStrip->selectedKey(), "ID1");
    EXPECT_EQ(form().windowTitle(), "Popup - (1번탭)  Vorlen™");

    // The page in the tab closes its own window; the tab goes with it.
    enginetest::runJs(static_cast<platform::QtWebBrowser *>(tab)->page(), "window.close()");
    ASSERT_TRUE(waitUntil([&] { return form().WebTabStrip->count() == 1; }));
    EXPECT_EQ(form().browser(1), nullptr);
    EXPECT_EQ(form().WebTabStrip->selectedKey(), "");

    // So does the opener closing the window it opened.
    enginetest::runJs(static_cast<platform::QtWebBrowser *>(form().browser(0))->page(),
                      "document.getElementById('b').click()");
    ASSERT_TRUE(waitUntil([&] { return form().WebTabStrip->count() == 2 && form().browser(2); }));
    enginetest::runJs(static_cast<platform::QtWebBrowser *>(form().browser(0))->page(), "w.close()");
    ASSERT_TRUE(waitUntil([&] { return form().WebTabStrip->count() == 1; }));
    EXPECT_EQ(form().browser(2), nullptr);
}

TEST_F(RealEngine, AFailedNavigationShowsTheErrorPage)
{
    const QString start = page("start.html", "<html><head><title>Start</title></head><body>s</body></html>");
    startOn(start);
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    server.close();

    form().browser(0)->Navigate(QStringLiteral("http://127.0.0.1:%1/").arg(port));
    const QString errorPage = QUrl::fromLocalFile(fake.environment().tempFolder() + "/Error.htm").toString();
    ASSERT_TRUE(waitUntil([&] { return form().browser(0)->LocationURL() == errorPage && !form().browser(0)->Busy(); }));
    EXPECT_EQ(form().browser(0)->DocumentTitle(), "페이지에 오류가 있습니다.");
    EXPECT_EQ(form().connectionPicture(), 5) << "the error page itself loaded";
}

TEST_F(RealEngine, TheLoadingPageLeadsOnToAWebStartPage)
{
    enginetest::LocalServer server;
    ASSERT_TRUE(server.listening());
    server.setPage("home.html", "<html><head><title>Home</title></head><body>h</body></html>");
    ASSERT_TRUE(platform::setting::write(fake.environment(), settings::Key::ResetEngineValue, "1"));
    fake.registry().setStartPage(server.url("home.html"));
    app = std::make_unique<BrowserAssembly>(context);
    modSubMain::Start(*app);
    ASSERT_TRUE(waitUntil([&] { return form().browser(0)->LocationURL() == server.url("home.html")
                                       && !form().browser(0)->Busy(); }));
    EXPECT_FALSE(server.requestsFor("home.html").isEmpty()) << "the server saw the request";
    EXPECT_EQ(form().windowTitle(), "시작 문서 - Vorlen™");
}
