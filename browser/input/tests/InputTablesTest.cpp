// The input tables and decisions as pure functions: the shortcut table, the
// quick commands, the window-edge decisions and the quick favorite's name.
#include "browser/input/QuickFavorite.h"
#include "browser/input/modDashmere.h"
#include "browser/input/modGestra.h"
#include "browser/input/modKeyflint.h"
#include "browser/panels/FavoriteStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace {

using modGestra::Action;

TEST(KeyflintTable, FifteenDistinctShortcutsEachWithItsCommand)
{
    const std::pair<std::pair<int, Qt::KeyboardModifiers>, Command> expected[] = {
        {{Qt::Key_N, Qt::ControlModifier}, Command::Forward},
        {{Qt::Key_B, Qt::ControlModifier}, Command::Back},
        {{Qt::Key_A, Qt::AltModifier}, Command::QuickFavorite},
        {{Qt::Key_F3, Qt::NoModifier}, Command::FavoritesPanel},
        {{Qt::Key_T, Qt::ControlModifier}, Command::NewTab},
        {{Qt::Key_W, Qt::ControlModifier}, Command::CloseTab},
        {{Qt::Key_S, Qt::AltModifier}, Command::SearchPanel},
        {{Qt::Key_G, Qt::AltModifier}, Command::StartPage},
        {{Qt::Key_W, Qt::AltModifier}, Command::Transparency},
        {{Qt::Key_Space, Qt::AltModifier}, Command::EditAddress},
        {{Qt::Key_Left, Qt::AltModifier}, Command::PreviousTab},
        {{Qt::Key_Right, Qt::AltModifier}, Command::NextTab},
        {{Qt::Key_F11, Qt::NoModifier}, Command::WideView},
        {{Qt::Key_F4, Qt::NoModifier}, Command::MiniMode},
        {{Qt::Key_F6, Qt::NoModifier}, Command::Notepad},
    };
    std::set<Command> commands;
    for (const auto &[key, command] : expected) {
        EXPECT_EQ(modKeyflint::commandOf(key.first, key.second), command) << commandName(command);
        commands.insert(command);
    }
    EXPECT_EQ(commands.size(), kKeyflintKeys.size());
}

