#include "SearchPanel.h"

#include "browser/core/AfterStep.h"
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
        connect(button, &QPushButton::clicked, this, [this, e = t.engine] { search(e); });
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
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_A && key->modifiers() == Qt::ControlModifier) {
        AfterStep step(m_context.afterStep);
        SearchTextBox->selectAll();
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        AfterStep step(m_context.afterStep);
        fold();
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        search(SearchEngine::Daum);
        return true;
    }
    return false;
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
