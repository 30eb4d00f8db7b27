// The events of navigations on the real engine: order, titles, addresses,
// failures and stopped loads.

#include "EngineHarness.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

using namespace enginetest;
using platform::WebBrowser;

namespace {

const QByteArray kTitled = "<html><head><meta charset='utf-8'><title>Hello 안녕</title></head>"
                           "<body>titled</body></html>";
const QByteArray kUntitled = "<html><body>no title here</body></html>";

// A server on 127.0.0.1 that accepts connections and never answers, so a load
// against it stays in progress until stopped or replaced.
class SilentServer
{
public:
    SilentServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *s = m_server.nextPendingConnection())
                s->setParent(&m_server);
        });
    }
    QString url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_server.serverPort()).arg(path);
    }

private:
    QTcpServer m_server;
};

} // namespace

TEST(EngineNavigation, OneNavigationRaisesBeforeNavigateFirstAndCompletionLast)
{
    Engine engine;
    auto *b = engine.create();
    const QString path = engine.page("titled.html", kTitled);
    EventRecorder rec(b);

    // A plain absolute path opens the file.
    ASSERT_TRUE(navigateAndWait(b, path));

    ASSERT_GE(rec.names.size(), 5);
    EXPECT_EQ(rec.names.first(), "BeforeNavigate2");
    EXPECT_EQ(rec.count("BeforeNavigate2"), 1);
    EXPECT_EQ(rec.names.at(rec.names.size() - 2), "NavigateComplete2");
    EXPECT_EQ(rec.names.last(), "DocumentComplete");
    EXPECT_EQ(rec.names.at(1), "DownloadBegin");
    EXPECT_LT(rec.names.indexOf("DownloadComplete"), rec.names.indexOf("NavigateComplete2"));
    EXPECT_TRUE(rec.argsOf("ProgressChange").contains("100/100"));
    EXPECT_EQ(rec.lastArgs("ProgressChange"), "-1/100");
    EXPECT_EQ(rec.count("NavigateError"), 0);

    const QString url = fileUrl(path);
    EXPECT_EQ(rec.lastArgs("BeforeNavigate2"), url);
    EXPECT_EQ(rec.lastArgs("NavigateComplete2"), url);
    EXPECT_EQ(rec.lastArgs("DocumentComplete"), url);
    EXPECT_EQ(b->LocationURL(), url);

    // Busy from the start of loading until before the completion events.
    EXPECT_TRUE(rec.busyAt.at(rec.names.indexOf("DownloadBegin")));
    EXPECT_FALSE(rec.busyAt.at(rec.names.indexOf("NavigateComplete2")));
    EXPECT_FALSE(b->Busy());

    EXPECT_EQ(b->DocumentTitle(), "Hello 안녕");
    EXPECT_EQ(b->LocationName(), "Hello 안녕");
    EXPECT_EQ(rec.lastArgs("TitleChange"), "Hello 안녕");
}

TEST(EngineNavigation, DocumentTitleIsEmptyOnlyWhenThePageHasNone)
{
    Engine engine;
    auto *b = engine.create();
    const QString untitled = engine.page("untitled.html", kUntitled);
    EventRecorder rec(b);

    ASSERT_TRUE(navigateAndWait(b, untitled));
    EXPECT_EQ(b->DocumentTitle(), "");
    EXPECT_EQ(b->LocationName(), fileUrl(untitled));
    EXPECT_EQ(rec.lastArgs("TitleChange"), fileUrl(untitled));

    // The engine shows a file's name where a title is missing; a page whose
    // real title is that name must keep it.
    const QString same = engine.page("same.html", "<html><head><title>same.html</title></head></html>");
    ASSERT_TRUE(navigateAndWait(b, same));
    EXPECT_EQ(b->DocumentTitle(), "same.html");

    // A title set by script is the document's title as well.
    SignalSpy titles(b, &WebBrowser::TitleChange);
    runJs(b->page(), "document.title = 'Set by script'");
    ASSERT_TRUE(titles.count() > 0 || titles.wait(5000));
    EXPECT_EQ(titles.last().at(0).toString(), "Set by script");
    EXPECT_EQ(b->DocumentTitle(), "Set by script");
}

