#include "QtWebBrowser.h"
#include "QtWebInputMethodGuard.h"

#include "platform/Dialogs.h"
#include "platform/WebAddress.h"
#include "platform/FloodGate.h"
#include "platform/PageTitle.h"
#include "platform/SitePermissions.h"
#include "platform/linux/QtWebGeneratedPages.h"
#include "platform/linux/QtWebPermissionPrompts.h"
#include "platform/linux/QtWebRequestFilter.h"
#include "platform/linux/QtWebSpellCheck.h"
#include "platform/linux/QtWebStatusPages.h"

#include <QAction>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QWebEngineFindTextResult>
#include <QDataStream>
#include <QWebEngineCertificateError>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
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

    // The history steps, from the context menu too, leave failed entries out.
    void triggerAction(WebAction action, bool checked = false) override
    {
        if (m_owner && action == Back)
            m_owner->GoBack();
        else if (m_owner && action == Forward)
            m_owner->GoForward();
        else
            QWebEnginePage::triggerAction(action, checked);
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        // The browser cancels no navigation; the control refuses only what
        // would let a local page read another file (see mayNavigate).
        if (!m_owner)
            return true;
        if (url.toString().startsWith(QLatin1String(kPageActionPrefix))) {
            m_owner->pageActionRequested(url);
            return false;
        }
        if (const StatusAction action = statusActionOf(url); action != StatusAction::None) {
            m_owner->statusActionRequested(action);
            return false;
        }
        if (!m_owner->mayNavigate(url, type, isMainFrame))
            return false;
        m_owner->navigationRequested(url, type, isMainFrame);
        return true;
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

    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override
    {
        if (m_owner)
            m_owner->scriptAlert(securityOrigin, msg);
    }

    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override
    {
        return m_owner && m_owner->scriptConfirm(securityOrigin, msg);
    }

    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                          QString *result) override
    {
        return m_owner && m_owner->scriptPrompt(securityOrigin, msg, defaultValue, result);
    }

private:
    QPointer<QtWebBrowser> m_owner;
};

QString QtWebBrowser::actionCaption(QWebEnginePage::WebAction action)
{
    using P = QWebEnginePage;
    switch (action) {
    case P::Back: return QStringLiteral("뒤로");
    case P::Forward: return QStringLiteral("앞으로");
    case P::Stop: return QStringLiteral("중지");
    case P::Reload: return QStringLiteral("새로 고침");
    case P::ReloadAndBypassCache: return QStringLiteral("캐시를 무시하고 새로 고침");
    case P::Cut: return QStringLiteral("잘라내기");
    case P::Copy: return QStringLiteral("복사");
    case P::Paste: return QStringLiteral("붙여넣기");
    case P::PasteAndMatchStyle: return QStringLiteral("서식 없이 붙여넣기");
    case P::Undo: return QStringLiteral("실행 취소");
    case P::Redo: return QStringLiteral("다시 실행");
    case P::SelectAll: return QStringLiteral("모두 선택");
    case P::Unselect: return QStringLiteral("선택 해제");
    case P::OpenLinkInThisWindow: return QStringLiteral("링크 열기");
    case P::OpenLinkInNewWindow: return QStringLiteral("새 창에서 링크 열기");
    case P::OpenLinkInNewTab: return QStringLiteral("새 탭에서 링크 열기");
    case P::OpenLinkInNewBackgroundTab: return QStringLiteral("뒤쪽 탭에서 링크 열기");
    case P::CopyLinkToClipboard: return QStringLiteral("링크 주소 복사");
    case P::DownloadLinkToDisk: return QStringLiteral("링크 내려받기");
    case P::CopyImageToClipboard: return QStringLiteral("그림 복사");
    case P::CopyImageUrlToClipboard: return QStringLiteral("그림 주소 복사");
    case P::DownloadImageToDisk: return QStringLiteral("그림 내려받기");
    case P::CopyMediaUrlToClipboard: return QStringLiteral("미디어 주소 복사");
    case P::ToggleMediaControls: return QStringLiteral("재생 도구 보이기");
    case P::ToggleMediaLoop: return QStringLiteral("반복 재생");
    case P::ToggleMediaPlayPause: return QStringLiteral("재생/일시 정지");
    case P::ToggleMediaMute: return QStringLiteral("소리 끄기/켜기");
    case P::DownloadMediaToDisk: return QStringLiteral("미디어 내려받기");
    case P::InspectElement: return QStringLiteral("요소 검사");
    case P::ExitFullScreen: return QStringLiteral("전체 화면 끝내기");
    case P::RequestClose: return QStringLiteral("페이지 닫기");
    case P::SavePage: return QStringLiteral("페이지 저장");
    case P::ViewSource: return QStringLiteral("페이지 소스 보기");
    case P::ToggleBold: return QStringLiteral("굵게");
    case P::ToggleItalic: return QStringLiteral("기울임꼴");
    case P::ToggleUnderline: return QStringLiteral("밑줄");
    case P::ToggleStrikethrough: return QStringLiteral("취소선");
    case P::AlignLeft: return QStringLiteral("왼쪽 맞춤");
    case P::AlignCenter: return QStringLiteral("가운데 맞춤");
    case P::AlignRight: return QStringLiteral("오른쪽 맞춤");
    case P::AlignJustified: return QStringLiteral("양쪽 맞춤");
    case P::Indent: return QStringLiteral("들여쓰기");
    case P::Outdent: return QStringLiteral("내어쓰기");
    case P::InsertOrderedList: return QStringLiteral("번호 매기기");
    case P::InsertUnorderedList: return QStringLiteral("글머리 기호");
    case P::NoWebAction:
    case P::WebActionCount:
        break;
    }
    return QString();
}

