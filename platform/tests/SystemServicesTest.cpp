#include "platform/Folders.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/LinuxSystemState.h"
#include "platform/testing/FakePlatform.h"

#include "TempDir.h"

#include <QFile>
#include <QHostAddress>

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include <unistd.h>

using platform::CommandResult;
using platform::LinuxSystemState;

namespace {

// ---- machine answers -------------------------------------------------------

TEST(LinuxSystemState, AnswersForThisMachine)
{
    LinuxSystemState state;
    EXPECT_GT(state.processorCount(), 0);
    EXPECT_EQ(state.processorCount(), sysconf(_SC_NPROCESSORS_ONLN));

    const platform::MemoryStatus memory = state.memory();
    EXPECT_GT(memory.physicalTotal, 0u);
    EXPECT_GT(memory.physicalAvailable, 0u);
    EXPECT_LE(memory.physicalAvailable, memory.physicalTotal);
    EXPECT_GE(memory.virtualTotal, memory.physicalTotal);
    EXPECT_LE(memory.virtualAvailable, memory.virtualTotal);

    EXPECT_FALSE(state.osName().isEmpty());
    EXPECT_FALSE(state.hostName().isEmpty());
    QHostAddress address;
    ASSERT_TRUE(address.setAddress(state.hostAddress())) << state.hostAddress().toStdString();
    EXPECT_EQ(address.protocol(), QAbstractSocket::IPv4Protocol);
}

TEST(LinuxSystemState, OsReleaseFields)
{
    auto [name, version] = LinuxSystemState::parseOsRelease(
        "# comment\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\n"
        "VERSION_ID=\"12\"\nVERSION=\"12 (bookworm)\"\n");
    EXPECT_EQ(name, "Debian GNU/Linux");
    EXPECT_EQ(version, "12 (bookworm)");

    // Single quotes, escapes, and the fallbacks PRETTY_NAME and VERSION_ID.
    std::tie(name, version) = LinuxSystemState::parseOsRelease(
        "PRETTY_NAME='Arch Linux'\nVERSION_ID=rolling\nBUILD_ID=\"a \\\"b\\\"\"\n");
    EXPECT_EQ(name, "Arch Linux");
    EXPECT_EQ(version, "rolling");

    std::tie(name, version) = LinuxSystemState::parseOsRelease("NAME=\"Say \\\"hi\\\" \\\\ OS\"\n");
    EXPECT_EQ(name, "Say \"hi\" \\ OS");
    EXPECT_TRUE(version.isEmpty());
}

TEST(LinuxSystemState, OsFromFileAndKernelWithoutFile)
{
    TestFolder dir;
    LinuxSystemState::Options options;
    options.osReleaseFile = dir.write("os-release", "NAME=Testix\nVERSION=\"3.1 (Tern)\"\n");
    LinuxSystemState state(options);
    EXPECT_EQ(state.osName(), "Testix");
    EXPECT_EQ(state.osVersion(), "3.1 (Tern)");

    options.osReleaseFile = dir.file("missing");
    LinuxSystemState bare(options);
    EXPECT_EQ(bare.osName(), "Linux");
    EXPECT_FALSE(bare.osVersion().isEmpty());
}

TEST(LinuxSystemState, MemInfo)
{
    const platform::MemoryStatus m = LinuxSystemState::parseMemInfo(
        "MemTotal:        8000000 kB\nMemFree:          100000 kB\nMemAvailable:    3000000 kB\n"
        "Buffers:           10000 kB\nCached:          2000000 kB\nSwapTotal:       2000000 kB\n"
        "SwapFree:        1500000 kB\n");
    EXPECT_EQ(m.physicalTotal, 8000000ull * 1024);
    EXPECT_EQ(m.physicalAvailable, 3000000ull * 1024);
    EXPECT_EQ(m.virtualTotal, 10000000ull * 1024);
    EXPECT_EQ(m.virtualAvailable, 4500000ull * 1024);

    // Old kernels: no MemAvailable line.
    const platform::MemoryStatus old = LinuxSystemState::parseMemInfo(
        "MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 250 kB\nSwapTotal: 0 kB\nSwapFree: 0 kB\n");
    EXPECT_EQ(old.physicalAvailable, 400ull * 1024);
    EXPECT_EQ(old.virtualTotal, 1000ull * 1024);

    TestFolder dir;
    LinuxSystemState::Options options;
    options.memInfoFile = dir.write("meminfo", "MemTotal: 2048 kB\nMemAvailable: 1024 kB\n");
    EXPECT_EQ(LinuxSystemState(options).memory().physicalTotal, 2048ull * 1024);
    options.memInfoFile = dir.file("missing");
    EXPECT_EQ(LinuxSystemState(options).memory().physicalTotal, 0u);
}

// ---- connection ------------------------------------------------------------

const QByteArray kRouteHeader = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
const QByteArray kEthDefault = "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";
const QByteArray kEthSubnet = "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
const QByteArray kV6Default = "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                              "fd000000000000000000000000000001 00000400 00000002 00000000 00000003     eth0\n";
const QByteArray kV6LoReject = "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                               "00000000000000000000000000000000 ffffffff 00000001 00000000 00200200       lo\n";

class Connection : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeInterface("eth0", "0x1003", "up");
        writeInterface("lo", "0x9", "unknown");
        options.routeFile = dir.file("route");
        options.ipv6RouteFile = dir.file("ipv6_route");
        options.netClassFolder = dir.file("net");
        options.clockMs = [this] { return clock; };
    }
    void writeInterface(const char *name, const QByteArray &flags, const QByteArray &state)
    {
        dir.write(QStringLiteral("net/%1/flags").arg(name), flags + '\n');
        dir.write(QStringLiteral("net/%1/operstate").arg(name), state + '\n');
    }
    void routes(const QByteArray &v4, const QByteArray &v6)
    {
        dir.write("route", kRouteHeader + v4);
        dir.write("ipv6_route", v6);
    }

    TestFolder dir;
    LinuxSystemState::Options options;
    qint64 clock = 0;
};

