#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QObject;
class QWidget;

namespace platform {

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel, SaveCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { OK, Cancel, Yes, No, Save };

// The system's dialogs. Texts join their sentences with "\n".
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // A modal box with Korean button texts ("예", "아니요", "확인", "취소", "저장").
    virtual MsgResult messageBox(QWidget *parent, const QString &text, const QString &title,
                                 MsgButtons buttons, MsgIcon icon) = 0;
    // A box with an OK button ("확인") that does not wait for the user: the call
    // returns at once. The object returned stands for the box: it lives while
    // the box is open and is deleted when the box closes.
    virtual QObject *notice(QWidget *parent, const QString &text, const QString &title, MsgIcon icon) = 0;
    // Asks for one line of text, starting from initial ("확인", "취소");
    // nullopt when the user cancels.
    virtual std::optional<QString> textInput(QWidget *parent, const QString &text, const QString &title,
                                             const QString &initial) = 0;
    // messageBox and textInput with a check box (checkText) under the text;
    // checked tells afterwards whether the user ticked it, whatever the answer.
    virtual MsgResult checkedMessageBox(QWidget *parent, const QString &text, const QString &title,
                                        MsgButtons buttons, MsgIcon icon, const QString &checkText,
                                        bool &checked) = 0;
    virtual std::optional<QString> checkedTextInput(QWidget *parent, const QString &text, const QString &title,
                                                    const QString &initial, const QString &checkText,
                                                    bool &checked) = 0;
    // filter in the "description|pattern|description|pattern|" form; empty when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &filter,
                                 const QString &folder = {}) = 0;
    // Asks where to save a file, starting from path (folder and name); filter as
    // for openFileName. Empty when cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                 const QString &path) = 0;
    virtual std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial) = 0;
    // The font chooser of the system has no colour; this one goes beside it.
    virtual std::optional<QColor> chooseColor(QWidget *parent, const QColor &initial) = 0;
};

} // namespace platform
