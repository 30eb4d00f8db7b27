#pragma once

#include "RestoreRecord.h"
#include "SessionFile.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

class QMenu;
class SessionWriter;
class TabSet;
class VorlenApp;
namespace platform {
class WebBrowser;
}

// Keeps the session file current while the browser runs and brings a session
// back. It watches the tab set and the tabs' pages: a tab opened, closed or
// selected, a navigation committed or a title changed marks the session
// changed; it is written at most once a second and the latest change is never
// dropped. The file of the run before is read, and rotated into the backups,
// when the keeper is made, before anything is written.
//
// Each tab's state is the one it had at its last page event, so a tab whose
// page shows the ending page, or has not loaded yet, keeps what it had. The
// file is written on a worker thread (see SessionWriter), except the clean
// exit's write, which is done before endCleanly returns.
//
// Every restore is noted in the restore record beside the file (see
// restoreRecord); after a crash loop the start shows the recovery page
// instead of restoring, and nothing is written until the user has chosen.
class SessionKeeper : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMinIntervalMs = 1000;
    // Milliseconds on a clock that never goes back.
    using Clock = std::function<qint64()>;
    // Milliseconds since the epoch, for the restore record that outlives the run.
    using WallClock = std::function<qint64()>;

    SessionKeeper(VorlenApp &app, TabSet &tabs, QObject *parent = nullptr);

    // The profile folder the file and its backups live in.
    QString folder() const { return m_folder; }
    // What the run before left, when any of the three files read whole.
    const std::optional<sessionFile::Found> &previous() const { return m_previous; }
    void setClock(Clock clock) { m_clock = std::move(clock); }
    void setWallClock(WallClock clock) { m_wallClock = std::move(clock); }
    ~SessionKeeper() override;

    // Something changed: write now, or once the current second is over.
    void changed();
    // Writes a pending change at once.
    void flush();
    // The clean exit: writes the session marked as ended cleanly; nothing is
    // written after it.
    void endCleanly();
    // The start no longer waits for a decision on the session before: writes
    // go on (until then the run's first page events are not written, so a
    // start killed early leaves the session before in place).
    void startDone();

    // Brings back every tab of the session before in order, with the
    // selection; how many tabs, or -1 when there was none to bring back. Only
    // the selected tab loads; the others show their titles and load when first
    // selected, and keep their saved history in the file until then.
    int restorePrevious();
    // SessionRestoreValue 2: the start continues the session before. True
    // when it did.
    bool continueAtStart();
    // SessionRestoreValue 1: the recovery wizard brings back all tabs of a run
    // that did not end cleanly. How many, or -1 when the wizard's own one-page
    // recovery applies.
    int recoverAfterCrash();

    // The runs before died right after restoring, twice in a row, and left a
    // session to restore.
    bool crashLoop() const;
    // Shows the recovery page in the start tab in place of any restore; false
    // when there is no crash loop. Until one of its buttons is used, nothing
    // is written: the session before stays the newest file.
    bool showRecoveryPage();
    bool recoveryPending() const { return m_recovery.has_value(); }
    const restoreRecord::Runs &restoreRuns() const { return m_record; }
    // The restore of this run lived long enough not to count as a quick end.
    static constexpr int kSteadyAfterMs = int(restoreRecord::kLoopWindowMs);
    void markSteady();

    // Reopens a closed tab (the last one when which is -1) at its old place.
    bool reopenClosedTab(int which = -1);
    const QList<sessionFile::ClosedTab> &closedTabs() const { return m_closed; }

    // Fills a submenu with the closed tabs each time it opens.
    void attachMenu(QMenu *menu);

    // The session as it would be written now.
    sessionFile::Session snapshot() const;
    // The loading, error, new-tab and ending pages and the program's own pages.
    bool isGenerated(const QString &url) const;

    // Returns once the writes handed to the worker are done.
    void waitForWrites();
    SessionWriter &writer() { return *m_writer; }

    int writes() const { return m_writes; }
    bool writePending() const { return m_timer.isActive(); }
    bool waiting(qint16 index) const { return m_waiting.contains(index); }

private:
    void watch(qint16 index, int position);
    void capture(qint16 index, platform::WebBrowser *page);
    void forget(qint16 index, platform::WebBrowser *page);
    void writeNow(bool cleanExit);
    // Shows a saved tab in a page; false when it came back as the new-tab page.
    bool show(const sessionFile::Tab &tab, platform::WebBrowser *page);
    void fillMenu(QMenu *menu);
    // A restored tab that is not selected shows only its title until it is.
    void showLater(const sessionFile::Tab &tab, platform::WebBrowser *page);
    int restoreSession(const sessionFile::Session &session);
    void recoveryAction(platform::WebBrowser *page, const QString &url);
    // Ends the recovery page's wait: the tabs at those places come back, the
    // others go to the reopen list; none chosen starts afresh (startPage, when
    // given, shows the start page).
    void settleRecovery(const QList<int> &restore, platform::WebBrowser *startPage);
    void endRecovery();
    void noteRestore();
    void writeRecord();
    void writeFailed();

    VorlenApp &m_app;
    TabSet &m_tabs;
    QString m_folder;
    std::optional<sessionFile::Found> m_previous;
    QHash<qint16, sessionFile::Tab> m_state;
    std::vector<qint16> m_order;  // the strip as last seen, for a closed tab's place
    QList<sessionFile::ClosedTab> m_closed;
    QSet<qint16> m_waiting;  // restored tabs not loaded yet
    Clock m_clock;
    WallClock m_wallClock;
    SessionWriter *m_writer = nullptr;
    restoreRecord::Runs m_record;
    std::optional<sessionFile::Session> m_recovery;  // the session the recovery page offers
    QString m_recoveryPath;
    QMetaObject::Connection m_recoveryConnection;
    QTimer m_steadyTimer;
    bool m_restoredThisRun = false;
    QTimer m_timer;
    qint64 m_lastWrite = -1;
    int m_writes = 0;
    bool m_dirty = false;
    bool m_held = false;
    bool m_ended = false;
    bool m_restoring = false;
    bool m_failureShown = false;
};

// Defines the reopen command and keeps the session of the tab set; the
// submenu of closed tabs goes at the end of the tab menu.
SessionKeeper &installSessionRestoreCommands(VorlenApp &app, TabSet &tabs, QMenu &tabMenu);
