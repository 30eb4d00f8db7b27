#pragma once

#include <QLineEdit>

// The address text box: reports key presses before it edits, Enter as a key press
// of character 13, and the loss of the input focus.
class AddressInput : public QLineEdit
{
    Q_OBJECT
public:
    explicit AddressInput(const QString &name, QWidget *parent = nullptr);

Q_SIGNALS:
    void KeyDown(int keyCode, Qt::KeyboardModifiers shift, bool &handled);
    void KeyPress(int keyAscii);
    void LostFocus();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
