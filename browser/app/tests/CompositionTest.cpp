// The composition root: each feature folder installs exactly its commands,
// the parts below the window reach it only through the shell, and every popup
// item and edge action goes through the command table's preconditions.
#include "browser/tests/BrowserFixture.h"
#include "browser/tests/FakeShell.h"

#include "browser/app/SessionCommands.h"
#include "browser/frame/PictureControl.h"
#include "browser/input/InputCommands.h"
#include "browser/input/frmPopupMenu.h"
#include "browser/input/modKeyflint.h"
#include "browser/modes/DisplayWindows.h"
#include "browser/modes/ModeCommands.h"
#include "browser/panels/FavoritePanel.h"
#include "browser/panels/NotepadPanel.h"
#include "browser/panels/PanelCommands.h"
#include "browser/panels/SearchPanel.h"
#include "browser/themes/ThemeCommands.h"
#include "browser/tools/ToolCommands.h"
#include "platform/Folders.h"
#include "platform/Settings.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include <functional>
#include <set>

namespace {

using K = settings::Key;

std::set<Command> definedCommands(const Commands &commands)
{
    std::set<Command> defined;
    for (int i = 0; i < kCommandCount; ++i) {
        if (commands.defined(Command(i)))
            defined.insert(Command(i));
    }
    return defined;
}

std::string names(const std::set<Command> &commands)
{
    std::string out;
    for (Command c : commands)
        out += std::string(commandName(c)) + ' ';
    return out;
}

// One context over fakes and a shell without windows, with the objects the
// installers act on; nothing of the main window exists.
class OverFakeShell : public ::testing::Test
{
public:
    OverFakeShell()
        : fake(dir.path())
        , app(fake.platform(), shell)
    {
        shell.main = &main;
        shell.page = &page;
        QDir().mkpath(platform::folders::profileFolder(fake.environment()));
    }

    PanelContext panelContext()
    {
        return PanelContext{fake.platform(), app.afterStep(), [this] { return shell.page; }};
    }

    // What one installer adds to an empty table.
    std::set<Command> installed(const std::function<void()> &install)
    {
        const std::set<Command> before = definedCommands(app.commands());
        install();
        std::set<Command> added;
        for (Command c : definedCommands(app.commands())) {
            if (!before.count(c))
                added.insert(c);
        }
        return added;
    }

    TestFolder dir;
    platform::testing::FakePlatform fake;
    FakeShell shell;
    VorlenApp app;
    QWidget main;
    platform::testing::FakeWebBrowser page;
};

// The side area's panels as the window makes them, on the fake shell.
struct SideArea
{
    explicit SideArea(OverFakeShell &test)
        : app(test.app)
        , favorites(test.panelContext(), &test.main)
        , search(test.panelContext(), &test.main)
        , notepad(test.panelContext(), &test.main)
        , scriptErrors(QStringLiteral("ScriptErrorsButton"), &test.main)
    {
    }
    void install() { installPanelCommands(app, SidePanels{favorites, search, notepad, scriptErrors}); }

    VorlenApp &app;
    FavoritePanel favorites;
    SearchPanel search;
    NotepadPanel notepad;
    PictureControl scriptErrors;
};

} // namespace

