#pragma once

#include "platform/Platform.h"
#include "platform/testing/FakeDialogs.h"
#include "platform/testing/FakeEnvironment.h"
#include "platform/testing/FakeProcesses.h"
#include "platform/testing/FakeRegistry.h"
#include "platform/testing/FakeSystemState.h"
#include "platform/testing/FakeWebBrowser.h"

namespace platform::testing {

// A complete platform on fakes, with its folders below root (see FakeEnvironment).
class FakePlatform
{
public:
    explicit FakePlatform(const QString &root);

    FakePlatform(const FakePlatform &) = delete;
    FakePlatform &operator=(const FakePlatform &) = delete;

    Platform &platform() { return m_platform; }

    FakeEnvironment &environment() { return m_environment; }
    FakeRegistry &registry() { return m_registry; }
    FakeSystemState &system() { return m_system; }
    FakeProcesses &processes() { return m_processes; }
    FakeDialogs &dialogs() { return m_dialogs; }
    FakeWebBrowserFactory &browsers() { return m_browsers; }

private:
    FakeEnvironment m_environment;
    FakeRegistry m_registry;
    FakeSystemState m_system;
    FakeProcesses m_processes;
    FakeDialogs m_dialogs;
    FakeWebBrowserFactory m_browsers;
    Platform m_platform;
};

} // namespace platform::testing
