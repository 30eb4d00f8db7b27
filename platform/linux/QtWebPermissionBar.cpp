#include "QtWebPermissionBar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace platform {

QtWebPermissionBar::QtWebPermissionBar(QWidget *view)
    : QFrame(view)
    , m_view(view)
    , m_question(new QLabel(this))
    , m_allow(new QPushButton(QStringLiteral("허용"), this))
    , m_block(new QPushButton(QStringLiteral("차단"), this))
    , m_once(new QPushButton(QStringLiteral("이번만 허용"), this))
{
    setObjectName(QStringLiteral("PermissionBar"));
    m_allow->setObjectName(QStringLiteral("PermissionAllow"));
    m_block->setObjectName(QStringLiteral("PermissionBlock"));
    m_once->setObjectName(QStringLiteral("PermissionAllowOnce"));
    // Site names come from the page: shown as text, never as markup.
    m_question->setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);
    setStyleSheet(QStringLiteral("#PermissionBar { background: #fff8dc; border-bottom: 1px solid #c8b878; }"
                                 "QLabel { color: #202020; }"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 8, 4);
    row->addWidget(m_question, 1);
    row->addWidget(m_allow);
    row->addWidget(m_block);
    row->addWidget(m_once);
    // Blocking is the answer a stray Enter gives.
    m_block->setDefault(true);
    connect(m_allow, &QPushButton::clicked, this, [this] { Q_EMIT answered(Answer::Allow); });
    connect(m_block, &QPushButton::clicked, this, [this] { Q_EMIT answered(Answer::Block); });
    connect(m_once, &QPushButton::clicked, this, [this] { Q_EMIT answered(Answer::AllowOnce); });
    view->installEventFilter(this);
    hide();
}

void QtWebPermissionBar::ask(const QString &question)
{
    m_question->setText(question);
    place();
    show();
    raise();
}

QString QtWebPermissionBar::question() const
{
    return m_question->text();
}

void QtWebPermissionBar::place()
{
    if (m_view)
        setGeometry(0, 0, m_view->width(), sizeHint().height());
}

bool QtWebPermissionBar::eventFilter(QObject *watched, QEvent *event)
{
    // The engine puts its own surface over the view's area whenever it
    // changes; the bar stays on top of it.
    if (watched == m_view && (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded)) {
        place();
        if (isVisible())
            raise();
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace platform
