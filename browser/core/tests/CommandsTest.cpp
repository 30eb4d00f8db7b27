#include "browser/core/AfterStep.h"
#include "browser/core/Commands.h"
#include "browser/core/WindowSlot.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "platform/testing/FakeEnvironment.h"

#include "TempDir.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

class CommandTable : public ::testing::Test
{
protected:
    CommandTable()
        : env(dir.path())
    {
        QDir().mkpath(platform::folders::profileFolder(env));
        for (int i = 0; i < kCommandCount; ++i)
            commands.define(Command(i), [this, i] { ran.push_back(Command(i)); });
    }

    void set(settings::Key key, const char *value)
    {
        ASSERT_TRUE(platform::setting::write(env, key, QString::fromLatin1(value)));
    }

    TestFolder dir;
    platform::testing::FakeEnvironment env;
    WindowLocks locks;
    int passes = 0;
    AfterStepRunner afterStep{[] {}, [this] { ++passes; }};
    Commands commands{env, locks, afterStep};
    std::vector<Command> ran;
};

} // namespace

TEST_F(CommandTable, SwitchedOffFeaturesAreTheOnesWithASetting)
{
    // Every feature with a switch reports itself off while its key is 0 or missing.
    struct Row
    {
        Command command;
        settings::Key key;
    } const rows[] = {
        {Command::WideView, settings::Key::PanovelValue},
        {Command::Transparency, settings::Key::VitrelUseValue},
        {Command::Hotkeys, settings::Key::KeyflintValue},
        {Command::ThemeManager, settings::Key::AmbrelUseValue},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(commands.state(row.command), Commands::State::SwitchedOff) << commandName(row.command);
        set(row.key, "1");
        EXPECT_EQ(commands.state(row.command), Commands::State::Enabled) << commandName(row.command);
    }
    int switchedOff = 0;
    for (int i = 0; i < kCommandCount; ++i)
        switchedOff += featureSwitch(Command(i)).has_value() ? 1 : 0;
    EXPECT_EQ(switchedOff, 4);
    EXPECT_EQ(commands.state(Command::NewTab), Commands::State::Enabled);
}

TEST_F(CommandTable, ALockedWindowOrMiniModeStopsEveryCommand)
{
    set(settings::Key::PanovelValue, "1");
    {
        auto lock = locks.acquire();
        for (int i = 0; i < kCommandCount; ++i)
            EXPECT_EQ(commands.run(Command(i)), Commands::State::WindowLocked) << commandName(Command(i));
    }
    EXPECT_TRUE(ran.empty());
    commands.setMiniModeShown(true);
    EXPECT_EQ(commands.run(Command::NewTab), Commands::State::MiniModeShown);
    EXPECT_EQ(commands.run(Command::WideView), Commands::State::MiniModeShown);
    EXPECT_EQ(commands.run(Command::Exit), Commands::State::Enabled) << "the program can always be left";
    EXPECT_EQ(ran, std::vector<Command>{Command::Exit});
}

TEST_F(CommandTable, RunningIsOneAfterStepAndAFailureStaysInside)
{
    commands.define(Command::About, [] { throw std::runtime_error("dialog failed"); });
    EXPECT_EQ(commands.run(Command::NewTab), Commands::State::Enabled);
    EXPECT_EQ(passes, 1);
    EXPECT_NO_THROW(commands.run(Command::About));
    EXPECT_EQ(passes, 2);
    EXPECT_FALSE(afterStep.busy());
}

TEST_F(CommandTable, UndefinedCommandsAndTheSwitchedOffNotice)
{
    Commands bare(env, locks, afterStep);
    EXPECT_EQ(bare.run(Command::Settings), Commands::State::NotDefined);
    std::vector<Command> notices;
    commands.setSwitchedOffHandler([&](Command c) { notices.push_back(c); });
    EXPECT_EQ(commands.run(Command::Transparency), Commands::State::SwitchedOff);
    EXPECT_EQ(notices, std::vector<Command>{Command::Transparency});
    EXPECT_TRUE(ran.empty());
}

TEST(CommandNames, EveryCommandHasAName)
{
    for (int i = 0; i < kCommandCount; ++i)
        EXPECT_FALSE(commandName(Command(i)).empty()) << i;
    EXPECT_EQ(commandName(Command::NewTab), "NewTab");
    EXPECT_EQ(commandName(Command::Exit), "Exit");
    EXPECT_EQ(commandName(Command::EditAddress), "EditAddress");
}

TEST_F(CommandTable, ASecondDefinitionIsRefusedAndTheFirstStays)
{
    // Every command got its action in the fixture; none can be taken over.
    bool second = false;
    EXPECT_FALSE(commands.define(Command::NewTab, [&second] { second = true; }));
    EXPECT_FALSE(commands.define(Command::NewTab, {})) << "nor cleared";
    commands.run(Command::NewTab);
    EXPECT_FALSE(second);
    EXPECT_EQ(ran, std::vector<Command>{Command::NewTab});

    // Only a stand-in swaps it, and hands back the feature's action.
    Commands::Action feature = commands.replace(Command::NewTab, [&second] { second = true; });
    commands.run(Command::NewTab);
    EXPECT_TRUE(second);
    ASSERT_TRUE(feature);
    feature();
    EXPECT_EQ(ran, (std::vector<Command>{Command::NewTab, Command::NewTab}));
}

TEST_F(CommandTable, TheSwitchedOffNoticeIsForASwitchedOffFeatureOnly)
{
    std::vector<Command> notices;
    commands.setSwitchedOffHandler([&](Command c) { notices.push_back(c); });
    // A locked window or mini mode stops the command without the notice, even
    // for a feature whose switch is off too.
    {
        auto lock = locks.acquire();
        EXPECT_EQ(commands.run(Command::Transparency), Commands::State::WindowLocked);
    }
    commands.setMiniModeShown(true);
    EXPECT_EQ(commands.run(Command::Transparency), Commands::State::MiniModeShown);
    commands.setMiniModeShown(false);
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(commands.run(Command::Transparency), Commands::State::SwitchedOff);
    EXPECT_EQ(notices, std::vector<Command>{Command::Transparency});
    EXPECT_TRUE(ran.empty());
}
