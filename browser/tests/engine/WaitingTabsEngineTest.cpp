// Restored tabs that wait on the real engine: they cost the engine nothing
// until selected, and one closed before it ever loaded keeps its history.
#include "RealBrowserFixture.h"

#include "browser/core/Commands.h"
#include "browser/sessions/SessionFile.h"
#include "browser/sessions/SessionKeeper.h"

using enginetest::waitUntil;

TEST_F(RealBrowserTest, AWaitingTabStartsNoPageProcessAndClosedUnloadedKeepsItsHistory)
{
    const QString a = page("a.html", "<title>A</title>A");
    const QString b = page("b.html", "<title>B</title>B");
    // A history of two entries, as the engine writes it.
    QByteArray history;
    {
        std::unique_ptr<platform::WebBrowser> maker(factory->create(nullptr));
        maker->Navigate2(a);
        ASSERT_TRUE(waitUntil([&] { return maker->LocationURL() == a && !maker->Busy(); }));
        maker->Navigate2(b);
        ASSERT_TRUE(waitUntil([&] { return maker->LocationURL() == b && !maker->Busy(); }));
        history = maker->saveHistory();
        ASSERT_FALSE(history.isEmpty());
    }
    sessionFile::Session saved;
    const QString start = page("start.html", "<title>start</title>start");
    saved.tabs = {{start, QStringLiteral("start"), {}}, {b, QStringLiteral("B"), history},
                  {a, QStringLiteral("A"), {}}};
    ASSERT_TRUE(sessionFile::write(platform::folders::profileFolder(fake.environment()), saved));
    platform::setting::write(fake.environment(), settings::Key::SessionRestoreValue, "2");
    startOn(start);
    ASSERT_EQ(form().tabs().count(), 3);

    SessionKeeper *keeper = app->sessions();
    ASSERT_TRUE(keeper->waiting(1));
    EXPECT_EQ(form().browser(1)->LocationURL(), b);
    EXPECT_EQ(form().browser(1)->DocumentTitle(), "B");
    EXPECT_EQ(engine(1)->page()->renderProcessPid(), 0) << "a waiting tab has no page process";
    EXPECT_EQ(engine(2)->page()->renderProcessPid(), 0);

    form().modRecvCloseWindow(1);
    ASSERT_EQ(keeper->closedTabs().size(), 1);
    EXPECT_EQ(keeper->closedTabs().at(0).tab.url, b);
    EXPECT_EQ(keeper->closedTabs().at(0).tab.history, history) << "what was saved for it, not an empty history";

    app->commands().run(Command::ReopenClosedTab);
    platform::QtWebBrowser *reopened = engine(form().tabs().CurrentTab());
    ASSERT_TRUE(waitUntil([&] { return reopened->LocationURL() == b && !reopened->Busy(); }));
    EXPECT_TRUE(reopened->CanGoBack()) << "Back leads to the page before";
}