QString QtWebBrowser::scriptDialogTitle(const QUrl &origin)
{
    const QString host = origin.host(QUrl::FullyDecoded);
    return host.isEmpty() ? QStringLiteral("웹 페이지 메시지") : host + QStringLiteral(" 웹 페이지 메시지");
}

QtWebBrowser::QtWebBrowser(QWebEngineProfile *profile, Dialogs &dialogs, const GeneratedPages *pages,
                           QWidget *parent)
    : WebBrowser(parent)
    , m_view(new QWebEngineView(parent))
    , m_page(new QtWebPage(profile, this))
    , m_dialogs(dialogs)
    , m_generatedPages(pages)
{
    m_view->setPage(m_page);
    // The engine's menu, with a caption above the spelling suggestions.
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, &QtWebBrowser::showContextMenu);
    for (int action = 0; action < QWebEnginePage::WebActionCount; ++action) {
        const auto webAction = static_cast<QWebEnginePage::WebAction>(action);
        const QString caption = actionCaption(webAction);
        if (!caption.isEmpty())
            m_page->action(webAction)->setText(caption);
    }

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
    connect(page, &QWebEnginePage::certificateError, this, &QtWebBrowser::certificateError);
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                // The page's process is gone: whatever showed is lost. Its
                // place is taken a turn later, outside the engine's signal.
                if (status == QWebEnginePage::NormalTerminationStatus)
                    return;
                QMetaObject::invokeMethod(this, &QtWebBrowser::showCrashPage, Qt::QueuedConnection);
            });
    // A page takes the screen over only when the browser agrees, and the
    // engine asks only for a user's click or key (an element's
    // requestFullscreen from a timer fails inside the page). Moves and resizes
    // (geometryChangeRequested) are left unanswered.
    connect(page, &QWebEnginePage::fullScreenRequested, this, &QtWebBrowser::fullScreenRequested);
    connect(page, &QWebEnginePage::pdfPrintingFinished, this,
            [this](const QString &path, bool success) { Q_EMIT PdfPrintingFinished(path, success); });
    connect(page, &QWebEnginePage::printRequested, this, [this] { Q_EMIT PrintRequested(); });
    connect(m_view, &QWebEngineView::printFinished, this, [this](bool success) {
        m_printer.reset();
        Q_EMIT PrintingFinished(success, false);
    });
    m_permissions = new QtWebPermissionPrompts(page, m_view, nullptr, dialogs);
}

