#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace platform {

class WebBrowser;

// Answer slot of a page's request for a new window. The handler either names the
// control that receives the window (ppDisp) or cancels the request.
struct NewWindowRequest
{
    WebBrowser *ppDisp = nullptr;
    bool Cancel = false;
};

// Command numbers of CommandStateChange.
enum BrowserCommand { CSC_NAVIGATEFORWARD = 1, CSC_NAVIGATEBACK = 2 };

// One page engine: the operations, properties and events the browser relies on.
//
// Event order for one navigation: BeforeNavigate2 first; DownloadBegin,
// ProgressChange, StatusTextChange and TitleChange in any interleaving; then
// DownloadComplete, NavigateComplete2 and DocumentComplete. A failed load raises
// DownloadComplete and NavigateError instead of the last two; a load the user
// stopped raises neither. An address that cannot be made into a URL (plain
// words, see isNavigableAddress) fails the same way, without loading anything:
// BeforeNavigate2, DownloadBegin, ProgressChange(-1, 100), CommandStateChange,
// DownloadComplete, NavigateError(address, kErrInvalidUrl).
//
// History steps leave out entries whose load failed, and the back and forward
// states count only the entries a step can reach.
class WebBrowser : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~WebBrowser() override = default;

    // The widget that shows the page; owned by the control.
    virtual QWidget *widget() = 0;

    // "about:" + text shows the text as HTML; a bare host name or a local file
    // path is completed the way a user expects.
    virtual void Navigate(const QString &address) = 0;
    virtual void Navigate2(const QString &address) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Refresh() = 0;
    virtual void Stop() = 0;

    // The current address, as given for "about:" pages.
    virtual QString LocationURL() const = 0;
    // The page's title, or its address when it has none.
    virtual QString LocationName() const = 0;
    // The document's title; empty when the page has none.
    virtual QString DocumentTitle() const = 0;
    virtual bool Busy() const = 0;

    // Silent hides the page's script-error reports.
    virtual bool Silent() const = 0;
    virtual void setSilent(bool silent) = 0;
    virtual bool RegisterAsBrowser() const = 0;
    virtual void setRegisterAsBrowser(bool on) = 0;
    virtual void setResizable(bool on) = 0;

    // Reads the document's designMode and flips it between "on" and "off" inside the page.
    virtual void ToggleDesignMode() = 0;

    // True while the page shown is not what it claims to be as far as anyone
    // can tell: the certificate page, or a site whose certificate the user
    // chose to trust despite an error. SecurityStateChange tells each change.
    virtual bool isUnsafe() const = 0;

    QString Tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }

Q_SIGNALS:
    void BeforeNavigate2(const QString &url);
    void NewWindow2(platform::NewWindowRequest &request);
    void NavigateComplete2(const QString &url);
    void DocumentComplete(const QString &url);
    void DownloadBegin();
    void DownloadComplete();
    void TitleChange(const QString &text);
    void ProgressChange(int progress, int progressMax);
    void CommandStateChange(int command, bool enable);
    void StatusTextChange(const QString &text);
    void WindowClosing();
    void NavigateError(const QString &url, int statusCode);
    void FileDownload(const QString &path);
    // isUnsafe changed; the address bar's connection icon follows it.
    void SecurityStateChange(bool unsafe);

private:
    QString m_tag;
};

// A notification a site the user allowed to notify wants shown.
struct SiteNotification
{
    QString site;    // as the permission question names it
    QString title;
    QString message;
};

// Makes the page engines of one program; all share one persistent engine profile.
class WebBrowserFactory
{
public:
    virtual ~WebBrowserFactory() = default;
    virtual WebBrowser *create(QWidget *parent) = 0;
    // Who shows the sites' notifications; until one is set (or after an
    // empty one) they are dropped.
    virtual void setNotificationSink(std::function<void(const SiteNotification &)> sink) = 0;
};

} // namespace platform