TEST_F(Connection, DefaultRouteOnWorkingInterface)
{
    routes(kEthSubnet + kEthDefault, {});
    EXPECT_TRUE(LinuxSystemState(options).isInternetConnected());

    routes({}, kV6LoReject + kV6Default);
    EXPECT_TRUE(LinuxSystemState(options).isInternetConnected());
}

TEST_F(Connection, NoUsableDefaultRoute)
{
    routes(kEthSubnet, kV6LoReject);
    EXPECT_FALSE(LinuxSystemState(options).isInternetConnected());

    routes("lo\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n", {});
    EXPECT_FALSE(LinuxSystemState(options).isInternetConnected());

    // Cable out: the route stays in the table, the link is down.
    routes(kEthDefault, kV6Default);
    writeInterface("eth0", "0x1003", "down");
    EXPECT_FALSE(LinuxSystemState(options).isInternetConnected());
    writeInterface("eth0", "0x1002", "unknown");   // administratively down
    EXPECT_FALSE(LinuxSystemState(options).isInternetConnected());

    // A route whose interface name would leave the folder is not looked up.
    routes("../x\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n", {});
    EXPECT_FALSE(LinuxSystemState(options).isInternetConnected());

    options.routeFile = dir.file("none");
    options.ipv6RouteFile = dir.file("none6");
    EXPECT_FALSE(LinuxSystemState(options).isInternetConnected());
}

TEST_F(Connection, AnswerIsKeptForOneSecond)
{
    routes(kEthDefault, {});
    LinuxSystemState state(options);
    EXPECT_TRUE(state.isInternetConnected());
    routes({}, {});
    clock = 999;
    EXPECT_TRUE(state.isInternetConnected());
    clock = 1000;
    EXPECT_FALSE(state.isInternetConnected());
}