TEST(EngineNavigation, HistoryStepsUpdateBackAndForwardStates)
{
    Engine engine;
    auto *b = engine.create();
    const QString first = engine.page("first.html", kTitled);
    const QString second = engine.page("second.html", kUntitled);
    EventRecorder rec(b);

    ASSERT_TRUE(navigateAndWait(b, first));
    EXPECT_EQ(rec.lastArgs("CommandStateChange"), "1 off");
    ASSERT_TRUE(navigateAndWait(b, second));
    QStringList states = rec.argsOf("CommandStateChange");
    EXPECT_TRUE(states.contains("2 on"));
    EXPECT_EQ(states.mid(states.size() - 2), (QStringList{"2 on", "1 off"}));

    rec.clear();
    SignalSpy done(b, &WebBrowser::DocumentComplete);
    b->GoBack();
    ASSERT_TRUE(done.wait(kLoadTimeout));
    EXPECT_EQ(rec.count("BeforeNavigate2"), 1);
    EXPECT_EQ(rec.names.first(), "BeforeNavigate2");
    EXPECT_EQ(b->LocationURL(), fileUrl(first));
    states = rec.argsOf("CommandStateChange");
    EXPECT_EQ(states.mid(states.size() - 2), (QStringList{"2 off", "1 on"}));

    rec.clear();
    b->GoForward();
    ASSERT_TRUE(done.wait(kLoadTimeout));
    EXPECT_EQ(rec.count("BeforeNavigate2"), 1);
    EXPECT_EQ(b->LocationURL(), fileUrl(second));
}

TEST(EngineNavigation, AboutTextShowsTheTextAndKeepsTheAddressAsGiven)
{
    Engine engine;
    auto *b = engine.create();
    EventRecorder rec(b);

    const QString address = "about:<b>환경 설정 창이</b> 열려져 있습니다.<br><br>둘째 줄 100% & more";
    ASSERT_TRUE(navigateAndWait(b, address));
    EXPECT_EQ(b->LocationURL(), address);
    EXPECT_EQ(rec.lastArgs("BeforeNavigate2"), address);
    EXPECT_EQ(rec.lastArgs("NavigateComplete2"), address);
    EXPECT_EQ(rec.count("BeforeNavigate2"), 1);
    const QString text = runJs(b->page(), "document.body.innerText").toString();
    EXPECT_TRUE(text.contains("환경 설정 창이 열려져 있습니다.")) << text.toStdString();
    EXPECT_TRUE(text.contains("둘째 줄 100% & more")) << text.toStdString();
    EXPECT_EQ(runJs(b->page(), "document.querySelector('b').textContent").toString(), "환경 설정 창이");
    EXPECT_EQ(b->DocumentTitle(), "");
    EXPECT_EQ(b->LocationName(), address);

    // about:blank is the engine's empty page, not the word "blank".
    rec.clear();
    ASSERT_TRUE(navigateAndWait(b, "about:blank"));
    EXPECT_EQ(b->LocationURL(), "about:blank");
    EXPECT_EQ(rec.names.first(), "BeforeNavigate2");
    EXPECT_EQ(rec.count("BeforeNavigate2"), 1);
    EXPECT_EQ(runJs(b->page(), "document.body ? document.body.innerText : ''").toString(), "");

    // Back in history the text page reports its address again.
    SignalSpy done(b, &WebBrowser::DocumentComplete);
    b->GoBack();
    ASSERT_TRUE(done.wait(kLoadTimeout));
    EXPECT_EQ(b->LocationURL(), address);
}

