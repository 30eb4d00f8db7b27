// The history in the whole browser on fakes: what gets recorded, the history
// window's actions, and the suggestions under the address box with their keys
// and with Hangul being composed.
#include "browser/tests/BrowserFixture.h"

#include "browser/history/AddressSuggestions.h"
#include "browser/history/HistoryStore.h"
#include "browser/history/frmHistory.h"
#include "browser/input/PopupMenus.h"
#include "browser/input/StandardKeys.h"
#include "browser/panels/FavoriteStore.h"
#include "browser/startup/modLocalPages.h"
#include "browser/window/AddressInput.h"
#include "platform/Folders.h"

#include <QDateTime>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

class HistoryTest : public BrowserTest
{
protected:
    HistoryStore &store()
    {
        auto *found = form().findChild<HistoryStore *>();
        EXPECT_NE(found, nullptr);
        return *found;
    }
    AddressSuggestions &suggest()
    {
        auto *found = store().findChild<AddressSuggestions *>();
        EXPECT_NE(found, nullptr);
        return *found;
    }
    QStringList recorded()
    {
        QStringList list;
        for (const Visit &v : store().search(""))
            list << v.url + "|" + v.title + (v.typed ? "|typed" : "");
        return list;
    }
    frmHistory *window() { return toolWindow<frmHistory>(); }
    // Visits written straight into the store, minutes before now.
    void visitAgo(const QString &url, const QString &title, qint64 minutes, bool typed = false)
    {
        store().add(Visit{0, url, title, QDateTime::currentMSecsSinceEpoch() - minutes * 60 * 1000, typed});
    }
    void openAddressBox()
    {
        form().show();
        form().WebAdressBar_DblClick();
        ASSERT_TRUE(form().WebAdressInputBar->isVisible());
    }
    QStringList offered()
    {
        QStringList list;
        if (!suggest().shown())
            return list;
        for (const suggestions::Candidate &c : suggest().list()->suggestions())
            list << c.url;
        return list;
    }
    int selectedRow() { return suggest().list() ? suggest().list()->selected() : -1; }
    void compose(const QString &preedit, const QString &commit = QString())
    {
        QList<QInputMethodEvent::Attribute> attributes;
        if (!preedit.isEmpty())
            attributes << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, preedit.size(), 1);
        QInputMethodEvent event(preedit, attributes);
        if (!commit.isEmpty())
            event.setCommitString(commit);
        QCoreApplication::sendEvent(form().WebAdressInputBar, &event);
        QCoreApplication::processEvents();
    }
};

TEST_F(HistoryTest, CommittedVisitsAreRecordedAfterTheFlushAndTheProgramsOwnPagesNever)
{
    start();
    page(0)->simulateNavigation("https://news.test/", "");
    page(0)->simulateTitleChange("오늘의 뉴스");
    page(0)->simulateNavigation(modLocalPages::pagePath(fake().platform(), modLocalPages::Page::NewTab), "새 탭");
    page(0)->simulateNavigation(modLocalPages::pagePath(fake().platform(), modLocalPages::Page::Error), "오류");
    page(0)->simulateNavigation("vorlen://recovery", "복원");
    page(0)->simulateNavigation("about:<html>x</html>", "");
    page(0)->simulateNavigation("about:blank", "");
    form().modRecvNewWindow("https://second.test/");
    page(1)->simulateNavigation("https://second.test/", "Second");
    EXPECT_GT(store().pending(), 0);
    EXPECT_FALSE(QFile::exists(store().path())) << "page events never wait for the disk";

    ASSERT_TRUE(store().flush());
    EXPECT_EQ(store().pending(), 0);
    QStringList kept = recorded();
    // The start page of the fake start (if any) is not what this test is about.
    kept.removeIf([](const QString &row) { return !row.contains(".test/"); });
    EXPECT_EQ(kept, (QStringList{"https://second.test/|Second", "https://news.test/|오늘의 뉴스"}));
}

TEST_F(HistoryTest, EnterInTheAddressBoxMarksTheVisitAsTyped)
{
    start();
    openAddressBox();
    form().WebAdressInputBar->clear();
    selectedPage()->setAutoComplete(true);
    QTest::keyClicks(form().WebAdressInputBar, "https://typed.test/");
    QTest::keyClick(form().WebAdressInputBar, Qt::Key_Return);
    ASSERT_EQ(selectedPage()->navigated().last(), "https://typed.test/");
    EXPECT_TRUE(recorded().contains("https://typed.test/||typed")) << recorded().join("\n").toStdString();
}

