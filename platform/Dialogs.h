#pragma once

#include <QFont>
#include <QString>

#include <optional>

class QWidget;

namespace platform {

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { OK, Cancel, Yes, No };

// The system's modal dialogs. Texts join their sentences with "\n".
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // Korean button texts ("예", "아니요", "확인", "취소").
    virtual MsgResult messageBox(QWidget *parent, const QString &text, const QString &title,
                                 MsgButtons buttons, MsgIcon icon) = 0;
    // filter in the "description|pattern|description|pattern|" form; empty when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &filter,
                                 const QString &folder = {}) = 0;
    virtual std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial) = 0;
};

} // namespace platform
