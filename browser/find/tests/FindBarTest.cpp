// The find bar: its count text, its keys and buttons, one bar per tab, and
// Hangul that searches only once a syllable is committed.
#include "browser/tests/BrowserFixture.h"

#include "browser/find/FindBar.h"
#include "browser/find/FindCommands.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

TEST(FindBarText, CountsTheActiveMatchOfAllAndSaysWhenThereIsNone)
{
    EXPECT_EQ(findBar::resultText("abc", 3, 17), "3/17");
    EXPECT_EQ(findBar::resultText("abc", 1, 1), "1/1");
    EXPECT_EQ(findBar::resultText("abc", 0, 0), "찾는 문자열이 없습니다.");
    EXPECT_EQ(findBar::resultText("abc", 5, 2), "2/2") << "never past the count";
    EXPECT_EQ(findBar::resultText("", 0, 0), "");
}

class FindBarTest : public BrowserTest
{
protected:
    void startActive()
    {
        start();
        form().show();
        QApplication::setActiveWindow(&form());
    }
    void ctrlF()
    {
        QKeyEvent event(QEvent::KeyPress, Qt::Key_F, Qt::ControlModifier);
        QApplication::sendEvent(selectedPage()->widget(), &event);
    }
    FindBar *bar() { return findCommands::barOf(*selectedPage()); }
};

TEST_F(FindBarTest, CtrlFOpensTheBarAndTypingEnterAndShiftEnterStep)
{
    startActive();
    page(0)->simulateNavigation("http://a.example/", "A");
    ctrlF();
    ASSERT_NE(bar(), nullptr);
    EXPECT_TRUE(bar()->isVisible());
    EXPECT_EQ(bar()->parentWidget(), selectedPage()->widget());
    EXPECT_EQ(bar()->geometry().bottom(), selectedPage()->widget()->height() - 1) << "over the page's bottom edge";

    QTest::keyClicks(bar()->FindTextField, "ab");
    EXPECT_EQ(page(0)->finds(), (QStringList{"a|forward|nocase", "ab|forward|nocase"}));
    page(0)->simulateFindResult("a", 1, 40); // the answer to an older text
    EXPECT_EQ(bar()->ResultLabel->text(), "");
    page(0)->simulateFindResult("ab", 3, 17);
    EXPECT_EQ(bar()->ResultLabel->text(), "3/17");
    EXPECT_FALSE(bar()->notFound());

    QTest::keyClick(bar()->FindTextField, Qt::Key_Return);
    QTest::keyClick(bar()->FindTextField, Qt::Key_Return, Qt::ShiftModifier);
    bar()->NextButton->click();
    bar()->PreviousButton->click();
    EXPECT_EQ(page(0)->finds().mid(2), (QStringList{"ab|forward|nocase", "ab|backward|nocase", "ab|forward|nocase",
                                                    "ab|backward|nocase"}));

    // The switch starts the search anew, case sensitive.
    bar()->MatchCaseCheck->click();
    EXPECT_EQ(page(0)->finds().mid(6), (QStringList{"|forward|nocase", "ab|forward|case"}));

    QTest::keyClicks(bar()->FindTextField, "x");
    page(0)->simulateFindResult("abx", 0, 0);
    EXPECT_TRUE(bar()->notFound());
    EXPECT_EQ(bar()->ResultLabel->text(), "찾는 문자열이 없습니다.");
    EXPECT_EQ(bar()->FindTextField->property("notFound").toBool(), true);

    // Escape ends the search: the highlights go with it.
    QTest::keyClick(bar()->FindTextField, Qt::Key_Escape);
    EXPECT_FALSE(bar()->isVisible());
    EXPECT_EQ(page(0)->finds().last(), "|forward|nocase");
    EXPECT_FALSE(bar()->notFound());
}

TEST_F(FindBarTest, EachTabHasItsOwnSearch)
{
    startActive();
    ctrlF();
    QTest::keyClicks(bar()->FindTextField, "one");
    FindBar *first = bar();

    app().commands().run(Command::NewTabPage);
    EXPECT_EQ(bar(), nullptr) << "a new tab has no search yet";
    ctrlF();
    ASSERT_NE(bar(), first);
    EXPECT_EQ(bar()->FindTextField->text(), "");
    QTest::keyClicks(bar()->FindTextField, "two");
    EXPECT_EQ(selectedPage()->finds().last(), "two|forward|nocase");
    EXPECT_EQ(page(0)->finds().last(), "one|forward|nocase");

    clickTab(1);
    EXPECT_EQ(findCommands::barOf(*page(0)), first);
    EXPECT_EQ(first->FindTextField->text(), "one");

    // Ctrl+F again in a tab with an open bar searches its text again, selected.
    ctrlF();
    EXPECT_TRUE(first->FindTextField->hasSelectedText());
}

TEST_F(FindBarTest, HangulSearchesOnlyOnceTheSyllableIsCommitted)
{
    startActive();
    ctrlF();
    QLineEdit *field = bar()->FindTextField;
    QInputMethodEvent composing(QStringLiteral("ㅎ"), {});
    QApplication::sendEvent(field, &composing);
    QInputMethodEvent more(QStringLiteral("한"), {});
    QApplication::sendEvent(field, &more);
    EXPECT_EQ(page(0)->finds(), QStringList{});
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("한"));
    QApplication::sendEvent(field, &commit);
    EXPECT_EQ(page(0)->finds(), QStringList{"한|forward|nocase"});
}

} // namespace
