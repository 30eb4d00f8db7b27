// The page tools on the real engine, with file:// pages the tests write:
// document editing and script errors per tab.
#include "TempDir.h"
#include "browser/core/VorlenApp.h"
#include "browser/startup/modSubMain.h"
#include "browser/window/frmMain.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "platform/linux/QtWebBrowser.h"
#include "platform/linux/QtWebBrowserFactory.h"
#include "platform/testing/FakePlatform.h"
#include "platform/tests/engine/EngineHarness.h"

#include <QDir>

#include <type_traits>

#include <gtest/gtest.h>

using enginetest::waitUntil;

namespace {

// The engine factory, made the way this platform version makes it: with the
// dialogs it reports through and the generated pages it serves, where it has them.
template <typename Factory = platform::QtWebBrowserFactory>
std::unique_ptr<Factory> makeFactory(const QString &folder, platform::testing::FakePlatform &fake)
{
    auto factory = std::make_unique<Factory>(folder, fake.dialogs());
    factory->setGeneratedPages(fake.environment().tempFolder(), Factory::generatedPageNames());
    return factory;
}

class PageToolsEngine : public ::testing::Test
{
protected:
    PageToolsEngine()
        : fake(dir.path())
        , factory(makeFactory(dir.file("engine"), fake))
        , context{fake.environment(), fake.registry(), fake.system(), fake.processes(), fake.dialogs(), *factory}
    {
        QDir().mkpath(platform::folders::profileFolder(fake.environment()));
        // A returning user: without a settings file the start greets a new one.
        platform::setting::write(fake.environment(), settings::Key::LastWindowMode, "0");
        platform::setting::write(fake.environment(), settings::Key::LastWindowWidth, "16500");
        platform::setting::write(fake.environment(), settings::Key::LastWindowHeight, "11400");
    }

    ~PageToolsEngine() override
    {
        app.reset();
        factory.reset();
        enginetest::waitForStorageToSettle(dir.file("engine"));
    }

    QString page(const QString &name, const QString &html)
    {
        return QUrl::fromLocalFile(dir.write("site/" + name, html.toUtf8())).toString();
    }

    void startOn(const QString &url)
    {
        fake.registry().setStartPage(url);
        app = std::make_unique<VorlenApp>(context);
        modSubMain::Start(*app);
        ASSERT_TRUE(waitUntil([&] { return form().browser(0)->LocationURL() == url && !form().browser(0)->Busy(); }));
    }

    frmMain &form() { return app->mainForm(); }
    platform::QtWebBrowser *engine(qint16 index) { return static_cast<platform::QtWebBrowser *>(form().browser(index)); }

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

    TestFolder dir;
    platform::testing::FakePlatform fake;
    std::unique_ptr<platform::QtWebBrowserFactory> factory;
    platform::Platform context;
    std::unique_ptr<VorlenApp> app;
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
