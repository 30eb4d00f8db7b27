#pragma once

#include "platform/Dialogs.h"

class QInputDialog;
class QMessageBox;

namespace platform {

// The system dialogs on Qt: QMessageBox with Korean button texts (modal, or
// modeless for notices), QInputDialog, QFileDialog and QFontDialog.
class QtDialogs : public Dialogs
{
public:
    // Closing a box without a button (Escape, the window's X) answers No for Yes/No,
    // Cancel where there is a Cancel button, and OK for a lone OK.
    MsgResult messageBox(QWidget *parent, const QString &text, const QString &title, MsgButtons buttons,
                         MsgIcon icon) override;
    // A modeless QMessageBox that deletes itself when closed; the box is the object returned.
    QObject *notice(QWidget *parent, const QString &text, const QString &title, MsgIcon icon) override;
    std::optional<QString> textInput(QWidget *parent, const QString &text, const QString &title,
                                     const QString &initial) override;
    // QMessageBox::setCheckBox.
    MsgResult checkedMessageBox(QWidget *parent, const QString &text, const QString &title, MsgButtons buttons,
                                MsgIcon icon, const QString &checkText, bool &checked) override;
    // A box of its own: the text, a line to edit, the check box, "확인" and "취소".
    std::optional<QString> checkedTextInput(QWidget *parent, const QString &text, const QString &title,
                                            const QString &initial, const QString &checkText,
                                            bool &checked) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &folder = {}) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &path) override;
    std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial) override;
    std::optional<QColor> chooseColor(QWidget *parent, const QColor &initial) override;
};

// Sets up a box as messageBox shows it, without showing it.
void prepareMessageBox(QMessageBox &box, const QString &text, const QString &title, MsgButtons buttons,
                       MsgIcon icon);

// Sets up a text prompt as textInput shows it, without showing it.
void prepareTextInput(QInputDialog &dialog, const QString &text, const QString &title, const QString &initial);

// The answer of a box after it closed; the escape answer when no button was clicked.
MsgResult messageBoxAnswer(const QMessageBox &box, MsgButtons buttons);

// "desc|pattern|desc|pattern|" to Qt's "desc (pattern);;desc (pattern)". Patterns
// separated by ';' become blank-separated. A description that already ends in its
// pattern list in parentheses, as "그래픽 인터체인지 포맷(*.gif)", is not given a
// second copy; a missing pattern means every file.
QString toQtFileFilter(const QString &filter);

} // namespace platform
