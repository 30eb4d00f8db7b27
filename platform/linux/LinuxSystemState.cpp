#include "LinuxSystemState.h"

#include "platform/FileIO.h"

#include <QFile>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <algorithm>
#include <thread>
#include <sys/utsname.h>
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

namespace {

constexpr int kQueryTimeoutMs = 2000;
// Switching a firewall reloads its rules, which takes longer than a query.
constexpr int kSwitchTimeoutMs = 15000;

constexpr unsigned kRouteUp = 0x0001;       // RTF_UP
constexpr unsigned kRouteReject = 0x0200;   // RTF_REJECT
constexpr unsigned kInterfaceUp = 0x1;      // IFF_UP
constexpr unsigned kInterfaceLoopback = 0x8; // IFF_LOOPBACK

QByteArray readSmallFile(const QString &path)
{
    QFile file(path);
    // /proc and /sys files report size 0, so read until the end instead of by size.
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QList<QByteArray> fields(const QByteArray &line)
{
    return line.simplified().split(' ');
}

bool allZero(const QByteArray &hex)
{
    return !hex.isEmpty() && std::all_of(hex.begin(), hex.end(), [](char c) { return c == '0'; });
}

// Unquotes a value of an os-release line: "..." with backslash escapes, '...' as is.
QString osReleaseValue(QByteArray value)
{
    value = value.trimmed();
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        QByteArray out;
        for (qsizetype i = 1; i + 1 < value.size(); ++i) {
            if (value[i] == '\\' && i + 2 < value.size())
                ++i;
            out += value[i];
        }
        value = out;
    } else if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') {
        value = value.mid(1, value.size() - 2);
    }
    return QString::fromUtf8(value).trimmed();
}

} // namespace

CommandResult runCommand(const QString &program, const QStringList &args, int timeoutMs)
{
    CommandResult result;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, args);
    if (!process.waitForStarted(timeoutMs))
        return result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return result;
    }
    result.output = process.readAll();
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = result.finished ? process.exitCode() : -1;
    return result;
}

LinuxSystemState::LinuxSystemState()
    : LinuxSystemState([] {
        Options options;
        options.refreshInBackground = true;
        return options;
    }())
{
}

LinuxSystemState::LinuxSystemState(Options options)
    : m_options(std::move(options))
{
    m_clock.start();
}

qint64 LinuxSystemState::now() const
{
    return m_options.clockMs ? m_options.clockMs() : m_clock.elapsed();
}

CommandResult LinuxSystemState::run(const QString &program, const QStringList &args, int timeoutMs) const
{
    return m_options.runner ? m_options.runner(program, args, timeoutMs) : runCommand(program, args, timeoutMs);
}

QString LinuxSystemState::findTool(const QString &name) const
{
    if (!m_options.toolFolders.isEmpty())
        return QStandardPaths::findExecutable(name, m_options.toolFolders);
    QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    return found;
}

// ---- connection ----------------------------------------------------------

bool LinuxSystemState::interfaceUsable(const QString &name) const
{
    if (name == QLatin1String("lo") || !isSafeFileName(name))
        return false;
    const QString folder = m_options.netClassFolder + QLatin1Char('/') + name;
    const QByteArray flagsText = readSmallFile(folder + QStringLiteral("/flags")).trimmed();
    if (!flagsText.isEmpty()) {
        bool ok = false;
        const unsigned flags = flagsText.toUInt(&ok, 0);
        if (ok && ((flags & kInterfaceLoopback) || !(flags & kInterfaceUp)))
            return false;
    }
    // "unknown" is what tunnels and many virtual links report while working.
    const QByteArray state = readSmallFile(folder + QStringLiteral("/operstate")).trimmed();
    return state != "down" && state != "lowerlayerdown" && state != "notpresent";
}

bool LinuxSystemState::hasDefaultRoute(const QByteArray &ipv4Routes, const QByteArray &ipv6Routes,
                                       const std::function<bool(const QString &)> &interfaceUsable)
{
    // /proc/net/route: Iface Destination Gateway Flags RefCnt Use Metric Mask ...
    const QList<QByteArray> v4Lines = ipv4Routes.split('\n');
    for (qsizetype i = 1; i < v4Lines.size(); ++i) {
        const QList<QByteArray> f = fields(v4Lines[i]);
        if (f.size() < 8)
            continue;
        bool ok = false;
        const unsigned flags = f[3].toUInt(&ok, 16);
        if (!ok || !(flags & kRouteUp) || (flags & kRouteReject))
            continue;
        if (allZero(f[1]) && allZero(f[7]) && interfaceUsable(QString::fromLocal8Bit(f[0])))
            return true;
    }
    // /proc/net/ipv6_route: dest plen src splen nexthop metric refcnt use flags iface
    for (const QByteArray &line : ipv6Routes.split('\n')) {
        const QList<QByteArray> f = fields(line);
        if (f.size() < 10)
            continue;
        bool ok = false;
        const unsigned flags = f[8].toUInt(&ok, 16);
        if (!ok || !(flags & kRouteUp) || (flags & kRouteReject))
            continue;
        if (allZero(f[0]) && allZero(f[1]) && interfaceUsable(QString::fromLocal8Bit(f[9])))
            return true;
    }
    return false;
}

