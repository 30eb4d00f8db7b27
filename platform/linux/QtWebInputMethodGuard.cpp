#include "platform/linux/QtWebInputMethodGuard.h"

#include <QApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QUuid>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QWidget>

namespace platform {

namespace {

// How long after a reset a commit of the forgotten syllable still counts as the
// input method's copy of it. ibus sends its copy within a D-Bus round trip.
constexpr qint64 kStrayCommitMs = 1000;

bool insidePage(const QObject *object)
{
    for (const QObject *o = object; o; o = o->parent()) {
        if (qobject_cast<const QWebEngineView *>(o))
            return true;
        if (o->isWidgetType() && static_cast<const QWidget *>(o)->isWindow())
            return false;
    }
    return false;
}

// A composition that a focus move ends ends inside that move: compositionend,
// then focusout of the same field, in one task. An ordinary commit by the
// input method ends it in a task of its own.
constexpr char kWatcherScript[] = R"((() => {
  let ended = null;
  addEventListener('compositionend', (event) => {
    const field = event.target;
    ended = field;
    setTimeout(() => { if (ended === field) ended = null; }, 0);
  }, true);
  addEventListener('focusout', (event) => {
    if (ended !== null && event.target === ended) {
      ended = null;
      console.debug(%1);
    }
  }, true);
})();)";

} // namespace

QtWebInputMethodGuard::QtWebInputMethodGuard(QObject *parent)
    : QObject(parent)
    , m_focusMovedMessage(QStringLiteral("ime-focus-moved-") + QUuid::createUuid().toString(QUuid::Id128))
{
    if (QCoreApplication *app = QCoreApplication::instance()) {
        app->installEventFilter(this);
        // A focus move to another widget or window is the input method's own
        // business: it commits the syllable where it was composed.
        if (qobject_cast<QGuiApplication *>(app)) {
            connect(qGuiApp, &QGuiApplication::focusObjectChanged, this, [this](QObject *now) {
                if (now != m_target) {
                    m_composing.clear();
                    m_maybeHeld.clear();
                    m_stray.clear();
                }
            });
        }
    }
}

QtWebInputMethodGuard::~QtWebInputMethodGuard()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

QWebEngineScript QtWebInputMethodGuard::watcherScript() const
{
    QWebEngineScript script;
    script.setName(QStringLiteral("input-method-watcher"));
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QString::fromLatin1(kWatcherScript).arg(QLatin1Char('\'') + m_focusMovedMessage + QLatin1Char('\'')));
    return script;
}

void QtWebInputMethodGuard::pageMovedFocus(const QWidget *view)
{
    const QWidget *focus = QApplication::focusWidget();
    if (m_composing.isEmpty() || !view || !focus || !(view == focus || view->isAncestorOf(focus))
        || m_target != QGuiApplication::focusObject())
        return;
    forgetSyllable(false);
}

bool QtWebInputMethodGuard::pageHasFocus() const
{
    return insidePage(QApplication::focusWidget());
}

bool QtWebInputMethodGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::InputMethod:
        return inputMethodEvent(watched, static_cast<QInputMethodEvent *>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // The press reaches the page's widget first, then the engine's own
        // items (not widgets); act once, before the engine moves the focus.
        if ((!m_composing.isEmpty() || !m_maybeHeld.isEmpty()) && watched->isWidgetType()
            && insidePage(watched))
            pagePressed();
        break;
    case QEvent::InputMethodQuery:
        // The engine asks the input method to query the page after every
        // change of the page's text input state; look at it once things settle.
        if (!m_composing.isEmpty() && watched == m_target && !m_checkQueued && !m_querying) {
            m_checkQueued = true;
            QMetaObject::invokeMethod(this, &QtWebInputMethodGuard::checkPageStillEditable, Qt::QueuedConnection);
        }
        break;
    default:
        break;
    }
    return false;
}

bool QtWebInputMethodGuard::inputMethodEvent(QObject *receiver, QInputMethodEvent *event)
{
    if (receiver != QGuiApplication::focusObject() || !pageHasFocus())
        return false;

    if (!m_stray.isEmpty()) {
        const bool pureCommit = event->preeditString().isEmpty() && event->replacementLength() == 0;
        if (m_strayClock.elapsed() > kStrayCommitMs) {
            m_stray.clear();
        } else if (pureCommit && event->commitString() == m_stray) {
            m_stray.clear();
            return true; // the page already holds this syllable
        } else if (!pureCommit || !event->commitString().isEmpty()) {
            m_stray.clear(); // something new is being typed
        }
    }

    const bool empty = event->preeditString().isEmpty() && event->commitString().isEmpty()
                       && event->replacementLength() == 0;
    if (empty && !m_composing.isEmpty())
        m_maybeHeld = m_composing;
    else if (!empty)
        m_maybeHeld.clear();
    m_target = receiver;
    m_composing = event->preeditString();
    return false;
}

void QtWebInputMethodGuard::pagePressed()
{
    if (m_target != QGuiApplication::focusObject()) {
        m_composing.clear();
        m_maybeHeld.clear();
        return;
    }
    if (!m_composing.isEmpty()) {
        forgetSyllable(true);
        return;
    }
    // The syllable vanished from the page without a commit: erased, or taken
    // back by the input method, which may still hold it (ibus does so at
    // times). The field keeps what it shows; the input method forgets.
    m_composing = m_maybeHeld;
    forgetSyllable(false);
}

void QtWebInputMethodGuard::checkPageStillEditable()
{
    m_checkQueued = false;
    if (m_composing.isEmpty() || !m_target || m_target != QGuiApplication::focusObject())
        return;
    QInputMethodQueryEvent query(Qt::ImEnabled);
    m_querying = true;
    QCoreApplication::sendEvent(m_target, &query);
    m_querying = false;
    // No editable text has the focus any more (the field was blurred or
    // removed by the page): the page has ended the composition itself.
    if (!query.value(Qt::ImEnabled).toBool())
        forgetSyllable(false);
}

void QtWebInputMethodGuard::forgetSyllable(bool commitToPage)
{
    const QString syllable = m_composing;
    const QPointer<QObject> target = m_target;
    m_composing.clear();
    m_maybeHeld.clear();
    m_stray.clear();
    if (commitToPage && target) {
        QInputMethodEvent commit;
        commit.setCommitString(syllable);
        QCoreApplication::sendEvent(target, &commit);
    }
    m_stray = syllable;
    m_strayClock.start();
    if (QInputMethod *im = QGuiApplication::inputMethod())
        im->reset();
}

} // namespace platform
