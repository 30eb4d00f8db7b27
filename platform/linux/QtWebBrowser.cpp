#include "QtWebBrowser.h"

#include <QDir>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace platform {

namespace {

// Chromium's net::ERR_ABORTED: a load cancelled by the user or by a newer
// navigation, never a failure the user should see.
constexpr int kErrAborted = -3;

bool isAboutAddress(const QString &address)
{
    return address.startsWith(QLatin1String("about:"), Qt::CaseInsensitive);
}

// The engine URL QWebEnginePage::setHtml loads for html, as it reports it back.
QString dataUrlKeyOf(const QString &html)
{
    const QByteArray encoded = "data:text/html;charset=UTF-8," + html.toUtf8().toPercentEncoding();
    return QUrl(QString::fromLatin1(encoded)).toString(QUrl::FullyEncoded);
}

} // namespace

// Hands the engine's questions to its control. The page may outlive the control
// by a turn of the event loop (it is deleted later, see ~QtWebBrowser), hence
// the guarded owner.
class QtWebPage : public QWebEnginePage
{
public:
    QtWebPage(QWebEngineProfile *profile, QtWebBrowser *owner)
        : QWebEnginePage(profile, owner)
        , m_owner(owner)
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        if (m_owner)
            m_owner->navigationRequested(url, type, isMainFrame);
        return true; // the browser never cancels a navigation
    }

    QWebEnginePage *createWindow(WebWindowType) override
    {
        return m_owner ? m_owner->newWindowRequested() : nullptr;
    }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int lineNumber, const QString &sourceId) override
    {
        if (m_owner)
            m_owner->consoleMessage(level, message, lineNumber, sourceId);
    }

private:
    QPointer<QtWebBrowser> m_owner;
};

QtWebBrowser::QtWebBrowser(QWebEngineProfile *profile, QWidget *parent)
    : WebBrowser(parent)
    , m_view(new QWebEngineView(parent))
    , m_page(new QtWebPage(profile, this))
{
    m_view->setPage(m_page);

    QWebEnginePage *page = m_page;
    connect(page, &QWebEnginePage::loadingChanged, this, &QtWebBrowser::loadingChanged);
    connect(page, &QWebEnginePage::loadProgress, this, [this](int progress) {
        Q_EMIT ProgressChange(progress, 100);
    });
    connect(page, &QWebEnginePage::urlChanged, this, &QtWebBrowser::emitCommandStates);
    connect(page, &QWebEnginePage::titleChanged, this, [this] { Q_EMIT TitleChange(LocationName()); });
    connect(page, &QWebEnginePage::linkHovered, this, [this](const QString &url) {
        Q_EMIT StatusTextChange(url);
    });
    connect(page, &QWebEnginePage::windowCloseRequested, this, [this] { Q_EMIT WindowClosing(); });
    // Pages may not take over the screen; moves and resizes
    // (geometryChangeRequested) are left unanswered.
    connect(page, &QWebEnginePage::fullScreenRequested, this,
            [](QWebEngineFullScreenRequest request) { request.reject(); });
}

QtWebBrowser::~QtWebBrowser()
{
    // The control is often destroyed from one of its own events (WindowClosing
    // closes the tab), that is inside a signal of the page: deleting the page
    // right here would pull it from under the engine. The view goes out of
    // sight now and both go at the next turn of the event loop; the factory
    // deletes whatever is still left before the profile.
    if (m_view) {
        m_view->hide();
        m_view->deleteLater();
    }
    if (m_page) {
        m_page->disconnect(this);
        m_page->triggerAction(QWebEnginePage::Stop);
        m_page->setParent(nullptr);
        m_page->deleteLater();
    }
}

QWidget *QtWebBrowser::widget()
{
    return m_view;
}

QWebEnginePage *QtWebBrowser::page() const
{
    return m_page;
}

QUrl QtWebBrowser::urlFromAddress(const QString &address, const QString &workingDirectory)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return QUrl(QStringLiteral("about:blank"));
    if (QDir::isAbsolutePath(text))
        return QUrl::fromLocalFile(QDir::cleanPath(text));
    return QUrl::fromUserInput(text, workingDirectory);
}

void QtWebBrowser::Navigate(const QString &address)
{
    navigateTo(address);
}

void QtWebBrowser::Navigate2(const QString &address)
{
    navigateTo(address);
}

void QtWebBrowser::navigateTo(const QString &address)
{
    if (!m_page)
        return;
    if (isAboutAddress(address)) {
        const QString text = address.mid(6);
        // about:blank is the engine's own empty page, not the word "blank".
        if (text.compare(QLatin1String("blank"), Qt::CaseInsensitive) == 0) {
            m_page->load(QUrl(QStringLiteral("about:blank")));
            return;
        }
        m_aboutAddresses.insert(dataUrlKeyOf(text), address);
        m_page->setHtml(text);
        return;
    }
    m_page->load(urlFromAddress(address, QDir::currentPath()));
}

void QtWebBrowser::GoBack()
{
    if (m_page)
        m_page->triggerAction(QWebEnginePage::Back);
}

void QtWebBrowser::GoForward()
{
    if (m_page)
        m_page->triggerAction(QWebEnginePage::Forward);
}

void QtWebBrowser::Refresh()
{
    if (m_page)
        m_page->triggerAction(QWebEnginePage::Reload);
}

void QtWebBrowser::Stop()
{
    if (m_page)
        m_page->triggerAction(QWebEnginePage::Stop);
}