TEST_F(OverFakeShell, EachInstallerDefinesExactlyTheCommandsOfItsFolder)
{
    SideArea side(*this);
    FavoritePanel &favorites = side.favorites;
    SearchPanel &search = side.search;
    NotepadPanel &notepad = side.notepad;
    PictureControl &scriptErrors = side.scriptErrors;
    Keyflint keyflint([](Command) {}, [] { return false; });
    DisplayWindows display;
    using C = Command;

    std::set<Command> all;
    const auto expect = [&](const std::set<Command> &got, const std::set<Command> &want, const char *folder) {
        EXPECT_EQ(got, want) << folder << ": " << names(got);
        for (Command c : got)
            EXPECT_TRUE(all.insert(c).second) << commandName(c) << " installed twice";
    };
    expect(installed([&] { installPanelCommands(app, SidePanels{favorites, search, notepad, scriptErrors}); }),
           {C::FavoritesPanel, C::SearchPanel, C::Notepad, C::DesignMode, C::ScriptErrors, C::FavoriteOpen,
            C::FavoriteDelete, C::FavoriteEdit},
           "panels");
    expect(installed([&] { installToolCommands(app, main); }), {C::TaskManager, C::About}, "tools");
    expect(installed([&] { installModeCommands(app, display, main); }), {C::Transparency, C::MiniMode, C::WideView},
           "modes");
    expect(installed([&] { installThemeCommands(app, ThemeHooks{main, [] {}}); }), {C::ThemeManager}, "themes");
    expect(installed([&] { installInputCommands(app, InputTargets{keyflint, favorites}); }),
           {C::QuickFavorite, C::Hotkeys}, "input");
    expect(installed([&] { installSessionCommands(app, shell); }), {C::Settings}, "session");

    // A second install changes nothing: every definition is refused.
    int ran = 0;
    EXPECT_FALSE(app.commands().define(C::TaskManager, [&ran] { ++ran; }));
    installPanelCommands(app, SidePanels{favorites, search, notepad, scriptErrors});
    EXPECT_EQ(definedCommands(app.commands()), all);
}

TEST_F(OverFakeShell, PanelCommandsActOnTheShellsPageAndSendNoticesThroughIt)
{
    SideArea side(*this);
    NotepadPanel &notepad = side.notepad;
    PictureControl &scriptErrors = side.scriptErrors;
    side.install();

    app.commands().run(Command::DesignMode);
    EXPECT_EQ(page.designMode(), "on");
    app.commands().run(Command::ScriptErrors);
    EXPECT_TRUE(page.Silent());
    EXPECT_EQ(scriptErrors.toolTip(), "문서 오류 무시 - On");
    app.commands().run(Command::ScriptErrors);
    EXPECT_EQ(scriptErrors.toolTip(), "문서 오류 무시 - Off");

    Q_EMIT notepad.notice(QStringLiteral("문서 저장"), QStringLiteral("저장했습니다."));
    EXPECT_EQ(shell.calls, QStringList{"notice 문서 저장 | 저장했습니다."});

    // Without a page the page tools do nothing, and nothing fails.
    shell.page = nullptr;
    EXPECT_EQ(app.commands().run(Command::DesignMode), Commands::State::Enabled);
    EXPECT_EQ(app.commands().run(Command::ScriptErrors), Commands::State::Enabled);
}

TEST_F(OverFakeShell, TheSidePanelsSharingTheAreaGiveWayToEachOther)
{
    SideArea side(*this);
    FavoritePanel &favorites = side.favorites;
    SearchPanel &search = side.search;
    NotepadPanel &notepad = side.notepad;
    side.install();

    app.commands().run(Command::FavoritesPanel);
    EXPECT_TRUE(favorites.isOpen());
    app.commands().run(Command::SearchPanel);
    EXPECT_TRUE(search.isOpen());
    EXPECT_FALSE(favorites.isOpen()) << "the search took the side area";
    app.commands().run(Command::FavoritesPanel);
    EXPECT_TRUE(favorites.isOpen());
    EXPECT_FALSE(search.isOpen());
    // The notepad lies under the pages and is nobody's rival.
    app.commands().run(Command::Notepad);
    EXPECT_TRUE(notepad.isOpen());
    EXPECT_TRUE(favorites.isOpen());
}

