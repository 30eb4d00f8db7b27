// A failed address in the history: the browser answers every failure by
// sending the tab to its generated error page, and the history steps must
// lead away from there instead of failing again. On the real engine.

#include "EngineHarness.h"
#include "LocalServer.h"

#include <gtest/gtest.h>

using namespace enginetest;
using platform::QtWebBrowser;
using platform::WebBrowser;

namespace {

const QByteArray kErrorPage = "\xEF\xBB\xBF<html><head><title>error page</title></head><body>error</body></html>";

// The control, with the browser's answer to a failure: the error page.
struct FailingTab
{
    Engine engine;
    QtWebBrowser *b = engine.create();
    QString errorPage = engine.generated("Error.htm", kErrorPage);
    QString failed = QStringLiteral("http://127.0.0.1:%1/gone").arg(closedPort());
    EventRecorder rec{b};

    FailingTab()
    {
        QObject::connect(b, &WebBrowser::NavigateError, b, [this](const QString &url) {
            if (url != fileUrl(errorPage))
                b->Navigate(errorPage);
        });
    }

    // Navigates to the failing address and waits for the error page.
    bool fail()
    {
        b->Navigate(failed);
        return waitUntil([&] { return b->LocationURL() == fileUrl(errorPage) && !b->Busy(); });
    }

    bool step(void (WebBrowser::*how)())
    {
        SignalSpy done(b, &WebBrowser::DocumentComplete);
        (b->*how)();
        return done.wait();
    }

    QString lastState(int command) const
    {
        const QStringList states = rec.argsOf("CommandStateChange");
        for (qsizetype i = states.size() - 1; i >= 0; --i) {
            if (states.at(i).startsWith(QString::number(command) + ' '))
                return states.at(i);
        }
        return QString();
    }
};

} // namespace

TEST(EngineErrorHistory, BackFromTheErrorPageGoesToThePageBeforeTheFailure)
{
    FailingTab tab;
    const QString before = tab.engine.page("before.html", "<html><head><title>before</title></head></html>");
    ASSERT_TRUE(navigateAndWait(tab.b, before));
    ASSERT_TRUE(tab.fail());
    EXPECT_EQ(tab.rec.argsOf("NavigateError"), QStringList{tab.failed + " -102"});
    EXPECT_TRUE(tab.b->CanGoBack());
    EXPECT_EQ(tab.lastState(2), "2 on");

    tab.rec.clear();
    ASSERT_TRUE(tab.step(&WebBrowser::GoBack));
    EXPECT_EQ(tab.b->LocationURL(), fileUrl(before));
    EXPECT_EQ(tab.rec.argsOf("BeforeNavigate2"), QStringList{fileUrl(before)});
    EXPECT_EQ(tab.rec.count("NavigateError"), 0);
    EXPECT_FALSE(tab.b->CanGoBack());
    EXPECT_EQ(tab.lastState(2), "2 off");
    EXPECT_EQ(tab.lastState(1), "1 on");

    // Forward leaves the failed address out as well.
    tab.rec.clear();
    ASSERT_TRUE(tab.step(&WebBrowser::GoForward));
    EXPECT_EQ(tab.b->LocationURL(), fileUrl(tab.errorPage));
    EXPECT_EQ(tab.rec.count("NavigateError"), 0);
    EXPECT_EQ(tab.lastState(1), "1 off");

    // The page's own Back (its context menu) steps the same way.
    tab.rec.clear();
    SignalSpy done(tab.b, &WebBrowser::DocumentComplete);
    tab.b->page()->triggerAction(QWebEnginePage::Back);
    ASSERT_TRUE(done.wait());
    EXPECT_EQ(tab.b->LocationURL(), fileUrl(before));
    EXPECT_EQ(tab.rec.count("NavigateError"), 0);
}

TEST(EngineErrorHistory, WithOnlyAFailureBehindThereIsNoWayBack)
{
    FailingTab tab;
    ASSERT_TRUE(tab.fail());
    EXPECT_FALSE(tab.b->CanGoBack());
    EXPECT_EQ(tab.lastState(2), "2 off");

    tab.rec.clear();
    tab.b->GoBack();
    settle(500);
    EXPECT_EQ(tab.b->LocationURL(), fileUrl(tab.errorPage));
    EXPECT_EQ(tab.rec.count("BeforeNavigate2"), 0);
}

TEST(EngineErrorHistory, AnAddressThatWorksAgainIsAnOrdinaryEntry)
{
    FailingTab tab;
    LocalServer server;
    const QString first = tab.engine.page("first.html", "<html><head><title>first</title></head></html>");
    ASSERT_TRUE(navigateAndWait(tab.b, first));
    ASSERT_TRUE(tab.fail());
    ASSERT_TRUE(tab.step(&WebBrowser::GoBack));
    ASSERT_EQ(tab.b->LocationURL(), fileUrl(first));

    // A new navigation replaces the entries ahead; its address loads now.
    ASSERT_TRUE(navigateAndWait(tab.b, server.url("back")));
    const QString second = tab.engine.page("second.html", "<html><head><title>second</title></head></html>");
    ASSERT_TRUE(navigateAndWait(tab.b, second));
    ASSERT_TRUE(tab.step(&WebBrowser::GoBack));
    EXPECT_EQ(tab.b->LocationURL(), server.url("back"));
}
