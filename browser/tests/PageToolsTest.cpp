// The side bar's page tools and panel commands on fakes: each button gives its
// command, the switches act on the selected tab only.
#include "BrowserFixture.h"

#include "browser/frame/PictureControl.h"
#include "browser/input/SidebarButtons.h"
#include "browser/panels/FavoritePanel.h"
#include "browser/panels/NotepadPanel.h"
#include "browser/panels/SearchPanel.h"

TEST_F(BrowserTest, TheEditingSwitchTogglesTheSelectedTabsDocument)
{
    start();
    form().modRecvNewWindow(QStringLiteral("http://b/"));
    clickOn(QStringLiteral("DesignModeButton"));
    EXPECT_EQ(page(1)->designMode(), QStringLiteral("on"));
    EXPECT_NE(page(0)->designMode(), QStringLiteral("on"));
    clickOn(QStringLiteral("DesignModeButton"));
    EXPECT_EQ(page(1)->designMode(), QStringLiteral("off"));
    // A release outside the button does nothing.
    pressOn(QStringLiteral("DesignModeButton"));
    releaseOn(QStringLiteral("DesignModeButton"), QPoint(400, 400));
    EXPECT_EQ(page(1)->designMode(), QStringLiteral("off"));
}

TEST_F(BrowserTest, TheScriptErrorSwitchChangesOnlyTheSelectedTabAndItsTooltip)
{
    start();
    form().modRecvNewWindow(QStringLiteral("http://b/"));
    const bool startTab = page(0)->Silent();
    ASSERT_TRUE(page(1)->Silent()) << "a new tab starts silent";
    clickOn(QStringLiteral("ScriptErrorsButton"));
    EXPECT_FALSE(page(1)->Silent());
    EXPECT_EQ(page(0)->Silent(), startTab);
    EXPECT_EQ(form().ScriptErrorsButton->toolTip(), QStringLiteral("문서 오류 무시 - Off"));
    clickOn(QStringLiteral("ScriptErrorsButton"));
    EXPECT_TRUE(page(1)->Silent());
    EXPECT_EQ(form().ScriptErrorsButton->toolTip(), QStringLiteral("문서 오류 무시 - On"));
    EXPECT_EQ(page(0)->Silent(), startTab);
}

TEST_F(BrowserTest, SideBarCommandsAreDefinedExceptTheOtherWindows)
{
    start();
    const std::pair<Command, bool> table[] = {
        {Command::FavoritesPanel, true}, {Command::SearchPanel, true},  {Command::Notepad, true},
        {Command::DesignMode, true},     {Command::ScriptErrors, true},
    };
    for (const auto &[command, defined] : table)
        EXPECT_EQ(app().commands().defined(command), defined) << commandName(command);
    // Each button runs its command through the table.
    app().commands().run(Command::FavoritesPanel);
    EXPECT_TRUE(form().FavoriteBox->isVisible());
    app().commands().run(Command::SearchPanel);
    EXPECT_TRUE(form().SearchBox->isVisible());
    EXPECT_FALSE(form().FavoriteBox->isVisible());
    app().commands().run(Command::SearchPanel);
    app().commands().run(Command::Notepad);
    EXPECT_TRUE(form().ntpdNotepadBox->isVisible());
}
