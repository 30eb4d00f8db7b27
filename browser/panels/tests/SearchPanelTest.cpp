// The search panel in a whole browser on fakes, driven by real key and mouse
// events.
#include "PanelTestSupport.h"

#include "browser/panels/FavoritePanel.h"
#include "browser/panels/SearchPanel.h"

#include <QPushButton>

namespace {

class SearchBoxTest : public BrowserTest
{
protected:
    void SetUp() override
    {
        start();
        QApplication::setActiveWindow(&form());
    }
    SearchPanel *panel() { return form().SearchBox; }
    QString placeholder() { return QString::fromUtf8(SearchPanel::kPlaceholder); }
    void openPanel()
    {
        clickOn(QStringLiteral("SearchButton"));
        ASSERT_TRUE(panel()->isVisible());
    }
};

TEST_F(SearchBoxTest, OpeningPutsTheFocusOnTheSelectedPlaceholder)
{
    clickOn(QStringLiteral("FavoriteButton"));
    openPanel();
    EXPECT_FALSE(form().FavoriteBox->isVisible());
    EXPECT_EQ(form().panels().sidebarWidth, 3240);
    EXPECT_EQ(panel()->SearchTextBox->text(), placeholder());
    if (QApplication::focusWidget()) {
        EXPECT_EQ(QApplication::focusWidget(), panel()->SearchTextBox);
        EXPECT_EQ(panel()->SearchTextBox->selectedText(), placeholder());
    }
    // Typing replaces the whole placeholder.
    typeOn(QStringLiteral("SearchTextBox"), QStringLiteral("x"));
    EXPECT_EQ(panel()->SearchTextBox->text(), QStringLiteral("x"));
    // Focus coming back with own text puts the caret at the end.
    panel()->SearchTextBox->setCursorPosition(0);
    panel()->SearchTextBox_GotFocus();
    EXPECT_EQ(panel()->SearchTextBox->cursorPosition(), 1);
}

TEST_F(SearchBoxTest, EnterSearchesDaumForExactlyTheKoreanText)
{
    openPanel();
    const QString before = tabs();
    panel()->SearchTextBox->selectAll();
    commitText(panel()->SearchTextBox, QStringLiteral("한국어 C&A #1"));
    keyOn(QStringLiteral("SearchTextBox"), Qt::Key_Return);
    EXPECT_EQ(selectedPage()->navigated().last(),
              QStringLiteral("https://search.daum.net/search?nil_suggest=btn&nil_ch=&rtupcoll=&w=tot&m=&lpp=&q="
                             "%ED%95%9C%EA%B5%AD%EC%96%B4%20C%26A%20%231"));
    EXPECT_EQ(tabs(), before) << "no new tab";
    EXPECT_EQ(panel()->SearchTextBox->text(), placeholder());
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_EQ(form().panels().sidebarWidth, 495);
}

TEST_F(SearchBoxTest, EachEngineButtonGoesToItsEngine)
{
    for (const SearchEngineEntry &e : kSearchEngines) {
        const QString button = QString::fromLatin1(e.button.data(), qsizetype(e.button.size()));
        SCOPED_TRACE(button.toStdString());
        openPanel();
        panel()->SearchTextBox->setText(QStringLiteral("abc"));
        clickOn(button);
        EXPECT_EQ(selectedPage()->navigated().last(), searchAddress(e.engine, QStringLiteral("abc")));
        EXPECT_FALSE(panel()->isVisible());
    }
    EXPECT_EQ(panel()->engineButton(SearchEngine::Yahoo)->toolTip(), QStringLiteral("야후!(Yahoo!) 에서 검색 합니다."));
    // The placeholder itself is searched when nothing was typed.
    openPanel();
    clickOn(QStringLiteral("SearchGoogleButton"));
    EXPECT_EQ(selectedPage()->navigated().last(), searchAddress(SearchEngine::Google, placeholder()));
}

TEST_F(SearchBoxTest, EscapeClosesWithoutSearching)
{
    openPanel();
    const int navigations = int(selectedPage()->navigated().size());
    panel()->SearchTextBox->setText(QStringLiteral("abc"));
    keyOn(QStringLiteral("SearchTextBox"), Qt::Key_Escape);
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_EQ(form().panels().sidebarWidth, 495);
    EXPECT_EQ(int(selectedPage()->navigated().size()), navigations);
    // The button closes it too.
    openPanel();
    clickOn(QStringLiteral("SearchButton"));
    EXPECT_FALSE(panel()->isVisible());
}

TEST_F(SearchBoxTest, ATooLowWindowGrowsToHoldThePanel)
{
    form().setSizeTwips(9000, 4995);
    form().ArrangeMainWindow();
    ASSERT_EQ(form().Height(), 4995);
    openPanel();
    EXPECT_EQ(form().Height(), 5850);
    EXPECT_GE(panel()->height() * 15, SearchPanel::kMinHeight - 15);
}

} // namespace