void QtWebBrowser::showContextMenu(const QPoint &at)
{
    if (!m_view)
        return;
    if (m_contextMenu)
        m_contextMenu->close();
    // The engine's menu with the spelling caption, the site's own items, then
    // the browser's page commands.
    m_contextMenu = spellcheck::contextMenu(m_view);
    addSiteActions(m_contextMenu);
    const QList<QAction *> own = pageMenuActions();
    if (!own.isEmpty()) {
        m_contextMenu->addSeparator();
        m_contextMenu->addActions(own);
    }
    m_contextMenu->popup(m_view->mapToGlobal(at));
}

void QtWebBrowser::fullScreenRequested(QWebEngineFullScreenRequest request)
{
    FullScreenRequest answer;
    answer.toggleOn = request.toggleOn();
    QPointer<QtWebBrowser> self(this);
    Q_EMIT FullScreenRequested(answer);
    if (self && answer.Accept)
        request.accept();
    else
        request.reject();
}

qreal QtWebBrowser::zoomFactor() const
{
    return m_page ? m_page->zoomFactor() : 1.0;
}

void QtWebBrowser::setZoomFactor(qreal factor)
{
    if (m_page)
        m_page->setZoomFactor(factor);
}

void QtWebBrowser::findText(const QString &text, bool backward, bool matchCase)
{
    if (!m_page)
        return;
    QWebEnginePage::FindFlags flags;
    if (backward)
        flags |= QWebEnginePage::FindBackward;
    if (matchCase)
        flags |= QWebEnginePage::FindCaseSensitively;
    // Each answer names its own text: a slow answer to an older search must
    // not pass for the newer one's.
    QPointer<QtWebBrowser> self(this);
    m_page->findText(text, flags, [self, text](const QWebEngineFindTextResult &result) {
        if (self && !text.isEmpty())
            Q_EMIT self->FindTextResult(text, result.activeMatch(), result.numberOfMatches());
    });
    // An empty text ends the search, which the engine does not answer.
    if (text.isEmpty())
        Q_EMIT FindTextResult(text, 0, 0);
}

void QtWebBrowser::printToPdf(const QString &path)
{
    if (!m_page) {
        Q_EMIT PdfPrintingFinished(path, false);
        return;
    }
    m_page->printToPdf(path);
}

