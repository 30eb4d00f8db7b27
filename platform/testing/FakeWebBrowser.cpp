#include "FakeWebBrowser.h"

#include "platform/PageTitle.h"
#include <QDataStream>

#include "platform/WebAddress.h"

#include <QDir>
#include <QWidget>

namespace platform::testing {

FakeWebBrowser::FakeWebBrowser(QWidget *parent)
    : WebBrowser(parent)
    , m_widget(new QWidget(parent))
{
}

FakeWebBrowser::~FakeWebBrowser()
{
    delete m_widget.data();
}

QWidget *FakeWebBrowser::widget()
{
    return m_widget;
}

void FakeWebBrowser::record(const QString &entry, const QString &address)
{
    m_log << entry + QLatin1Char(':') + address;
    m_navigated << address;
    if (!m_autoComplete)
        return;
    if (isNavigableAddress(address, QDir::currentPath()))
        simulateNavigation(address);
    else
        simulateInvalidAddress(address);
}

void FakeWebBrowser::Navigate(const QString &address)
{
    record(QStringLiteral("Navigate"), address);
}

void FakeWebBrowser::Navigate2(const QString &address)
{
    record(QStringLiteral("Navigate2"), address);
}

void FakeWebBrowser::GoBack()
{
    m_log << QStringLiteral("GoBack");
}

void FakeWebBrowser::GoForward()
{
    m_log << QStringLiteral("GoForward");
}

void FakeWebBrowser::Refresh()
{
    m_log << QStringLiteral("Refresh");
}

void FakeWebBrowser::Stop()
{
    m_log << QStringLiteral("Stop");
}

void FakeWebBrowser::ToggleDesignMode()
{
    m_log << QStringLiteral("ToggleDesignMode");
    m_designMode = m_designMode == QLatin1String("on") ? QStringLiteral("off") : QStringLiteral("on");
}

QString FakeWebBrowser::DocumentTitle() const
{
    return cutTitle(m_title);
}

void FakeWebBrowser::setZoomFactor(qreal factor)
{
    m_zoom = factor;
    m_zoomCalls << factor;
}

void FakeWebBrowser::findText(const QString &text, bool backward, bool matchCase)
{
    m_finds << QStringLiteral("%1|%2|%3")
                   .arg(text, backward ? QStringLiteral("backward") : QStringLiteral("forward"),
                        matchCase ? QStringLiteral("case") : QStringLiteral("nocase"));
}

void FakeWebBrowser::printToPdf(const QString &path)
{
    m_pdfPrints << path;
}

void FakeWebBrowser::simulateFindResult(const QString &text, int activeMatch, int numberOfMatches)
{
    Q_EMIT FindTextResult(text, activeMatch, numberOfMatches);
}

FullScreenRequest FakeWebBrowser::requestFullScreen(bool toggleOn)
{
    FullScreenRequest request;
    request.toggleOn = toggleOn;
    Q_EMIT FullScreenRequested(request);
    return request;
}

FakeDownload::FakeDownload(const QString &path, const QUrl &url, const QString &site, QObject *parent)
    : Download(parent)
    , m_path(path)
    , m_url(url)
    , m_site(site)
{
}

void FakeDownload::cancel()
{
    ++m_cancelCalls;
    if (m_state == State::Running)
        simulateEnd(State::Cancelled);
}

void FakeDownload::simulateProgress(qint64 received, qint64 total)
{
    m_received = received;
    m_total = total;
    Q_EMIT progressChanged();
}

void FakeDownload::simulateEnd(State state, const QString &failure)
{
    m_state = state;
    m_failure = failure;
    Q_EMIT finished();
}

FakeDownload *FakeDownloads::simulateStart(const QString &path, const QUrl &url, const QString &site)
{
    auto *download = new FakeDownload(path, url, site, this);
    Q_EMIT started(download);
    return download;
}

QByteArray FakeWebBrowser::saveHistory() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << QByteArray("fake-history") << m_history << qint32(m_historyCurrent);
    return bytes;
}

bool FakeWebBrowser::restoreHistory(const QByteArray &state)
{
    QDataStream in(state);
    QByteArray magic;
    QStringList history;
    qint32 current = -1;
    in >> magic >> history >> current;
    if (in.status() != QDataStream::Ok || magic != "fake-history" || current < 0 || current >= history.size())
        return false;
    m_history = history;
    m_historyCurrent = current;
    m_locationUrl = history.at(current);
    m_title.clear();
    m_canGoBack = current > 0;
    m_canGoForward = current + 1 < history.size();
    m_log << QStringLiteral("RestoreHistory:") + m_locationUrl;
    emitCommandStates();
    if (m_autoComplete) {
        Q_EMIT TitleChange(LocationName());
        Q_EMIT NavigateComplete2(m_locationUrl);
        Q_EMIT DocumentComplete(m_locationUrl);
    }
    return true;
}

void FakeWebBrowser::setLifecycleState(PageLifecycle state)
{
    if (state == m_lifecycle)
        return;
    static constexpr const char *kNames[] = {"Active", "Frozen", "Discarded"};
    m_lifecycleCalls << QString::fromLatin1(kNames[int(state)]);
    if (m_lifecycle == PageLifecycle::Discarded && state == PageLifecycle::Active)
        m_log << QStringLiteral("Reload");
    m_lifecycle = state;
}

