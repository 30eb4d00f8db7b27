#include "platform/linux/IniRegistry.h"
#include "platform/testing/FakeRegistry.h"

#include "TempDir.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using platform::IniRegistry;

namespace {

TEST(IniRegistry, RoundTripIgnoresCase)
{
    TestFolder dir;
    IniRegistry registry(dir.file("config/vorlen/registry.ini"));
    EXPECT_TRUE(registry.read(platform::kStartPageKey, platform::kStartPageValue).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(registry.filePath()));

    // The folder is made on the first write.
    ASSERT_TRUE(registry.write(platform::kStartPageKey, platform::kStartPageValue, "https://example.org/"));
    EXPECT_EQ(registry.read("hkey_current_user\\SOFTWARE\\microsoft\\Internet Explorer\\MAIN", "start page"),
              "https://example.org/");

    ASSERT_TRUE(registry.write("HKEY_LOCAL_MACHINE\\SOFTWARE\\Tools", "PATH", "/usr/bin/tool"));
    ASSERT_TRUE(registry.write(platform::kStartPageKey, "START PAGE", "file:///home/u/시작.html"));
    EXPECT_EQ(registry.read(platform::kStartPageKey, platform::kStartPageValue), "file:///home/u/시작.html");
    EXPECT_EQ(registry.read("HKEY_LOCAL_MACHINE\\SOFTWARE\\Tools", "path"), "/usr/bin/tool");
    EXPECT_TRUE(registry.read("HKEY_LOCAL_MACHINE\\SOFTWARE\\Tools", "Other").isEmpty());

    // A second instance sees what the first wrote: nothing is held in memory.
    EXPECT_EQ(IniRegistry(registry.filePath()).read(platform::kStartPageKey, platform::kStartPageValue),
              "file:///home/u/시작.html");
}

TEST(IniRegistry, RefusesWhatWouldBreakTheFile)
{
    TestFolder dir;
    IniRegistry registry(dir.file("registry.ini"));
    ASSERT_TRUE(registry.write("Key", "Value", "good"));

    EXPECT_FALSE(registry.write("Key", "Value", "line\n[Key]\nValue=evil"));
    EXPECT_FALSE(registry.write("Key", "Value", "a\rb"));
    EXPECT_FALSE(registry.write("Key]x", "Value", "v"));
    EXPECT_FALSE(registry.write("Key", "Val=ue", "v"));
    EXPECT_FALSE(registry.write("Key", ";Value", "v"));
    EXPECT_FALSE(registry.write("", "Value", "v"));
    EXPECT_FALSE(registry.write("Key", " ", "v"));
    EXPECT_EQ(registry.read("Key", "Value"), "good");
}

TEST(IniRegistry, UnwritableLocationReportsFailure)
{
    TestFolder dir;
    dir.write("blocker", "a file where the folder should be");
    IniRegistry registry(dir.file("blocker/vorlen/registry.ini"));
    EXPECT_FALSE(registry.write("Key", "Value", "v"));
    EXPECT_TRUE(registry.read("Key", "Value").isEmpty());
}

TEST(IniRegistry, DefaultFileIsInTheUsersConfigFolder)
{
    // The test main points XDG_CONFIG_HOME at a private folder.
    EXPECT_EQ(IniRegistry().filePath(),
              QDir::cleanPath(qEnvironmentVariable("XDG_CONFIG_HOME")) + "/vorlen/registry.ini");
}

TEST(FakeRegistry, RecordsWritesAndFailsOnRequest)
{
    platform::testing::FakeRegistry registry;
    registry.setStartPage("about:blank");
    EXPECT_EQ(registry.read("HKEY_CURRENT_USER\\software\\microsoft\\internet explorer\\main", "START PAGE"),
              "about:blank");
    EXPECT_TRUE(registry.writes().isEmpty());

    registry.setFailWrites(true);
    EXPECT_FALSE(registry.write(platform::kStartPageKey, platform::kStartPageValue, "x"));
    EXPECT_EQ(registry.startPage(), "about:blank");
    ASSERT_EQ(registry.writes().size(), 1);
    EXPECT_FALSE(registry.writes()[0].stored);
}

} // namespace