void QtWebBrowser::print()
{
    // One print at a time: the engine keeps the printer until it is done.
    if (!m_view || m_printer) {
        Q_EMIT PrintingFinished(false, false);
        return;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(LocationName());
    QPrintDialog dialog(printer.get(), m_view->window());
    dialog.setWindowTitle(QStringLiteral("인쇄"));
    QPointer<QtWebBrowser> self(this);
    if (dialog.exec() != QDialog::Accepted || !self || !m_view) {
        if (self)
            Q_EMIT PrintingFinished(false, true);
        return;
    }
    m_printer = std::move(printer);
    m_view->print(m_printer.get());
}

void QtWebBrowser::exitFullScreen()
{
    if (m_page)
        m_page->triggerAction(QWebEnginePage::ExitFullScreen);
}

QtWebBrowser::~QtWebBrowser()
{
    if (m_contextMenu)
        m_contextMenu->close();
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
        // Stop only what runs: an order to a page that never loaded sets up
        // its engine side, which would then look for the view being deleted.
        if (m_loading)
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
    return platform::urlFromAddress(address, workingDirectory);
}

void QtWebBrowser::Navigate(const QString &address)
{
    navigateTo(address);
}

void QtWebBrowser::Navigate2(const QString &address)
{
    navigateTo(address);
}

void QtWebBrowser::showPending(const QString &url, const QString &title)
{
    if (!m_page)
        return;
    // Whatever the tab began to load is not needed. A page that was never
    // told to load is left alone: any order to it would set up its engine
    // side (a renderer and all), which is what a waiting tab saves.
    if (m_loading)
        m_page->triggerAction(QWebEnginePage::Stop);
    m_pendingUrl = url;
    m_pendingTitle = title;
    Q_EMIT TitleChange(title.isEmpty() ? url : title);
}

void QtWebBrowser::navigateTo(const QString &address)
{
    m_pendingUrl.clear();
    m_pendingTitle.clear();
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
    const QUrl url = platform::urlFromAddress(address, QDir::currentPath());
    if (!url.isValid()) {
        failAddress(address);
        return;
    }
    m_page->load(engineUrlOf(url));
}

void QtWebBrowser::failAddress(const QString &address)
{
    // As a failed load would, a turn later, so that a handler may navigate
    // again from inside the events.
    QMetaObject::invokeMethod(
        this,
        [this, address] {
            QPointer<QtWebBrowser> self(this);
            Q_EMIT BeforeNavigate2(address);
            if (!self)
                return;
            m_loading = true;
            Q_EMIT DownloadBegin();
            if (!self)
                return;
            m_loading = false;
            Q_EMIT ProgressChange(-1, 100);
            if (!self)
                return;
            emitCommandStates();
            if (!self)
                return;
            Q_EMIT DownloadComplete();
            if (!self)
                return;
            Q_EMIT NavigateError(address, kErrInvalidUrl);
        },
        Qt::QueuedConnection);
}

void QtWebBrowser::GoBack()
{
    stepTo(-1);
}

void QtWebBrowser::GoForward()
{
    stepTo(+1);
}

void QtWebBrowser::stepTo(int direction)
{
    const int target = stepTarget(direction);
    if (!m_page || target < 0)
        return;
    QWebEngineHistory *history = m_page->history();
    history->goToItem(history->itemAt(target));
}

bool QtWebBrowser::CanGoBack() const
{
    return stepTarget(-1) >= 0;
}

bool QtWebBrowser::CanGoForward() const
{
    return stepTarget(+1) >= 0;
}

int QtWebBrowser::stepTarget(int direction) const
{
    if (!m_page)
        return -1;
    const QWebEngineHistory *history = m_page->history();
    const int count = history->count();
    for (int i = history->currentItemIndex() + direction; i >= 0 && i < count; i += direction) {
        if (!isFailedEntry(i))
            return i;
    }
    return -1;
}

bool QtWebBrowser::isFailedEntry(int index) const
{
    const auto it = m_failedEntries.constFind(index);
    return it != m_failedEntries.constEnd() && m_page && m_page->history()->itemAt(index).url() == it.value();
}

void QtWebBrowser::markCurrentEntry(const QUrl &url, bool failed)
{
    if (!m_page)
        return;
    QWebEngineHistory *history = m_page->history();
    // Entries past the end went with a new navigation.
    for (auto it = m_failedEntries.begin(); it != m_failedEntries.end();)
        it = it.key() >= history->count() ? m_failedEntries.erase(it) : std::next(it);
    const int index = history->currentItemIndex();
    // A failure that left no entry of its own (the page shown stays) marks nothing.
    if (history->currentItem().url() != url)
        return;
    if (failed)
        m_failedEntries.insert(index, url);
    else
        m_failedEntries.remove(index);
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

QUrl QtWebBrowser::engineUrlOf(const QUrl &url) const
{
    return m_generatedPages ? m_generatedPages->engineUrl(url) : url;
}

QString QtWebBrowser::addressOf(const QUrl &url) const
{
    if (url.isEmpty())
        return QString();
    if (url.scheme() == QLatin1String("data")) {
        const QString key = url.toString(QUrl::FullyEncoded);
        const auto it = m_aboutAddresses.constFind(key);
        if (it != m_aboutAddresses.constEnd())
            return it.value();
        const auto status = m_statusPages.constFind(key);
        if (status != m_statusPages.constEnd())
            return status->address;
    }
    if (m_generatedPages)
        return m_generatedPages->fileUrl(url).toString();
    return url.toString();
}

QString QtWebBrowser::LocationURL() const
{
    if (!m_pendingUrl.isEmpty())
        return m_pendingUrl;
    return m_page ? addressOf(m_page->url()) : QString();
}

QString QtWebBrowser::DocumentTitle() const
{
    // QWebEnginePage::title() falls back to a form of the address when the
    // document has no title (for a file, just its name, which a real title may
    // equal too). The history entry keeps the document's own title, empty when
    // there is none.
    if (!m_pendingUrl.isEmpty())
        return cutTitle(m_pendingTitle);
    if (!m_page)
        return QString();
    return cutTitle(m_page->history()->currentItem().title());
}

QString QtWebBrowser::LocationName() const
{
    const QString title = DocumentTitle();
    return title.isEmpty() ? cutTitle(LocationURL()) : title;
}

bool QtWebBrowser::Busy() const
{
    return m_loading;
}

QByteArray QtWebBrowser::saveHistory() const
{
    QByteArray bytes;
    if (!m_view)
        return bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << *m_view->page()->history();
    return out.status() == QDataStream::Ok ? bytes : QByteArray();
}

bool QtWebBrowser::restoreHistory(const QByteArray &state)
{
    if (!m_view || state.isEmpty())
        return false;
    m_pendingUrl.clear();
    m_pendingTitle.clear();
    QDataStream in(state);
    // The engine reads the stream into its navigation list and loads the
    // current entry, with the usual load events.
    in >> *m_view->page()->history();
    return in.status() == QDataStream::Ok;
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

bool QtWebBrowser::mayNavigate(const QUrl &url, QWebEnginePage::NavigationType type, bool isMainFrame) const
{
    // Local files are one origin to the engine: the page that opened this
    // window holds it, and could read any file shown in it. Script and links
    // keep such a window in the opener's folder; the user (typing, history
    // steps, reloads) takes it anywhere.
    if (m_openerFolder.isEmpty() || !isMainFrame || !url.isLocalFile())
        return true;
    switch (type) {
    case QWebEnginePage::NavigationTypeTyped:
    case QWebEnginePage::NavigationTypeBackForward:
    case QWebEnginePage::NavigationTypeReload:
        return true;
    default:
        return isInsideFolder(url.toLocalFile(), m_openerFolder);
    }
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
    if (m_permissions)
        m_permissions->documentChanged();
    m_dialogRun.reset();
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
    // A status page stands in for a page that failed: history steps pass it by.
    if (end != LoadEnd::Stopped)
        markCurrentEntry(url, end == LoadEnd::Failed || m_statusPages.contains(url.toString(QUrl::FullyEncoded)));
    if (end == LoadEnd::Succeeded)
        setUnsafe(m_statusPages.value(url.toString(QUrl::FullyEncoded)).certificate
                  || (url.scheme() == QLatin1String("https") && m_certificateExceptions
                      && m_certificateExceptions->hasHost(url)));

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
    Q_EMIT CommandStateChange(CSC_NAVIGATEBACK, CanGoBack());
    Q_EMIT CommandStateChange(CSC_NAVIGATEFORWARD, CanGoForward());
}

QWebEnginePage *QtWebBrowser::newWindowRequested()
{
    // A page opening windows in a loop gets a few tabs, and the user one word.
    if (!m_popupGate.admit(FloodGate::now())) {
        if (m_popupGate.justClosed())
            m_dialogs.notice(m_view,
                             QStringLiteral("이 페이지가 새 창을 너무 많이 열려고 하여 나머지를 막았습니다."),
                             QStringLiteral("새 창 차단"), MsgIcon::Exclamation);
        return nullptr;
    }
    NewWindowRequest request;
    QPointer<QtWebBrowser> self(this);
    Q_EMIT NewWindow2(request);
    if (!self || request.Cancel || !request.ppDisp)
        return nullptr;
    auto *target = qobject_cast<QtWebBrowser *>(request.ppDisp);
    if (!target || !target->m_page)
        return nullptr;
    if (target != this) {
        target->adoptNewWindow();
        const QUrl opener = m_page ? m_page->url() : QUrl();
        if (opener.isLocalFile())
            target->m_openerFolder = QFileInfo(opener.toLocalFile()).path();
    }
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

void QtWebBrowser::setCertificateExceptions(CertificateExceptions *exceptions)
{
    m_certificateExceptions = exceptions;
}

void QtWebBrowser::setSitePermissions(SitePermissions *store)
{
    m_sitePermissions = store;
    if (m_permissions)
        m_permissions->setStore(store);
}

QtWebPermissionBar *QtWebBrowser::permissionBar() const
{
    return m_permissions ? m_permissions->bar() : nullptr;
}

int QtWebBrowser::pendingPermissionRequests() const
{
    return m_permissions ? m_permissions->pending() : 0;
}

void QtWebBrowser::clearSitePermissions()
{
    if (m_page && m_permissions)
        m_permissions->clearSite(m_page->url());
}

void QtWebBrowser::addSiteActions(QMenu *menu)
{
    if (!m_page)
        return;
    menu->addSeparator();
    QAction *clear = menu->addAction(QStringLiteral("이 사이트의 권한 설정 지우기"));
    clear->setObjectName(QStringLiteral("ClearSitePermissions"));
    clear->setEnabled(m_sitePermissions && m_sitePermissions->hasDecisions(originKey(m_page->url())));
    connect(clear, &QAction::triggered, this, &QtWebBrowser::clearSitePermissions);
}

void QtWebBrowser::setUnsafe(bool unsafe)
{
    if (unsafe == m_unsafe)
        return;
    m_unsafe = unsafe;
    Q_EMIT SecurityStateChange(unsafe);
}

void QtWebBrowser::showStatusPage(const QString &html, StatusPage status)
{
    if (!m_page)
        return;
    m_statusPages.insert(dataUrlKeyOf(html), status);
    m_page->setHtml(html);
}

void QtWebBrowser::showCrashPage()
{
    if (!m_page)
        return;
    StatusPage status;
    const auto current = m_statusPages.constFind(m_page->url().toString(QUrl::FullyEncoded));
    if (current != m_statusPages.constEnd()) {
        status = current.value(); // the status page itself went down: keep what it stood for
        status.certificate = false;
    } else {
        status.url = m_page->url();
        status.address = addressOf(status.url);
    }
    showStatusPage(crashedPageHtml(status.address), status);
}

void QtWebBrowser::certificateError(const QWebEngineCertificateError &error)
{
    const QSslCertificate certificate = error.certificateChain().value(0);
    if (error.isOverridable() && m_certificateExceptions
        && m_certificateExceptions->isAllowed(error.url(), certificate)) {
        QWebEngineCertificateError(error).acceptCertificate();
        return;
    }
    // Only the tab's own document gets the page; a picture or a frame with a
    // bad certificate is simply not shown.
    const bool mainDocument = error.url().host().compare(m_announcedUrl.host(), Qt::CaseInsensitive) == 0
                              || error.url() == (m_page ? m_page->requestedUrl() : QUrl());
    QWebEngineCertificateError deferred(error);
    deferred.defer();
    QMetaObject::invokeMethod(
        this,
        [this, deferred, certificate, mainDocument]() mutable {
            deferred.rejectCertificate();
            if (!mainDocument)
                return;
            StatusPage status;
            status.url = deferred.url();
            status.address = addressOf(status.url);
            status.certificate = true;
            status.overridable = deferred.isOverridable();
            status.chain = certificate;
            const QString problem = certificateProblem(deferred.type(), deferred.certificateChain());
            const QString host = deferred.url().port() >= 0
                                     ? QStringLiteral("%1:%2").arg(deferred.url().host()).arg(deferred.url().port())
                                     : deferred.url().host();
            showStatusPage(certificatePageHtml(host, problem, status.overridable), status);
        },
        Qt::QueuedConnection);
}

void QtWebBrowser::statusActionRequested(StatusAction action)
{
    // Only a status page on show may ask; any other page naming these
    // addresses gets nothing.
    if (!m_page)
        return;
    const auto it = m_statusPages.constFind(m_page->url().toString(QUrl::FullyEncoded));
    if (it == m_statusPages.constEnd())
        return;
    const StatusPage status = it.value();
    QMetaObject::invokeMethod(
        this,
        [this, action, status] {
            if (!m_page)
                return;
            switch (action) {
            case StatusAction::Reload:
                m_page->load(status.url);
                break;
            case StatusAction::GoBack:
                if (stepTarget(-1) >= 0)
                    stepTo(-1);
                else
                    m_page->load(QUrl(QStringLiteral("about:blank")));
                break;
            case StatusAction::Proceed:
                if (!status.certificate || !status.overridable || !m_certificateExceptions)
                    return;
                m_certificateExceptions->allow(status.url, status.chain);
                m_page->load(status.url);
                break;
            case StatusAction::None:
                break;
            }
        },
        Qt::QueuedConnection);
}

void QtWebBrowser::pageActionRequested(const QUrl &url)
{
    // Only a page the program made asks: one of the generated pages, or an
    // "about:" text page the browser itself navigated to. A web page naming
    // these addresses gets nothing.
    if (!m_page)
        return;
    const QUrl current = m_page->url();
    const bool generated = m_generatedPages && !m_generatedPages->nameOf(current).isEmpty();
    if (!generated && !m_aboutAddresses.contains(current.toString(QUrl::FullyEncoded)))
        return;
    QMetaObject::invokeMethod(
        this, [this, address = url.toString()] { Q_EMIT GeneratedPageAction(address); }, Qt::QueuedConnection);
}

void QtWebBrowser::setInputMethodGuard(QtWebInputMethodGuard *guard)
{
    m_inputMethodGuard = guard;
}

void QtWebBrowser::consoleMessage(QWebEnginePage::JavaScriptConsoleMessageLevel level,
                                  const QString &message, int line, const QString &source)
{
    if (m_inputMethodGuard && message == m_inputMethodGuard->focusMovedMessage()) {
        m_inputMethodGuard->pageMovedFocus(m_view);
        return;
    }
    // Only script errors nobody caught: failed resource loads and console.error
    // calls of the page are not script errors.
    if (m_silent || level != QWebEnginePage::ErrorMessageLevel
        || !message.startsWith(QLatin1String("Uncaught")))
        return;
    Q_EMIT ScriptErrorReported(message, line, source);
}

MsgResult QtWebBrowser::scriptBox(const QUrl &origin, const QString &message, MsgButtons buttons, MsgIcon icon)
{
    if (m_dialogRun.blocked())
        return MsgResult::Cancel;
    QPointer<QtWebBrowser> self(this);
    MsgResult answer;
    bool block = false;
    if (m_dialogRun.opening(FloodGate::now()))
        answer = m_dialogs.checkedMessageBox(m_view, message, scriptDialogTitle(origin), buttons, icon,
                                             QString::fromUtf8(kBlockDialogsText), block);
    else
        answer = m_dialogs.messageBox(m_view, message, scriptDialogTitle(origin), buttons, icon);
    if (self)
        m_dialogRun.closed(FloodGate::now(), block);
    return answer;
}

void QtWebBrowser::scriptAlert(const QUrl &origin, const QString &message)
{
    scriptBox(origin, message, MsgButtons::OK, MsgIcon::Exclamation);
}

bool QtWebBrowser::scriptConfirm(const QUrl &origin, const QString &message)
{
    return scriptBox(origin, message, MsgButtons::OKCancel, MsgIcon::Question) == MsgResult::OK;
}

bool QtWebBrowser::scriptPrompt(const QUrl &origin, const QString &message, const QString &initial, QString *result)
{
    if (m_dialogRun.blocked())
        return false;
    QPointer<QtWebBrowser> self(this);
    std::optional<QString> answer;
    bool block = false;
    if (m_dialogRun.opening(FloodGate::now()))
        answer = m_dialogs.checkedTextInput(m_view, message, scriptDialogTitle(origin), initial,
                                            QString::fromUtf8(kBlockDialogsText), block);
    else
        answer = m_dialogs.textInput(m_view, message, scriptDialogTitle(origin), initial);
    if (self)
        m_dialogRun.closed(FloodGate::now(), block);
    if (!answer)
        return false;
    if (result)
        *result = *answer;
    return true;
}

} // namespace platform
