#include "FindBar.h"

#include "platform/WebBrowser.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace findBar {

QString resultText(const QString &text, int activeMatch, int numberOfMatches)
{
    if (text.isEmpty())
        return QString();
    if (numberOfMatches <= 0)
        return QStringLiteral("찾는 문자열이 없습니다.");
    return QStringLiteral("%1/%2").arg(qBound(0, activeMatch, numberOfMatches)).arg(numberOfMatches);
}

} // namespace findBar

namespace {

constexpr const char *kBarStyle =
    "FindBar { background: #2b3340; border-top: 1px solid #4a5566; }"
    "QLabel, QCheckBox { color: #e8edf4; background: transparent; }"
    "QCheckBox::indicator { width: 12px; height: 12px; border: 1px solid #9aa6b8; background: #ffffff; }"
    "QCheckBox::indicator:checked { background: #3d7bd9; border: 1px solid #ffffff; }"
    "QLineEdit { background: #ffffff; color: #1b1f26; border: 1px solid #7d8a9c; padding: 1px 4px; }"
    "QLineEdit[notFound=\"true\"] { background: #ffd9d9; border: 1px solid #d03030; }"
    "QPushButton { color: #e8edf4; background: #3b4555; border: 1px solid #5b687a; padding: 2px 10px; }"
    "QPushButton:hover { background: #4b5769; }";

} // namespace

FindBar::FindBar(platform::WebBrowser &page)
    : QWidget(page.widget())
    , m_page(&page)
{
    setObjectName(QStringLiteral("FindBar"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QString::fromLatin1(kBarStyle));

    FindTextField = new QLineEdit(this);
    FindTextField->setObjectName(QStringLiteral("FindTextField"));
    FindTextField->setFixedWidth(220);
    FindTextField->setProperty("notFound", false);
    PreviousButton = new QPushButton(QStringLiteral("이전"), this);
    PreviousButton->setObjectName(QStringLiteral("PreviousButton"));
    NextButton = new QPushButton(QStringLiteral("다음"), this);
    NextButton->setObjectName(QStringLiteral("NextButton"));
    MatchCaseCheck = new QCheckBox(QStringLiteral("대/소문자 구분"), this);
    MatchCaseCheck->setObjectName(QStringLiteral("MatchCaseCheck"));
    ResultLabel = new QLabel(this);
    ResultLabel->setObjectName(QStringLiteral("ResultLabel"));
    ResultLabel->setTextFormat(Qt::PlainText);
    CloseButton = new QPushButton(QStringLiteral("닫기"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    for (QWidget *w : {static_cast<QWidget *>(PreviousButton), static_cast<QWidget *>(NextButton),
                       static_cast<QWidget *>(MatchCaseCheck), static_cast<QWidget *>(CloseButton)})
        w->setFocusPolicy(Qt::NoFocus);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(8, 3, 8, 3);
    row->setSpacing(6);
    row->addWidget(FindTextField);
    row->addWidget(PreviousButton);
    row->addWidget(NextButton);
    row->addWidget(MatchCaseCheck);
    row->addWidget(ResultLabel, 1);
    row->addWidget(CloseButton);

    connect(FindTextField, &QLineEdit::textChanged, this, &FindBar::FindTextField_TextChanged);
    connect(NextButton, &QPushButton::clicked, this, &FindBar::NextButton_Click);
    connect(PreviousButton, &QPushButton::clicked, this, &FindBar::PreviousButton_Click);
    connect(MatchCaseCheck, &QCheckBox::toggled, this, &FindBar::MatchCaseCheck_Toggled);
    connect(CloseButton, &QPushButton::clicked, this, &FindBar::CloseButton_Click);
    connect(&page, &platform::WebBrowser::FindTextResult, this, &FindBar::page_FindTextResult);
    FindTextField->installEventFilter(this);
    // The bar follows the page widget's size, and stays above the engine's
    // own widget, which the page makes later.
    page.widget()->installEventFilter(this);
    hide();
}

void FindBar::open()
{
    place();
    show();
    raise();
    FindTextField->setFocus(Qt::ShortcutFocusReason);
    FindTextField->selectAll();
    if (!FindTextField->text().isEmpty())
        search(false);
}

void FindBar::end()
{
    hide();
    setNotFound(false);
    ResultLabel->clear();
    if (m_page) {
        m_page->findText(QString(), false, false);
        m_page->widget()->setFocus(Qt::OtherFocusReason);
    }
}

void FindBar::FindTextField_TextChanged(const QString &text)
{
    // A new text starts a new search; an emptied field ends the old one.
    if (text.isEmpty()) {
        setNotFound(false);
        ResultLabel->clear();
        if (m_page)
            m_page->findText(QString(), false, false);
        return;
    }
    search(false);
}

void FindBar::NextButton_Click()
{
    search(false);
}

void FindBar::PreviousButton_Click()
{
    search(true);
}

void FindBar::MatchCaseCheck_Toggled(bool)
{
    // The engine steps on while the text stays the same: the old search ends
    // first so that the switch starts a new one.
    if (!m_page || FindTextField->text().isEmpty())
        return;
    m_page->findText(QString(), false, false);
    search(false);
}

void FindBar::CloseButton_Click()
{
    end();
}

void FindBar::search(bool backward)
{
    const QString text = FindTextField->text();
    if (!m_page || text.isEmpty())
        return;
    m_page->findText(text, backward, MatchCaseCheck->isChecked());
}

void FindBar::page_FindTextResult(const QString &text, int activeMatch, int numberOfMatches)
{
    // Only the answer to what the field holds now; an older search's answer
    // and the end of a search are passed by.
    if (text.isEmpty() || text != FindTextField->text())
        return;
    setNotFound(numberOfMatches <= 0);
    ResultLabel->setText(findBar::resultText(text, activeMatch, numberOfMatches));
}

void FindBar::setNotFound(bool notFound)
{
    if (m_notFound == notFound)
        return;
    m_notFound = notFound;
    FindTextField->setProperty("notFound", notFound);
    FindTextField->style()->unpolish(FindTextField);
    FindTextField->style()->polish(FindTextField);
}

void FindBar::place()
{
    const QWidget *pageWidget = parentWidget();
    if (!pageWidget)
        return;
    setGeometry(0, qMax(0, pageWidget->height() - kHeight), pageWidget->width(), kHeight);
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FindTextField && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            end();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            search(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    } else if (watched == parentWidget()) {
        switch (event->type()) {
        case QEvent::Resize:
            place();
            break;
        case QEvent::ChildAdded:
            if (isVisible())
                raise();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
