#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class QWidget;


namespace platform {
struct Platform;
class Registry;
class SystemState;
}

// The machine summary of the about box and the system-information tool.
namespace modSystemInfo {

// What the platform tells about its operating system.
struct OsVersionInfo
{
    bool valid = true;           // false: the version query failed
    bool windows = false;        // the Windows version table applies only here
    int major = 0;               // Windows: major and minor version
    int minor = 0;
    QString servicePack;         // Windows: the service-pack text
    QString build;               // Windows: build number; elsewhere the kernel release
    QString name;                // elsewhere: the system's own name ("Debian GNU/Linux 12 (bookworm)")
    QString version;             // elsewhere: the system's own version text ("12 (bookworm)")
};

// The description of the operating system. On Windows the version goes through
// the table of known releases; elsewhere the system names itself, and its
// kernel release stands as the build.
QString GetOSDescription(const OsVersionInfo &os, bool withBuild, bool withName);

// "Dual Core" and the like when asWords, else the count as text.
QString GetProcessorText(int count, bool asWords);

// The operating-system line of the summary, cut after 15 characters when the
// description is longer than 14.
QString operatingSystemLine(const OsVersionInfo &os);

// "System Memory : 512MB", with " (!)" below 501 MB.
QString systemMemoryLine(quint64 physicalBytes);

// The network line: host name and address.
QString networkText(const QString &hostName, const QString &address);

// The processor identifiers of the detail view, from the architecture name Qt
// reports ("x86_64", "i386", "arm64", ...): the OEM identifier and the type number
// as Windows numbers them, 0 where there is none.
struct ProcessorIds
{
    int oemId = 0;
    int type = 0;
};
ProcessorIds processorIds(const QString &architecture);

// Everything the detail view shows, one line each.
struct MachineFacts
{
    OsVersionInfo os;
    QString architecture;
    QString languageId;
    int processorCount = 0;
    quint64 virtualTotal = 0;
    quint64 physicalTotal = 0;
};
QString systemInfoText(const MachineFacts &facts);

// What this machine reports, from the platform's system state and Qt.
OsVersionInfo currentOs(platform::SystemState &system);
MachineFacts currentFacts(platform::SystemState &system);

// A system-information program and its arguments.
struct Tool
{
    QString program;
    QStringList arguments;
    bool isValid() const { return !program.isEmpty(); }
};

inline constexpr auto kMsInfoKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr auto kMsInfoValue = "PATH";
inline constexpr auto kMsInfoLocationKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr auto kMsInfoLocationValue = "MSINFO";

// The tool named in the registry when that file exists; otherwise the first
// graphical system-information program of the desktop found in searchPath;
// otherwise none.
Tool findSystemInfoTool(const platform::Registry &registry, const QStringList &searchPath);

// The folders of $PATH.
QStringList executableSearchPath();

// Starts the tool found, without a shell; otherwise, or when it cannot be
// started, tells the user. True when a tool was started.
bool StartSysInfo(platform::Platform &platform, QWidget *parent, const QStringList &searchPath);

} // namespace modSystemInfo
