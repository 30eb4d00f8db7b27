#include "platform/Environment.h"
#include "platform/Folders.h"
#include "platform/Settings.h"

#include "TempDir.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace platform;
using settings::Key;

namespace {

class TestEnvironment : public Environment
{
public:
    TestEnvironment(QString app, QString user)
        : m_app(std::move(app))
        , m_user(std::move(user))
    {
    }
    QString applicationFolder() const override { return m_app; }
    QString userName() const override { return m_user; }
    QString tempFolder() const override { return m_app + "/tmp"; }
    QString dataFolder() const override { return m_app; }

private:
    QString m_app;
    QString m_user;
};

TEST(Settings, everyKeyReadsZeroWithoutASettingsFile)
{
    TestFolder dir;
    const TestEnvironment env(dir.path(), "kim");
    EXPECT_FALSE(setting::fileExists(env));
    for (const settings::KeyInfo &k : settings::kKeys) {
        EXPECT_EQ(setting::text(env, k.key), QString()) << k.name;
        EXPECT_EQ(setting::int16(env, k.key), 0) << k.name;
    }
}

TEST(Settings, keysGoToTheirSectionsOfTheUsersOwnFile)
{
    TestFolder dir;
    const TestEnvironment kim(dir.path(), "kim");
    const TestEnvironment lee(dir.path(), "lee");
    EXPECT_EQ(folders::settingsFile(kim), dir.path() + "/UserData/kim/Setting.ini");
    EXPECT_EQ(folders::themeFolder(kim), dir.path() + "/Ambrel");

    // Like the Windows call, a write into a profile folder that does not exist yet fails.
    EXPECT_FALSE(setting::write(kim, Key::PurgelValue, "1"));
    ASSERT_TRUE(QDir().mkpath(folders::profileFolder(kim)));
    ASSERT_TRUE(QDir().mkpath(folders::profileFolder(lee)));

    ASSERT_TRUE(setting::write(kim, Key::PurgelValue, "1"));
    ASSERT_TRUE(setting::write(kim, Key::ThemeName, "Blue"));
    ASSERT_TRUE(setting::write(kim, Key::LastWindowTop, "40000"));
    ASSERT_TRUE(setting::write(kim, Key::VitrelValue, "40000"));
    EXPECT_TRUE(setting::fileExists(kim));
    EXPECT_EQ(dir.read(folders::settingsFile(kim)),
              "[Vorlen Setting]\r\nPurgelValue=1\r\nLastWindowTop=40000\r\nVitrelValue=40000\r\n"
              "[Ambrel Setting]\r\nThemeName=Blue\r\n");
    EXPECT_EQ(setting::int16(kim, Key::PurgelValue), 1);
    EXPECT_EQ(setting::int16(kim, Key::LastWindowTop), 0); // does not fit 16 bits
    EXPECT_EQ(setting::int32(kim, Key::VitrelValue), 40000);

    EXPECT_FALSE(setting::fileExists(lee));
    EXPECT_EQ(setting::int16(lee, Key::PurgelValue), 0);
}

TEST(Settings, aUserNameCannotLeaveTheUserDataFolder)
{
    TestFolder dir;
    for (const QString &user : {QString(".."), QString("../../etc"), QString()}) {
        const TestEnvironment env(dir.path(), user);
        const QString profile = QDir::cleanPath(folders::profileFolder(env));
        EXPECT_TRUE(profile.startsWith(dir.path() + "/UserData/")) << profile.toStdString();
        EXPECT_EQ(profile.count('/'), (dir.path() + "/UserData/x").count('/')) << profile.toStdString();
    }
}

} // namespace