TEST_F(HistoryTest, WindowGroupsByDaySearchesDeletesAndClearsAfterAQuestion)
{
    start();
    visitAgo("https://news.test/", "네이버 뉴스", 1);
    visitAgo("https://mail.test/", "Mail", 2);
    visitAgo("https://old.test/", "어제 본 글", 24 * 60 + 5);
    app().commands().run(Command::History);
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(window()->windowTitle(), "방문 기록");
    QTreeWidget *list = window()->VisitList;
    auto rows = [list] {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QTreeWidgetItem *day = list->topLevelItem(i);
            QStringList titles;
            for (int j = 0; j < day->childCount(); ++j)
                titles << day->child(j)->text(0);
            out << day->text(0) + ": " + titles.join(", ");
        }
        return out.join(" / ");
    };
    // Both minutes could straddle midnight; the grouping is what counts then.
    if (QDateTime::currentDateTime().time() > QTime(0, 3)) {
        EXPECT_EQ(rows(), "오늘: 네이버 뉴스, Mail / 어제: 어제 본 글");
    }
    EXPECT_EQ(frmHistory::dayHeading(QDate(2026, 12, 7), QDate(2026, 12, 9)), "2026년 12월 7일 월요일");

    QTest::keyClicks(window()->SearchBox, "NEWS");
    EXPECT_EQ(list->topLevelItemCount(), 1);
    window()->SearchBox->clear();
    // Hangul reaches the box through the input method, not as key presses.
    QInputMethodEvent hangul;
    hangul.setCommitString("뉴스");
    QCoreApplication::sendEvent(window()->SearchBox, &hangul);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->child(0)->text(1), "https://news.test/");
    window()->SearchBox->setText("없는 말");
    EXPECT_FALSE(window()->EmptyLabel->isHidden());
    EXPECT_EQ(window()->EmptyLabel->text(), "찾는 기록이 없습니다.");
    window()->SearchBox->clear();

    // Delete the selected one.
    EXPECT_FALSE(window()->DeleteButton->isEnabled()) << "nothing selected";
    QTreeWidgetItem *mail = list->findItems("Mail", Qt::MatchExactly | Qt::MatchRecursive).value(0);
    ASSERT_NE(mail, nullptr);
    mail->setSelected(true);
    EXPECT_TRUE(window()->DeleteButton->isEnabled());
    QTest::mouseClick(window()->DeleteButton, Qt::LeftButton);
    EXPECT_TRUE(list->findItems("Mail", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
    EXPECT_EQ(store().search("").size(), 2);

    // Double click opens it in the selected tab.
    QTreeWidgetItem *news = list->findItems("네이버 뉴스", Qt::MatchExactly | Qt::MatchRecursive).value(0);
    ASSERT_NE(news, nullptr);
    Q_EMIT list->itemDoubleClicked(news, 0);
    EXPECT_EQ(selectedPage()->navigated().last(), "https://news.test/");

    // Clearing asks first; "아니요" keeps everything.
    const int asked = fake().dialogs().messageBoxes().size();
    fake().dialogs().queueAnswer(platform::MsgResult::No);
    QTest::mouseClick(window()->ClearAllButton, Qt::LeftButton);
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), asked + 1);
    const auto &question = fake().dialogs().messageBoxes().last();
    EXPECT_EQ(question.text, "방문 기록을 모두 지우시겠습니까?\n지운 기록은 되살릴 수 없습니다.");
    EXPECT_EQ(question.buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(question.icon, platform::MsgIcon::Question);
    EXPECT_GE(store().search("").size(), 2);

    fake().dialogs().queueAnswer(platform::MsgResult::Yes);
    QTest::mouseClick(window()->ClearAllButton, Qt::LeftButton);
    EXPECT_TRUE(store().search("").isEmpty());
    EXPECT_FALSE(window()->EmptyLabel->isHidden());
    EXPECT_EQ(window()->EmptyLabel->text(), "방문 기록이 없습니다.");

    // One window at a time, gone when closed.
    frmHistory *first = window();
    app().commands().run(Command::History);
    EXPECT_EQ(window(), first);
    window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window(), nullptr);
}

TEST_F(HistoryTest, CtrlHOpensTheWindow)
{
    setSetting(settings::Key::KeyflintValue, "0");
    start();
    form().show();
    form().activateWindow();
    QApplication::setActiveWindow(&form());
    QKeyEvent press(QEvent::KeyPress, Qt::Key_H, Qt::ControlModifier);
    QApplication::sendEvent(selectedPage()->widget(), &press);
    EXPECT_NE(window(), nullptr);

    const StandardKey *ctrlH = standardKeys::entryOf(Qt::Key_H, Qt::ControlModifier);
    ASSERT_NE(ctrlH, nullptr);
    EXPECT_EQ(ctrlH->command, Command::History);
    // The page's context menu has it beside the downloads list, its key shown.
    const auto row = std::find_if(kPageMenu.begin(), kPageMenu.end(),
                                  [](const PopupMenuItem &item) { return item.command == Command::History; });
    ASSERT_NE(row, kPageMenu.end());
    EXPECT_EQ(row->caption, "방문 기록(&H)\tCtrl+H");
    EXPECT_EQ((row - 1)->name, "pageMenuDownloads");
}