TEST(EngineNavigation, FailedLoadRaisesNavigateErrorInsteadOfCompletion)
{
    Engine engine;
    auto *b = engine.create();
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    } // closed again: nothing listens there now
    const QString url = QStringLiteral("http://127.0.0.1:%1/missing").arg(port);
    EventRecorder rec(b);
    SignalSpy errors(b, &WebBrowser::NavigateError);

    b->Navigate(url);
    ASSERT_TRUE(errors.wait(kLoadTimeout));
    settle(300);

    EXPECT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.at(0).at(0).toString(), url);
    EXPECT_NE(errors.at(0).at(1).toInt(), 0);
    EXPECT_EQ(rec.names.first(), "BeforeNavigate2");
    EXPECT_EQ(rec.count("NavigateComplete2"), 0);
    EXPECT_EQ(rec.count("DocumentComplete"), 0);
    EXPECT_LT(rec.names.indexOf("DownloadComplete"), rec.names.indexOf("NavigateError"));
    EXPECT_FALSE(b->Busy());
}

TEST(EngineNavigation, StoppedOrReplacedLoadsRaiseNoError)
{
    Engine engine;
    auto *b = engine.create();
    SilentServer server;
    EventRecorder rec(b);

    // Stopped by the user.
    SignalSpy begun(b, &WebBrowser::DownloadBegin);
    SignalSpy ended(b, &WebBrowser::DownloadComplete);
    b->Navigate(server.url("slow"));
    ASSERT_TRUE(begun.wait(kLoadTimeout));
    EXPECT_TRUE(b->Busy());
    b->Stop();
    ASSERT_TRUE(ended.count() > 0 || ended.wait(kLoadTimeout));
    settle(300);
    EXPECT_FALSE(b->Busy());
    EXPECT_EQ(rec.count("NavigateError"), 0);
    EXPECT_EQ(rec.count("NavigateComplete2"), 0);
    EXPECT_EQ(rec.count("DocumentComplete"), 0);

    // Replaced by a new navigation before it got an answer.
    rec.clear();
    begun.clear();
    const QString page = engine.page("next.html", kTitled);
    b->Navigate(server.url("slow2"));
    ASSERT_TRUE(begun.wait(kLoadTimeout));
    ASSERT_TRUE(navigateAndWait(b, page));
    settle(300);
    EXPECT_EQ(rec.count("NavigateError"), 0);
    EXPECT_EQ(rec.argsOf("BeforeNavigate2"), (QStringList{server.url("slow2"), fileUrl(page)}));
    EXPECT_EQ(rec.argsOf("NavigateComplete2"), QStringList{fileUrl(page)});
    EXPECT_EQ(rec.names.last(), "DocumentComplete");
    EXPECT_EQ(b->LocationURL(), fileUrl(page));
    EXPECT_FALSE(b->Busy());
}

TEST(EngineNavigation, AnAddressThatIsNoUrlFailsLikeAFailedLoad)
{
    Engine engine;
    auto *b = engine.create();
    const QString page = engine.page("titled.html", kTitled);
    ASSERT_TRUE(navigateAndWait(b, page));
    const QString other = engine.page("other.html", kUntitled);

    for (const QString &address : {QStringLiteral("hello world"), QStringLiteral("안녕 하세요"),
                                   QStringLiteral("http://")}) {
        SCOPED_TRACE(address.toStdString());
        EventRecorder rec(b);
        SignalSpy errors(b, &WebBrowser::NavigateError);
        b->Navigate(address);
        // Not at once: a handler may navigate again from inside the events.
        EXPECT_EQ(rec.names, QStringList());
        ASSERT_TRUE(errors.wait(kLoadTimeout));
        EXPECT_EQ(rec.names, (QStringList{"BeforeNavigate2", "DownloadBegin", "ProgressChange", "CommandStateChange",
                                          "CommandStateChange", "DownloadComplete", "NavigateError"}));
        EXPECT_EQ(rec.lastArgs("BeforeNavigate2"), address);
        EXPECT_EQ(rec.lastArgs("NavigateError"), address + " -300");
        EXPECT_TRUE(rec.busyAt.at(rec.names.indexOf("DownloadBegin")));
        EXPECT_FALSE(b->Busy());
        // The page shown stays, and the control goes on working.
        EXPECT_EQ(b->LocationURL(), fileUrl(page));
        QObject::disconnect(b, nullptr, b, nullptr);
    }
    ASSERT_TRUE(navigateAndWait(b, other));
    EXPECT_EQ(b->LocationURL(), fileUrl(other));
}
