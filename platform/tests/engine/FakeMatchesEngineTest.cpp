// The fake page engine raises its events the way the real one does; the
// browser's own tests rely on that, so it is checked against the engine here.

#include "EngineHarness.h"
#include "platform/testing/FakeWebBrowser.h"

#include <QTcpServer>

#include <gtest/gtest.h>

using namespace enginetest;
using platform::NewWindowRequest;
using platform::WebBrowser;
using platform::testing::FakeWebBrowser;
using platform::testing::FakeWebBrowserFactory;

namespace {

// What a handler can observe of one successful navigation, free of the
// engine's timing (how often progress and title are reported in between).
struct NavigationShape
{
    QStringList head;         // the first two events
    QStringList tail;         // the last six events
    QList<bool> tailBusy;     // Busy() during them
    QString locationAtBefore; // LocationURL() during BeforeNavigate2
    QString locationAtTitle;  // LocationURL() during the last TitleChange
    QString lastTitle;
    QString location, documentTitle, locationName;
    bool busy = true;
};

NavigationShape shapeOf(const EventRecorder &rec, WebBrowser *b)
{
    NavigationShape s;
    s.head = rec.names.mid(0, 2);
    s.tail = rec.names.mid(rec.names.size() - 6);
    s.tailBusy = rec.busyAt.mid(rec.busyAt.size() - 6);
    s.locationAtBefore = rec.locationAt.value(rec.names.indexOf("BeforeNavigate2"));
    s.locationAtTitle = rec.locationAt.value(rec.names.lastIndexOf("TitleChange"));
    s.lastTitle = rec.lastArgs("TitleChange");
    s.location = b->LocationURL();
    s.documentTitle = b->DocumentTitle();
    s.locationName = b->LocationName();
    s.busy = b->Busy();
    return s;
}

void expectSameShape(const NavigationShape &fake, const NavigationShape &real)
{
    EXPECT_EQ(fake.head, real.head);
    EXPECT_EQ(fake.tail, real.tail);
    EXPECT_EQ(fake.tailBusy, real.tailBusy);
    EXPECT_EQ(fake.locationAtBefore, real.locationAtBefore);
    EXPECT_EQ(fake.locationAtTitle, real.locationAtTitle);
    EXPECT_EQ(fake.lastTitle, real.lastTitle);
    EXPECT_EQ(fake.location, real.location);
    EXPECT_EQ(fake.documentTitle, real.documentTitle);
    EXPECT_EQ(fake.locationName, real.locationName);
    EXPECT_EQ(fake.busy, real.busy);
}

} // namespace

TEST(FakeMatchesEngine, SuccessfulNavigationsLookAlike)
{
    Engine engine;
    auto *real = engine.create();
    FakeWebBrowser fake;
    const QString before = engine.page("before.html", "<html><head><title>b</title></head></html>");
    const QString titled = engine.page("t.html", "<html><head><title>Title</title></head><body>x</body></html>");
    const QString untitled = engine.page("u.html", "<html><body>x</body></html>");
    ASSERT_TRUE(navigateAndWait(real, before));
    fake.simulateNavigation(fileUrl(before), "b");

    for (const QString &page : {titled, untitled}) {
        const bool hasTitle = page == titled;
        EventRecorder realEvents(real);
        ASSERT_TRUE(navigateAndWait(real, page));
        EventRecorder fakeEvents(&fake);
        fake.setCanGoBack(true);
        fake.simulateNavigation(fileUrl(page), hasTitle ? "Title" : "");
        SCOPED_TRACE(page.toStdString());
        expectSameShape(shapeOf(fakeEvents, &fake), shapeOf(realEvents, real));
        const QStringList fakeStates = fakeEvents.argsOf("CommandStateChange");
        const QStringList realStates = realEvents.argsOf("CommandStateChange");
        EXPECT_EQ(fakeStates.mid(fakeStates.size() - 2), realStates.mid(realStates.size() - 2));
        QObject::disconnect(real, nullptr, real, nullptr);
        QObject::disconnect(&fake, nullptr, &fake, nullptr);
    }
}

