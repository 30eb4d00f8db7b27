#pragma once

#include "TempDir.h"
#include "browser/app/BrowserAssembly.h"
#include "browser/window/SideBar.h"
#include "browser/window/StatusBar.h"
#include "browser/window/frmMain.h"
#include "platform/SettingsKeys.h"
#include "platform/testing/FakePlatform.h"
#include "platform/testing/FakeWebBrowser.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

// The top-level window of that kind that is open, if any.
template<class W>
W *toolWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *tool = qobject_cast<W *>(w))
            return tool;
    }
    return nullptr;
}

// A whole browser on fakes, in its own folders, thrown away after the test.
class BrowserTest : public ::testing::Test
{
protected:
    BrowserTest();
    ~BrowserTest() override;

    // Runs the start sequence; settings written before take effect.
    void start();
    frmMain &form() { return m_app->mainForm(); }
    BrowserAssembly &app() { return *m_app; }
    platform::testing::FakePlatform &fake() { return m_fake; }

    void setSetting(settings::Key key, const QString &value);
    platform::testing::FakeWebBrowser *page(qint16 index);
    platform::testing::FakeWebBrowser *selectedPage();

    // The tabs in strip order, the start tab as "start", the selected one marked
    // with "*": "start* ID1 ID3".
    QString tabs();
    // Selects the tab at a 1-based position, as a click on it does.
    void clickTab(int position);
    // A page's window.open or target=_blank: returns the request as answered.
    platform::NewWindowRequest openPopup(qint16 fromIndex, const QString &url = QString());

    // Real input on a control found by its object name: the events go through
    // Qt's delivery, the control's signals and the window's wiring.
    QWidget *named(const QString &name);
    void pressOn(const QString &name, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton);
    void releaseOn(const QString &name, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton);
    void clickOn(const QString &name, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton);
    void doubleClickOn(const QString &name, QPoint at = {});
    void keyOn(const QString &name, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void typeOn(const QString &name, const QString &text);

    TestFolder m_dir;
    platform::testing::FakePlatform m_fake;
    std::unique_ptr<BrowserAssembly> m_app;
};