// ---- firewall ----------------------------------------------------------------

class Firewall : public ::testing::Test
{
protected:
    void SetUp() override
    {
        options.toolFolders = {dir.file("bin")};
        options.clockMs = [this] { return clock; };
        options.runner = [this](const QString &program, const QStringList &args, int timeoutMs) {
            const QString tool = program.section('/', -1);
            calls.append(tool + ' ' + args.join(' '));
            EXPECT_GT(timeoutMs, 0);
            return answers.value(tool);
        };
    }
    void tool(const char *name)
    {
        const QString path = dir.write(QStringLiteral("bin/%1").arg(name), "#!/bin/sh\nexit 99\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    static CommandResult answer(const QByteArray &output, int exitCode = 0)
    {
        return {true, exitCode, output};
    }

    TestFolder dir;
    LinuxSystemState::Options options;
    qint64 clock = 0;
    QStringList calls;
    QMap<QString, CommandResult> answers;
};

TEST_F(Firewall, UfwAnswersAreReadAtMostOncePerSecond)
{
    tool("ufw");
    answers["ufw"] = answer("Status: active\n\nTo                         Action      From\n");
    LinuxSystemState state(options);
    EXPECT_EQ(state.firewallEnabled(), true);
    clock = 999;
    EXPECT_EQ(state.firewallEnabled(), true);
    EXPECT_EQ(calls, QStringList{"ufw status"});

    answers["ufw"] = answer("Status: inactive\n");
    clock = 1999;
    EXPECT_EQ(state.firewallEnabled(), false);
    EXPECT_EQ(calls.size(), 2);
}

TEST_F(Firewall, LaterReadsRunInTheBackgroundAndNeverBlock)
{
    tool("ufw");
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> runs{0};
    options.refreshInBackground = true;
    options.runner = [&runs, released](const QString &, const QStringList &, int) {
        if (runs++ == 0)
            return answer("Status: active\n");
        released.wait();
        return answer("Status: inactive\n");
    };
    LinuxSystemState state(options);
    EXPECT_EQ(state.firewallEnabled(), true) << "the first read answers at once";
    clock = 1500;
    // The tool hangs: the last answer stands and the caller goes on.
    EXPECT_EQ(state.firewallEnabled(), true);
    EXPECT_EQ(state.firewallEnabled(), true);
    release.set_value();
    std::optional<bool> seen = true;
    for (int i = 0; i < 200 && seen == true; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        seen = state.firewallEnabled();
    }
    EXPECT_EQ(seen, false);
    EXPECT_EQ(runs.load(), 2) << "one background read, however often asked";
}

TEST_F(Firewall, FirewalldAndCombinations)
{
    tool("firewall-cmd");
    answers["firewall-cmd"] = answer("not running\n", 252);
    EXPECT_EQ(LinuxSystemState(options).firewallEnabled(), false);
    answers["firewall-cmd"] = answer("running\n");
    EXPECT_EQ(LinuxSystemState(options).firewallEnabled(), true);

    // ufw installed but idle while firewalld guards the machine.
    tool("ufw");
    answers["ufw"] = answer("Status: inactive\n");
    EXPECT_EQ(LinuxSystemState(options).firewallEnabled(), true);
}

TEST_F(Firewall, NoToolNoAnswer)
{
    LinuxSystemState state(options);
    EXPECT_EQ(state.firewallEnabled(), std::nullopt);
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_FALSE(state.setFirewallEnabled(true));
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(Firewall, ToolThatCannotAnswerIsNotAskedEverySecond)
{
    tool("ufw");
    answers["ufw"] = answer("ERROR: You need to be root to run this script\n", 1);
    LinuxSystemState state(options);
    EXPECT_EQ(state.firewallEnabled(), std::nullopt);
    clock = 5000;
    EXPECT_EQ(state.firewallEnabled(), std::nullopt);
    EXPECT_EQ(calls.size(), 1);
    clock = LinuxSystemState::kRetryAfterFailureMs;
    state.firewallEnabled();
    EXPECT_EQ(calls.size(), 2);

    answers["ufw"] = CommandResult{};   // hung and killed
    clock = 10 * LinuxSystemState::kRetryAfterFailureMs;
    EXPECT_EQ(state.firewallEnabled(), std::nullopt);
}

TEST_F(Firewall, SwitchingRunsTheToolAndForgetsTheOldAnswer)
{
    tool("ufw");
    answers["ufw"] = answer("Status: inactive\n");
    LinuxSystemState state(options);
    EXPECT_EQ(state.firewallEnabled(), false);
    answers["ufw"] = answer("Status: active\n");
    EXPECT_TRUE(state.setFirewallEnabled(true));
    EXPECT_EQ(state.firewallEnabled(), true);   // same second, asked again
    EXPECT_EQ(calls, (QStringList{"ufw status", "ufw --force enable", "ufw status"}));

    answers["ufw"] = answer("ERROR: problem running\n", 1);
    EXPECT_FALSE(state.setFirewallEnabled(false));
}

TEST_F(Firewall, FirewalldIsSwitchedAsAService)
{
    tool("firewall-cmd");
    tool("systemctl");
    answers["systemctl"] = answer({});
    LinuxSystemState state(options);
    EXPECT_TRUE(state.setFirewallEnabled(true));
    EXPECT_EQ(calls, QStringList{"systemctl enable --now firewalld"});

    // Switching off stops every firewall there is.
    tool("ufw");
    answers["ufw"] = answer("Firewall stopped\n");
    calls.clear();
    EXPECT_TRUE(state.setFirewallEnabled(false));
    EXPECT_EQ(calls, (QStringList{"ufw disable", "systemctl disable --now firewalld"}));
}

TEST(CommandRunner, ExitCodeOutputAndTimeout)
{
    const CommandResult ok = platform::runCommand("/bin/sh", {"-c", "echo out; echo err >&2; exit 3"}, 5000);
    EXPECT_TRUE(ok.finished);
    EXPECT_EQ(ok.exitCode, 3);
    EXPECT_EQ(ok.output, "out\nerr\n");

    // The tools translate their answers; the runner asks for untranslated ones.
    EXPECT_EQ(platform::runCommand("/bin/sh", {"-c", "echo $LC_ALL"}, 5000).output, "C\n");

    EXPECT_FALSE(platform::runCommand("/bin/sleep", {"10"}, 100).finished);
    EXPECT_FALSE(platform::runCommand("/nonexistent/tool", {}, 1000).finished);
}

// ---- the assembled platforms ------------------------------------------------------

TEST(Platforms, ServicesAreWiredTogether)
{
    TestFolder dir;
    platform::LinuxEnvironment::Overrides overrides;
    overrides.applicationFolder = dir.file("app");
    platform::LinuxPlatform real(overrides);
    platform::Platform &p = real.platform();
    EXPECT_EQ(&p.environment, &real.environment());
    EXPECT_EQ(&p.dialogs, static_cast<platform::Dialogs *>(&real.dialogs()));
    EXPECT_EQ(p.environment.applicationFolder(), dir.file("app"));
    // The core platform has no page engine: its browsers make nothing.
    EXPECT_EQ(p.browsers.create(nullptr), nullptr);

    platform::testing::FakePlatform fake(dir.file("fake"));
    EXPECT_EQ(&fake.platform().dialogs, &fake.dialogs());
    EXPECT_EQ(&fake.platform().system, &fake.system());
    EXPECT_EQ(fake.platform().environment.tempFolder(), dir.file("fake/tmp"));
    fake.platform().system.trimWorkingSet();
    EXPECT_EQ(fake.system().trimCount(), 1);
}

} // namespace