TEST_F(OverFakeShell, TheWideViewTalksToTheMainWindowOnlyThroughTheShell)
{
    ASSERT_TRUE(platform::setting::write(fake.environment(), K::PanovelValue, QStringLiteral("1")));
    DisplayWindows display;
    installModeCommands(app, display, main);
    page.setLocationURL(QStringLiteral("http://example.test/start"));

    ASSERT_EQ(app.commands().run(Command::WideView), Commands::State::Enabled);
    frmShowPanovel *view = display.panovel.window();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(app.locks().locked()) << "the main window waits while the wide view is open";
    auto *viewPage = qobject_cast<platform::testing::FakeWebBrowser *>(view->WebBrowser);
    ASSERT_NE(viewPage, nullptr);
    EXPECT_EQ(viewPage->navigated().value(0), "http://example.test/start");

    platform::NewWindowRequest popup;
    Q_EMIT viewPage->NewWindow2(popup);
    EXPECT_TRUE(popup.Cancel);
    EXPECT_EQ(shell.calls.value(0), "notice 제한된 기능 | 현재 브라우징 모드에서는 제한된 기능입니다.");

    viewPage->setLocationURL(QStringLiteral("http://example.test/reached"));
    view->close();
    EXPECT_EQ(shell.calls.mid(1), (QStringList{"revealMainWindow", "navigateCurrent http://example.test/reached"}));
}

namespace {

class CommandPaths : public BrowserTest
{
protected:
    frmPopupMenu &menus() { return form().popupMenu(); }

    // The items that are enabled now, as the popup shows them.
    QStringList enabledItems()
    {
        menus().refresh();
        QStringList on;
        for (const auto &table : {std::span<const PopupMenuItem>(kProgramMenu), std::span<const PopupMenuItem>(kTabMenu),
                                  std::span<const PopupMenuItem>(kFavoriteMenu)}) {
            for (const PopupMenuItem &row : table) {
                if (!row.separator() && menus().item(QString::fromUtf8(row.name.data(), row.name.size()))->isEnabled())
                    on << QString::fromUtf8(row.name.data(), row.name.size());
            }
        }
        return on;
    }

    // Throws the window past the top edge; with the tab commands that opens a tab.
    void throwAgainstTheTop()
    {
        const QRect s = QGuiApplication::primaryScreen()->geometry();
        form().setWindowStateValue(0);
        form().resize(s.width() / 2, s.height() / 2);
        form().move(s.left() + 40, s.top() + 6);
        form().CheckGestra(true);
    }
};

} // namespace

TEST_F(CommandPaths, EveryDefinedCommandHasOneActionAfterTheAssembly)
{
    start();
    EXPECT_EQ(int(definedCommands(app().commands()).size()), kCommandCount)
        << "defined: " << names(definedCommands(app().commands()));
}

TEST_F(CommandPaths, MenuItemsAreEnabledExactlyWhenTheirCommandMayRun)
{
    setSetting(K::AmbrelUseValue, "1");
    start();
    const QStringList all = enabledItems();
    EXPECT_TRUE(all.contains("munfrmAmbrelShow"));
    EXPECT_EQ(all.size(), 14) << all.join(' ').toStdString();

    // Mini mode shown: only the way out.
    app().commands().setMiniModeShown(true);
    EXPECT_EQ(enabledItems(), QStringList{"munfrmMainProgramExit"});
    app().commands().setMiniModeShown(false);

    // A dialog holding the window: nothing at all.
    {
        auto lock = app().locks().acquire();
        EXPECT_EQ(enabledItems(), QStringList{});
    }
    EXPECT_EQ(enabledItems(), all);

    // A feature switched off in the settings: its item alone.
    setSetting(K::AmbrelUseValue, "0");
    QStringList withoutThemes = all;
    withoutThemes.removeAll("munfrmAmbrelShow");
    EXPECT_EQ(enabledItems(), withoutThemes);
}

TEST_F(CommandPaths, EdgeActionsKeepTheCommandTablesPreconditions)
{
    setSetting(K::GestraValue, "1");
    start();
    throwAgainstTheTop();
    ASSERT_EQ(tabs(), "start ID1*") << "the top edge opens a tab";

    app().commands().setMiniModeShown(true);
    throwAgainstTheTop();
    EXPECT_EQ(tabs(), "start ID1*") << "not while mini mode is shown";
    app().commands().setMiniModeShown(false);

    {
        auto lock = app().locks().acquire();
        throwAgainstTheTop();
        EXPECT_EQ(tabs(), "start ID1*") << "not while a dialog holds the window";
    }
    throwAgainstTheTop();
    EXPECT_EQ(tabs(), "start ID1 ID2*");
}
