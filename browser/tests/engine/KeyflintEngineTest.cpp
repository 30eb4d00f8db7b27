// The shortcuts on the real engine: a shortcut acts while a text field of the
// page has the keyboard focus, and ordinary keys still reach the field.
#include "RealBrowserFixture.h"

#include "browser/input/modKeyflint.h"

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

class KeyflintEngine : public RealBrowserTest
{
protected:
    KeyflintEngine()
    {
        platform::setting::write(fake.environment(), settings::Key::LastWindowWidth, "12000");
        platform::setting::write(fake.environment(), settings::Key::LastWindowHeight, "8000");
        platform::setting::write(fake.environment(), settings::Key::KeyflintValue, "1");
    }

    QString js(const QString &script) { return enginetest::runJs(engine(0)->page(), script).toString(); }
};

TEST_F(KeyflintEngine, ShortcutWorksWhileAFieldOfThePageHasTheFocus)
{
    startOn(page("form.html", "<html><head><title>Form</title></head><body><input id='q' value=''></body></html>"));
    ASSERT_TRUE(app->keyflint().hooked());

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
