// The program, tab and favorite menus: their tables, enabled states, where they
// pop up, and what each item does.
#include "BrowserFixture.h"

#include "browser/input/frmPopupMenu.h"
#include "browser/app/SessionWindows.h"
#include "browser/startup/frmSetting.h"
#include "browser/startup/frmMessageBox.h"
#include "browser/window/TabStrip.h"
#include "browser/window/WindowCommands.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTest>

namespace {

using K = settings::Key;

class PopupMenus : public BrowserTest
{
protected:
    frmPopupMenu &menus() { return form().popupMenu(); }

    // "name=caption" per row, "-" for a separator.
    static QStringList rows(QMenu *menu)
    {
        QStringList out;
        for (QAction *a : menu->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + QLatin1Char('=') + a->text());
        return out;
    }

    QAction *item(const char *name)
    {
        QAction *a = menus().item(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }

    // Replaces a command's action with a counter.
    int *record(Command c)
    {
        auto *count = new int(0);
        m_counts.emplace_back(count);
        app().commands().replace(c, [count] { ++*count; });
        return count;
    }

    std::vector<std::unique_ptr<int>> m_counts;
};

} // namespace

TEST_F(PopupMenus, EveryMenuHasItsItemsInOrderWithSeparatorsAndAccelerators)
{
    start();
    EXPECT_EQ(menus().frmMainIconPopupMenu->title(), "프로그램 메뉴");
    EXPECT_EQ(rows(menus().frmMainIconPopupMenu),
              (QStringList{"munfrmSettingShow=환경 설정(&S)", "munfrmAmbrelShow=Ambrel™ 세부 설정", "-",
                           "munfrmMiniModeShow=Vorlen™ 숨김 모드", "-", "munfrmMainAbout=프로그램 정보(&A)...",
                           "munfrmMainBrenmorWebSite=Brenmor® Corporation 웹 사이트로(&G)...", "-",
                           "munfrmMainProgramExit=프로그램 종료"}));
    EXPECT_EQ(menus().frmMainTabPopupMenu->title(), "탭 관리 팝업메뉴");
    EXPECT_EQ(rows(menus().frmMainTabPopupMenu),
              (QStringList{"munfrmMainNewTab=새 탭 만들기(&N)", "munfrmMainThisPageNewTab=현재 문서에서 새 탭 만들기(&T)", "-",
                           "munfrmMainHomePage=시작 문서로 이동(&H)",
                           "munfrmMainStartPageSetting=이 문서를 시작 문서로 설정(&S)...", "munfrmMainTabClose=탭 닫기(&C)",
                           "munfrmMainReopenClosedTab=닫은 탭 다시 열기"}));
    EXPECT_EQ(menus().frmMainFavoriteMenu->title(), "바로가기 팝업메뉴");
    EXPECT_EQ(rows(menus().frmMainFavoriteMenu),
              (QStringList{"frmMainFavoriteOpen=열기(&O)", "frmMainFavoriteDelete=삭제(&D)", "-",
                           "frmMainFavoriteReEdit=바로가기 수정(&E)"}));
    EXPECT_EQ(menus().HelpTextMessageLabel->text(), "이 창은 PopupMenu 전용 창으로 설계 되었습니다.");
    EXPECT_FALSE(menus().isVisible());
}

TEST_F(PopupMenus, ItemsOfCommandsWithoutAnActionAreDisabled)
{
    start();
    menus().refresh();
    for (const PopupMenuItem &row : kProgramMenu) {
        if (row.separator() || row.command == Command::ThemeManager)
            continue;
        const bool defined = row.command ? app().commands().defined(*row.command) : true;
        EXPECT_EQ(item(row.name.data())->isEnabled(), defined) << row.name;
    }
    for (const PopupMenuItem &row : kTabMenu) {
        if (!row.separator())
            EXPECT_TRUE(item(row.name.data())->isEnabled()) << row.name;
    }
}

TEST_F(PopupMenus, TheThemeManagerItemFollowsTheThemeSwitch)
{
    setSetting(K::AmbrelUseValue, "0");
    start();
    EXPECT_FALSE(item("munfrmAmbrelShow")->isEnabled());
    m_app.reset();

    setSetting(K::AmbrelUseValue, "1");
    start();
    EXPECT_TRUE(item("munfrmAmbrelShow")->isEnabled());
    // The settings dialog switches it; while the dialog is open it locks the
    // window, and every item waits with it.
    for (const bool on : {false, true}) {
        app().commands().run(Command::Settings);
        frmSetting *dialog = app().windows().setting();
        ASSERT_NE(dialog, nullptr);
        emit dialog->ambrelMenuEnabled(on);
        menus().refresh();
        EXPECT_FALSE(item("munfrmAmbrelShow")->isEnabled()) << "locked by the dialog";
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        menus().refresh();
        EXPECT_EQ(item("munfrmAmbrelShow")->isEnabled(), on);
    }
}

TEST_F(PopupMenus, EachCommandItemRunsItsCommand)
{
    setSetting(K::AmbrelUseValue, "1");
    start();
    for (std::span<const PopupMenuItem> table : {std::span<const PopupMenuItem>(kProgramMenu),
                                                 std::span<const PopupMenuItem>(kTabMenu)}) {
        for (const PopupMenuItem &row : table) {
            if (!row.command)
                continue;
            SCOPED_TRACE(std::string(row.name));
            int *count = record(*row.command);
            menus().refresh();
            item(row.name.data())->trigger();
            EXPECT_EQ(*count, 1);
        }
    }
}

TEST_F(PopupMenus, TheTabMenuItemsOpenCloseAndAsk)
{
    start();
    selectedPage()->setLocationURL("http://example.test/here");
    item("munfrmMainThisPageNewTab")->trigger();
    EXPECT_EQ(tabs(), "start ID1*");
    EXPECT_EQ(selectedPage()->navigated().value(0), "http://example.test/here");

    item("munfrmMainNewTab")->trigger();
    EXPECT_EQ(tabs(), "start ID1 ID2*");
    EXPECT_TRUE(selectedPage()->navigated().value(0).contains("NewTab", Qt::CaseInsensitive))
        << selectedPage()->navigated().join(' ').toStdString();

    item("munfrmMainTabClose")->trigger();
    EXPECT_EQ(tabs().count('*'), 1);
    EXPECT_FALSE(tabs().contains("ID2"));

    item("munfrmMainStartPageSetting")->trigger();
    ASSERT_NE(app().windows().messageBox(), nullptr);
    EXPECT_EQ(app().windows().messageBox()->messageType(), 0);
}

TEST_F(PopupMenus, TheMakerSiteOpensInTheCurrentTab)
{
    start();
    item("munfrmMainBrenmorWebSite")->trigger();
    EXPECT_EQ(selectedPage()->navigated().last(), makerSite());
}

TEST_F(PopupMenus, TheMenusPopUpWhereTheUserAsks)
{
    start();
    form().show();
    clickOn("ProgramTitleBar", {}, Qt::RightButton);
    EXPECT_TRUE(menus().frmMainIconPopupMenu->isVisible());
    menus().frmMainIconPopupMenu->close();

    clickOn("ProgramIcon");
    EXPECT_TRUE(menus().frmMainIconPopupMenu->isVisible());
    menus().frmMainIconPopupMenu->close();

    auto *bar = form().WebTabStrip->findChild<QTabBar *>();
    ASSERT_NE(bar, nullptr);
    QTest::mousePress(bar, Qt::RightButton, Qt::NoModifier, bar->tabRect(0).center());
    EXPECT_TRUE(menus().frmMainTabPopupMenu->isVisible());
    menus().frmMainTabPopupMenu->close();
}

TEST_F(PopupMenus, TheTabMenuActsOnTheTabThatWasRightClicked)
{
    start();
    form().show();
    form().modRecvNewWindow("http://a/");
    form().modRecvNewWindow("http://b/");
    ASSERT_EQ(tabs(), "start ID1 ID2*");
    auto *bar = form().WebTabStrip->findChild<QTabBar *>();
    ASSERT_NE(bar, nullptr);

    // Right-click the middle tab, which is not the selected one, and close it.
    QTest::mousePress(bar, Qt::RightButton, Qt::NoModifier, bar->tabRect(1).center());
    EXPECT_TRUE(menus().frmMainTabPopupMenu->isVisible());
    EXPECT_EQ(tabs(), "start ID1* ID2");
    item("munfrmMainTabClose")->trigger();
    menus().frmMainTabPopupMenu->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(tabs(), "start ID2*") << "the clicked tab closed, the other stayed";

    // A right press on the selected tab or beside the tabs keeps the selection.
    QTest::mousePress(bar, Qt::RightButton, Qt::NoModifier, bar->tabRect(1).center());
    menus().frmMainTabPopupMenu->close();
    QTest::mousePress(bar, Qt::RightButton, Qt::NoModifier, QPoint(bar->width() - 2, bar->height() / 2));
    menus().frmMainTabPopupMenu->close();
    EXPECT_EQ(tabs(), "start ID2*");
}