TEST(KeyflintTable, OtherModifiersMakeOtherKeys)
{
    EXPECT_FALSE(modKeyflint::commandOf(Qt::Key_N, Qt::NoModifier));
    EXPECT_FALSE(modKeyflint::commandOf(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_FALSE(modKeyflint::commandOf(Qt::Key_W, Qt::ControlModifier | Qt::AltModifier));
    EXPECT_FALSE(modKeyflint::commandOf(Qt::Key_F4, Qt::AltModifier)) << "Alt+F4 stays the window manager's";
    EXPECT_FALSE(modKeyflint::commandOf(Qt::Key_Left, Qt::NoModifier)) << "plain arrows belong to the page";
    EXPECT_FALSE(modKeyflint::commandOf(Qt::Key_A, Qt::ControlModifier)) << "Ctrl+A selects text";
    // The keypad flag of the arrow keys does not count.
    EXPECT_EQ(modKeyflint::commandOf(Qt::Key_Left, Qt::AltModifier | Qt::KeypadModifier), Command::PreviousTab);
}

TEST(Dashmere, OnlyTheWholeTextIsACommand)
{
    EXPECT_EQ(modDashmere::RunAddressCommand(QStringLiteral("s:qp")), Command::Hotkeys);
    EXPECT_EQ(modDashmere::RunAddressCommand(QStringLiteral("s:about")), Command::About);
    for (const char *text : {"s:qpx", " s:qp", "s:q", "S:QP", "s:abou", "http://s:qp/", ""})
        EXPECT_FALSE(modDashmere::RunAddressCommand(QString::fromUtf8(text))) << text;
}

// A 1024 x 768 pixel screen in twips, with a 40 px taskbar.
constexpr int kW = 1024 * 15;
constexpr int kH = 768 * 15;
const QSize kScreen(kW, kH);
constexpr int kTaskbar = 40;

modGestra::Outcome history(int left, int top, int width = 9000, int height = 6000)
{
    return modGestra::CheckGestra(QRect(left, top, width, height), kScreen, kTaskbar, 0, true);
}

modGestra::Outcome tabs(int left, int top, int width = 9000, int height = 6000, bool afterMove = true)
{
    return modGestra::CheckGestra(QRect(left, top, width, height), kScreen, kTaskbar, 1, afterMove);
}

TEST(Gestra, HistoryEdgesAndWhereTheWindowGoes)
{
    const auto inside = history(3000, 2000);
    EXPECT_TRUE(inside.actions.empty());
    EXPECT_EQ(inside.topLeft, QPoint(3000, 2000));

    const auto left = history(-1, 2000);
    EXPECT_EQ(left.actions, std::vector<Action>{Action::Back});
    EXPECT_EQ(left.topLeft, QPoint(300, 2000));
    EXPECT_TRUE(history(0, 2000).actions.empty());

    const auto right = history(kW - 9000 + 1, 2000);
    EXPECT_EQ(right.actions, std::vector<Action>{Action::Forward});
    EXPECT_EQ(right.topLeft, QPoint(kW - 9000 - 300, 2000));
    EXPECT_TRUE(history(kW - 9000, 2000).actions.empty());

    const auto top = history(3000, 9);
    EXPECT_EQ(top.actions, std::vector<Action>{Action::Maximize});
    EXPECT_EQ(top.topLeft, QPoint(3000, 100));
    EXPECT_TRUE(history(3000, 10).actions.empty());
}

TEST(Gestra, HistoryBottomFiresOneTwipPastHalfTheWindow)
{
    // Exactly half of the window below the screen stays.
    EXPECT_TRUE(history(3000, kH - 3000).actions.empty());
    const auto past = history(3000, kH - 3000 + 1);
    EXPECT_EQ(past.actions, std::vector<Action>{Action::Minimize});
    EXPECT_EQ(past.topLeft, QPoint(3000, (kH - 6000) / 2));
    // An odd height has a half twip: 3000.5 below stays, 3001.5 fires.
    EXPECT_TRUE(history(3000, kH - 3001, 9000, 6001).actions.empty());
    EXPECT_EQ(history(3000, kH - 3000, 9000, 6001).actions, std::vector<Action>{Action::Minimize});
}

TEST(Gestra, HistoryCornerFiresTwoEdgesInOrder)
{
    const auto corner = history(-50, 5);
    EXPECT_EQ(corner.actions, (std::vector<Action>{Action::Back, Action::Maximize}));
    EXPECT_EQ(corner.topLeft, QPoint(300, 100));
}

TEST(Gestra, TabEdgesAndWhereTheWindowGoes)
{
    EXPECT_TRUE(tabs(3000, 2000).actions.empty());

    const auto left = tabs(-1, 2000);
    EXPECT_EQ(left.actions, std::vector<Action>{Action::PreviousTab});
    EXPECT_EQ(left.topLeft.x(), 300);

    const auto right = tabs(kW - 9000 + 1, 2000);
    EXPECT_EQ(right.actions, std::vector<Action>{Action::NextTab});
    EXPECT_EQ(right.topLeft.x(), kW - 9000 - 300);

    // The tab set's top edge is wider: below 100 twips, not 10.
    const auto top = tabs(3000, 99);
    EXPECT_EQ(top.actions, std::vector<Action>{Action::NewTab});
    EXPECT_EQ(top.topLeft.y(), 300);
    EXPECT_TRUE(tabs(3000, 100).actions.empty());

    // The bottom edge: within 300 twips of the screen's bottom; the window
    // goes back just above the taskbar.
    EXPECT_TRUE(tabs(3000, kH - 6000 - 300).actions.empty());
    const auto bottom = tabs(3000, kH - 6000 - 299);
    EXPECT_EQ(bottom.actions, std::vector<Action>{Action::CloseTab});
    EXPECT_EQ(bottom.topLeft.y(), kH - (6000 + kTaskbar * 15));
}

TEST(Gestra, TabCommandsOnlyAfterAMove)
{
    const auto still = tabs(-1, 99, 9000, 6000, false);
    EXPECT_TRUE(still.actions.empty());
    EXPECT_EQ(still.topLeft, QPoint(-1, 99));
    // The history set does not ask.
    EXPECT_FALSE(modGestra::CheckGestra(QRect(-1, 2000, 9000, 6000), kScreen, kTaskbar, 0, false).actions.empty());
    // Any value but 1 is the history set.
    EXPECT_EQ(modGestra::CheckGestra(QRect(-1, 2000, 9000, 6000), kScreen, kTaskbar, 7, true).actions,
              std::vector<Action>{Action::Back});
}

TEST(Gestra, IdleWhereTheDisplayServerHidesThePosition)
{
    EXPECT_FALSE(modGestra::positionKnown(QStringLiteral("wayland")));
    EXPECT_FALSE(modGestra::positionKnown(QStringLiteral("wayland-egl")));
    EXPECT_TRUE(modGestra::positionKnown(QStringLiteral("xcb")));
    EXPECT_TRUE(modGestra::positionKnown(QStringLiteral("offscreen")));
}

TEST(QuickFavorite, HostileTitlesStayInsideTheFolder)
{
    const QString address = QStringLiteral("https://www.example.org/page");
    EXPECT_EQ(quickFavorite::fileBaseOf(QStringLiteral("a/b"), address), QStringLiteral("a-b"));
    // A leading dot would hide the file from the favorites list.
    EXPECT_EQ(quickFavorite::fileBaseOf(QStringLiteral("../../x"), address), QStringLiteral("x"));
    EXPECT_EQ(quickFavorite::fileBaseOf(QStringLiteral(".profile"), address), QStringLiteral("profile"));
    EXPECT_EQ(quickFavorite::fileBaseOf(QStringLiteral("a\\b"), address), QStringLiteral("a-b"));
    EXPECT_EQ(quickFavorite::fileBaseOf(QStringLiteral("say \"hi\""), address), QStringLiteral("say 'hi'"));
    for (const char *fallsBack : {"", "   ", ".", "..", "../", "/"})
        EXPECT_EQ(quickFavorite::fileBaseOf(QString::fromUtf8(fallsBack), address), QStringLiteral("www.example.org"))
            << fallsBack;
    EXPECT_EQ(quickFavorite::fileBaseOf(QString(), QStringLiteral("about:blank")), QStringLiteral("바로가기"));
    EXPECT_EQ(quickFavorite::fileBaseOf(QStringLiteral("x") + QChar(u'\0') + QStringLiteral("y"), address),
              QStringLiteral("xy"));
}

TEST(QuickFavorite, WritesThroughTheStoreAndReplacesASameNamedOne)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/UserData/me/Favorite");
    const FavoriteStore store(folder);
    ASSERT_TRUE(quickFavorite::AddQuickFavorite(store, QStringLiteral("../../x"), QStringLiteral("http://a.example/")));
    ASSERT_TRUE(quickFavorite::AddQuickFavorite(store, QStringLiteral("../../x"), QStringLiteral("http://b.example/")));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("x.sfm")});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{}) << "nothing above the folder";
    EXPECT_EQ(store.list().size(), 1u) << "the favorites list shows it";
    const auto favorite = store.read(QStringLiteral("x"));
    ASSERT_TRUE(favorite);
    EXPECT_EQ(favorite->title, QStringLiteral("../../x"));
    EXPECT_EQ(favorite->explanation, QStringLiteral("Keyflint 기능으로 등록된 바로가기"));
    EXPECT_EQ(favorite->address, QStringLiteral("http://b.example/"));

    ASSERT_TRUE(quickFavorite::AddQuickFavorite(store, QString(), QStringLiteral("http://host.example/a")));
    const auto untitled = store.read(QStringLiteral("host.example"));
    ASSERT_TRUE(untitled);
    EXPECT_EQ(untitled->title, QStringLiteral("host.example"));
}

} // namespace
