#pragma once

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
    QString DocumentTitle() const override { return m_title; }
    bool Busy() const override { return m_busy; }
    bool Silent() const override { return m_silent; }
    void setSilent(bool silent) override { m_silent = silent; }
    bool RegisterAsBrowser() const override { return m_registerAsBrowser; }
    void setRegisterAsBrowser(bool on) override { m_registerAsBrowser = on; }
    bool Resizable() const { return m_resizable; }
    void setResizable(bool on) override { m_resizable = on; }
    void ToggleDesignMode() override;
    // The fake's history is the list of addresses it showed and the current
    // one's place; restoreHistory logs "RestoreHistory:<current address>".
    QByteArray saveHistory() const override;
    bool restoreHistory(const QByteArray &state) override;

    // --- for tests ---
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
    QStringList m_history;
    int m_historyCurrent = -1;
};

// Makes FakeWebBrowsers and keeps every one it made, in order, for the test to reach.
class FakeWebBrowserFactory : public WebBrowserFactory
{
public:
    WebBrowser *create(QWidget *parent) override;

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
};

} // namespace platform::testing
