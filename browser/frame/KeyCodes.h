#pragma once

#include <QKeyEvent>

// Key presses as the controls' KeyDown and KeyPress handlers take them: the
// key code (letters as their capital, Escape 27, Enter 13) with the modifiers,
// and the character a key types (13 for Enter, 0 for keys that type nothing the
// handlers look at).
namespace keycodes {

inline constexpr int kEnter = 13;
inline constexpr int kEscape = 27;

inline int keyCode(const QKeyEvent &event)
{
    const int key = event.key();
    if (key == Qt::Key_Escape)
        return kEscape;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return kEnter;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + (key - Qt::Key_A);
    return key;
}

inline int keyAscii(const QKeyEvent &event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter ? kEnter : 0;
}

// Ctrl+A alone, the select-all of every text field here.
inline bool isSelectAll(int keyCode, Qt::KeyboardModifiers shift)
{
    return keyCode == 'A' && shift == Qt::ControlModifier;
}

} // namespace keycodes
