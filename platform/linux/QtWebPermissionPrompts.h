#pragma once

#include "platform/SitePermissions.h"
#include "platform/linux/QtWebPermissionBar.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>

#include <optional>

namespace platform {

class Dialogs;

// The feature a request of the engine stands for; nullopt for none we ask about.
std::optional<SiteFeature> siteFeatureOf(QWebEnginePage::Feature feature);
// The origin's key in the store: "scheme://host[:port]".
QString originKey(const QUrl &origin);
// How the question names the site: its host, "이 컴퓨터" for local files.
QString siteName(const QUrl &origin);

// One page's permission requests: a decision remembered for the site answers
// at once; otherwise the bar asks, one question at a time. Further requests
// wait in a short queue (the same question once); beyond it they are refused,
// so a page cannot bury the user under questions. "이번만 허용" grants without
// remembering, and the engine forgets that grant when the page loads another
// document.
class QtWebPermissionPrompts : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxWaiting = 8;

    // store may be null: nothing is remembered. dialogs tells when a decision
    // could not be saved.
    QtWebPermissionPrompts(QWebEnginePage *page, QWidget *view, SitePermissions *store, Dialogs &dialogs);

    void setStore(SitePermissions *store) { m_store = store; }
    QtWebPermissionBar *bar() const { return m_bar; }
    // Questions on show or waiting.
    int pending() const { return int(m_queue.size()); }

    // The page loads another document: questions of the old one go, and so
    // do its one-time grants.
    void documentChanged();
    // Forgets every decision of origin, in the store and in the engine.
    void clearSite(const QUrl &origin);

private:
    struct Request
    {
        QUrl origin;
        QWebEnginePage::Feature feature;
    };
    void requested(const QUrl &origin, QWebEnginePage::Feature feature);
    void canceled(const QUrl &origin, QWebEnginePage::Feature feature);
    void answered(QtWebPermissionBar::Answer answer);
    void showNext();
    void reply(const Request &request, bool grant);

    QPointer<QWebEnginePage> m_page;
    QtWebPermissionBar *m_bar;
    SitePermissions *m_store;
    Dialogs &m_dialogs;
    QList<Request> m_queue; // the first is on show
    QList<Request> m_onceGranted;
    bool m_saveFailureShown = false;
};

} // namespace platform
