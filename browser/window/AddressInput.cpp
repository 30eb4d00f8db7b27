#include "AddressInput.h"

#include <QKeyEvent>

AddressInput::AddressInput(const QString &name, QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(name);
}

void AddressInput::keyPressEvent(QKeyEvent *event)
{
    bool handled = false;
    int code = event->key();
    if (code == Qt::Key_Escape)
        code = 27;
    else if (code >= Qt::Key_A && code <= Qt::Key_Z)
        code = 65 + (code - Qt::Key_A);
    Q_EMIT KeyDown(code, event->modifiers(), handled);
    if (handled)
        return;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Q_EMIT KeyPress(13);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void AddressInput::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A popup of the box itself (its context menu) is not a loss of focus, and
    // neither is a switch to another window: the typed text waits there.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        Q_EMIT LostFocus();
}
