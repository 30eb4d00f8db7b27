#include "themebuilder/WizardStyle.h"

#include <QChildEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace prismel::style {

QString styleSheet()
{
    return QStringLiteral(R"(
QLabel { color: #2a2f45; }
QLabel[role="title"] { color: #27305a; font-size: 14pt; font-weight: bold; }
QLabel[role="heading"] { color: #27305a; font-weight: bold; }
QLabel[role="note"] { color: #c62828; }
QLabel[role="footer"] { color: #6a7090; }
QPushButton {
    background: #ffffff; color: #2a2f45;
    border: 1px solid #9aa3c0; border-radius: 4px;
    padding: 4px 12px; min-height: 20px;
}
QPushButton:hover { background: #eef1fb; border-color: #3b4a8c; }
QPushButton:pressed { background: #dfe4f5; }
QPushButton:focus { border-color: #3b4a8c; }
QPushButton[role="primary"] { background: #3b4a8c; color: #ffffff; border-color: #27305a; }
QPushButton[role="primary"]:hover { background: #4a5ba3; }
QPushButton[role="primary"]:pressed { background: #27305a; }
QPushButton[role="picker"] { text-align: left; padding-left: 10px; }
QPushButton[role="tab"] {
    background: #ffffff; color: #000000; border: 1px solid #000000;
    border-radius: 0px; padding: 3px 10px;
}
QPushButton[role="tab"][selected="true"] { background: #000000; color: #ffffff; }
QFrame[role="card"] { background: #ffffff; border: 1px solid #b9c0d8; border-radius: 6px; }
QFrame[role="separator"] { background: #d5d9e8; border: none; }
QLineEdit {
    background: #ffffff; color: #2a2f45;
    border: 1px solid #9aa3c0; border-radius: 3px; padding: 3px 6px;
}
QLineEdit:focus { border-color: #3b4a8c; }
QTextBrowser { background: #ffffff; border: 1px solid #b9c0d8; border-radius: 3px; }
QToolTip { color: #2a2f45; background: #ffffe8; border: 1px solid #9aa3c0; }
)");
}

QLabel *label(const QString &text, const char *role, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setProperty("role", QByteArray(role));
    l->setWordWrap(true);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QPushButton *button(const QString &text, const char *objectName, QWidget *parent, bool primary)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(objectName));
    if (primary)
        b->setProperty("role", QByteArray("primary"));
    b->setMinimumWidth(84);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QFrame *card(const char *objectName, QWidget *parent)
{
    auto *f = new QFrame(parent);
    f->setObjectName(QLatin1String(objectName));
    f->setProperty("role", QByteArray("card"));
    return f;
}

QFrame *separator(QWidget *parent)
{
    auto *f = new QFrame(parent);
    f->setProperty("role", QByteArray("separator"));
    f->setFixedHeight(1);
    return f;
}

void repolish(QWidget *widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

void OverlayArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    for (QObject *child : children()) {
        if (auto *w = qobject_cast<QWidget *>(child))
            w->setGeometry(rect());
    }
}

void OverlayArea::childEvent(QChildEvent *event)
{
    QWidget::childEvent(event);
    if (event->added()) {
        if (auto *w = qobject_cast<QWidget *>(event->child()))
            w->setGeometry(rect());
    }
}

} // namespace prismel::style
