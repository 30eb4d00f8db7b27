#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

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

    // The back/forward history with the current entry, as bytes the same kind
    // of control reads back; empty when the engine has none to give.
    virtual QByteArray saveHistory() const = 0;
    // Replaces the history with saved bytes and loads its current entry; false
    // (and nothing changed) when the bytes are not a history this control reads.
    virtual bool restoreHistory(const QByteArray &state) = 0;

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

private:
    QString m_tag;
};

// Makes the page engines of one program; all share one persistent engine profile.
class WebBrowserFactory
{
public:
    virtual ~WebBrowserFactory() = default;
    virtual WebBrowser *create(QWidget *parent) = 0;
};

} // namespace platform
