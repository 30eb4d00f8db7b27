#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class AfterStepRunner;

namespace platform {
struct Platform;
class WebBrowser;
}

// What a panel may use of the browser: the system services, the after-step
// its handlers end with, and the selected tab's page (null when there is none).
struct PanelContext
{
    platform::Platform &platform;
    AfterStepRunner &afterStep;
    std::function<platform::WebBrowser *()> currentPage;
};

// What every panel of the side area shares: it talks to the window through
// these signals only, and lays out its own controls inside the rectangle the
// window's layout pass gives it.
class SidePanel : public QWidget
{
    Q_OBJECT
public:
    SidePanel(const QString &name, QWidget *parent);

Q_SIGNALS:
    // A status bar message: connection picture and text.
    void statusMessage(int picture, const QString &text);
    // An address to open in the selected tab.
    void openAddress(const QString &address);
    // The panel changed what the layout pass reads (opened, closed, resized).
    void layoutRequested();
    // The panel came into view; a panel sharing its place gives way.
    void opened();
};
