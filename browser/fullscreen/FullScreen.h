#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

class QLabel;
class TabSet;

namespace platform {
class WebBrowser;
struct FullScreenRequest;
} // namespace platform

// A page's element in full screen (a video's full-screen button): the tab's
// view moves into a window of its own that fills the screen above
// everything, and back into its place in the main window when the page
// leaves full screen, Escape is pressed, or its tab is closed or switched away
// from. The main window itself is never touched, so its frame, size,
// maximized state and transparency are as they were. Only the selected tab's
// page may ask; the engine asks only on a user's click or key.
class FullScreen : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *kExitHint = "Esc 키를 누르면 전체 화면을 끝냅니다.";

    FullScreen(TabSet &tabs, QWidget &mainWindow);
    ~FullScreen() override;

    // The page in full screen, if any.
    platform::WebBrowser *page() const;
    // The window that holds the page meanwhile.
    QWidget *window() const { return m_window; }
    QLabel *hint() const;

    void page_FullScreenRequested(platform::WebBrowser *page, platform::FullScreenRequest &request);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow(platform::WebBrowser *page);
    void enter(platform::WebBrowser *page);
    // Puts the view back where it was; tellPage also has the page leave its
    // full screen (when the browser, not the page, ends it).
    void leave(bool tellPage);

    TabSet &m_tabs;
    QPointer<QWidget> m_main;
    QPointer<platform::WebBrowser> m_page;
    QPointer<QWidget> m_window;
    QPointer<QLabel> m_hint;
    // Where the view was: its parent, its place and the widget just above it.
    QPointer<QWidget> m_viewParent;
    QPointer<QWidget> m_viewAbove;
    QRect m_viewGeometry;
};