void FakeWebBrowser::askFormEdited(QObject *context, std::function<void(bool)> answer)
{
    ++m_formQuestions;
    const bool edited = m_lifecycle != PageLifecycle::Active || m_formEdited;
    QPointer<QObject> guard(context);
    QMetaObject::invokeMethod(
        context, [guard, answer, edited] { if (guard) answer(edited); }, Qt::QueuedConnection);
}

QString FakeWebBrowser::LocationName() const
{
    return cutTitle(m_title.isEmpty() ? m_locationUrl : m_title);
}

void FakeWebBrowser::emitCommandStates()
{
    Q_EMIT CommandStateChange(CSC_NAVIGATEBACK, m_canGoBack);
    Q_EMIT CommandStateChange(CSC_NAVIGATEFORWARD, m_canGoForward);
}

void FakeWebBrowser::simulateNavigation(const QString &url, const QString &title)
{
    Q_EMIT BeforeNavigate2(url);
    m_busy = true;
    Q_EMIT DownloadBegin();
    Q_EMIT ProgressChange(0, 100);
    // The new document is shown: its address and title are the control's now.
    m_locationUrl = url;
    m_title = title;
    m_history = m_history.mid(0, m_historyCurrent + 1);
    m_history << url;
    m_historyCurrent = int(m_history.size()) - 1;
    emitCommandStates();
    Q_EMIT TitleChange(LocationName());
    Q_EMIT ProgressChange(50, 100);
    Q_EMIT ProgressChange(100, 100);
    m_busy = false;
    Q_EMIT ProgressChange(-1, 100);
    emitCommandStates();
    Q_EMIT DownloadComplete();
    Q_EMIT NavigateComplete2(url);
    Q_EMIT DocumentComplete(url);
}

void FakeWebBrowser::simulateNavigationError(const QString &url, int statusCode)
{
    Q_EMIT BeforeNavigate2(url);
    m_busy = true;
    Q_EMIT DownloadBegin();
    Q_EMIT ProgressChange(0, 100);
    m_locationUrl = url;
    m_title.clear();
    Q_EMIT ProgressChange(100, 100);
    m_busy = false;
    Q_EMIT ProgressChange(-1, 100);
    emitCommandStates();
    Q_EMIT DownloadComplete();
    Q_EMIT NavigateError(url, statusCode);
}

void FakeWebBrowser::simulateInvalidAddress(const QString &address)
{
    Q_EMIT BeforeNavigate2(address);
    m_busy = true;
    Q_EMIT DownloadBegin();
    m_busy = false;
    Q_EMIT ProgressChange(-1, 100);
    emitCommandStates();
    Q_EMIT DownloadComplete();
    Q_EMIT NavigateError(address, kErrInvalidUrl);
}

void FakeWebBrowser::simulateStoppedNavigation(const QString &url)
{
    Q_EMIT BeforeNavigate2(url);
    m_busy = true;
    Q_EMIT DownloadBegin();
    Q_EMIT ProgressChange(0, 100);
    m_busy = false;
    Q_EMIT ProgressChange(-1, 100);
    emitCommandStates();
    Q_EMIT DownloadComplete();
}

NewWindowRequest FakeWebBrowser::requestNewWindow(const QString &popupUrl)
{
    NewWindowRequest request;
    Q_EMIT NewWindow2(request);
    if (request.Cancel || !request.ppDisp)
        return request;
    if (auto *target = qobject_cast<FakeWebBrowser *>(request.ppDisp)) {
        target->m_log << QStringLiteral("NewWindow");
        if (!popupUrl.isEmpty())
            target->simulateNavigation(popupUrl);
    }
    return request;
}

void FakeWebBrowser::simulateWindowClose()
{
    Q_EMIT WindowClosing();
}

void FakeWebBrowser::simulateProgress(int progress, int progressMax)
{
    Q_EMIT ProgressChange(progress, progressMax);
}

void FakeWebBrowser::simulateTitleChange(const QString &title)
{
    m_title = title;
    Q_EMIT TitleChange(LocationName());
}

void FakeWebBrowser::simulateStatusText(const QString &text)
{
    Q_EMIT StatusTextChange(text);
}

void FakeWebBrowser::simulateCommandState(int command, bool enable)
{
    if (command == CSC_NAVIGATEBACK)
        m_canGoBack = enable;
    else if (command == CSC_NAVIGATEFORWARD)
        m_canGoForward = enable;
    Q_EMIT CommandStateChange(command, enable);
}

void FakeWebBrowser::simulateFileDownload(const QString &path)
{
    Q_EMIT FileDownload(path);
}

void FakeWebBrowser::simulateSecurityState(bool unsafe)
{
    if (unsafe == m_unsafe)
        return;
    m_unsafe = unsafe;
    Q_EMIT SecurityStateChange(unsafe);
}

WebBrowser *FakeWebBrowserFactory::create(QWidget *parent)
{
    auto *browser = new FakeWebBrowser(parent);
    browser->setAutoComplete(m_autoComplete);
    m_created.append(browser);
    return browser;
}

} // namespace platform::testing
