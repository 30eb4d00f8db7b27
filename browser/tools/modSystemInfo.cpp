#include "modSystemInfo.h"

#include "platform/Platform.h"
#include "browser/startup/Version.h"
#include "platform/Registry.h"
#include "platform/SystemState.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QOperatingSystemVersion>
#include <QProcess>
#include <QSysInfo>

#include <array>
#include <cmath>

namespace modSystemInfo {

namespace {

struct WindowsRelease
{
    int major;
    int minor;
    const char *name;
};

constexpr std::array<WindowsRelease, 9> kWindowsReleases = {{
    {5, 1, "Windows XP "},
    {5, 0, "Windows 2000 "},
    {6, 0, "Windows Vista "},
    {7, 0, "Windows Seven "},
    {6, 1, "Windows Seven "},
    {5, 2, "Windows Server 2003 "},
    {4, 90, "Windows Me "},
    {4, 10, "Windows 98 "},
    {4, 0, "Windows 95 "},
}};

const QString kUnknown = QStringLiteral("Unknown");

constexpr quint64 kMegabyte = 1024 * 1024;

qint64 roundedMegabytes(quint64 bytes)
{
    return qint64(std::llround(double(bytes) / double(kMegabyte)));
}

// Graphical programs of the common desktops that show what the machine is made of.
const std::array<Tool, 5> &desktopTools()
{
    static const std::array<Tool, 5> tools = {{
        {QStringLiteral("kinfocenter"), {}},
        {QStringLiteral("hardinfo2"), {}},
        {QStringLiteral("hardinfo"), {}},
        {QStringLiteral("cpu-x"), {}},
        {QStringLiteral("xfce4-about"), {}},
    }};
    return tools;
}

bool isRunnableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace

QString GetOSDescription(const OsVersionInfo &os, bool withBuild, bool withName)
{
    if (!os.valid)
        return kUnknown;

    QString text;
    if (os.windows) {
        if (withName) {
            text = kUnknown;
            for (const WindowsRelease &release : kWindowsReleases) {
                if (release.major == os.major && release.minor == os.minor) {
                    text = QString::fromUtf8(release.name);
                    break;
                }
            }
            text += os.servicePack.trimmed();
        } else {
            text = QString::number(os.major) + u'.' + QString::number(os.minor);
        }
    } else {
        text = withName ? os.name.trimmed() : os.version.trimmed();
        if (text.isEmpty())
            return kUnknown;
    }

    if (withBuild) {
        // The Windows names end in a blank already; the system's own name does not.
        if (!os.windows && !text.endsWith(u' '))
            text += u' ';
        text += QStringLiteral("(Build : ") + os.build + u')';
    } else {
        text.remove(QChar(0));
    }
    return text;
}

QString GetProcessorText(int count, bool asWords)
{
    if (!asWords)
        return QString::number(count);
    switch (count) {
    case 1:
        return QStringLiteral("Single Core");
    case 2:
        return QStringLiteral("Dual Core");
    case 3:
        return QStringLiteral("Triple Core");
    case 4:
        return QStringLiteral("Quad Core");
    case 8:
        return QStringLiteral("Octo Core");
    default:
        return {};
    }
}

QString operatingSystemLine(const OsVersionInfo &os)
{
    if (GetOSDescription(os, true, true) == kUnknown)
        return QStringLiteral("알수 없는 운영체제") + QStringLiteral("기반에서 실행 중");
    const QString description = GetOSDescription(os, false, true);
    if (description.size() > 14)
        return description.left(15) + QStringLiteral("...") + QStringLiteral(" 기반에서 실행 중");
    return description + QStringLiteral(" 기반에서 실행 중");
}

QString systemMemoryLine(quint64 physicalBytes)
{
    const qint64 mb = roundedMegabytes(physicalBytes);
    return QStringLiteral("System Memory : ") + QString::number(mb) + (mb < 501 ? QStringLiteral("MB (!)") : QStringLiteral("MB"));
}

QString networkText(const QString &hostName, const QString &address)
{
    return QStringLiteral("사용자 컴퓨터 네트워크 정보") + u'\n' + QStringLiteral("[ 도메인 이름 : ") + hostName
        + QStringLiteral(" ]") + QStringLiteral(" [ IP 주소 : ") + address + QStringLiteral(" ] ") + u'\n';
}

ProcessorIds processorIds(const QString &architecture)
{
    // wProcessorArchitecture and dwProcessorType as Windows reports them.
    if (architecture == QLatin1String("x86_64"))
        return {9, 8664};
    if (architecture == QLatin1String("i386") || architecture == QLatin1String("i686"))
        return {0, 586};
    if (architecture == QLatin1String("arm64"))
        return {12, 0};
    if (architecture.startsWith(QLatin1String("arm")))
        return {5, 0};
    if (architecture == QLatin1String("ia64"))
        return {6, 2200};
    return {};
}

QString systemInfoText(const MachineFacts &facts)
{
    const ProcessorIds ids = processorIds(facts.architecture);
    const QStringList lines = {
        GetOSDescription(facts.os, true, true),
        QStringLiteral("Product ID : ") + QString::number(ids.oemId),
        QStringLiteral("Language ID : ") + facts.languageId,
        QString(),
        QStringLiteral("Processor : ") + GetProcessorText(facts.processorCount, true),
        QStringLiteral("Processor Type : ") + QString::number(ids.type),
        QString(),
        QStringLiteral("Virtual Memory : ") + QString::number(roundedMegabytes(facts.virtualTotal)) + QStringLiteral("MB"),
        systemMemoryLine(facts.physicalTotal),
    };
    return lines.join(u'\n');
}

OsVersionInfo currentOs(platform::SystemState &system)
{
    OsVersionInfo os;
    os.windows = QSysInfo::kernelType() == QLatin1String("winnt");
    if (os.windows) {
        const QOperatingSystemVersion v = QOperatingSystemVersion::current();
        os.major = v.majorVersion();
        os.minor = v.minorVersion();
        os.build = QString::number(v.microVersion());
        os.valid = os.major > 0;
        return os;
    }
    const QString name = system.osName().trimmed();
    os.version = system.osVersion().trimmed();
    // The release file names the system and its version apart ("Debian GNU/Linux",
    // "12 (bookworm)"); shown together they read as its pretty name.
    os.name = os.version.isEmpty() || name.contains(os.version) ? name : name + u' ' + os.version;
    if (os.name.isEmpty())
        os.name = QSysInfo::prettyProductName();
    os.build = QSysInfo::kernelVersion();
    os.valid = !os.name.isEmpty();
    return os;
}

MachineFacts currentFacts(platform::SystemState &system)
{
    MachineFacts facts;
    facts.os = currentOs(system);
    facts.architecture = QSysInfo::currentCpuArchitecture();
    facts.languageId = QLocale::system().name();
    facts.processorCount = system.processorCount();
    const platform::MemoryStatus memory = system.memory();
    facts.virtualTotal = memory.virtualTotal;
    facts.physicalTotal = memory.physicalTotal;
    return facts;
}

Tool findSystemInfoTool(const platform::Registry &registry, const QStringList &searchPath)
{
    QString path = registry.read(QString::fromUtf8(kMsInfoKey), QString::fromUtf8(kMsInfoValue));
    if (path.isEmpty()) {
        const QString folder =
            registry.read(QString::fromUtf8(kMsInfoLocationKey), QString::fromUtf8(kMsInfoLocationValue));
        if (!folder.isEmpty())
            path = QDir(folder).filePath(QStringLiteral("MSINFO32.EXE"));
    }
    if (!path.isEmpty())
        return isRunnableFile(path) ? Tool{path, {}} : Tool{};

    for (const Tool &tool : desktopTools()) {
        for (const QString &folder : searchPath) {
            if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
                continue;
            const QString candidate = QDir(folder).filePath(tool.program);
            if (isRunnableFile(candidate))
                return Tool{candidate, tool.arguments};
        }
    }
    return {};
}

QStringList executableSearchPath()
{
    return qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

bool StartSysInfo(platform::Platform &platform, QWidget *parent, const QStringList &searchPath)
{
    const Tool tool = findSystemInfoTool(platform.registry, searchPath);
    // startDetached runs the program itself, never a shell: blanks and quotes in
    // the path stay part of the file name.
    if (tool.isValid() && QProcess::startDetached(tool.program, tool.arguments))
        return true;
    platform.dialogs.messageBox(parent,
                                      QStringLiteral("이 버전의 Microsoft Windows 는 이 응용 프로그램을 지원하지 않습니다.\n"
                                                     "확인 후 다시시도 하십시오."),
                                      QString::fromUtf8(version::kProductName), platform::MsgButtons::OK,
                                      platform::MsgIcon::Critical);
    return false;
}

} // namespace modSystemInfo
