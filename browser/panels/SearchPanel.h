#pragma once

#include "SearchEngines.h"
#include "SidePanel.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The web search panel of the side area ("SearchBox"): a text field and one
// button per engine. A search opens the engine's result page in the selected
// tab and folds the panel away.
class SearchPanel : public SidePanel
{
    Q_OBJECT
public:
    SearchPanel(const PanelContext &context, QWidget *parent);

    static constexpr const char *kPlaceholder = "검색어를 입력 하십시오";
    // The panel's least height and the window height that gives it, twips.
    static constexpr int kMinHeight = 4090;
    static constexpr int kWindowHeightForMin = 5850;

    // The side-bar button: shows the panel (hiding the favorites) or folds the side area.
    void SearchButton_Click();
    void SearchTextBox_GotFocus();
    // Ctrl+A selects the text, Escape folds the panel; Enter searches in Daum.
    void SearchTextBox_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled);
    void SearchTextBox_KeyPress(int KeyAscii, bool &handled);
    void SearchDaumButton_Click();
    void SearchNaverButton_Click();
    void SearchGoogleButton_Click();
    void SearchBingButton_Click();
    void SearchYahooButton_Click();
    void SearchNateButton_Click();
    void search(SearchEngine engine);

    // Whether the panel is shown; the layout pass reads it.
    bool isOpen() const { return m_open; }
    void fold() { m_open = false; }

    QLabel *lblSearchBoxTitle;
    QLabel *lblSearchBoxSecondTitle;
    QLineEdit *SearchTextBox;
    QPushButton *SearchNaverButton;
    QPushButton *SearchDaumButton;
    QPushButton *SearchGoogleButton;
    QPushButton *SearchBingButton;
    QPushButton *SearchYahooButton;
    QPushButton *SearchNateButton;
    QPushButton *engineButton(SearchEngine engine) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void ensureHeight();
    void placeControls();

    PanelContext m_context;
    bool m_open = false;
    std::array<QPushButton *, kSearchEngines.size()> m_buttons{};
};
