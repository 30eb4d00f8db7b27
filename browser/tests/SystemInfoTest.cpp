// The about box's descriptions of the machine and the system-information tool.
#include "TempDir.h"
#include "browser/tools/modSystemInfo.h"
#include "platform/testing/FakeRegistry.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <gtest/gtest.h>

using modSystemInfo::GetOSDescription;
using modSystemInfo::OsVersionInfo;

namespace {

OsVersionInfo windows(int major, int minor, const QString &sp = {}, const QString &build = QStringLiteral("2600"))
{
    OsVersionInfo os;
    os.windows = true;
    os.major = major;
    os.minor = minor;
    os.servicePack = sp;
    os.build = build;
    return os;
}

OsVersionInfo linuxOs(const QString &name, const QString &version, const QString &kernel)
{
    OsVersionInfo os;
    os.name = name;
    os.version = version;
    os.build = kernel;
    return os;
}

} // namespace

TEST(GetOSDescription, WindowsVersionTable)
{
    const struct
    {
        int major, minor;
        const char *name;
    } rows[] = {
        {5, 1, "Windows XP "},     {5, 0, "Windows 2000 "}, {6, 0, "Windows Vista "},
        {7, 0, "Windows Seven "},  {6, 1, "Windows Seven "}, {5, 2, "Windows Server 2003 "},
        {4, 90, "Windows Me "},    {4, 10, "Windows 98 "},   {4, 0, "Windows 95 "},
        {10, 0, "Unknown"},        {6, 2, "Unknown"},        {4, 9, "Unknown"},
    };
    for (const auto &row : rows) {
        const OsVersionInfo os = windows(row.major, row.minor);
        EXPECT_EQ(GetOSDescription(os, false, true), QString::fromUtf8(row.name)) << row.major << '.' << row.minor;
        EXPECT_EQ(GetOSDescription(os, true, true), QString::fromUtf8(row.name) + "(Build : 2600)");
        EXPECT_EQ(GetOSDescription(os, false, false), QString::number(row.major) + '.' + QString::number(row.minor));
        EXPECT_EQ(GetOSDescription(os, true, false),
                  QString::number(row.major) + '.' + QString::number(row.minor) + "(Build : 2600)");
    }
}

TEST(GetOSDescription, WindowsServicePackAndNul)
{
    EXPECT_EQ(GetOSDescription(windows(5, 1, QStringLiteral("  Service Pack 3 ")), false, true),
              "Windows XP Service Pack 3");
    const QString withNul = QStringLiteral("Service Pack 2") + QChar(0);
    EXPECT_EQ(GetOSDescription(windows(5, 1, withNul), false, true), "Windows XP Service Pack 2");
    OsVersionInfo failed = windows(5, 1);
    failed.valid = false;
    EXPECT_EQ(GetOSDescription(failed, true, true), "Unknown");
}

