#include "AddressSuggestions.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

QString rowText(const suggestions::Candidate &c)
{
    const QString star = c.favorite ? QStringLiteral("★ ") : QString();
    if (c.title.trimmed().isEmpty())
        return star + c.url;
    return star + c.title.simplified() + QStringLiteral("  —  ") + c.url;
}

} // namespace

SuggestionList::SuggestionList(QWidget *parent)
    : QFrame(parent)
    , Rows(new QListWidget(this))
{
    setObjectName(QStringLiteral("AddressSuggestionList"));
    Rows->setObjectName(QStringLiteral("AddressSuggestionRows"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    // The box keeps the focus while the list is used.
    setFocusPolicy(Qt::NoFocus);
    Rows->setFocusPolicy(Qt::NoFocus);
    Rows->viewport()->setFocusPolicy(Qt::NoFocus);
    Rows->setSelectionMode(QAbstractItemView::SingleSelection);
    Rows->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Rows->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Rows->setTextElideMode(Qt::ElideRight);
    Rows->setFrameShape(QFrame::NoFrame);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(Rows);
    connect(Rows, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { Q_EMIT rowClicked(Rows->row(item)); });
    hide();
}

void SuggestionList::setSuggestions(const QList<suggestions::Candidate> &list)
{
    m_list = list;
    Rows->clear();
    for (const suggestions::Candidate &c : list) {
        auto *item = new QListWidgetItem(rowText(c), Rows);
        item->setToolTip(c.url);
        item->setSizeHint(QSize(0, rowHeight()));
    }
    Rows->setCurrentRow(-1);
    Rows->clearSelection();
}

int SuggestionList::rowHeight() const
{
    return Rows->fontMetrics().height() + 8;
}

int SuggestionList::selected() const
{
    const QList<QListWidgetItem *> items = Rows->selectedItems();
    return items.isEmpty() ? -1 : Rows->row(items.first());
}

void SuggestionList::select(int row)
{
    if (row < 0 || row >= Rows->count()) {
        Rows->setCurrentRow(-1);
        Rows->clearSelection();
        return;
    }
    Rows->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

AddressSuggestions::AddressSuggestions(QLineEdit &box, Source source, QObject *parent)
    : QObject(parent)
    , m_box(box)
    , m_source(std::move(source))
    , m_clock([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    m_box.installEventFilter(this);
    connect(&m_box, &QLineEdit::textEdited, this, [this] { refresh(); });
}

bool AddressSuggestions::shown() const
{
    return m_list && m_list->isVisible();
}

void AddressSuggestions::hide()
{
    if (m_list)
        m_list->hide();
}

void AddressSuggestions::refresh()
{
    // A syllable still being composed is not text yet: nothing is offered
    // for the half-typed word.
    if (composing() || m_committing || !m_box.isVisible()) {
        hide();
        return;
    }
    const QString text = m_box.text();
    QList<suggestions::Candidate> history;
    QList<suggestions::Candidate> favorites;
    if (!text.trimmed().isEmpty())
        m_source(text, history, favorites);
    const QList<suggestions::Candidate> best = suggestions::rank(history, favorites, text, m_clock());
    if (best.isEmpty()) {
        hide();
        return;
    }
    if (!m_list) {
        m_list = new SuggestionList(m_box.window());
        connect(m_list, &SuggestionList::rowClicked, this, &AddressSuggestions::openRow);
    }
    m_list->setSuggestions(best);
    place();
    m_list->show();
    m_list->raise();
}

void AddressSuggestions::place()
{
    QWidget *window = m_list->parentWidget();
    const QPoint at = m_box.mapTo(window, QPoint(0, m_box.height()));
    const int height = m_list->rowHeight() * m_list->Rows->count() + 2 * m_list->frameWidth() + 2;
    const int width = std::max(m_box.width(), 360);
    m_list->setGeometry(at.x(), at.y(), std::min(width, window->width() - at.x()), height);
}

void AddressSuggestions::openRow(int row)
{
    if (!m_list)
        return;
    m_list->select(row);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(&m_box, &press);
}

bool AddressSuggestions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &m_box)
        return false;
    switch (event->type()) {
    case QEvent::InputMethod: {
        auto *ime = static_cast<QInputMethodEvent *>(event);
        m_preedit = ime->preeditString();
        if (composing())
            hide();
        else if (!m_committing && !ime->commitString().isEmpty())
            // The text changes once the box has taken the event.
            QMetaObject::invokeMethod(this, &AddressSuggestions::refresh, Qt::QueuedConnection);
        return false;
    }
    case QEvent::KeyPress:
        return keyPress(static_cast<QKeyEvent *>(event));
    case QEvent::FocusOut:
    case QEvent::Hide:
        hide();
        return false;
    default:
        return false;
    }
}

bool AddressSuggestions::keyPress(QKeyEvent *event)
{
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (composing()) {
            // The syllable being composed is part of what was typed.
            m_committing = true;
            QInputMethodEvent commit;
            commit.setCommitString(m_preedit);
            QCoreApplication::sendEvent(&m_box, &commit);
            if (QInputMethod *im = QGuiApplication::inputMethod())
                im->reset();
            m_preedit.clear();
            m_committing = false;
        } else if (shown() && m_list->selected() >= 0) {
            m_box.setText(m_list->suggestions().at(m_list->selected()).url);
        }
        hide();
        if (m_onEnter && !m_box.text().isEmpty())
            m_onEnter();
        // The box sends its text on as it always does.
        return false;
    }
    if (!shown() || !plain)
        return false;
    const int count = m_list->Rows->count();
    const int at = m_list->selected();
    if (key == Qt::Key_Down) {
        m_list->select(at + 1 >= count ? -1 : at + 1);
        return true;
    }
    if (key == Qt::Key_Up) {
        m_list->select(at < 0 ? count - 1 : at - 1);
        return true;
    }
    if (key == Qt::Key_Escape) {
        hide();
        return true;
    }
    return false;
}
