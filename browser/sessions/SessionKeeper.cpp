#include "SessionKeeper.h"

#include "browser/core/TabSet.h"
#include "browser/core/VorlenApp.h"
#include "browser/startup/modLocalPages.h"
#include "browser/startup/modSessionRecord.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "platform/WebBrowser.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QUrl>

#include <algorithm>

namespace {

qint16 restoreValue(const VorlenApp &app)
{
    return platform::setting::int16(app.environment(), settings::Key::SessionRestoreValue);
}

QString menuText(const sessionFile::Tab &tab)
{
    QString text = tab.title.isEmpty() ? tab.url : tab.title;
    if (text.size() > 48)
        text = text.left(47) + QChar(0x2026);
    // A page's title is shown as it is, never as an accelerator.
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

SessionKeeper::SessionKeeper(VorlenApp &app, TabSet &tabs, QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_tabs(tabs)
    , m_folder(platform::folders::profileFolder(app.environment()))
{
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    m_clock = [elapsed] { return elapsed->elapsed(); };
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SessionKeeper::flush);

    // The run before is kept in the backups before this run writes anything.
    sessionFile::rotate(m_folder);
    m_previous = sessionFile::readNewest(m_folder);
    if (m_previous) {
        m_closed = m_previous->session.closed;
        // Until the start has decided on it, this run's first events do not
        // replace the session a restore would need.
        m_held = restoreValue(app) != 0 && !m_previous->session.tabs.isEmpty();
    }

    for (qint16 index : m_tabs.indices())
        watch(index, m_tabs.positionOf(index));
    connect(&m_tabs, &TabSet::inserted, this, [this](qint16 index, int position) {
        watch(index, position);
        changed();
    });
    connect(&m_tabs, &TabSet::removed, this, [this](qint16 index, platform::WebBrowser *page) {
        forget(index, page);
        changed();
    });
    connect(&m_tabs, &TabSet::currentChanged, this, [this](qint16 index) {
        if (!m_restoring && m_waiting.remove(index)) {
            if (platform::WebBrowser *page = m_tabs.page(index))
                show(m_state.value(index), page);
        }
        changed();
    });
}

void SessionKeeper::watch(qint16 index, int position)
{
    m_order.insert(m_order.begin() + std::clamp(position - 1, 0, int(m_order.size())), index);
    platform::WebBrowser *page = m_tabs.page(index);
    if (!page)
        return;
    capture(index, page);
    auto update = [this, page] {
        const qint16 at = m_tabs.indexOfPage(page);
        if (at < 0)
            return;
        capture(at, page);
        changed();
    };
    connect(page, &platform::WebBrowser::NavigateComplete2, this, update);
    connect(page, &platform::WebBrowser::DocumentComplete, this, update);
    connect(page, &platform::WebBrowser::TitleChange, this, update);
}

bool SessionKeeper::isGenerated(const QString &url) const
{
    const QString trimmed = url.trimmed();
    if (trimmed.startsWith(QLatin1String("vorlen:"), Qt::CaseInsensitive))
        return true;
    // The pages shown from memory when their file could not be written.
    if (trimmed.startsWith(QLatin1String("about:"), Qt::CaseInsensitive)
        && trimmed.compare(QLatin1String("about:blank"), Qt::CaseInsensitive) != 0)
        return true;
    QString local = trimmed;
    if (trimmed.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        local = QUrl(trimmed).toLocalFile();
    if (local.isEmpty())
        return false;
    local = QDir::cleanPath(local);
    using modLocalPages::Page;
    for (Page page : {Page::Loading, Page::Error, Page::NewTab, Page::Ending}) {
        if (local.compare(QDir::cleanPath(modLocalPages::pagePath(m_app.platform(), page)), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void SessionKeeper::capture(qint16 index, platform::WebBrowser *page)
{
    const QString url = page->LocationURL();
    // The ending page stands in for the tab only while the program closes.
    if (url.isEmpty()
        || QDir::cleanPath(QUrl::fromUserInput(url).toLocalFile())
               == QDir::cleanPath(modLocalPages::pagePath(m_app.platform(), modLocalPages::Page::Ending)))
        return;
    if (m_restoring || m_waiting.contains(index))
        return;
    sessionFile::Tab tab{url, page->DocumentTitle(), page->saveHistory()};
    // A page still loading its restored entry has no title yet: it keeps the saved one.
    const auto known = m_state.constFind(index);
    if (tab.title.isEmpty() && known != m_state.constEnd() && known->url == url)
        tab.title = known->title;
    m_state.insert(index, tab);
}

void SessionKeeper::forget(qint16 index, platform::WebBrowser *page)
{
    const auto at = std::find(m_order.begin(), m_order.end(), index);
    const int position = at == m_order.end() ? m_tabs.count() + 1 : int(at - m_order.begin()) + 1;
    if (at != m_order.end())
        m_order.erase(at);
    m_waiting.remove(index);
    if (page) {
        capture(index, page);
        page->disconnect(this);
    }
    const std::optional<sessionFile::Tab> tab =
        m_state.contains(index) ? std::optional(m_state.take(index)) : std::nullopt;
    // The start tab is never closed on its own: closing it ends the program.
    if (index == 0 || !tab)
        return;
    m_closed.append(sessionFile::ClosedTab{*tab, position});
    while (m_closed.size() > sessionFile::kMaxClosedTabs)
        m_closed.removeFirst();
}

sessionFile::Session SessionKeeper::snapshot() const
{
    sessionFile::Session session;
    const std::vector<qint16> order = m_tabs.indices();
    for (qint16 index : order) {
        sessionFile::Tab tab = m_state.value(index);
        if (tab.url.isEmpty() && m_tabs.page(index))
            tab.url = m_tabs.page(index)->LocationURL();
        if (index == m_tabs.CurrentTab())
            session.selected = int(session.tabs.size());
        session.tabs.append(tab);
    }
    session.closed = m_closed;
    return session;
}

void SessionKeeper::changed()
{
    m_dirty = true;
    if (m_ended || m_held || m_restoring)
        return;
    const qint64 now = m_clock();
    if (m_lastWrite < 0 || now - m_lastWrite >= kMinIntervalMs) {
        writeNow(false);
        return;
    }
    if (!m_timer.isActive())
        m_timer.start(int(kMinIntervalMs - (now - m_lastWrite)));
}

void SessionKeeper::flush()
{
    m_timer.stop();
    if (m_dirty && !m_ended && !m_held && !m_restoring)
        writeNow(false);
}

void SessionKeeper::endCleanly()
{
    if (m_ended)
        return;
    m_timer.stop();
    m_held = false;
    writeNow(true);
    m_ended = true;
}

void SessionKeeper::startDone()
{
    if (!m_held)
        return;
    m_held = false;
    flush();
}

void SessionKeeper::writeNow(bool cleanExit)
{
    sessionFile::Session session = snapshot();
    session.cleanExit = cleanExit;
    m_lastWrite = m_clock();
    if (!sessionFile::write(m_folder, session)) {
        // The tabs still live; the user hears once that they would not
        // survive a crash, and the next change tries again.
        if (!m_failureShown) {
            m_failureShown = true;
            m_app.shell().notice(QStringLiteral("탭 목록 저장 안됨"),
                                 QStringLiteral("열린 탭 목록을 프로필 폴더에 저장할 수 없습니다."), true, 5000);
        }
        return;
    }
    m_dirty = false;
    ++m_writes;
}

bool SessionKeeper::show(const sessionFile::Tab &tab, platform::WebBrowser *page)
{
    if (isGenerated(tab.url) || !modSessionRecord::isRecoverable(tab.url)) {
        modLocalPages::Open(m_app.platform(), modLocalPages::Page::NewTab, page);
        return false;
    }
    if (tab.history.isEmpty() || !page->restoreHistory(tab.history))
        page->Navigate2(tab.url);
    return true;
}

void SessionKeeper::showLater(const sessionFile::Tab &tab, platform::WebBrowser *page)
{
    // A page of nothing but the title gives the tab its caption; a page's
    // title is text here, never markup.
    const QString title = tab.title.isEmpty() ? tab.url : tab.title;
    page->Navigate2(QStringLiteral("about:<html><head><title>%1</title></head></html>").arg(title.toHtmlEscaped()));
}

int SessionKeeper::restorePrevious()
{
    if (!m_previous || m_previous->session.tabs.isEmpty()) {
        startDone();
        return -1;
    }
    const sessionFile::Session session = m_previous->session;
    m_previous.reset();
    platform::WebBrowser *start = m_tabs.page(0);
    if (!start) {
        startDone();
        return -1;
    }
    int restored = 0;
    {
        m_restoring = true;
        // The first saved tab goes into the start tab, the others to its right in order.
        for (int i = 0; i < session.tabs.size(); ++i) {
            const sessionFile::Tab &tab = session.tabs.at(i);
            platform::WebBrowser *page = start;
            if (i > 0) {
                m_tabs.select(i);
                page = m_app.shell().openInNewTab(QStringLiteral("about:blank"));
                if (!page)
                    break;
            }
            const qint16 index = m_tabs.indexOfPage(page);
            if (i != session.selected) {
                showLater(tab, page);
                m_state.insert(index, tab);
                m_waiting.insert(index);
            } else if (show(tab, page)) {
                // Until the page's own events come, the tab is what was saved.
                m_state.insert(index, tab);
            } else {
                m_state.remove(index);
            }
            ++restored;
        }
        m_restoring = false;
    }
    m_tabs.select(std::min(session.selected, restored - 1) + 1);
    // Fewer tabs than saved could be made: the selected one loads all the same.
    if (m_waiting.remove(m_tabs.CurrentTab()))
        show(m_state.value(m_tabs.CurrentTab()), m_tabs.currentPage());
    for (qint16 index : m_tabs.indices()) {
        if (!m_state.contains(index) && m_tabs.page(index))
            capture(index, m_tabs.page(index));
    }
    m_held = false;
    changed();
    flush();
    return restored;
}

bool SessionKeeper::continueAtStart()
{
    if (restoreValue(m_app) != 2 || !m_previous || m_previous->session.tabs.isEmpty())
        return false;
    return restorePrevious() > 0;
}

int SessionKeeper::recoverAfterCrash()
{
    if (restoreValue(m_app) != 1 || !m_previous || m_previous->session.cleanExit)
        return -1;
    return restorePrevious();
}

bool SessionKeeper::reopenClosedTab(int which)
{
    if (m_closed.isEmpty())
        return false;
    if (which < 0 || which >= m_closed.size())
        which = int(m_closed.size()) - 1;
    const sessionFile::ClosedTab closed = m_closed.takeAt(which);
    // A new tab opens right of the selected one: select its old left neighbour.
    m_tabs.select(std::clamp(closed.position - 1, 1, m_tabs.count()));
    m_restoring = true;
    platform::WebBrowser *page = m_app.shell().openInNewTab(QStringLiteral("about:blank"));
    if (!page) {
        m_restoring = false;
        m_closed.insert(which, closed);
        return false;
    }
    const qint16 index = m_tabs.indexOfPage(page);
    if (show(closed.tab, page))
        m_state.insert(index, closed.tab);
    m_restoring = false;
    if (!m_state.contains(index))
        capture(index, page);
    changed();
    return true;
}

void SessionKeeper::attachMenu(QMenu *menu)
{
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillMenu(menu); });
    fillMenu(menu);
}

void SessionKeeper::fillMenu(QMenu *menu)
{
    menu->clear();
    if (m_closed.isEmpty()) {
        menu->addAction(QStringLiteral("닫은 탭이 없습니다."))->setEnabled(false);
        return;
    }
    // The tab closed last comes first.
    for (int i = int(m_closed.size()) - 1; i >= 0; --i) {
        QAction *action = menu->addAction(menuText(m_closed.at(i).tab));
        action->setToolTip(m_closed.at(i).tab.url);
        connect(action, &QAction::triggered, this, [this, i] { reopenClosedTab(i); });
    }
}

SessionKeeper &installSessionRestoreCommands(VorlenApp &app, TabSet &tabs, QMenu &tabMenu)
{
    auto *keeper = new SessionKeeper(app, tabs, &tabs);
    app.commands().define(Command::ReopenClosedTab, [keeper] { keeper->reopenClosedTab(); });
    QMenu *closed = tabMenu.addMenu(QStringLiteral("닫은 탭 다시 열기"));
    closed->setObjectName(QStringLiteral("munfrmMainReopenClosedTab"));
    closed->menuAction()->setObjectName(closed->objectName());
    keeper->attachMenu(closed);
    return *keeper;
}
