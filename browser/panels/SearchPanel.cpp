#include "SearchPanel.h"

#include "browser/core/AfterStep.h"
#include "browser/frame/KeyCodes.h"
#include "platform/Platform.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kTwips = 15;

struct ButtonText
{
    SearchEngine engine;
    const char *caption;
    const char *toolTip;
};

// In the order the panel shows them.
constexpr ButtonText kButtonTexts[] = {
    {SearchEngine::Naver, "NAVER", "네이버(NAVER) 에서 검색 합니다."},
    {SearchEngine::Daum, "Daum", "다음(Daum) 에서 검색 합니다."},
    {SearchEngine::Google, "Google", "구글(Google) 에서 검색 합니다."},
    {SearchEngine::Bing, "Bing", "빙(Bing) 에서 검색 합니다."},
    {SearchEngine::Yahoo, "Yahoo!", "야후!(Yahoo!) 에서 검색 합니다."},
    {SearchEngine::Nate, "NATE", "네이트(NATE) 에서 검색 합니다."},
};

} // namespace

SearchPanel::SearchPanel(const PanelContext &context, QWidget *parent)
    : SidePanel(QStringLiteral("SearchBox"), parent)
    , m_context(context)
{
    lblSearchBoxTitle = new QLabel(QStringLiteral("인터넷 검색"), this);
    lblSearchBoxTitle->setObjectName(QStringLiteral("lblSearchBoxTitle"));
    QFont bold = lblSearchBoxTitle->font();
    bold.setBold(true);
    lblSearchBoxTitle->setFont(bold);
    SearchTextBox = new QLineEdit(QString::fromUtf8(kPlaceholder), this);
    SearchTextBox->setObjectName(QStringLiteral("SearchTextBox"));
    SearchTextBox->installEventFilter(this);
    lblSearchBoxSecondTitle = new QLabel(QStringLiteral("검색 엔진 선택"), this);
    lblSearchBoxSecondTitle->setObjectName(QStringLiteral("lblSearchBoxSecondTitle"));

    for (const ButtonText &t : kButtonTexts) {
        const SearchEngineEntry &entry = searchEngineEntry(t.engine);
        auto *button = new QPushButton(QString::fromUtf8(t.caption), this);
        button->setObjectName(QString::fromLatin1(entry.button.data(), qsizetype(entry.button.size())));
        button->setToolTip(QString::fromUtf8(t.toolTip));
        button->setFocusPolicy(Qt::TabFocus);
        m_buttons[size_t(t.engine)] = button;
    }
    using E = SearchEngine;
    const std::pair<QPushButton **, void (SearchPanel::*)()> named[] = {
        {&SearchDaumButton, &SearchPanel::SearchDaumButton_Click},
        {&SearchNaverButton, &SearchPanel::SearchNaverButton_Click},
        {&SearchGoogleButton, &SearchPanel::SearchGoogleButton_Click},
        {&SearchBingButton, &SearchPanel::SearchBingButton_Click},
        {&SearchYahooButton, &SearchPanel::SearchYahooButton_Click},
        {&SearchNateButton, &SearchPanel::SearchNateButton_Click},
    };
    for (const E e : {E::Daum, E::Naver, E::Google, E::Bing, E::Yahoo, E::Nate}) {
        const auto &[control, handler] = named[size_t(e)];
        *control = m_buttons[size_t(e)];
        connect(*control, &QPushButton::clicked, this, handler);
    }
    placeControls();
}

QPushButton *SearchPanel::engineButton(SearchEngine engine) const
{
    return m_buttons[size_t(engine)];
}

void SearchPanel::ensureHeight()
{
    // A panel too low for its buttons gets a window that holds it.
    if (height() * kTwips < kMinHeight && window() && !window()->isMaximized())
        window()->resize(window()->width(), (kWindowHeightForMin + kTwips / 2) / kTwips);
}

void SearchPanel::SearchButton_Click()
{
    AfterStep step(m_context.afterStep);
    ensureHeight();
    if (m_open) {
        m_open = false;
        return;
    }
    m_open = true;
    Q_EMIT opened();
    // The field takes the focus once the pass has shown the panel.
    m_context.afterStep.flushLayout();
    SearchTextBox->setFocus(Qt::OtherFocusReason);
}

void SearchPanel::SearchTextBox_GotFocus()
{
    AfterStep step(m_context.afterStep);
    if (SearchTextBox->text() == QString::fromUtf8(kPlaceholder))
        SearchTextBox->selectAll();
    else
        SearchTextBox->end(false);
}

void SearchPanel::search(SearchEngine engine)
{
    AfterStep step(m_context.afterStep);
    Q_EMIT openAddress(searchAddress(engine, SearchTextBox->text()));
    SearchTextBox->setText(QString::fromUtf8(kPlaceholder));
    ensureHeight();
    fold();
}

bool SearchPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != SearchTextBox)
        return false;
    if (event->type() == QEvent::FocusIn) {
        SearchTextBox_GotFocus();
        // A click places the caret after the focus arrives; select again after it.
        QTimer::singleShot(0, this, [this] {
            if (SearchTextBox->hasFocus() && SearchTextBox->text() == QString::fromUtf8(kPlaceholder))
                SearchTextBox->selectAll();
        });
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto &key = *static_cast<QKeyEvent *>(event);
    bool handled = false;
    SearchTextBox_KeyDown(keycodes::keyCode(key), key.modifiers(), handled);
    if (!handled && keycodes::keyAscii(key) != 0)
        SearchTextBox_KeyPress(keycodes::keyAscii(key), handled);
    return handled;
}

void SearchPanel::SearchTextBox_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled)
{
    if (keycodes::isSelectAll(KeyCode, Shift)) {
        AfterStep step(m_context.afterStep);
        SearchTextBox->selectAll();
        handled = true;
    } else if (KeyCode == keycodes::kEscape) {
        AfterStep step(m_context.afterStep);
        fold();
        handled = true;
    }
}

void SearchPanel::SearchTextBox_KeyPress(int KeyAscii, bool &handled)
{
    if (KeyAscii != keycodes::kEnter)
        return;
    search(SearchEngine::Daum);
    handled = true;
}

void SearchPanel::SearchDaumButton_Click()
{
    search(SearchEngine::Daum);
}

void SearchPanel::SearchNaverButton_Click()
{
    search(SearchEngine::Naver);
}

void SearchPanel::SearchGoogleButton_Click()
{
    search(SearchEngine::Google);
}

void SearchPanel::SearchBingButton_Click()
{
    search(SearchEngine::Bing);
}

void SearchPanel::SearchYahooButton_Click()
{
    search(SearchEngine::Yahoo);
}

void SearchPanel::SearchNateButton_Click()
{
    search(SearchEngine::Nate);
}

void SearchPanel::resizeEvent(QResizeEvent *event)
{
    SidePanel::resizeEvent(event);
    placeControls();
}

void SearchPanel::placeControls()
{
    const int w = width();
    lblSearchBoxTitle->setGeometry(4, 4, w - 8, 20);
    SearchTextBox->setGeometry(4, 28, w - 8, 26);
    lblSearchBoxSecondTitle->setGeometry(4, 64, w - 8, 20);
    int y = 88;
    for (const ButtonText &t : kButtonTexts) {
        m_buttons[size_t(t.engine)]->setGeometry(4, y, w - 8, 28);
        y += 32;
    }
}
