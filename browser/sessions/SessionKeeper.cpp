#include "SessionKeeper.h"

#include "RecoveryPage.h"
#include "SessionWriter.h"

#include "browser/core/AfterStep.h"
#include "browser/core/TabSet.h"
#include "browser/core/VorlenApp.h"
#include "browser/startup/modBase.h"
#include "browser/startup/modLocalPages.h"
#include "browser/startup/modSessionRecord.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "platform/WebBrowser.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
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
    m_wallClock = [] { return QDateTime::currentMSecsSinceEpoch(); };
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SessionKeeper::flush);
    m_steadyTimer.setSingleShot(true);
    connect(&m_steadyTimer, &QTimer::timeout, this, &SessionKeeper::markSteady);
    m_writer = new SessionWriter(m_folder, this);
    m_writer->setDone([this](quint64, bool ok) {
        if (!ok)
            writeFailed();
    });
    m_record = restoreRecord::read(m_folder);

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
        // A tab opened past the recovery page is a start afresh: this run's
        // tabs are written from now on, the offered ones wait in the reopen list.
        if (m_recovery && !m_restoring)
            settleRecovery({}, nullptr);
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

SessionKeeper::~SessionKeeper()
{
    // A write under way is finished; the file is never left to a dying thread.
    m_writer->wait();
}

void SessionKeeper::waitForWrites()
{
    m_writer->wait();
    // The worker's answers are delivered before this returns.
    QCoreApplication::sendPostedEvents(m_writer);
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
    const QString temp = m_app.environment().tempFolder();
    return !temp.isEmpty() && local.compare(QDir::cleanPath(recoveryPage::filePath(temp)), Qt::CaseInsensitive) == 0;
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
    // A tab that never loaded keeps what was saved for it: the control only
    // stands for it and has no history of its own to give.
    if (page) {
        capture(index, page);
        page->disconnect(this);
    }
    m_waiting.remove(index);
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
    m_steadyTimer.stop();
    if (m_restoredThisRun && !m_record.isEmpty()) {
        m_record.last().cleanExit = true;
        m_record.last().lastSeen = m_wallClock();
        writeRecord();
    }
    // Closed from the recovery page without a choice: the session it offers
    // stays the newest file, and the next start offers it again.
    if (m_recovery) {
        QFile::remove(m_recoveryPath);
        m_ended = true;
        return;
    }
    m_held = false;
    writeNow(true);
    m_ended = true;
}

void SessionKeeper::startDone()
{
    if (m_recovery)
        return;
    // A start that brought nothing back ends any run of quick crashes.
    if (!m_restoredThisRun && !m_record.isEmpty()) {
        m_record.clear();
        writeRecord();
    }
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
    m_dirty = false;
    ++m_writes;
    if (!cleanExit) {
        m_writer->post(std::move(session));
        return;
    }
    if (!m_writer->writeNow(session))
        writeFailed();
}

void SessionKeeper::writeFailed()
{
    // The tabs still live; the user hears once that they would not survive a
    // crash, and the next change tries again.
    m_dirty = true;
    if (!m_failureShown) {
        m_failureShown = true;
        m_app.shell().notice(QStringLiteral("탭 목록 저장 안됨"),
                             QStringLiteral("열린 탭 목록을 프로필 폴더에 저장할 수 없습니다."), true, 5000);
    }
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
    // The tab's caption is its title, as text; the engine loads nothing for
    // it until the tab is selected.
    page->showPending(tab.url, tab.title.isEmpty() ? tab.url : tab.title);
}

int SessionKeeper::restorePrevious()
{
    if (!m_previous || m_previous->session.tabs.isEmpty()) {
        startDone();
        return -1;
    }
    const sessionFile::Session session = m_previous->session;
    m_previous.reset();
    return restoreSession(session);
}

