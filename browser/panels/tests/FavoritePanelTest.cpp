// The favorites panel in a whole browser on fakes, driven by real mouse and
// key events.
#include "PanelTestSupport.h"

#include "browser/panels/FavoritePanel.h"
#include "browser/panels/FavoriteStore.h"
#include "browser/panels/SearchPanel.h"
#include "platform/Folders.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>

using platform::MsgIcon;
using platform::MsgResult;

namespace {

class FavoritesPanel : public BrowserTest
{
protected:
    void SetUp() override
    {
        start();
        QApplication::setActiveWindow(&form());
    }
    FavoritePanel *panel() { return form().FavoriteBox; }
    FavoriteStore store() { return FavoriteStore(platform::folders::favoriteFolder(fake().environment())); }
    QStringList files()
    {
        return QDir(platform::folders::favoriteFolder(fake().environment())).entryList(QDir::Files | QDir::Hidden);
    }
    void openPanel()
    {
        clickOn(QStringLiteral("FavoriteButton"));
        ASSERT_TRUE(panel()->isVisible());
    }
    void selectRow(const QString &title)
    {
        QTest::mouseClick(panel()->FavoriteListView->viewport(), Qt::LeftButton, Qt::NoModifier,
                          rowPoint(panel()->FavoriteListView, title));
    }
    QString lastMessage()
    {
        const auto &boxes = fake().dialogs().messageBoxes();
        return boxes.isEmpty() ? QString() : boxes.last().text;
    }
};

TEST_F(FavoritesPanel, TheSideBarButtonTogglesThePanelAndHidesTheSearch)
{
    clickOn(QStringLiteral("SearchButton"));
    EXPECT_TRUE(form().SearchBox->isVisible());
    openPanel();
    EXPECT_FALSE(form().SearchBox->isVisible());
    EXPECT_EQ(form().panels().sidebarWidth, 3240);
    EXPECT_EQ(form().ProgramSidebar->width(), 3240 / 15);
    clickOn(QStringLiteral("FavoriteButton"));
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_EQ(form().panels().sidebarWidth, 495);
}

TEST_F(FavoritesPanel, AddFillsFromThePageSavesAndLists)
{
    selectedPage()->simulateNavigation(QStringLiteral("http://news.example/today"), QStringLiteral("뉴스: <오늘>"));
    openPanel();
    clickOn(QStringLiteral("FavoriteShowAddBoxButton"));
    ASSERT_TRUE(panel()->AddFavoriteBox->isVisible());
    EXPECT_EQ(panel()->txtFavoriteTitle->text(), QStringLiteral("뉴스 대  (오늘)"));
    EXPECT_EQ(panel()->txtFavoriteExplain->text(), QStringLiteral("(뉴스: <오늘>) 라는 제목을 가진 문서의 설명 입니다."));
    EXPECT_EQ(panel()->txtFavoriteAdress->text(), QStringLiteral("http://news.example/today"));

    clickOn(QStringLiteral("cmdFavoriteAdd"));
    EXPECT_TRUE(fake().dialogs().messageBoxes().isEmpty());
    EXPECT_EQ(files(), QStringList{"뉴스 대  (오늘).sfm"});
    EXPECT_EQ(listRows(panel()->FavoriteListView), QStringList{"뉴스 대  (오늘) | http://news.example/today"});
    // Back to add mode with the first texts.
    EXPECT_FALSE(panel()->AddFavoriteBox->isVisible());
    EXPECT_EQ(panel()->txtFavoriteTitle->text(), QStringLiteral("제목"));
    EXPECT_TRUE(panel()->txtFavoriteExplain->text().isEmpty());
    EXPECT_EQ(panel()->txtFavoriteAdress->text(), QStringLiteral("http://"));
}

TEST_F(FavoritesPanel, TheTitleRuleRewritesWhileTypingWithTheCaretAtTheEnd)
{
    openPanel();
    clickOn(QStringLiteral("FavoriteShowAddBoxButton"));
    QLineEdit *title = panel()->txtFavoriteTitle;
    title->clear();
    typeOn(QStringLiteral("txtFavoriteTitle"), QStringLiteral("a:b"));
    EXPECT_EQ(title->text(), QStringLiteral("a 대 b"));
    // Typed in the middle: the replacement puts the caret at the end.
    title->setCursorPosition(1);
    typeOn(QStringLiteral("txtFavoriteTitle"), QStringLiteral("|"));
    EXPECT_EQ(title->text(), QStringLiteral("a_ 대 b"));
    EXPECT_EQ(title->cursorPosition(), title->text().size());
    commitText(title, QStringLiteral("<제목>*?\"/\\"));
    EXPECT_EQ(title->text(), QStringLiteral("a_ 대 b(제목)--'--"));
    EXPECT_EQ(title->cursorPosition(), title->text().size());
}

TEST_F(FavoritesPanel, AnEmptyFieldWarnsAndWritesNothing)
{
    openPanel();
    clickOn(QStringLiteral("FavoriteShowAddBoxButton"));
    panel()->txtFavoriteAdress->selectAll();
    keyOn(QStringLiteral("txtFavoriteAdress"), Qt::Key_Delete);
    keyOn(QStringLiteral("txtFavoriteAdress"), Qt::Key_Return);
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    const auto &box = fake().dialogs().messageBoxes().last();
    EXPECT_EQ(box.text, QStringLiteral("빈칸이 있습니다.\n빠짐없이 모두 입력해 주십시오."));
    EXPECT_EQ(box.title, QStringLiteral("Vorlen™ 바로가기 관리자"));
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    EXPECT_TRUE(files().isEmpty());
    EXPECT_TRUE(panel()->AddFavoriteBox->isVisible()) << "the box keeps what was typed";
}

TEST_F(FavoritesPanel, DoubleClickOpensInTheCurrentTabOrShowsTheOfflineState)
{
    store().write({QStringLiteral("Example"), QStringLiteral("x"), QStringLiteral("http://example.test/a,b")});
    openPanel();
    const QString before = tabs();
    ASSERT_EQ(panel()->FavoriteListView->topLevelItemCount(), 1);
    // A real double-click: a click, then the second press that the system reports as a double-click.
    selectRow(QStringLiteral("Example"));
    QTest::mouseDClick(panel()->FavoriteListView->viewport(), Qt::LeftButton, Qt::NoModifier,
                       rowPoint(panel()->FavoriteListView, QStringLiteral("Example")));
    EXPECT_EQ(selectedPage()->navigated().last(), QStringLiteral("http://example.test/a,b"));
    EXPECT_EQ(tabs(), before) << "no new tab";

    fake().system().setConnected(false);
    selectRow(QStringLiteral("Example"));
    panel()->openSelected();
    EXPECT_TRUE(selectedPage()->navigated().last().endsWith(QStringLiteral("Error.htm")));
    EXPECT_EQ(form().ProgramStatusTextLabel->text(), QStringLiteral("시스템이 인터넷에 연결 되어있지 않습니다."));
    EXPECT_EQ(form().connectionPicture(), 2);
}

TEST_F(FavoritesPanel, NothingSelectedTellsTheUser)
{
    openPanel();
    panel()->openSelected();
    panel()->editSelected();
    clickOn(QStringLiteral("FavoriteDeleteButton"));
    EXPECT_EQ(fake().dialogs().messageTexts(),
              (QStringList{"선택된 바로가기가 없습니다.\n바로가기 선택 후 해당 바로가기로 이동이 가능 합니다.",
                           "선택된 바로가기가 없습니다.\n바로가기 선택 후 수정이 가능 합니다.",
                           "선택된 바로가기가 없습니다.\n바로가기 선택 후 삭제가 가능 합니다."}));
}

TEST_F(FavoritesPanel, EditKeepsTheTitleAndRewritesTheSameFile)
{
    store().write({QStringLiteral("Mine"), QStringLiteral("old"), QStringLiteral("http://old.test/")});
    openPanel();
    selectRow(QStringLiteral("Mine"));
    panel()->editSelected();
    ASSERT_TRUE(panel()->AddFavoriteBox->isVisible());
    EXPECT_FALSE(panel()->txtFavoriteTitle->isEnabled());
    EXPECT_EQ(panel()->txtFavoriteExplain->text(), QStringLiteral("old"));
    panel()->txtFavoriteAdress->setText(QStringLiteral("http://new.test/"));
    keyOn(QStringLiteral("txtFavoriteAdress"), Qt::Key_Return);
    EXPECT_EQ(files(), QStringList{"Mine.sfm"});
    EXPECT_EQ(store().read(QStringLiteral("Mine"))->address, QStringLiteral("http://new.test/"));
    EXPECT_TRUE(panel()->txtFavoriteTitle->isEnabled());
    EXPECT_FALSE(panel()->editing());
}

TEST_F(FavoritesPanel, DeleteAsksFirst)
{
    store().write({QStringLiteral("Keep"), QStringLiteral("x"), QStringLiteral("http://k/")});
    openPanel();
    selectRow(QStringLiteral("Keep"));
    fake().dialogs().queueAnswer(MsgResult::No);
    clickOn(QStringLiteral("FavoriteDeleteButton"));
    EXPECT_EQ(lastMessage(), QStringLiteral("이 바로가기를 삭제 하시겠습니까?"));
    EXPECT_EQ(files(), QStringList{"Keep.sfm"});
    EXPECT_EQ(panel()->FavoriteListView->topLevelItemCount(), 1);

    selectRow(QStringLiteral("Keep"));
    fake().dialogs().queueAnswer(MsgResult::Yes);
    clickOn(QStringLiteral("FavoriteDeleteButton"));
    EXPECT_TRUE(files().isEmpty());
    EXPECT_EQ(panel()->FavoriteListView->topLevelItemCount(), 0);
}

TEST_F(FavoritesPanel, AFailedSaveNamesTheFileAndKeepsTheBox)
{
    const QString folder = platform::folders::favoriteFolder(fake().environment());
    QDir().mkpath(folder + QStringLiteral("/Blocked.sfm")); // a folder where the file should go
    openPanel();
    clickOn(QStringLiteral("FavoriteShowAddBoxButton"));
    panel()->txtFavoriteTitle->setText(QStringLiteral("Blocked"));
    panel()->txtFavoriteAdress->setText(QStringLiteral("http://blocked.test/"));
    clickOn(QStringLiteral("cmdFavoriteAdd"));
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    EXPECT_TRUE(lastMessage().contains(folder + QStringLiteral("/Blocked.sfm")));
    EXPECT_EQ(fake().dialogs().messageBoxes().last().icon, MsgIcon::Critical);
    EXPECT_TRUE(panel()->AddFavoriteBox->isVisible());
    EXPECT_EQ(panel()->txtFavoriteTitle->text(), QStringLiteral("Blocked"));
}

TEST_F(FavoritesPanel, EscapeInAFieldClosesTheBoxAndResetsIt)
{
    openPanel();
    clickOn(QStringLiteral("FavoriteShowAddBoxButton"));
    panel()->txtFavoriteExplain->setText(QStringLiteral("typed"));
    panel()->txtFavoriteExplain->deselect();
    keyOn(QStringLiteral("txtFavoriteExplain"), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(panel()->txtFavoriteExplain->selectedText(), QStringLiteral("typed"));
    keyOn(QStringLiteral("txtFavoriteExplain"), Qt::Key_Escape);
    EXPECT_FALSE(panel()->AddFavoriteBox->isVisible());
    EXPECT_TRUE(panel()->txtFavoriteExplain->text().isEmpty());
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(FavoritesPanel, TheListMirrorsTheFolderInNameOrder)
{
    store().write({QStringLiteral("b"), QStringLiteral("x"), QStringLiteral("http://b/")});
    store().write({QStringLiteral("A, \"q\""), QStringLiteral("x"), QStringLiteral("http://a/")});
    form().FavoriteActivatee();
    EXPECT_EQ(listRows(panel()->FavoriteListView), (QStringList{"A, \"q\" | http://a/", "b | http://b/"}));
    QFile::remove(platform::folders::favoriteFolder(fake().environment()) + QStringLiteral("/b.sfm"));
    form().FavoriteActivatee();
    EXPECT_EQ(panel()->FavoriteListView->topLevelItemCount(), 1);
}

TEST_F(FavoritesPanel, TheRightButtonSelectsTheRowAndOffersOpenEditDelete)
{
    store().write({QStringLiteral("One"), QStringLiteral("x"), QStringLiteral("http://one/")});
    store().write({QStringLiteral("Two"), QStringLiteral("x"), QStringLiteral("http://two/")});
    openPanel();
    QSignalSpy asked(panel(), &FavoritePanel::menuRequested);
    QTest::mousePress(panel()->FavoriteListView->viewport(), Qt::RightButton, Qt::NoModifier,
                      rowPoint(panel()->FavoriteListView, QStringLiteral("Two")));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(panel()->FavoriteListView->currentItem()->text(0), QStringLiteral("Two"));

    auto *menu = form().findChild<QMenu *>(QStringLiteral("frmMainFavoriteMenu"));
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (QAction *a : menu->actions())
        texts << a->text();
    EXPECT_EQ(texts, (QStringList{"열기(&O)", "삭제(&D)", "", "바로가기 수정(&E)"}));
    fake().dialogs().queueAnswer(MsgResult::Yes);
    menu->actions().at(1)->trigger();
    EXPECT_EQ(files(), QStringList{"One.sfm"});
    menu->close();
}

} // namespace
