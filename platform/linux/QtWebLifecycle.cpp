// The page's lifecycle on the engine: freezing and discarding a hidden page,
// and the two questions asked before it (sound, edited form fields).

#include "QtWebBrowser.h"

#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace platform {

namespace {

QWebEnginePage::LifecycleState engineState(PageLifecycle state)
{
    switch (state) {
    case PageLifecycle::Frozen:
        return QWebEnginePage::LifecycleState::Frozen;
    case PageLifecycle::Discarded:
        return QWebEnginePage::LifecycleState::Discarded;
    case PageLifecycle::Active:
        break;
    }
    return QWebEnginePage::LifecycleState::Active;
}

PageLifecycle ourState(QWebEnginePage::LifecycleState state)
{
    switch (state) {
    case QWebEnginePage::LifecycleState::Frozen:
        return PageLifecycle::Frozen;
    case QWebEnginePage::LifecycleState::Discarded:
        return PageLifecycle::Discarded;
    case QWebEnginePage::LifecycleState::Active:
        break;
    }
    return PageLifecycle::Active;
}

// True when a field of the document, or of a frame of the same origin, no
// longer holds what the markup gave it. Hidden fields are the page's own
// business; a page script that fills a field counts as an edit, which only
// keeps the page longer.
constexpr char kFormEditedScript[] = R"JS((function () {
  function edited(doc) {
    var fields = doc.querySelectorAll('input, textarea, select');
    for (var i = 0; i < fields.length; ++i) {
      var f = fields[i];
      var tag = f.tagName.toLowerCase();
      if (tag === 'select') {
        var opts = f.options, first = -1;
        for (var j = 0; j < opts.length; ++j) {
          if (f.multiple) {
            if (opts[j].selected !== opts[j].defaultSelected) return true;
          } else if (opts[j].defaultSelected) {
            first = j;
          }
        }
        if (!f.multiple && opts.length > 0 && f.selectedIndex !== (first < 0 ? 0 : first)) return true;
        continue;
      }
      var type = (f.type || '').toLowerCase();
      if (type === 'hidden' || type === 'submit' || type === 'button' || type === 'reset' || type === 'image')
        continue;
      if (type === 'checkbox' || type === 'radio') {
        if (f.checked !== f.defaultChecked) return true;
      } else if (type === 'file') {
        if (f.files && f.files.length > 0) return true;
      } else if (f.value !== f.defaultValue) {
        return true;
      }
    }
    var frames = doc.querySelectorAll('iframe, frame');
    for (var k = 0; k < frames.length; ++k) {
      try {
        var inner = frames[k].contentDocument;
        if (inner && edited(inner)) return true;
      } catch (e) {}
    }
    return false;
  }
  return edited(document);
})())JS";

} // namespace

PageLifecycle QtWebBrowser::lifecycleState() const
{
    const QWebEnginePage *p = page();
    return p ? ourState(p->lifecycleState()) : PageLifecycle::Active;
}

void QtWebBrowser::setLifecycleState(PageLifecycle state)
{
    QWebEnginePage *p = page();
    if (!p || p->lifecycleState() == engineState(state))
        return;
    // The engine refuses to freeze or discard a page on show (and says so
    // on the console); ask only when it would take it.
    if (state != PageLifecycle::Active && p->isVisible())
        return;
    p->setLifecycleState(engineState(state));
}

PageLifecycle QtWebBrowser::recommendedState() const
{
    const QWebEnginePage *p = page();
    return p ? ourState(p->recommendedState()) : PageLifecycle::Active;
}

bool QtWebBrowser::recentlyAudible() const
{
    const QWebEnginePage *p = page();
    return p && p->recentlyAudible();
}

void QtWebBrowser::askFormEdited(QObject *context, std::function<void(bool)> answer)
{
    QPointer<QObject> guard(context);
    QWebEnginePage *p = page();
    // A frozen page runs no script, so the question would wait for the page
    // to wake; a discarded one has no document to ask.
    if (!p || p->lifecycleState() != QWebEnginePage::LifecycleState::Active) {
        QMetaObject::invokeMethod(
            context, [guard, answer] { if (guard) answer(true); }, Qt::QueuedConnection);
        return;
    }
    // The application's own world: the page's scripts can neither see the
    // question nor change the answer's functions.
    p->runJavaScript(QString::fromLatin1(kFormEditedScript), QWebEngineScript::ApplicationWorld,
                          [guard, answer](const QVariant &value) {
                              if (!guard)
                                  return;
                              answer(value.typeId() != QMetaType::Bool || value.toBool());
                          });
}

} // namespace platform