QString QtWebBrowser::addressOf(const QUrl &url) const
{
    if (url.isEmpty())
        return QString();
    if (url.scheme() == QLatin1String("data")) {
        const auto it = m_aboutAddresses.constFind(url.toString(QUrl::FullyEncoded));
        if (it != m_aboutAddresses.constEnd())
            return it.value();
    }
    return url.toString();
}

QString QtWebBrowser::LocationURL() const
{
    return m_page ? addressOf(m_page->url()) : QString();
}

QString QtWebBrowser::DocumentTitle() const
{
    // QWebEnginePage::title() falls back to a form of the address when the
    // document has no title (for a file, just its name, which a real title may
    // equal too). The history entry keeps the document's own title, empty when
    // there is none.
    if (!m_page)
        return QString();
    return m_page->history()->currentItem().title();
}

QString QtWebBrowser::LocationName() const
{
    const QString title = DocumentTitle();
    return title.isEmpty() ? LocationURL() : title;
}

bool QtWebBrowser::Busy() const
{
    return m_loading;
}

void QtWebBrowser::ToggleDesignMode()
{
    if (!m_page)
        return;
    m_page->runJavaScript(QStringLiteral(
        "document.designMode = (String(document.designMode).toLowerCase() === 'on') ? 'off' : 'on';"));
}

void QtWebBrowser::readDesignMode(QObject *context, std::function<void(const QString &)> done) const
{
    if (!m_page) {
        QMetaObject::invokeMethod(context, [done] { done(QString()); }, Qt::QueuedConnection);
        return;
    }
    QPointer<QObject> guard(context);
    m_page->runJavaScript(QStringLiteral("String(document.designMode)"),
                          [guard, done](const QVariant &value) {
                              if (guard)
                                  done(value.toString());
                          });
}

void QtWebBrowser::navigationRequested(const QUrl &url, QWebEnginePage::NavigationType type, bool isMainFrame)
{
    // A redirect continues the navigation already announced.
    if (!isMainFrame || type == QWebEnginePage::NavigationTypeRedirect)
        return;
    m_announced = true;
    m_announcedUrl = url;
    Q_EMIT BeforeNavigate2(addressOf(url));
}

void QtWebBrowser::loadingChanged(const QWebEngineLoadingInfo &info)
{
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        beginLoad(info.url());
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        endLoad(info.url(), LoadEnd::Succeeded, 0);
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        endLoad(info.url(), LoadEnd::Stopped, 0);
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        endLoad(info.url(), info.errorCode() == kErrAborted ? LoadEnd::Stopped : LoadEnd::Failed,
                info.errorCode());
        break;
    }
}

void QtWebBrowser::beginLoad(const QUrl &url)
{
    // Loads that did not ask acceptNavigationRequest first (about:blank, some
    // history steps) are announced here, so every navigation starts with
    // exactly one BeforeNavigate2.
    if (!(m_announced && m_announcedUrl == url))
        Q_EMIT BeforeNavigate2(addressOf(url));
    m_announced = false;
    m_loading = true;
    Q_EMIT DownloadBegin();
}

void QtWebBrowser::endLoad(const QUrl &url, LoadEnd end, int errorCode)
{
    if (!m_loading)
        beginLoad(url); // an end without a start (setHtml of an oversized page)
    // A navigation that replaced the running load ends with it. One that
    // merely stopped it keeps its announcement for its own load start.
    if (m_announced && m_announcedUrl == url)
        m_announced = false;
    m_loading = false;
    const QString address = addressOf(url);

    Q_EMIT ProgressChange(-1, 100);
    emitCommandStates();
    Q_EMIT DownloadComplete();
    switch (end) {
    case LoadEnd::Succeeded:
        Q_EMIT NavigateComplete2(address);
        Q_EMIT DocumentComplete(address);
        break;
    case LoadEnd::Failed:
        Q_EMIT NavigateError(address, errorCode);
        break;
    case LoadEnd::Stopped:
        break;
    }
}

void QtWebBrowser::emitCommandStates()
{
    if (!m_page)
        return;
    QWebEngineHistory *history = m_page->history();
    Q_EMIT CommandStateChange(CSC_NAVIGATEBACK, history->canGoBack());
    Q_EMIT CommandStateChange(CSC_NAVIGATEFORWARD, history->canGoForward());
}

QWebEnginePage *QtWebBrowser::newWindowRequested()
{
    NewWindowRequest request;
    QPointer<QtWebBrowser> self(this);
    Q_EMIT NewWindow2(request);
    if (!self || request.Cancel || !request.ppDisp)
        return nullptr;
    auto *target = qobject_cast<QtWebBrowser *>(request.ppDisp);
    if (!target || !target->m_page)
        return nullptr;
    if (target != this)
        target->adoptNewWindow();
    return target->m_page;
}

void QtWebBrowser::adoptNewWindow()
{
    // The engine swaps the page's contents for the new window's; the old
    // contents' load (usually the first navigation of a fresh tab) never
    // reports its end.
    m_loading = false;
    m_announced = false;
}

void QtWebBrowser::consoleMessage(QWebEnginePage::JavaScriptConsoleMessageLevel level,
                                  const QString &message, int line, const QString &source)
{
    // Only script errors nobody caught: failed resource loads and console.error
    // calls of the page are not script errors.
    if (m_silent || level != QWebEnginePage::ErrorMessageLevel
        || !message.startsWith(QLatin1String("Uncaught")))
        return;
    Q_EMIT ScriptErrorReported(message, line, source);
}

} // namespace platform