bool LinuxSystemState::isInternetConnected()
{
    const qint64 t = now();
    if (m_connectedAt >= 0 && t - m_connectedAt < kFreshMs)
        return m_connected;
    m_connected = hasDefaultRoute(readSmallFile(m_options.routeFile), readSmallFile(m_options.ipv6RouteFile),
                                  [this](const QString &name) { return interfaceUsable(name); });
    m_connectedAt = t;
    return m_connected;
}

// ---- firewall ------------------------------------------------------------

std::optional<bool> LinuxSystemState::parseUfwStatus(const QByteArray &output)
{
    for (const QByteArray &line : output.split('\n')) {
        const QByteArray l = line.trimmed();
        if (!l.startsWith("Status:"))
            continue;
        const QByteArray state = l.mid(7).trimmed();
        if (state == "active")
            return true;
        if (state == "inactive")
            return false;
    }
    return std::nullopt;
}

std::optional<bool> LinuxSystemState::parseFirewalldState(const QByteArray &output)
{
    for (const QByteArray &line : output.split('\n')) {
        const QByteArray l = line.trimmed();
        if (l == "running")
            return true;
        if (l == "not running")
            return false;
    }
    return std::nullopt;
}

std::optional<bool> LinuxSystemState::readFirewall(bool *toolFailed) const
{
    // The firewall counts as on when any of the known tools says so: a machine may
    // have ufw installed but idle while firewalld guards it.
    std::optional<bool> answer;
    *toolFailed = false;

    const QString ufw = findTool(QStringLiteral("ufw"));
    if (!ufw.isEmpty()) {
        const CommandResult r = run(ufw, {QStringLiteral("status")}, kQueryTimeoutMs);
        const std::optional<bool> state = r.finished ? parseUfwStatus(r.output) : std::nullopt;
        if (state == true)
            return true;
        if (state)
            answer = false;
        else
            *toolFailed = true;
    }
    const QString firewallCmd = findTool(QStringLiteral("firewall-cmd"));
    if (!firewallCmd.isEmpty()) {
        const CommandResult r = run(firewallCmd, {QStringLiteral("--state")}, kQueryTimeoutMs);
        const std::optional<bool> state = r.finished ? parseFirewalldState(r.output) : std::nullopt;
        if (state == true)
            return true;
        if (state)
            answer = false;
        else
            *toolFailed = true;
    }
    if (answer)
        *toolFailed = false;
    return answer;
}

LinuxSystemState::~LinuxSystemState()
{
    // A read still running on its worker ends before the state it uses goes.
    if (m_pendingFirewall.valid())
        m_pendingFirewall.wait();
}

void LinuxSystemState::storeFirewall(std::optional<bool> answer, bool toolFailed)
{
    m_firewall = answer;
    // Taken after the run, so a slow tool still runs at most once per interval.
    m_firewallAt = now();
    m_firewallValidMs = toolFailed ? kRetryAfterFailureMs : kFreshMs;
}

void LinuxSystemState::takeBackgroundAnswer()
{
    if (m_pendingFirewall.valid()
        && m_pendingFirewall.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        const FirewallAnswer answer = m_pendingFirewall.get();
        storeFirewall(answer.state, answer.toolFailed);
    }
}

std::optional<bool> LinuxSystemState::firewallEnabled()
{
    takeBackgroundAnswer();
    if (m_firewallAt >= 0 && now() - m_firewallAt < m_firewallValidMs)
        return m_firewall;
    if (m_options.refreshInBackground && m_firewallAt >= 0) {
        if (!m_pendingFirewall.valid()) {
            m_pendingFirewall = std::async(std::launch::async, [this] {
                FirewallAnswer answer;
                answer.state = readFirewall(&answer.toolFailed);
                return answer;
            });
        }
        return m_firewall;
    }
    bool toolFailed = false;
    const std::optional<bool> answer = readFirewall(&toolFailed);
    storeFirewall(answer, toolFailed);
    return m_firewall;
}

