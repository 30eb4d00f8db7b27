#include "AddressInput.h"

#include "browser/frame/KeyCodes.h"

AddressInput::AddressInput(const QString &name, QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(name);
}

void AddressInput::keyPressEvent(QKeyEvent *event)
{
    bool handled = false;
    Q_EMIT KeyDown(keycodes::keyCode(*event), event->modifiers(), handled);
    if (handled)
        return;
    if (keycodes::keyAscii(*event) == keycodes::kEnter) {
        Q_EMIT KeyPress(keycodes::kEnter);
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
