// The shortcuts on the real engine: a shortcut acts while a text field of the
// page has the keyboard focus, and ordinary keys still reach the field.
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

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QWebEngineView>

#include <gtest/gtest.h>

using enginetest::waitUntil;

namespace {

// A key press and release as the focused widget receives them from the window system.
void keyClick(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

class KeyflintEngine : public ::testing::Test
{
protected:
    KeyflintEngine()
        : fake(dir.path())
        , factory(std::make_unique<platform::QtWebBrowserFactory>(dir.file("engine"), fake.dialogs()))
        , context{fake.environment(), fake.registry(), fake.system(), fake.processes(), fake.dialogs(), *factory}
    {
        factory->setGeneratedPages(fake.environment().tempFolder(),
                                   platform::QtWebBrowserFactory::generatedPageNames());
        QDir().mkpath(platform::folders::profileFolder(fake.environment()));
        platform::setting::write(fake.environment(), settings::Key::LastWindowMode, "0");
        platform::setting::write(fake.environment(), settings::Key::LastWindowWidth, "12000");
        platform::setting::write(fake.environment(), settings::Key::LastWindowHeight, "8000");
        platform::setting::write(fake.environment(), settings::Key::KeyflintValue, "1");
    }

    ~KeyflintEngine() override
    {
        app.reset();
        factory.reset();
        enginetest::waitForStorageToSettle(dir.file("engine"));
    }

    frmMain &form() { return app->mainForm(); }
    platform::QtWebBrowser *engine(qint16 index) { return static_cast<platform::QtWebBrowser *>(form().browser(index)); }
    QString js(const QString &script) { return enginetest::runJs(engine(0)->page(), script).toString(); }

    TestFolder dir;
    platform::testing::FakePlatform fake;
    std::unique_ptr<platform::QtWebBrowserFactory> factory;
    platform::Platform context;
    std::unique_ptr<VorlenApp> app;
};

TEST_F(KeyflintEngine, ShortcutWorksWhileAFieldOfThePageHasTheFocus)
{
    const QString url = QUrl::fromLocalFile(dir.write("site/form.html",
                                                      "<html><head><title>Form</title></head><body>"
                                                      "<input id='q' value=''></body></html>"))
                            .toString();
    fake.registry().setStartPage(url);
    app = std::make_unique<VorlenApp>(context);
    modSubMain::Start(*app);
    ASSERT_TRUE(waitUntil([&] { return form().browser(0)->LocationURL() == url && !form().browser(0)->Busy(); }));
    ASSERT_TRUE(form().keyflintHooked());

    form().show();
    form().activateWindow();
    QApplication::setActiveWindow(&form());
    QWidget *view = engine(0)->widget();
    view->setFocus();
    js("document.getElementById('q').focus(); 1");
    ASSERT_TRUE(waitUntil([&] { return js("document.activeElement ? document.activeElement.id : ''") == "q"; }));

    // The page's own widget has the focus (it changes after each navigation).
    QWidget *focused = view->focusProxy() ? view->focusProxy() : view;
    keyClick(focused, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    ASSERT_TRUE(waitUntil([&] { return js("document.getElementById('q').value") == "x"; }))
        << "ordinary keys reach the field";

    keyClick(focused, Qt::Key_T, Qt::ControlModifier, QStringLiteral("\x14"));
    EXPECT_EQ(form().tabs().count(), 2) << "Ctrl+T opened a tab";
    keyClick(focused, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(form().currentTabIndex(), 0) << "Alt+Left went back to the start tab";
    // The shortcut's letter did not reach the field.
    js("1");
    EXPECT_EQ(js("document.getElementById('q').value"), "x");
}

} // namespace
