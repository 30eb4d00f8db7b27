#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;
class TabSet;

namespace platform {
class WebBrowser;
}

// Keeps the status bar's connection picture on the unsafe state while the
// selected tab shows a page whose certificate could not be trusted (see
// platform::WebBrowser::isUnsafe). The window's page events set the picture
// too (loading, done); this observer hears the same events after the window
// and puts the unsafe state back, so the selected tab's state wins. It lives
// as long as the tab set it watches.
class ConnectionTrust : public QObject
{
    Q_OBJECT
public:
    // ProgramStatusImagesList picture 3, the warning of the status bar.
    static constexpr int kUnsafePicture = 3;
    // What the connection picture shows once a page is no longer unsafe.
    static constexpr int kLoadingPicture = 4;
    static constexpr int kDonePicture = 5;

    // setPicture sets the connection picture; icon, when given, carries the
    // tooltip that says why the picture warns.
    ConnectionTrust(TabSet &tabs, std::function<void(int)> setPicture, QWidget *icon);

    bool showsUnsafe() const { return m_showing; }

private:
    void watch(platform::WebBrowser *page);
    void show();

    TabSet &m_tabs;
    std::function<void(int)> m_setPicture;
    QPointer<QWidget> m_icon;
    bool m_showing = false;
};
