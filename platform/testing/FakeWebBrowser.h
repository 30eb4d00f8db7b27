#pragma once

#include "platform/Downloads.h"
#include "platform/WebBrowser.h"

#include <QList>
#include <QPointer>
#include <QStringList>

namespace platform::testing {

// A page engine that loads nothing. It records what it was asked to do, and
// tests raise its events with the simulate* helpers, in the order the real
// engine raises them (see QtWebBrowser):
//
//   BeforeNavigate2(url), DownloadBegin, ProgressChange(0, 100),
//   [LocationURL and title become the new page's] CommandStateChange(2, ..),
//   CommandStateChange(1, ..), TitleChange(LocationName()),
//   ProgressChange(50, 100), ProgressChange(100, 100), [Busy false]
//   ProgressChange(-1, 100), CommandStateChange x2, DownloadComplete,
//   NavigateComplete2(url), DocumentComplete(url)
//
// Busy is true from DownloadBegin until the end of loading.
class FakeWebBrowser : public WebBrowser
{
    Q_OBJECT
public:
    explicit FakeWebBrowser(QWidget *parent = nullptr);
    ~FakeWebBrowser() override;

    // A plain QWidget, child of the parent given to the constructor.
    QWidget *widget() override;

    // Each call is logged as "Navigate:<address>", "Navigate2:<address>",
    // "GoBack", "GoForward", "Refresh", "Stop", "ToggleDesignMode".
    void Navigate(const QString &address) override;
    void Navigate2(const QString &address) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void Stop() override;

    QString LocationURL() const override { return m_locationUrl; }
    QString LocationName() const override;
    // Cut as the engine's titles are (see platform::cutTitle).
    QString DocumentTitle() const override;
    bool Busy() const override { return m_busy; }
    bool Silent() const override { return m_silent; }
    void setSilent(bool silent) override { m_silent = silent; }
    bool RegisterAsBrowser() const override { return m_registerAsBrowser; }
    void setRegisterAsBrowser(bool on) override { m_registerAsBrowser = on; }
    bool Resizable() const { return m_resizable; }
    void setResizable(bool on) override { m_resizable = on; }
    void ToggleDesignMode() override;
    bool isUnsafe() const override { return m_unsafe; }

    // Zoom, searches and printing are kept apart from log(): each has its own record.
    qreal zoomFactor() const override { return m_zoom; }
    void setZoomFactor(qreal factor) override;
    // Recorded as "<text>|<forward or backward>|<case or nocase>"; the answer
    // is the test's to give with simulateFindResult.
    void findText(const QString &text, bool backward, bool matchCase) override;
    // Recorded in pdfPrints; the test ends it with PdfPrintingFinished.
    void printToPdf(const QString &path) override;
    void print() override { ++m_prints; }
    void exitFullScreen() override { ++m_fullScreenExits; }
    // The fake's history is the list of addresses it showed and the current
    // one's place; restoreHistory logs "RestoreHistory:<current address>".
    QByteArray saveHistory() const override;
    bool restoreHistory(const QByteArray &state) override;
    // Each change of state is recorded in lifecycleCalls ("Frozen",
    // "Discarded", "Active"); a discarded fake set Active logs "Reload" as
    // the engine reloads its current entry.
    PageLifecycle lifecycleState() const override { return m_lifecycle; }
    void setLifecycleState(PageLifecycle state) override;
    PageLifecycle recommendedState() const override { return m_recommended; }
    bool recentlyAudible() const override { return m_audible; }
    // Answers formEdited() on the event loop; a page not Active answers true.
    void askFormEdited(QObject *context, std::function<void(bool)> answer) override;

    // --- for tests ---
    QStringList lifecycleCalls() const { return m_lifecycleCalls; }
    int formQuestions() const { return m_formQuestions; }
    void setRecommendedState(PageLifecycle state) { m_recommended = state; }
    void setRecentlyAudible(bool on) { m_audible = on; }
    void setFormEdited(bool on) { m_formEdited = on; }
    // Every factor given to setZoomFactor, in order.
    QList<qreal> zoomCalls() const { return m_zoomCalls; }
    QStringList finds() const { return m_finds; }
    QStringList pdfPrints() const { return m_pdfPrints; }
    int prints() const { return m_prints; }
    int fullScreenExits() const { return m_fullScreenExits; }
    void simulateFindResult(const QString &text, int activeMatch, int numberOfMatches);
    // The page asks for full screen (or to leave it): returns the answer.
    FullScreenRequest requestFullScreen(bool toggleOn);
    QStringList log() const { return m_log; }
    void clearLog() { m_log.clear(); }
    // Addresses given to Navigate and Navigate2, in order.
    QStringList navigated() const { return m_navigated; }
    void setLocationURL(const QString &url) { m_locationUrl = url; }
    void setDocumentTitle(const QString &title) { m_title = title; }
    void setBusy(bool busy) { m_busy = busy; }
    // "off" at first; ToggleDesignMode flips it as the page would.
    QString designMode() const { return m_designMode; }
    // When set, Navigate and Navigate2 finish at once with simulateNavigation
    // (empty title), or with simulateInvalidAddress for an address that cannot
    // be made into a URL (see platform::isNavigableAddress); otherwise they
    // only record.
    void setAutoComplete(bool on) { m_autoComplete = on; }
    void setCanGoBack(bool on) { m_canGoBack = on; }
    void setCanGoForward(bool on) { m_canGoForward = on; }
    // Every successful navigation adds its address after the current entry,
    // dropping the entries forward of it.
    QStringList historyUrls() const { return m_history; }
    int historyCurrent() const { return m_historyCurrent; }