TEST(GetOSDescription, ElsewhereTheSystemNamesItself)
{
    const OsVersionInfo debian =
        linuxOs(QStringLiteral("Debian GNU/Linux 12 (bookworm)"), QStringLiteral("12 (bookworm)"), QStringLiteral("6.1.0-13-amd64"));
    EXPECT_EQ(GetOSDescription(debian, false, true), "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(GetOSDescription(debian, true, true), "Debian GNU/Linux 12 (bookworm) (Build : 6.1.0-13-amd64)");
    EXPECT_EQ(GetOSDescription(debian, false, false), "12 (bookworm)");

    // A kernel numbered like a Windows release is never taken for one.
    OsVersionInfo kernel61 = linuxOs(QStringLiteral("Fedora Linux 39"), QStringLiteral("39"), QStringLiteral("6.1.0"));
    kernel61.major = 6;
    kernel61.minor = 1;
    EXPECT_FALSE(GetOSDescription(kernel61, true, true).contains(QStringLiteral("Windows")));
    EXPECT_EQ(GetOSDescription(linuxOs({}, {}, QStringLiteral("6.1")), true, true), "Unknown");
}

TEST(GetProcessorText, WordsAndNumbers)
{
    const struct
    {
        int count;
        const char *words;
    } rows[] = {{1, "Single Core"}, {2, "Dual Core"}, {3, "Triple Core"}, {4, "Quad Core"},
                {8, "Octo Core"},   {6, ""},          {16, ""},           {0, ""}};
    for (const auto &row : rows) {
        EXPECT_EQ(modSystemInfo::GetProcessorText(row.count, true), QString::fromUtf8(row.words)) << row.count;
        EXPECT_EQ(modSystemInfo::GetProcessorText(row.count, false), QString::number(row.count));
    }
}

TEST(AboutBoxLines, OperatingSystemLineIsCutAfterFifteen)
{
    auto line = [](const QString &name) {
        return modSystemInfo::operatingSystemLine(linuxOs(name, QStringLiteral("1"), QStringLiteral("6.1")));
    };
    EXPECT_EQ(line(QStringLiteral("ABCDEFGHIJKLMN")), "ABCDEFGHIJKLMN 기반에서 실행 중");          // 14: whole
    EXPECT_EQ(line(QStringLiteral("ABCDEFGHIJKLMNO")), "ABCDEFGHIJKLMNO... 기반에서 실행 중");      // 15: cut
    EXPECT_EQ(line(QStringLiteral("ABCDEFGHIJKLMNOP")), "ABCDEFGHIJKLMNO... 기반에서 실행 중");     // 16: cut
    EXPECT_EQ(modSystemInfo::operatingSystemLine(windows(6, 1)), "Windows Seven  기반에서 실행 중");
    OsVersionInfo failed;
    failed.valid = false;
    EXPECT_EQ(modSystemInfo::operatingSystemLine(failed), "알수 없는 운영체제기반에서 실행 중");
}

TEST(AboutBoxLines, MemoryWarnsBelow501Megabytes)
{
    constexpr quint64 mb = 1024 * 1024;
    EXPECT_EQ(modSystemInfo::systemMemoryLine(512 * mb), "System Memory : 512MB");
    EXPECT_EQ(modSystemInfo::systemMemoryLine(501 * mb), "System Memory : 501MB");
    EXPECT_EQ(modSystemInfo::systemMemoryLine(500 * mb), "System Memory : 500MB (!)");
    EXPECT_EQ(modSystemInfo::systemMemoryLine(500 * mb + mb / 2), "System Memory : 501MB");
    EXPECT_EQ(modSystemInfo::systemMemoryLine(256 * mb), "System Memory : 256MB (!)");
}

TEST(AboutBoxLines, DetailViewLines)
{
    modSystemInfo::MachineFacts facts;
    facts.os = linuxOs(QStringLiteral("Debian GNU/Linux 12 (bookworm)"), QStringLiteral("12"), QStringLiteral("6.1.0"));
    facts.architecture = QStringLiteral("x86_64");
    facts.languageId = QStringLiteral("ko_KR");
    facts.processorCount = 2;
    facts.virtualTotal = 2048ull * 1024 * 1024;
    facts.physicalTotal = 400ull * 1024 * 1024;
    EXPECT_EQ(modSystemInfo::systemInfoText(facts).split('\n'),
              QStringList({"Debian GNU/Linux 12 (bookworm) (Build : 6.1.0)", "Product ID : 9", "Language ID : ko_KR", "",
                           "Processor : Dual Core", "Processor Type : 8664", "", "Virtual Memory : 2048MB",
                           "System Memory : 400MB (!)"}));
}

namespace {

QString executable(const TestFolder &dir, const QString &name, const QByteArray &script)
{
    const QString path = dir.write(name, script);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    return path;
}

const QString kKey = QString::fromUtf8(modSystemInfo::kMsInfoKey);
const QString kValue = QString::fromUtf8(modSystemInfo::kMsInfoValue);

} // namespace

TEST(SystemInfoTool, RegistryPathComesFirstAndMustExist)
{
    TestFolder dir;
    const QString desktop = dir.file("bin");
    executable(dir, "bin/hardinfo", "#!/bin/sh\n");
    platform::testing::FakeRegistry registry;

    // No value: the desktop's tool.
    EXPECT_EQ(modSystemInfo::findSystemInfoTool(registry, {desktop}).program, desktop + "/hardinfo");
    EXPECT_FALSE(modSystemInfo::findSystemInfoTool(registry, {dir.file("empty")}).isValid());

    // A value naming an existing program wins.
    const QString tool = executable(dir, "tools/msinfo", "#!/bin/sh\n");
    registry.set(kKey, kValue, tool);
    EXPECT_EQ(modSystemInfo::findSystemInfoTool(registry, {desktop}).program, tool);

    // A value naming a missing file gives no tool at all.
    registry.set(kKey, kValue, dir.file("tools/gone"));
    EXPECT_FALSE(modSystemInfo::findSystemInfoTool(registry, {desktop}).isValid());
}

TEST(SystemInfoTool, LocationValueNamesTheFolder)
{
    TestFolder dir;
    const QString tool = executable(dir, "Shared Tools/MSINFO32.EXE", "#!/bin/sh\n");
    platform::testing::FakeRegistry registry;
    registry.set(QString::fromUtf8(modSystemInfo::kMsInfoLocationKey),
                 QString::fromUtf8(modSystemInfo::kMsInfoLocationValue), dir.file("Shared Tools"));
    EXPECT_EQ(modSystemInfo::findSystemInfoTool(registry, {}).program, tool);
}
