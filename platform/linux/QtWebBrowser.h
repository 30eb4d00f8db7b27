#pragma once

#include "platform/Dialogs.h"
#include "platform/FloodGate.h"
#include "platform/ScriptDialogRun.h"
#include "platform/WebBrowser.h"
#include "platform/linux/QtWebStatusPages.h"

#include <QHash>
#include <QSslCertificate>
#include <QMenu>
#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>

#include <functional>
#include <memory>

class QMenu;
class QPrinter;
class QWebEngineCertificateError;
class QWebEngineFullScreenRequest;
class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;

namespace platform {

class GeneratedPages;
class QtWebInputMethodGuard;
class QtWebPage;
class QtWebPermissionBar;
class QtWebPermissionPrompts;
class SitePermissions;

// The page engine on Qt WebEngine: one QWebEngineView showing one page of the
// program's profile. Made by QtWebBrowserFactory.
//
// How the engine's signals become the control's events:
// - BeforeNavigate2 comes from acceptNavigationRequest for main-frame
//   navigations, or from the load start when a navigation did not pass there
//   (history steps to about:blank, some internal loads); a server redirect is
//   part of its navigation and raises nothing.
// - Load start: DownloadBegin. loadProgress: ProgressChange(p, 100).
// - The committed address changes: CommandStateChange for back and forward.
// - titleChanged: TitleChange(LocationName()), i.e. the document's title, or
//   the address when the document has none.
// - Load end: ProgressChange(-1, 100) (loading is over, the bar empties),
//   CommandStateChange, DownloadComplete, then NavigateComplete2 and
//   DocumentComplete on success, NavigateError on failure. A stopped load (by
//   Stop, replaced by a new navigation, or turned into a download) ends with
//   DownloadComplete alone. A navigation that replaces a running load belongs
//   to that load: it raises its BeforeNavigate2 and the load's end is its end.
// - An address that cannot be made into a URL ("hello world") fails like a
//   load, a turn of the event loop later: BeforeNavigate2(address),
//   DownloadBegin, ProgressChange(-1, 100), CommandStateChange,
//   DownloadComplete, NavigateError(address, kErrInvalidUrl). The page shown
//   stays.
// - Refresh and the history steps are navigations like any other.
// - Same-document navigations (fragments, history.pushState) change the
//   address and may raise TitleChange and CommandStateChange, but start no load.
//
// History: an entry whose load failed is left out of the history steps. The
// browser answers a failure by sending the tab to its error page, so Back from
// there goes to the page before the failed address instead of failing again;
// the back and forward states count only the entries a step can reach.
//
// Generated pages (see GeneratedPages): Navigate with such a page's path loads
// it through the program's own scheme; LocationURL and the events name it by
// its file URL all the same.
//
// Script dialogs (alert, confirm, prompt) go through Dialogs, titled with the
// site's host; the context menu's actions carry Korean captions.
//
// LocationURL is the address of the document shown: it becomes the new one
// when the engine commits the navigation (before its TitleChange), so during
// BeforeNavigate2 it is still the old one. Busy is true from DownloadBegin
// until the load ends, and already false during the end's events.
class QtWebBrowser : public WebBrowser
{
    Q_OBJECT
public:
    // The page belongs to profile, which must outlive it, as must dialogs and
    // pages (the factory sees to it). pages may be null: no generated pages.
    QtWebBrowser(QWebEngineProfile *profile, Dialogs &dialogs, const GeneratedPages *pages, QWidget *parent);
    ~QtWebBrowser() override;

    QWidget *widget() override;

    void Navigate(const QString &address) override;
    void Navigate2(const QString &address) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void Stop() override;

    QString LocationURL() const override;
    QString LocationName() const override;
    QString DocumentTitle() const override;
    bool Busy() const override;

    // Whether GoBack and GoForward have an entry to go to (failed ones left out).
    bool CanGoBack() const;
    bool CanGoForward() const;

    bool Silent() const override { return m_silent; }
    void setSilent(bool silent) override { m_silent = silent; }
    bool RegisterAsBrowser() const override { return m_registerAsBrowser; }
    void setRegisterAsBrowser(bool on) override { m_registerAsBrowser = on; }
    bool Resizable() const { return m_resizable; }
    void setResizable(bool on) override { m_resizable = on; }

    void ToggleDesignMode() override;

    qreal zoomFactor() const override;
    void setZoomFactor(qreal factor) override;
    void findText(const QString &text, bool backward, bool matchCase) override;
    void printToPdf(const QString &path) override;
    void print() override;
    void exitFullScreen() override;

    // Reports url and title without loading; the next navigation ends it.
    void showPending(const QString &url, const QString &title) override;
    bool isPending() const override { return !m_pendingUrl.isEmpty(); }
    QByteArray saveHistory() const override;
    bool restoreHistory(const QByteArray &state) override;
    PageLifecycle lifecycleState() const override;
    void setLifecycleState(PageLifecycle state) override;
    PageLifecycle recommendedState() const override;
    bool recentlyAudible() const override;
    void askFormEdited(QObject *context, std::function<void(bool)> answer) override;
    // Reads the document's designMode ("on"/"off"); done runs later on the
    // event loop unless context is gone by then. An empty text means unknown.
    void readDesignMode(QObject *context, std::function<void(const QString &)> done) const;

    // The engine page, or null once the factory has shut the engine down.
    QWebEnginePage *page() const;

