#include "FakeDialogs.h"

namespace platform::testing {

MsgResult FakeDialogs::closeAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OK:
        return MsgResult::OK;
    case MsgButtons::OKCancel:
    case MsgButtons::YesNoCancel:
    case MsgButtons::SaveCancel:
        return MsgResult::Cancel;
    case MsgButtons::YesNo:
        return MsgResult::No;
    }
    return MsgResult::OK;
}

bool FakeDialogs::offers(MsgButtons buttons, MsgResult answer)
{
    switch (buttons) {
    case MsgButtons::OK:
        return answer == MsgResult::OK;
    case MsgButtons::OKCancel:
        return answer == MsgResult::OK || answer == MsgResult::Cancel;
    case MsgButtons::YesNo:
        return answer == MsgResult::Yes || answer == MsgResult::No;
    case MsgButtons::YesNoCancel:
        return answer == MsgResult::Yes || answer == MsgResult::No || answer == MsgResult::Cancel;
    case MsgButtons::SaveCancel:
        return answer == MsgResult::Save || answer == MsgResult::Cancel;
    }
    return false;
}

MsgResult FakeDialogs::messageBox(QWidget *parent, const QString &text, const QString &title, MsgButtons buttons,
                                  MsgIcon icon)
{
    MessageBoxCall call{parent, text, title, buttons, icon, closeAnswer(buttons), {}};
    if (!m_answers.isEmpty())
        call.answer = m_answers.dequeue();
    else if (m_defaultAnswer && offers(buttons, *m_defaultAnswer))
        call.answer = *m_defaultAnswer;
    if (m_handler) {
        if (const std::optional<MsgResult> answer = m_handler(call))
            call.answer = *answer;
    }
    m_messageBoxes.append(call);
    return call.answer;
}

QObject *FakeDialogs::notice(QWidget *parent, const QString &text, const QString &title, MsgIcon icon)
{
    auto *handle = new QObject(&m_noticeHandles);
    m_notices.append(NoticeCall{parent, text, title, icon, handle});
    return handle;
}

void FakeDialogs::closeNotice(int i)
{
    if (i >= 0 && i < m_notices.size())
        delete m_notices[i].handle.data();
}

void FakeDialogs::closeNotices()
{
    for (qsizetype i = 0; i < m_notices.size(); ++i)
        closeNotice(int(i));
}

int FakeDialogs::openNoticeCount() const
{
    int open = 0;
    for (const NoticeCall &call : m_notices)
        open += call.handle ? 1 : 0;
    return open;
}

std::optional<QString> FakeDialogs::textInput(QWidget *parent, const QString &text, const QString &title,
                                              const QString &initial)
{
    TextInputCall call{parent, text, title, initial, m_textAnswers.isEmpty() ? std::nullopt : m_textAnswers.dequeue(), {}};
    m_textInputs.append(call);
    return call.answer;
}

MsgResult FakeDialogs::checkedMessageBox(QWidget *parent, const QString &text, const QString &title,
                                         MsgButtons buttons, MsgIcon icon, const QString &checkText, bool &checked)
{
    const MsgResult answer = messageBox(parent, text, title, buttons, icon);
    m_messageBoxes.last().checkText = checkText;
    checked = !m_checks.isEmpty() && m_checks.dequeue();
    return answer;
}

std::optional<QString> FakeDialogs::checkedTextInput(QWidget *parent, const QString &text, const QString &title,
                                                     const QString &initial, const QString &checkText,
                                                     bool &checked)
{
    std::optional<QString> answer = textInput(parent, text, title, initial);
    m_textInputs.last().checkText = checkText;
    checked = !m_checks.isEmpty() && m_checks.dequeue();
    return answer;
}

QString FakeDialogs::openFileName(QWidget *, const QString &title, const QString &filter, const QString &folder)
{
    FileCall call{title, filter, folder, m_fileNames.isEmpty() ? QString() : m_fileNames.dequeue()};
    m_fileDialogs.append(call);
    return call.answer;
}

QString FakeDialogs::saveFileName(QWidget *parent, const QString &title, const QString &filter, const QString &path)
{
    return openFileName(parent, title, filter, path);
}

std::optional<QFont> FakeDialogs::chooseFont(QWidget *, const QFont &initial)
{
    FontCall call{initial, m_fonts.isEmpty() ? std::nullopt : m_fonts.dequeue()};
    m_fontDialogs.append(call);
    return call.answer;
}

std::optional<QColor> FakeDialogs::chooseColor(QWidget *, const QColor &initial)
{
    ColorCall call{initial, m_colors.isEmpty() ? std::nullopt : m_colors.dequeue()};
    m_colorDialogs.append(call);
    return call.answer;
}

QStringList FakeDialogs::messageTexts() const
{
    QStringList texts;
    for (const MessageBoxCall &call : m_messageBoxes)
        texts.append(call.text);
    return texts;
}

QStringList FakeDialogs::noticeTexts() const
{
    QStringList texts;
    for (const NoticeCall &call : m_notices)
        texts.append(call.text);
    return texts;
}

void FakeDialogs::clear()
{
    closeNotices();
    m_notices.clear();
    m_textInputs.clear();
    m_messageBoxes.clear();
    m_fileDialogs.clear();
    m_fontDialogs.clear();
    m_colorDialogs.clear();
}

} // namespace platform::testing
