#pragma once

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace platform {
class WebBrowser;
}

namespace findBar {

// What the bar says of a search's answer: "3/17", or that the text is not in
// the page; empty for no search.
QString resultText(const QString &text, int activeMatch, int numberOfMatches);

} // namespace findBar

// The find bar of one tab: a child of the tab's page widget, lying over the
// page's bottom edge, above the status bar. Each tab has its own, with its own
// text and switch, so switching tabs shows each tab's search. Typing searches
// as the text changes; only committed text counts, so a Hangul syllable still
// being composed searches nothing yet. Enter and "다음" step to the next match,
// Shift+Enter and "이전" to the one before, Escape and the close button end
// the search.
class FindBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kHeight = 30;

    explicit FindBar(platform::WebBrowser &page);

    // Shows the bar with the focus in its field, the text selected.
    void open();
    // Hides the bar, takes the highlights away and gives the page the focus.
    void end();

    QLineEdit *FindTextField;
    QPushButton *PreviousButton;
    QPushButton *NextButton;
    QCheckBox *MatchCaseCheck;
    QLabel *ResultLabel;
    QPushButton *CloseButton;

    // True while the last answer found nothing (the field shows red).
    bool notFound() const { return m_notFound; }

    // Handlers
    void FindTextField_TextChanged(const QString &text);
    void NextButton_Click();
    void PreviousButton_Click();
    void MatchCaseCheck_Toggled(bool on);
    void CloseButton_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void search(bool backward);
    void page_FindTextResult(const QString &text, int activeMatch, int numberOfMatches);
    void place();
    void setNotFound(bool notFound);

    QPointer<platform::WebBrowser> m_page;
    bool m_notFound = false;
};
