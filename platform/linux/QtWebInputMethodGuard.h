#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

class QInputMethodEvent;
class QWebEngineScript;
class QWidget;

namespace platform {

// Keeps the input method and a page in step when the page ends a composition
// on its own.
//
// While a syllable is composing in a page field (Hangul: 안녕 typed, 녕 still
// open), the engine keeps the keyboard focus when the focus moves inside the
// page. A click elsewhere in the page makes the page take the open syllable
// into its field itself, but nobody tells the input method, which still holds
// the syllable: fcitx5 commits it again at the next key (typing 나 in the next
// field gives "녕나"), ibus commits it at once when its engine is reset. A
// script that removes or blurs the composing field leaves the same state.
//
// The guard watches the application's events:
//  - it follows what the page is composing from the input-method events that
//    reach a page;
//  - at a mouse press on a page while a syllable composes, it commits that
//    syllable to the page itself (once, into the field that holds it) before
//    the press moves the focus; when the syllable has instead vanished from
//    the page without a commit (erased, or taken back by an input method that
//    still holds it, as ibus does at times), the field keeps what it shows;
//  - when the page's focus leaves editable text while a syllable composes, or
//    the page's script moves the focus from the composing field to another
//    one (told by a small watcher script that runs in every page in a world
//    of its own), the page has already ended the composition;
//  - in both cases it then resets the input method, so that it forgets the
//    syllable, and drops the one commit of that same syllable an input method
//    may still send for it (fcitx5 sends its copy during the reset, ibus after
//    it). A commit counts as that copy only when it is exactly the syllable,
//    arrives before anything new composes, and within a second.
// Focus moves to other widgets or windows, Enter and tab switches are left to
// the input method, which commits on them correctly.
class QtWebInputMethodGuard : public QObject
{
    Q_OBJECT
public:
    // Watches the application's events for as long as it lives.
    explicit QtWebInputMethodGuard(QObject *parent = nullptr);
    ~QtWebInputMethodGuard() override;

    // What the focused page is composing, as the guard has followed it.
    QString composing() const { return m_composing; }

    // The watcher script for every page: it logs focusMovedMessage() to the
    // console (from its own world, so that pages can neither see nor forge
    // the message) when the page moves the focus away from a field whose
    // composition the move ended.
    QWebEngineScript watcherScript() const;
    QString focusMovedMessage() const { return m_focusMovedMessage; }
    // The page shown in view logged focusMovedMessage().
    void pageMovedFocus(const QWidget *view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool inputMethodEvent(QObject *receiver, QInputMethodEvent *event);
    void pagePressed();
    void checkPageStillEditable();
    void forgetSyllable(bool commitToPage);
    bool pageHasFocus() const;

    const QString m_focusMovedMessage;
    QPointer<QObject> m_target; // the page's focus object that shows m_composing
    QString m_composing;
    // What the page last composed when an empty input-method event took it
    // away: an input method may still hold it.
    QString m_maybeHeld;
    QString m_stray; // the syllable an input method may still commit once
    QElapsedTimer m_strayClock;
    bool m_checkQueued = false;
    bool m_querying = false;
};

} // namespace platform
