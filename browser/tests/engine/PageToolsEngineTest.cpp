// The page tools on the real engine, with file:// pages the tests write:
// document editing and script errors per tab.
#include "RealBrowserFixture.h"

using enginetest::waitUntil;

namespace {

class PageToolsEngine : public RealBrowserTest
{
protected:
    QString designMode(qint16 index)
    {
        QString mode;
        bool done = false;
        engine(index)->readDesignMode(&form(), [&](const QString &m) {
            mode = m;
            done = true;
        });
        waitUntil([&] { return done; });
        return mode;
    }
};

TEST_F(PageToolsEngine, TheEditingSwitchMakesThePageEditableAndBack)
{
    startOn(page("doc.html", "<html><head><title>Doc</title></head><body><p>text</p></body></html>"));
    ASSERT_EQ(designMode(0), "off");
    app->commands().run(Command::DesignMode);
    EXPECT_TRUE(waitUntil([&] { return designMode(0) == "on"; }));
    EXPECT_EQ(enginetest::runJs(engine(0)->page(), "document.body.isContentEditable").toBool(), true);
    app->commands().run(Command::DesignMode);
    EXPECT_TRUE(waitUntil([&] { return designMode(0) == "off"; }));
    EXPECT_EQ(enginetest::runJs(engine(0)->page(), "document.body.isContentEditable").toBool(), false);
}

TEST_F(PageToolsEngine, ScriptErrorsAreReportedOnlyInTheTabThatIsNotSilent)
{
    const QString thrower = page("throw.html", "<html><head><title>T</title></head><body>t</body></html>");
    startOn(thrower);
    ASSERT_NE(form().modRecvNewWindow(thrower), nullptr);
    ASSERT_TRUE(waitUntil([&] { return form().browser(1)->LocationURL() == thrower && !form().browser(1)->Busy(); }));
    form().browser(0)->setSilent(true);
    ASSERT_TRUE(form().browser(1)->Silent());
    // The selected tab (the new one) stops being silent.
    app->commands().run(Command::ScriptErrors);
    ASSERT_FALSE(form().browser(1)->Silent());
    ASSERT_TRUE(form().browser(0)->Silent());

    QStringList reported0, reported1;
    QObject::connect(engine(0), &platform::QtWebBrowser::ScriptErrorReported, &form(),
                     [&](const QString &message) { reported0 << message; });
    QObject::connect(engine(1), &platform::QtWebBrowser::ScriptErrorReported, &form(),
                     [&](const QString &message) { reported1 << message; });
    const QString boom = QStringLiteral("setTimeout(function () { throw new Error('boom'); }, 0); 1");
    enginetest::runJs(engine(0)->page(), boom);
    enginetest::runJs(engine(1)->page(), boom);
    ASSERT_TRUE(waitUntil([&] { return !reported1.isEmpty(); }));
    // The silent tab ran the same script at the same time and reported nothing.
    enginetest::runJs(engine(0)->page(), "1");
    EXPECT_TRUE(reported0.isEmpty());
    EXPECT_TRUE(reported1.first().contains("boom"));
}

} // namespace
