#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QWidget>

#include <functional>

namespace platform::testing {

// Records every dialog and answers from queues the test fills.
//
// A message box takes the next queued answer. With the queue empty it takes the
// default answer set by setDefaultAnswer when that is one of the box's buttons,
// and otherwise answers as if the user closed the box: OK for an OK box, Cancel
// where there is a Cancel button, No for Yes/No.
//
// A notice stays "open" until the test closes it (closeNotice); its handle is
// deleted then, as the real box deletes itself. A text prompt takes the next
// queued answer and is cancelled when the queue is empty.
class FakeDialogs : public Dialogs
{
public:
    struct MessageBoxCall
    {
        QPointer<QWidget> parent;
        QString text;
        QString title;
        MsgButtons buttons = MsgButtons::OK;
        MsgIcon icon = MsgIcon::None;
        MsgResult answer = MsgResult::OK;
        QString checkText; // the check box offered, if any
    };
    struct NoticeCall
    {
        QPointer<QWidget> parent;
        QString text;
        QString title;
        MsgIcon icon = MsgIcon::None;
        QPointer<QObject> handle; // null once closed
    };
    struct TextInputCall
    {
        QPointer<QWidget> parent;
        QString text;
        QString title;
        QString initial;
        std::optional<QString> answer;
        QString checkText;
    };
    struct FileCall
    {
        QString title;
        QString filter;
        QString folder;
        QString answer;
    };
    struct FontCall
    {
        QFont initial;
        std::optional<QFont> answer;
    };
    struct ColorCall
    {
        QColor initial;
        std::optional<QColor> answer;
    };

    MsgResult messageBox(QWidget *parent, const QString &text, const QString &title, MsgButtons buttons,
                         MsgIcon icon) override;
    QObject *notice(QWidget *parent, const QString &text, const QString &title, MsgIcon icon) override;
    std::optional<QString> textInput(QWidget *parent, const QString &text, const QString &title,
                                     const QString &initial) override;
    // Answered as messageBox and textInput are; the box's check box takes
    // the next queued check (unticked when none is queued).
    MsgResult checkedMessageBox(QWidget *parent, const QString &text, const QString &title, MsgButtons buttons,
                                MsgIcon icon, const QString &checkText, bool &checked) override;
    std::optional<QString> checkedTextInput(QWidget *parent, const QString &text, const QString &title,
                                            const QString &initial, const QString &checkText,
                                            bool &checked) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &folder = {}) override;
    // Takes its answer from the same queue as openFileName; the call is
    // recorded with path as its folder.
    QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &path) override;
    std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial) override;
    std::optional<QColor> chooseColor(QWidget *parent, const QColor &initial) override;

    void queueAnswer(MsgResult answer) { m_answers.enqueue(answer); }
    void queueCheck(bool checked) { m_checks.enqueue(checked); }
    void setDefaultAnswer(std::optional<MsgResult> answer) { m_defaultAnswer = answer; }
    // Called while the "box is open", before it answers: a test can look at the
    // program's state at that moment. Its result, when set, is the answer.
    void setMessageBoxHandler(std::function<std::optional<MsgResult>(const MessageBoxCall &)> handler)
    {
        m_handler = std::move(handler);
    }
    // nullopt answers as a cancelled prompt, as does an empty queue.
    void queueTextInput(std::optional<QString> answer) { m_textAnswers.enqueue(std::move(answer)); }
    // The user closes notice i (in order of showing); its handle goes.
    void closeNotice(int i);
    void closeNotices();
    // Notices not closed yet.
    int openNoticeCount() const;
    // An empty name answers as a cancelled dialog.
    void queueFileName(const QString &path) { m_fileNames.enqueue(path); }
    // nullopt answers as a cancelled dialog, as does an empty queue.
    void queueFont(std::optional<QFont> font) { m_fonts.enqueue(std::move(font)); }
    // nullopt answers as a cancelled dialog, as does an empty queue.
    void queueColor(std::optional<QColor> colour) { m_colors.enqueue(std::move(colour)); }

    const QList<MessageBoxCall> &messageBoxes() const { return m_messageBoxes; }
    const QList<NoticeCall> &notices() const { return m_notices; }
    const QList<TextInputCall> &textInputs() const { return m_textInputs; }
    const QList<FileCall> &fileDialogs() const { return m_fileDialogs; }
    const QList<FontCall> &fontDialogs() const { return m_fontDialogs; }
    const QList<ColorCall> &colorDialogs() const { return m_colorDialogs; }
    // Texts of the boxes (notices) shown so far, for compact assertions.
    QStringList messageTexts() const;
    QStringList noticeTexts() const;
    void clear();

    // What closing a box without a button answers.
    static MsgResult closeAnswer(MsgButtons buttons);
    static bool offers(MsgButtons buttons, MsgResult answer);

private:
    QQueue<MsgResult> m_answers;
    QQueue<bool> m_checks;
    std::optional<MsgResult> m_defaultAnswer;
    std::function<std::optional<MsgResult>(const MessageBoxCall &)> m_handler;
    QQueue<std::optional<QString>> m_textAnswers;
    QQueue<QString> m_fileNames;
    QQueue<std::optional<QFont>> m_fonts;
    QQueue<std::optional<QColor>> m_colors;
    QList<MessageBoxCall> m_messageBoxes;
    QList<NoticeCall> m_notices;
    QList<TextInputCall> m_textInputs;
    QObject m_noticeHandles; // parent of the handles of open notices
    QList<FileCall> m_fileDialogs;
    QList<FontCall> m_fontDialogs;
    QList<ColorCall> m_colorDialogs;
};

} // namespace platform::testing
