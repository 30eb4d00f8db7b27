#pragma once

#include "platform/Downloads.h"

#include "platform/Platform.h"
#include "platform/linux/IniRegistry.h"
#include "platform/linux/LinuxEnvironment.h"
#include "platform/linux/LinuxProcesses.h"
#include "platform/linux/LinuxSystemState.h"
#include "platform/linux/QtDialogs.h"

#include <functional>
#include <memory>

namespace platform {

// The program's services on a Linux desktop, owned in one place. Make it after the
// QApplication and keep it until the last form is gone.
//
// This is the core without the page engine: its browsers make nothing (a
// program that shows no web pages, such as the theme builder, needs no more).
// LinuxWebPlatform adds the engine.
class LinuxPlatform
{
public:
    // Makes the page-engine factory once the other services exist.
    using BrowserFactoryMaker = std::function<std::unique_ptr<WebBrowserFactory>(LinuxPlatform &)>;

    LinuxPlatform();
    explicit LinuxPlatform(LinuxEnvironment::Overrides overrides, const BrowserFactoryMaker &makeBrowsers = {});
    ~LinuxPlatform();

    LinuxPlatform(const LinuxPlatform &) = delete;
    LinuxPlatform &operator=(const LinuxPlatform &) = delete;

    Platform &platform() { return m_platform; }

    LinuxEnvironment &environment() { return m_environment; }
    IniRegistry &registry() { return m_registry; }
    LinuxSystemState &system() { return m_system; }
    LinuxProcesses &processes() { return m_processes; }
    QtDialogs &dialogs() { return m_dialogs; }

private:
    LinuxEnvironment m_environment;
    IniRegistry m_registry;
    LinuxSystemState m_system;
    LinuxProcesses m_processes;
    QtDialogs m_dialogs;
    std::unique_ptr<WebBrowserFactory> m_browsers;
    Platform m_platform;
};

// The factory of a program without page engines: create() makes nothing and
// returns null, and there are no notifications.
class NoWebBrowsers : public WebBrowserFactory
{
public:
    WebBrowser *create(QWidget *parent) override;
    void setNotificationSink(std::function<void(const SiteNotification &)>) override {}
    Downloads &downloads() override;

private:
    // Downloads that never start.
    class NoDownloads : public Downloads
    {
    public:
        void download(const QUrl &) override {}
        void openFolder(const QString &) override {}
    };
    NoDownloads m_downloads;
};

} // namespace platform