int SessionKeeper::restoreSession(const sessionFile::Session &session)
{
    platform::WebBrowser *start = m_tabs.page(0);
    if (!start) {
        startDone();
        return -1;
    }
    noteRestore();
    // One trim and one layout pass for the whole restore, not one per tab.
    AfterStep step(m_app.afterStep());
    int restored = 0;
    {
        m_restoring = true;
        // The first saved tab goes into the start tab, the others to its right in order.
        for (int i = 0; i < session.tabs.size(); ++i) {
            const sessionFile::Tab &tab = session.tabs.at(i);
            platform::WebBrowser *page = start;
            if (i > 0) {
                // The tabs that wait load nothing and are not shown one by one;
                // the one that was selected loads at once.
                page = m_app.shell().openWaitingTab(m_tabs.positionOf(m_tabs.indexOfPage(start)) + i);
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

void SessionKeeper::noteRestore()
{
    m_restoredThisRun = true;
    const qint64 now = m_wallClock();
    m_record.append(restoreRecord::Run{now, now, false});
    while (m_record.size() > restoreRecord::kMaxRuns)
        m_record.removeFirst();
    writeRecord();
    m_steadyTimer.start(kSteadyAfterMs);
}

void SessionKeeper::markSteady()
{
    m_steadyTimer.stop();
    if (!m_restoredThisRun || m_record.isEmpty() || m_ended)
        return;
    m_record.last().lastSeen = m_wallClock();
    writeRecord();
}

void SessionKeeper::writeRecord()
{
    // Small and rare (a restore, a minute later, the exit): written on the spot.
    restoreRecord::write(m_folder, m_record);
}

bool SessionKeeper::crashLoop() const
{
    return m_previous && !m_previous->session.tabs.isEmpty() && restoreRecord::isCrashLoop(m_record);
}

bool SessionKeeper::showRecoveryPage()
{
    platform::WebBrowser *start = m_tabs.page(0);
    if (!crashLoop() || !start)
        return false;
    m_recovery = m_previous->session;
    m_previous.reset();
    // Nothing is written until the user has chosen.
    m_held = true;
    const QStringList lines = recoveryPage::lines(*m_recovery);
    const QString temp = m_app.environment().tempFolder();
    m_recoveryPath = temp.isEmpty() ? QString() : recoveryPage::filePath(temp);
    if (!m_recoveryPath.isEmpty() && platform::writeFileAtomically(m_recoveryPath, modLocalPages::encodePage(lines))) {
        start->Navigate(m_recoveryPath);
    } else {
        m_recoveryPath.clear();
        start->Navigate(QStringLiteral("about:") + lines.join(QLatin1Char('\n')));
    }
    m_recoveryConnection = connect(start, &platform::WebBrowser::GeneratedPageAction, this,
                                   [this, start](const QString &url) { recoveryAction(start, url); });
    return true;
}

void SessionKeeper::recoveryAction(platform::WebBrowser *page, const QString &url)
{
    if (!m_recovery || m_ended)
        return;
    const std::optional<recoveryPage::Action> action = recoveryPage::actionOf(url, int(m_recovery->tabs.size()));
    if (!action)
        return;
    settleRecovery(action->kind == recoveryPage::Action::Kind::Restore ? action->tabs : QList<int>(), page);
}

void SessionKeeper::settleRecovery(const QList<int> &restore, platform::WebBrowser *startPage)
{
    const sessionFile::Session offered = *m_recovery;
    endRecovery();
    // What is not brought back stays in the reopen list; nothing is lost.
    sessionFile::Session chosen = offered;
    chosen.tabs.clear();
    chosen.selected = 0;
    for (int i = 0; i < offered.tabs.size(); ++i) {
        if (restore.contains(i)) {
            if (i == offered.selected)
                chosen.selected = int(chosen.tabs.size());
            chosen.tabs.append(offered.tabs.at(i));
        } else if (!isGenerated(offered.tabs.at(i).url)) {
            m_closed.append(sessionFile::ClosedTab{offered.tabs.at(i), i + 1});
        }
    }
    while (m_closed.size() > sessionFile::kMaxClosedTabs)
        m_closed.removeFirst();
    if (!chosen.tabs.isEmpty()) {
        restoreSession(chosen);
        return;
    }
    // A fresh start: the start page, and no run of quick crashes to remember.
    m_record.clear();
    writeRecord();
    m_held = false;
    if (startPage)
        modBase::OpenStartPage(m_app.platform(), startPage);
    changed();
}

void SessionKeeper::endRecovery()
{
    disconnect(m_recoveryConnection);
    m_recovery.reset();
    if (!m_recoveryPath.isEmpty())
        QFile::remove(m_recoveryPath);
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
