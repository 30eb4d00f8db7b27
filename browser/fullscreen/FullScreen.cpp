#include "FullScreen.h"

#include "browser/core/TabSet.h"
#include "platform/WebBrowser.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QScreen>
#include <QWindow>

namespace {

constexpr int kHintMs = 4000;

} // namespace

FullScreen::FullScreen(TabSet &tabs, QWidget &mainWindow)
    : QObject(&mainWindow)
    , m_tabs(tabs)
    , m_main(&mainWindow)
{
    connect(&m_tabs, &TabSet::inserted, this, [this](qint16 index) { follow(m_tabs.page(index)); });
    for (qint16 index : m_tabs.indices())
        follow(m_tabs.page(index));
    connect(&m_tabs, &TabSet::currentChanged, this, [this] {
        if (m_page && m_tabs.currentPage() != m_page)
            leave(true);
    });
    connect(&m_tabs, &TabSet::removed, this, [this](qint16, platform::WebBrowser *page) {
        if (page && page == m_page)
            leave(false);
    });
}

FullScreen::~FullScreen()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    delete m_window.data();
}

platform::WebBrowser *FullScreen::page() const
{
    return m_page;
}

QLabel *FullScreen::hint() const
{
    return m_hint;
}

void FullScreen::follow(platform::WebBrowser *page)
{
    if (!page)
        return;
    QPointer<platform::WebBrowser> guard(page);
    connect(page, &platform::WebBrowser::FullScreenRequested, this,
            [this, guard](platform::FullScreenRequest &request) {
                if (guard)
                    page_FullScreenRequested(guard, request);
            });
}

void FullScreen::page_FullScreenRequested(platform::WebBrowser *page, platform::FullScreenRequest &request)
{
    if (request.toggleOn) {
        // Only the tab in front, one page at a time.
        if (page != m_tabs.currentPage() || (m_page && m_page != page) || !page->widget() || !m_main)
            return;
        if (!m_page)
            enter(page);
        request.Accept = true;
        return;
    }
    if (page == m_page)
        leave(false);
    request.Accept = true;
}

void FullScreen::enter(platform::WebBrowser *page)
{
    QWidget *view = page->widget();
    m_page = page;
    m_viewParent = view->parentWidget();
    m_viewGeometry = view->geometry();
    m_viewAbove = nullptr;
    if (m_viewParent) {
        const QObjectList siblings = m_viewParent->children();
        const qsizetype at = siblings.indexOf(view);
        for (qsizetype i = at + 1; at >= 0 && i < siblings.size(); ++i) {
            if (auto *w = qobject_cast<QWidget *>(siblings[i]); w && !w->isWindow()) {
                m_viewAbove = w;
                break;
            }
        }
    }

    // A window of its own, over the main window: nothing of the main window
    // changes while the page has the screen.
    auto *window = new QWidget(nullptr, Qt::Window);
    window->setObjectName(QStringLiteral("FullScreenWindow"));
    window->setWindowTitle(page->LocationName());
    window->setStyleSheet(QStringLiteral("#FullScreenWindow { background: black; }"));
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    view->setParent(window);
    layout->addWidget(view);
    view->show();
    window->winId();
    if (m_main->windowHandle())
        window->windowHandle()->setTransientParent(m_main->windowHandle());
    if (QScreen *screen = m_main->screen())
        window->setGeometry(screen->geometry());
    m_window = window;

    auto *hint = new QLabel(QString::fromUtf8(kExitHint), window);
    hint->setObjectName(QStringLiteral("FullScreenHint"));
    hint->setStyleSheet(QStringLiteral("QLabel { color: white; background: rgba(30, 30, 30, 210);"
                                       " border-radius: 6px; padding: 10px 18px; font-size: 15px; }"));
    hint->adjustSize();
    m_hint = hint;
    window->showFullScreen();
    hint->move((window->width() - hint->width()) / 2, 40);
    hint->raise();
    hint->show();
    QTimer::singleShot(kHintMs, hint, &QWidget::hide);
    window->activateWindow();
    view->setFocus(Qt::OtherFocusReason);
    QCoreApplication::instance()->installEventFilter(this);
}

void FullScreen::leave(bool tellPage)
{
    if (!m_page && !m_window)
        return;
    QCoreApplication::instance()->removeEventFilter(this);
    QPointer<platform::WebBrowser> page = m_page;
    m_page = nullptr;
    if (page && page->widget()) {
        QWidget *view = page->widget();
        if (m_viewParent) {
            view->setParent(m_viewParent);
            view->setGeometry(m_viewGeometry);
            if (m_viewAbove && m_viewAbove->parentWidget() == m_viewParent)
                view->stackUnder(m_viewAbove);
            // A tab switched away from stays hidden behind the selected one.
            view->setVisible(page == m_tabs.currentPage());
        }
    }
    delete m_window.data();
    if (m_main && m_main->isVisible()) {
        m_main->activateWindow();
        if (page && page->widget() && page == m_tabs.currentPage())
            page->widget()->setFocus(Qt::OtherFocusReason);
    }
    if (tellPage && page)
        page->exitFullScreen();
}

bool FullScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && m_page
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        leave(true);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