    // A successful navigation, with all its events (see above).
    void simulateNavigation(const QString &url, const QString &title = QString());
    // A failed navigation: BeforeNavigate2, DownloadBegin, ProgressChange,
    // LocationURL becomes url (the engine shows its error page there),
    // ProgressChange(-1, 100), DownloadComplete, NavigateError(url, code).
    void simulateNavigationError(const QString &url, int statusCode = -102);
    // An address that cannot be made into a URL, as the engine answers it:
    // BeforeNavigate2(address), DownloadBegin, ProgressChange(-1, 100),
    // CommandStateChange x2, DownloadComplete, NavigateError(address,
    // kErrInvalidUrl); the page shown stays.
    void simulateInvalidAddress(const QString &address);
    // A load stopped before it showed anything: BeforeNavigate2, DownloadBegin,
    // ProgressChange, ProgressChange(-1, 100), DownloadComplete.
    void simulateStoppedNavigation(const QString &url);
    // A page asks for a new window: raises NewWindow2 and returns the answer.
    // When the handler named a FakeWebBrowser and did not cancel, that control
    // logs "NewWindow" and, when popupUrl is given, loads it with
    // simulateNavigation as the engine would.
    NewWindowRequest requestNewWindow(const QString &popupUrl = QString());
    void simulateWindowClose();
    void simulateProgress(int progress, int progressMax);
    // The document changes its title: DocumentTitle becomes title, then TitleChange(LocationName()).
    void simulateTitleChange(const QString &title);
    void simulateStatusText(const QString &text);
    void simulateCommandState(int command, bool enable);
    void simulateFileDownload(const QString &path);
    // isUnsafe becomes unsafe, with SecurityStateChange when that is a change.
    void simulateSecurityState(bool unsafe);

private:
    void record(const QString &entry, const QString &address);
    void emitCommandStates();

    QPointer<QWidget> m_widget;
    QStringList m_log;
    QStringList m_navigated;
    QString m_locationUrl;
    QString m_title;
    QString m_designMode = QStringLiteral("off");
    bool m_busy = false;
    bool m_silent = false;
    bool m_registerAsBrowser = false;
    bool m_resizable = true;
    bool m_autoComplete = false;
    bool m_canGoBack = false;
    bool m_canGoForward = false;
    qreal m_zoom = 1.0;
    QList<qreal> m_zoomCalls;
    QStringList m_finds;
    QStringList m_pdfPrints;
    int m_prints = 0;
    int m_fullScreenExits = 0;
    bool m_unsafe = false;
    QStringList m_history;
    int m_historyCurrent = -1;
    PageLifecycle m_lifecycle = PageLifecycle::Active;
    PageLifecycle m_recommended = PageLifecycle::Discarded;
    QStringList m_lifecycleCalls;
    int m_formQuestions = 0;
    bool m_audible = false;
    bool m_formEdited = false;
};

// A download a test drives: it starts Running and moves on as told.
class FakeDownload : public Download
{
    Q_OBJECT
public:
    FakeDownload(const QString &path, const QUrl &url, const QString &site, QObject *parent = nullptr);

    QString path() const override { return m_path; }
    QUrl url() const override { return m_url; }
    QString site() const override { return m_site; }
    qint64 receivedBytes() const override { return m_received; }
    qint64 totalBytes() const override { return m_total; }
    State state() const override { return m_state; }
    QString failure() const override { return m_failure; }
    // Ends as Cancelled and counts the call.
    void cancel() override;

    int cancelCalls() const { return m_cancelCalls; }
    void simulateProgress(qint64 received, qint64 total);
    void simulateEnd(State state, const QString &failure = QString());

private:
    QString m_path;
    QUrl m_url;
    QString m_site;
    qint64 m_received = 0;
    qint64 m_total = -1;
    State m_state = State::Running;
    QString m_failure;
    int m_cancelCalls = 0;
};

// Downloads that start when a test says so; asked-for downloads and folders
// are recorded.
class FakeDownloads : public Downloads
{
    Q_OBJECT
public:
    void download(const QUrl &url) override { m_requested << url; }
    void openFolder(const QString &folder) override { m_folders << folder; }

    // Makes a running download (owned here) and raises started.
    FakeDownload *simulateStart(const QString &path, const QUrl &url, const QString &site = QStringLiteral("example.test"));
    QList<QUrl> requested() const { return m_requested; }
    QStringList openedFolders() const { return m_folders; }

private:
    QList<QUrl> m_requested;
    QStringList m_folders;
};

// Makes FakeWebBrowsers and keeps every one it made, in order, for the test to reach.
class FakeWebBrowserFactory : public WebBrowserFactory
{
public:
    WebBrowser *create(QWidget *parent) override;
    void setNotificationSink(std::function<void(const SiteNotification &)> sink) override
    {
        m_notificationSink = std::move(sink);
    }
    // A site's notification, as the engine hands it over; false when nobody
    // takes them.
    bool simulateNotification(const SiteNotification &notification)
    {
        if (!m_notificationSink)
            return false;
        m_notificationSink(notification);
        return true;
    }
    Downloads &downloads() override { return m_downloads; }
    FakeDownloads &fakeDownloads() { return m_downloads; }

    // Every control made so far, in order of creation; a destroyed one is null.
    QList<QPointer<FakeWebBrowser>> created() const { return m_created; }
    int count() const { return int(m_created.size()); }
    FakeWebBrowser *at(int i) const { return m_created.value(i); }
    FakeWebBrowser *last() const { return m_created.isEmpty() ? nullptr : m_created.last().data(); }
    // Applied to the controls made from now on.
    void setAutoComplete(bool on) { m_autoComplete = on; }

private:
    QList<QPointer<FakeWebBrowser>> m_created;
    bool m_autoComplete = false;
    std::function<void(const SiteNotification &)> m_notificationSink;
    FakeDownloads m_downloads;
};

} // namespace platform::testing
