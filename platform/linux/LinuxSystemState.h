#pragma once

#include "platform/SystemState.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QStringList>

#include <functional>
#include <future>

namespace platform {

// What a command left behind: finished is false when it could not be started or
// did not end within its time.
struct CommandResult
{
    bool finished = false;
    int exitCode = -1;
    QByteArray output;   // standard output and standard error together
};

// Runs program with args, waiting at most timeoutMs.
using CommandRunner = std::function<CommandResult(const QString &program, const QStringList &args, int timeoutMs)>;

// The real runner: QProcess in the C locale (the tools translate their answers).
CommandResult runCommand(const QString &program, const QStringList &args, int timeoutMs);

// Machine state from /proc, /sys and /etc/os-release, and the firewall through ufw
// or firewalld.
//
// The firewall state costs a process start, and the connection state a few file
// reads, while the layout pass asks for both after nearly every event. Both are
// therefore answered from a copy at most one second old. A firewall tool that did
// not answer (not allowed to, hung) is not asked again for half a minute, so a
// broken tool cannot stall the window every second.
//
// Memory: physical total and available are MemTotal and MemAvailable; "virtual"
// is what may be committed, RAM plus swap: MemTotal + SwapTotal, available
// MemAvailable + SwapFree.
class LinuxSystemState : public SystemState
{
public:
    struct Options
    {
        QString routeFile = QStringLiteral("/proc/net/route");
        QString ipv6RouteFile = QStringLiteral("/proc/net/ipv6_route");
        QString netClassFolder = QStringLiteral("/sys/class/net");
        QString memInfoFile = QStringLiteral("/proc/meminfo");
        // Empty: /etc/os-release, then /usr/lib/os-release.
        QString osReleaseFile;
        // Where firewall tools are looked for; empty: $PATH, /usr/sbin, /sbin.
        QStringList toolFolders;
        CommandRunner runner;                  // empty: runCommand
        // Once a first answer is in, later firewall reads run on a worker
        // thread and the last answer stands until the new one arrives, so the
        // window never waits for the tool.
        bool refreshInBackground = false;
        std::function<qint64()> clockMs;       // monotonic milliseconds; empty: QElapsedTimer
    };

    LinuxSystemState();
    explicit LinuxSystemState(Options options);
    ~LinuxSystemState() override;

    bool isInternetConnected() override;
    std::optional<bool> firewallEnabled() override;
    bool setFirewallEnabled(bool enabled) override;
    int processorCount() override;
    MemoryStatus memory() override;
    QString osName() override;
    QString osVersion() override;
    QString hostName() override;
    QString hostAddress() override;
    void trimWorkingSet() override;

    static constexpr qint64 kFreshMs = 1000;
    static constexpr qint64 kRetryAfterFailureMs = 30000;

    // Parsers, public for tests.
    // A default route in /proc/net/route or /proc/net/ipv6_route text, on an
    // interface for which interfaceUsable says yes.
    static bool hasDefaultRoute(const QByteArray &ipv4Routes, const QByteArray &ipv6Routes,
                                const std::function<bool(const QString &)> &interfaceUsable);
    static MemoryStatus parseMemInfo(const QByteArray &text);
    // NAME, VERSION (or VERSION_ID); PRETTY_NAME when NAME is missing.
    static std::pair<QString, QString> parseOsRelease(const QByteArray &text);
    // "Status: active" / "Status: inactive" of ufw status.
    static std::optional<bool> parseUfwStatus(const QByteArray &output);
    // "running" / "not running" of firewall-cmd --state.
    static std::optional<bool> parseFirewalldState(const QByteArray &output);

private:
    qint64 now() const;
    QString findTool(const QString &name) const;
    bool interfaceUsable(const QString &name) const;
    std::optional<bool> readFirewall(bool *toolFailed) const;
    void storeFirewall(std::optional<bool> answer, bool toolFailed);
    void takeBackgroundAnswer();
    CommandResult run(const QString &program, const QStringList &args, int timeoutMs) const;
    std::pair<QString, QString> osRelease() const;

    Options m_options;
    QElapsedTimer m_clock;

    bool m_connected = false;
    qint64 m_connectedAt = -1;

    std::optional<bool> m_firewall;
    qint64 m_firewallAt = -1;
    qint64 m_firewallValidMs = kFreshMs;
    struct FirewallAnswer
    {
        std::optional<bool> state;
        bool toolFailed = false;
    };
    std::future<FirewallAnswer> m_pendingFirewall;
};

} // namespace platform
