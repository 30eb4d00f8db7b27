#pragma once

#include <QList>
#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QWidget;

namespace platform {

class WebBrowser;

// The address prefix of the generated pages' own actions: a page the program
// wrote itself (see the generated pages) names an action as a link or a GET
// form aimed at kPageActionPrefix + "<action>?<values>". The control never
// loads such an address; it raises GeneratedPageAction instead, and only while
// the page on show is one of the program's own.
inline constexpr char kPageActionPrefix[] = "vorlen://local/page-action/";

// Answer slot of a page's request for a new window. The handler either names the
// control that receives the window (ppDisp) or cancels the request.
struct NewWindowRequest
{
    WebBrowser *ppDisp = nullptr;
    bool Cancel = false;
};

// Answer slot of a page's request to fill the screen with its element (a
// video's full-screen button) or to leave it. The handler sets Accept when the
// browser took the screen over (or gave it back); a request left unanswered is
// refused.
struct FullScreenRequest
{
    bool toggleOn = true;
    bool Accept = false;
};

// How much of a page the engine keeps going. Active runs as usual. Frozen
// keeps the document in memory but runs none of its script, timers or
// loads. Discarded drops the document and keeps only the tab's address,
// title and history; the page loads again when it is shown or set Active.
enum class PageLifecycle { Active, Frozen, Discarded };

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
    // The page's zoom, 1.0 for 100 %.
    virtual qreal zoomFactor() const = 0;
    virtual void setZoomFactor(qreal factor) = 0;

    // Finds text in the page: the same text again steps on to the next match
    // (the one before when backward), another text starts anew, and an empty
    // text ends the search and takes the highlights away. Each search answers
    // with FindTextResult.
    virtual void findText(const QString &text, bool backward, bool matchCase) = 0;

    // Writes the page as a PDF file at path; PdfPrintingFinished tells how it went.
    virtual void printToPdf(const QString &path) = 0;
    // Asks for a printer in the print dialog and prints the page on it;
    // PrintingFinished tells how it went (false also when the user cancelled).
    virtual void print() = 0;
    // Leaves the full screen the page asked for, as its own exit button does.
    virtual void exitFullScreen() = 0;
    // The back/forward history with the current entry, as bytes the same kind
    // of control reads back; empty when the engine has none to give.
    virtual QByteArray saveHistory() const = 0;
    // Replaces the history with saved bytes and loads its current entry; false
    // (and nothing changed) when the bytes are not a history this control reads.
    virtual bool restoreHistory(const QByteArray &state) = 0;

    // A tab brought back but not loaded yet: until the next navigation the
    // control stands for url with title, without loading anything where it
    // can, and TitleChange tells the title. This one shows a page of nothing
    // but the title.
    virtual void showPending(const QString &url, const QString &title)
    {
        Q_UNUSED(url);
        Navigate2(QStringLiteral("about:<html><head><title>%1</title></head></html>").arg(title.toHtmlEscaped()));
    }
    // Whether the control still stands for a tab brought back but not loaded
    // (showPending, until the next navigation).
    virtual bool isPending() const { return false; }
    // The page's lifecycle (see PageLifecycle). Only a hidden page leaves
    // Active; a page shown again becomes Active by itself, and a discarded
    // one then loads its current entry with the usual events.
    virtual PageLifecycle lifecycleState() const = 0;
    virtual void setLifecycleState(PageLifecycle state) = 0;
    // The deepest state the engine finds harmless now: Active while the page
    // is shown, plays sound or is inspected.
    virtual PageLifecycle recommendedState() const = 0;
    // True while the page plays sound and for a few seconds after.
    virtual bool recentlyAudible() const = 0;
    // Asks the document whether one of its form fields holds something other
    // than what the page came with (typed text, a ticked box, a chosen file).
    // answer runs later on the event loop unless context is gone by then. A
    // page that cannot tell (frozen, discarded, a script error) answers true.
    virtual void askFormEdited(QObject *context, std::function<void(bool)> answer) = 0;

    QString Tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }

    // The browser's own actions, shown after the engine's at the end of the
    // page's context menu. The control does not own them.
    QList<QAction *> pageMenuActions() const { return m_pageMenuActions; }
    void setPageMenuActions(const QList<QAction *> &actions) { m_pageMenuActions = actions; }

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
    // The answer to findText(text, ..): the active match counts from 1, and
    // numberOfMatches is 0 when the text is not in the page.
    void FindTextResult(const QString &text, int activeMatch, int numberOfMatches);
    void PdfPrintingFinished(const QString &path, bool success);
    void PrintingFinished(bool success, bool cancelled);
    // The page's own script asked to print it (window.print()).
    void PrintRequested();
    void FullScreenRequested(platform::FullScreenRequest &request);
    // The program's own page on show asked for one of its actions (see
    // kPageActionPrefix); url is the whole address, values and all.
    void GeneratedPageAction(const QString &url);

private:
    QString m_tag;
    QList<QAction *> m_pageMenuActions;
};

// A notification a site the user allowed to notify wants shown.
struct SiteNotification
{
    QString site;    // as the permission question names it
    QString title;
    QString message;
};
class Downloads;

// Makes the page engines of one program; all share one persistent engine profile.
class WebBrowserFactory
{
public:
    virtual ~WebBrowserFactory() = default;
    virtual WebBrowser *create(QWidget *parent) = 0;
    // Who shows the sites' notifications; until one is set (or after an
    // empty one) they are dropped.
    virtual void setNotificationSink(std::function<void(const SiteNotification &)> sink) = 0;
    // The downloads of all the pages made here.
    virtual Downloads &downloads() = 0;
};

} // namespace platform