TEST(FakeMatchesEngine, FailedNavigationsLookAlike)
{
    Engine engine;
    auto *real = engine.create();
    FakeWebBrowser fake;
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    }
    const QString url = QStringLiteral("http://127.0.0.1:%1/").arg(port);

    EventRecorder realEvents(real);
    SignalSpy failed(real, &WebBrowser::NavigateError);
    real->Navigate(url);
    ASSERT_TRUE(failed.wait());
    EventRecorder fakeEvents(&fake);
    fake.simulateNavigationError(url);

    EXPECT_EQ(fakeEvents.names.mid(0, 2), realEvents.names.mid(0, 2));
    EXPECT_EQ(fakeEvents.names.mid(fakeEvents.names.size() - 3), realEvents.names.mid(realEvents.names.size() - 3));
    EXPECT_EQ(fakeEvents.busyAt.last(), realEvents.busyAt.last());
    EXPECT_EQ(fakeEvents.lastArgs("NavigateError").section(' ', 0, 0), realEvents.lastArgs("NavigateError").section(' ', 0, 0));
    EXPECT_EQ(fake.LocationURL(), real->LocationURL());
}

TEST(FakeMatchesEngine, AddressesThatAreNoUrlFailAlike)
{
    Engine engine;
    auto *real = engine.create();
    FakeWebBrowser fake;
    fake.setAutoComplete(true);
    const QString page = engine.page("before.html", "<html><head><title>b</title></head></html>");
    ASSERT_TRUE(navigateAndWait(real, page));
    fake.Navigate(fileUrl(page));

    EventRecorder realEvents(real);
    SignalSpy failed(real, &WebBrowser::NavigateError);
    real->Navigate("hello world");
    ASSERT_TRUE(failed.wait());
    EventRecorder fakeEvents(&fake);
    fake.Navigate("hello world");

    EXPECT_EQ(fakeEvents.entries, realEvents.entries);
    EXPECT_EQ(fakeEvents.busyAt, realEvents.busyAt);
    EXPECT_EQ(fake.LocationURL(), real->LocationURL());
    EXPECT_EQ(fake.Busy(), real->Busy());
}

TEST(FakeBrowser, RecordsCallsAndHandsNewWindowsOver)
{
    FakeWebBrowserFactory factory;
    auto *opener = static_cast<FakeWebBrowser *>(factory.create(nullptr));
    std::unique_ptr<WebBrowser> ownerOfOpener(opener);
    opener->Navigate("a.com");
    opener->Navigate2("about:x");
    opener->GoBack();
    opener->Stop();
    EXPECT_EQ(opener->log(), (QStringList{"Navigate:a.com", "Navigate2:about:x", "GoBack", "Stop"}));
    EXPECT_EQ(opener->navigated(), (QStringList{"a.com", "about:x"}));
    EXPECT_EQ(opener->LocationURL(), ""); // nothing loads by itself

    FakeWebBrowser *target = nullptr;
    QObject::connect(opener, &WebBrowser::NewWindow2, opener, [&](NewWindowRequest &r) {
        target = static_cast<FakeWebBrowser *>(factory.create(nullptr));
        r.ppDisp = target;
    });
    const NewWindowRequest answer = opener->requestNewWindow("http://popup/");
    std::unique_ptr<WebBrowser> ownerOfTarget(target);
    ASSERT_EQ(factory.count(), 2);
    EXPECT_EQ(answer.ppDisp, factory.at(1));
    EXPECT_EQ(target->log(), QStringList{"NewWindow"});
    EXPECT_EQ(target->LocationURL(), "http://popup/");

    factory.setAutoComplete(true);
    std::unique_ptr<WebBrowser> autoDone(factory.create(nullptr));
    SignalSpy done(autoDone.get(), &WebBrowser::DocumentComplete);
    autoDone->Navigate("x.org");
    EXPECT_EQ(done.count(), 1);
    EXPECT_EQ(autoDone->LocationURL(), "x.org");
    EXPECT_EQ(autoDone->LocationName(), "x.org");

    autoDone->ToggleDesignMode();
    EXPECT_EQ(static_cast<FakeWebBrowser *>(autoDone.get())->designMode(), "on");
}