bool LinuxSystemState::setFirewallEnabled(bool enabled)
{
    // A read under way describes the state before the switch.
    if (m_pendingFirewall.valid())
        m_pendingFirewall.wait();
    m_pendingFirewall = {};
    // Both tools switch persistently, as the setting does on the desktop it
    // comes from: ufw enable also enables it at boot, and firewalld is enabled
    // as a service besides being started.
    bool done = false;
    bool failed = false;
    auto record = [&](const CommandResult &r) {
        if (r.finished && r.exitCode == 0)
            done = true;
        else
            failed = true;
    };
    const QString ufw = findTool(QStringLiteral("ufw"));
    const QString firewallCmd = findTool(QStringLiteral("firewall-cmd"));
    const QString systemctl = findTool(QStringLiteral("systemctl"));

    if (!ufw.isEmpty()) {
        const QStringList args = enabled ? QStringList{QStringLiteral("--force"), QStringLiteral("enable")}
                                         : QStringList{QStringLiteral("disable")};
        record(run(ufw, args, kSwitchTimeoutMs));
    }
    // Switching on needs one firewall; switching off must stop every one.
    if (!firewallCmd.isEmpty() && !systemctl.isEmpty() && (!enabled || ufw.isEmpty())) {
        const QStringList args{enabled ? QStringLiteral("enable") : QStringLiteral("disable"), QStringLiteral("--now"),
                               QStringLiteral("firewalld")};
        record(run(systemctl, args, kSwitchTimeoutMs));
    }
    m_firewallAt = -1;   // the next read asks the tools again
    return done && !failed;
}

// ---- machine -------------------------------------------------------------

int LinuxSystemState::processorCount()
{
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    if (online > 0)
        return int(online);
    return std::max(1u, std::thread::hardware_concurrency());
}

MemoryStatus LinuxSystemState::parseMemInfo(const QByteArray &text)
{
    quint64 total = 0, available = 0, free = 0, buffers = 0, cached = 0, swapTotal = 0, swapFree = 0;
    bool haveAvailable = false;
    for (const QByteArray &line : text.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed();
        const QList<QByteArray> rest = fields(line.mid(colon + 1));
        if (rest.isEmpty())
            continue;
        bool ok = false;
        quint64 value = rest[0].toULongLong(&ok);
        if (!ok)
            continue;
        if (rest.size() > 1 && rest[1].toLower() == "kb")
            value *= 1024;
        if (name == "MemTotal")
            total = value;
        else if (name == "MemAvailable")
            available = value, haveAvailable = true;
        else if (name == "MemFree")
            free = value;
        else if (name == "Buffers")
            buffers = value;
        else if (name == "Cached")
            cached = value;
        else if (name == "SwapTotal")
            swapTotal = value;
        else if (name == "SwapFree")
            swapFree = value;
    }
    // Kernels before 3.14 have no MemAvailable; free + buffers + cache is the old estimate.
    if (!haveAvailable)
        available = free + buffers + cached;
    available = std::min(available, total);
    swapFree = std::min(swapFree, swapTotal);

    MemoryStatus status;
    status.physicalTotal = total;
    status.physicalAvailable = available;
    status.virtualTotal = total + swapTotal;
    status.virtualAvailable = available + swapFree;
    return status;
}

MemoryStatus LinuxSystemState::memory()
{
    return parseMemInfo(readSmallFile(m_options.memInfoFile));
}

std::pair<QString, QString> LinuxSystemState::parseOsRelease(const QByteArray &text)
{
    QString name, prettyName, version, versionId;
    for (const QByteArray &raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        const qsizetype eq = line.indexOf('=');
        if (line.startsWith('#') || eq <= 0)
            continue;
        const QByteArray key = line.left(eq).trimmed();
        const QString value = osReleaseValue(line.mid(eq + 1));
        if (key == "NAME")
            name = value;
        else if (key == "PRETTY_NAME")
            prettyName = value;
        else if (key == "VERSION")
            version = value;
        else if (key == "VERSION_ID")
            versionId = value;
    }
    return {name.isEmpty() ? prettyName : name, version.isEmpty() ? versionId : version};
}

std::pair<QString, QString> LinuxSystemState::osRelease() const
{
    QByteArray text;
    if (!m_options.osReleaseFile.isEmpty()) {
        text = readSmallFile(m_options.osReleaseFile);
    } else {
        text = readSmallFile(QStringLiteral("/etc/os-release"));
        if (text.isEmpty())
            text = readSmallFile(QStringLiteral("/usr/lib/os-release"));
    }
    auto [name, version] = parseOsRelease(text);
    // Without an os-release file the kernel still tells what runs.
    if (name.isEmpty()) {
        utsname u{};
        if (::uname(&u) == 0) {
            name = QString::fromLocal8Bit(u.sysname);
            if (version.isEmpty())
                version = QString::fromLocal8Bit(u.release);
        }
    }
    return {name, version};
}

QString LinuxSystemState::osName()
{
    return osRelease().first;
}

QString LinuxSystemState::osVersion()
{
    return osRelease().second;
}

QString LinuxSystemState::hostName()
{
    return QHostInfo::localHostName();
}

QString LinuxSystemState::hostAddress()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const auto flags = interface.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning)
            || (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
            const QHostAddress address = entry.ip();
            if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
                return address.toString();
        }
    }
    return QStringLiteral("127.0.0.1");
}

void LinuxSystemState::trimWorkingSet()
{
#if defined(__GLIBC__)
    ::malloc_trim(0);
#endif
}

} // namespace platform