TEST_F(HistoryTest, ACorruptDatabaseIsReportedOnceAndBrowsingGoesOn)
{
    const QString path = QDir(platform::folders::profileFolder(fake().environment())).filePath("History.sqlite");
    QDir().mkpath(QFileInfo(path).absolutePath());
    {
        QFile garbage(path);
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(4096, '\x5a'));
    }
    start();
    ASSERT_EQ(store().path(), path);
    page(0)->simulateNavigation("https://a.test/", "A");
    store().flush();
    page(0)->simulateNavigation("https://b.test/", "B");
    store().flush();
    int notices = 0;
    for (const auto &n : fake().dialogs().notices())
        notices += n.title == "방문 기록" ? 1 : 0;
    EXPECT_EQ(notices, 1);
    EXPECT_TRUE(fake().dialogs().notices().last().text.startsWith("방문 기록 파일이 손상되었거나"));
    EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList({"History.sqlite.broken-*"}).size(), 1);
    EXPECT_EQ(store().search("test").size(), 2);
}

TEST_F(HistoryTest, SuggestionsFollowTheKeys)
{
    start();
    visitAgo("https://example.test/one", "첫째", 3);
    visitAgo("https://example.test/two", "둘째", 2, true);
    visitAgo("https://other.test/", "Other", 1);
    FavoriteStore(platform::folders::favoriteFolder(fake().environment()))
        .write(Favorite{"예제 즐겨찾기", "", "https://example.test/fav"});
    openAddressBox();
    form().WebAdressInputBar->clear();
    QTest::keyClicks(form().WebAdressInputBar, "exam");
    // The favorite, never visited, between the page typed and the one only visited.
    EXPECT_EQ(offered(), (QStringList{"https://example.test/two", "https://example.test/fav", "https://example.test/one"}));
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_GT(suggest().list()->geometry().top(), form().WebAdressInputBar->geometry().top()) << "under the box";

    auto key = [this](Qt::Key k) { QTest::keyClick(form().WebAdressInputBar, k); };
    key(Qt::Key_Down);
    EXPECT_EQ(selectedRow(), 0);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(selectedRow(), 2);
    key(Qt::Key_Down);
    EXPECT_EQ(selectedRow(), -1) << "past the last row is the typed text again";
    key(Qt::Key_Up);
    EXPECT_EQ(selectedRow(), 2);
    key(Qt::Key_Up);
    EXPECT_EQ(form().WebAdressInputBar->text(), "exam") << "moving does not change the text";

    // Escape closes the list first, then the box.
    key(Qt::Key_Escape);
    EXPECT_FALSE(suggest().shown());
    EXPECT_TRUE(form().WebAdressInputBar->isVisible());
    key(Qt::Key_Escape);
    EXPECT_FALSE(form().WebAdressInputBar->isVisible());

    // Enter opens the selected one.
    openAddressBox();
    form().WebAdressInputBar->clear();
    QTest::keyClicks(form().WebAdressInputBar, "exam");
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(selectedPage()->navigated().last(), "https://example.test/fav");
    EXPECT_FALSE(form().WebAdressInputBar->isVisible());
    EXPECT_FALSE(suggest().shown());

    // With nothing selected Enter sends the text exactly as typed.
    openAddressBox();
    form().WebAdressInputBar->clear();
    QTest::keyClicks(form().WebAdressInputBar, " exam ");
    ASSERT_TRUE(suggest().shown());
    key(Qt::Key_Return);
    EXPECT_EQ(selectedPage()->navigated().last(), " exam ");

    // Nothing matches: no list.
    openAddressBox();
    form().WebAdressInputBar->clear();
    QTest::keyClicks(form().WebAdressInputBar, "zzz");
    EXPECT_FALSE(suggest().shown());
}

TEST_F(HistoryTest, NothingIsSuggestedWhileAHangulSyllableIsComposed)
{
    start();
    visitAgo("https://hangul.test/", "한국 뉴스", 1);
    visitAgo("https://hani.test/", "한겨레", 2);
    openAddressBox();
    form().WebAdressInputBar->clear();

    compose("ㅎ");
    EXPECT_TRUE(suggest().composing());
    EXPECT_FALSE(suggest().shown());
    compose("하");
    compose("한");
    EXPECT_FALSE(suggest().shown()) << "a syllable being composed is not completed";
    // The syllable is committed and the next one begins: still composing.
    compose("ㄱ", "한");
    EXPECT_EQ(form().WebAdressInputBar->text(), "한");
    EXPECT_FALSE(suggest().shown()) << "no lag of one syllable: nothing while the next is composed";
    compose("국", "");
    EXPECT_FALSE(suggest().shown());
    // The composition ends: now the whole word is there and it is completed.
    compose("", "국");
    EXPECT_EQ(form().WebAdressInputBar->text(), "한국");
    EXPECT_FALSE(suggest().composing());
    EXPECT_EQ(offered(), QStringList{"https://hangul.test/"});

    // Enter while a syllable is composed commits it first and sends the whole text.
    compose("뉴");
    EXPECT_FALSE(suggest().shown());
    QTest::keyClick(form().WebAdressInputBar, Qt::Key_Return);
    EXPECT_EQ(selectedPage()->navigated().last(), "한국뉴");
    EXPECT_FALSE(suggest().shown());
}

} // namespace