    // The guard that hears this page's input-method watcher (see
    // QtWebInputMethodGuard::watcherScript).
    void setInputMethodGuard(QtWebInputMethodGuard *guard);
    // The certificates the user trusts despite an error, shared by all tabs.
    void setCertificateExceptions(CertificateExceptions *exceptions);
    // True while the tab shows the certificate page or a site whose
    // certificate the user chose to trust despite an error.
    bool isUnsafe() const override { return m_unsafe; }
    // Where the sites' permission decisions are kept, shared by all tabs;
    // without one nothing is remembered.
    void setSitePermissions(SitePermissions *store);
    // The bar that asks for the page's permission requests (see
    // QtWebPermissionPrompts), and the requests on show or waiting.
    QtWebPermissionBar *permissionBar() const;
    int pendingPermissionRequests() const;
    // Adds the page's own items to its context menu: "이 사이트의 권한 설정
    // 지우기", enabled while the site shown has decisions kept.
    void addSiteActions(QMenu *menu);
    // Forgets the decisions of the site shown.
    void clearSitePermissions();

    // See platform::urlFromAddress.
    static QUrl urlFromAddress(const QString &address, const QString &workingDirectory);

    // The page's context menu on screen, if any (see spellcheck::contextMenu).
    QMenu *contextMenu() const { return m_contextMenu; }

    // The caption the page's context-menu action shows; empty for actions that have none.
    static QString actionCaption(QWebEnginePage::WebAction action);
    // The title of the script dialogs of a page from origin.
    static QString scriptDialogTitle(const QUrl &origin);
    // The tabs a page may open by script in a minute; the rest are refused,
    // with one notice.
    static constexpr int kMaxPopupsPerMinute = 20;
    // The check box a script dialog offers once boxes come in a row (see
    // ScriptDialogRun).
    static constexpr char kBlockDialogsText[] = "이 페이지의 대화 상자 차단";

Q_SIGNALS:
    // A script error of the page while Silent is false.
    void ScriptErrorReported(const QString &message, int line, const QString &source);

private:
    friend class QtWebPage;

    // Called by the page.
    void statusActionRequested(StatusAction action);
    void pageActionRequested(const QUrl &url);
    bool mayNavigate(const QUrl &url, QWebEnginePage::NavigationType type, bool isMainFrame) const;
    void navigationRequested(const QUrl &url, QWebEnginePage::NavigationType type, bool isMainFrame);
    QWebEnginePage *newWindowRequested();
    void consoleMessage(QWebEnginePage::JavaScriptConsoleMessageLevel level, const QString &message,
                        int line, const QString &source);
    void scriptAlert(const QUrl &origin, const QString &message);
    bool scriptConfirm(const QUrl &origin, const QString &message);
    bool scriptPrompt(const QUrl &origin, const QString &message, const QString &initial, QString *result);
    MsgResult scriptBox(const QUrl &origin, const QString &message, MsgButtons buttons, MsgIcon icon);

    void loadingChanged(const QWebEngineLoadingInfo &info);
    void beginLoad(const QUrl &url);
    enum class LoadEnd { Succeeded, Stopped, Failed };
    void endLoad(const QUrl &url, LoadEnd end, int errorCode);
    void failAddress(const QString &address);
    void emitCommandStates();
    // The page is about to receive another page's new window: whatever it was
    // loading is dropped with its old contents.
    void adoptNewWindow();
    void navigateTo(const QString &address);
    // The address the events and LocationURL report for an engine URL.
    QString addressOf(const QUrl &url) const;
    QUrl engineUrlOf(const QUrl &url) const;

    // History entries whose load failed, by index, with the URL they had then.
    void markCurrentEntry(const QUrl &url, bool failed);
    bool isFailedEntry(int index) const;
    // The nearest entry a step in direction (-1 back, +1 forward) reaches; -1 when none.
    int stepTarget(int direction) const;
    void stepTo(int direction);

    void showContextMenu(const QPoint &at);

    QPointer<QWebEngineView> m_view;
    QPointer<QMenu> m_contextMenu;
    QPointer<QtWebPage> m_page;
    Dialogs &m_dialogs;
    const GeneratedPages *m_generatedPages = nullptr;
    // Engine URLs (fully encoded) of "about:" text pages, with the address given.
    QHash<QString, QString> m_aboutAddresses;
    QHash<int, QUrl> m_failedEntries;
    // What showPending stands for, until the next navigation.
    QString m_pendingUrl;
    QString m_pendingTitle;
    QUrl m_announcedUrl;   // BeforeNavigate2 raised, load start not yet seen
    bool m_announced = false;
    bool m_loading = false;
    bool m_silent = false;
    bool m_registerAsBrowser = false;
    bool m_resizable = true;
    QPointer<QtWebInputMethodGuard> m_inputMethodGuard;
    // A status page on show (crashed tab, certificate error), by its engine
    // URL: what it stands for.
    struct StatusPage
    {
        QUrl url;        // the engine URL to go on to
        QString address; // what the events and LocationURL report
        bool certificate = false;
        bool overridable = false;
        QSslCertificate chain;
    };
    void showStatusPage(const QString &html, StatusPage status);
    void showCrashPage();
    void certificateError(const QWebEngineCertificateError &error);
    void setUnsafe(bool unsafe);
    void fullScreenRequested(QWebEngineFullScreenRequest request);
    QHash<QString, StatusPage> m_statusPages;
    CertificateExceptions *m_certificateExceptions = nullptr;
    bool m_unsafe = false;
    QtWebPermissionPrompts *m_permissions = nullptr;
    FloodGate m_popupGate{kMaxPopupsPerMinute, 60000};
    // Script dialogs of the document shown.
    ScriptDialogRun m_dialogRun;
    SitePermissions *m_sitePermissions = nullptr;
    // The printer of the print under way; one at a time.
    std::unique_ptr<QPrinter> m_printer;
    // The folder of the local page that opened this window; empty otherwise.
    QString m_openerFolder;
};

} // namespace platform
