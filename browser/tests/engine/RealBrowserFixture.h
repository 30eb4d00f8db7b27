#pragma once

#include "TempDir.h"
#include "browser/app/BrowserAssembly.h"
#include "browser/app/modSubMain.h"
#include "browser/window/frmMain.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "platform/linux/QtWebBrowser.h"
#include "platform/linux/QtWebBrowserFactory.h"
#include "platform/testing/FakePlatform.h"
#include "platform/tests/engine/EngineHarness.h"

#include <QDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

// A whole browser on the real engine, with fakes for the rest of the system and
// the pages the test writes, in its own folders. It starts as a returning user:
// without a settings file the start greets a new one.
class RealBrowserTest : public ::testing::Test
{
protected:
    RealBrowserTest()
        : fake(dir.path())
        , factory(std::make_unique<platform::QtWebBrowserFactory>(dir.file("engine"), fake.dialogs()))
        , context{fake.environment(), fake.registry(), fake.system(), fake.processes(), fake.dialogs(), *factory}
    {
        QDir().mkpath(platform::folders::profileFolder(fake.environment()));
        factory->setGeneratedPages(fake.environment().tempFolder(),
                                   platform::QtWebBrowserFactory::generatedPageNames());
        platform::setting::write(fake.environment(), settings::Key::LastWindowMode, "0");
        platform::setting::write(fake.environment(), settings::Key::LastWindowWidth, "16500");
        platform::setting::write(fake.environment(), settings::Key::LastWindowHeight, "11400");
    }

    ~RealBrowserTest() override
    {
        app.reset();
        factory.reset();
        enginetest::waitForStorageToSettle(dir.file("engine"));
    }

    // A page written below the test's folder, as a file:// address.
    QString page(const QString &name, const QString &html)
    {
        return QUrl::fromLocalFile(dir.write("site/" + name, html.toUtf8())).toString();
    }

    // Starts the browser on url and waits until the start tab shows it.
    void startOn(const QString &url)
    {
        fake.registry().setStartPage(url);
        app = std::make_unique<BrowserAssembly>(context);
        modSubMain::Start(*app);
        ASSERT_TRUE(enginetest::waitUntil(
            [&] { return form().browser(0)->LocationURL() == url && !form().browser(0)->Busy(); }));
    }

    frmMain &form() { return app->mainForm(); }
    platform::QtWebBrowser *engine(qint16 index) { return static_cast<platform::QtWebBrowser *>(form().browser(index)); }

    TestFolder dir;
    platform::testing::FakePlatform fake;
    std::unique_ptr<platform::QtWebBrowserFactory> factory;
    platform::Platform context;
    std::unique_ptr<BrowserAssembly> app;
};
