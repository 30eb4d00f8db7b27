#include "SessionWindows.h"

#include "browser/core/VorlenApp.h"
#include "browser/tools/frmNotice.h"
#include "browser/tools/frmSystemScan.h"
#include "browser/startup/frmMessageBox.h"
#include "browser/startup/frmRestoria.h"
#include "browser/startup/frmSetting.h"

#include "platform/Folders.h"
#include "platform/Settings.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>

namespace {

template <class W>
void closeNow(WindowSlot<W> &slot)
{
    // Windows still open when the program object goes are deleted with it.
    delete slot.window();
}

// A new dialog stands in the middle of the main window, or of the screen while
// the main window is hidden.
void centreOver(QWidget *window, QWidget *main)
{
    window->adjustSize();
    QRect area;
    if (main && main->isVisible())
        area = main->frameGeometry();
    else if (QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        window->move(area.center() - window->rect().center());
}

} // namespace

SessionWindows::SessionWindows(VorlenApp &app)
    : m_app(app)
    , m_recorder(app.environment())
{
    m_recorder.setSource([&app]() -> std::optional<SessionRecorder::Document> {
        platform::WebBrowser *page = app.shell().currentPage();
        if (!page)
            return std::nullopt;
        return SessionRecorder::Document{page->LocationName(), page->LocationURL()};
    });
}

SessionWindows::~SessionWindows()
{
    closeNow(m_systemScan);
    closeNow(m_restoria);
    closeNow(m_setting);
    closeNow(m_messageBox);
    closeNow(m_notice);
}

frmNotice &SessionWindows::VorlenNotice(const QString &Title, const QString &Contents, bool TitleFocusPoint,
                                        qint16 ExitInterval)
{
    frmNotice &notice = m_notice.open(nullptr, [this](QWidget *) { return new frmNotice(m_app.shell().mainWidget()); });
    notice.VorlenNotice(Title, Contents, TitleFocusPoint, ExitInterval);
    return notice;
}

frmMessageBox &SessionWindows::MyMsgBox(qint16 MyMessageType, QString &TString, qint32 &TNumber)
{
    const bool fresh = !m_messageBox.isOpen();
    frmMessageBox &box = m_messageBox.open(nullptr, [this](QWidget *) { return new frmMessageBox(m_app); });
    if (fresh)
        centreOver(&box, m_app.shell().mainWidget());
    box.MyMsgBox(MyMessageType, TString, TNumber);
    if (fresh)
        m_app.locks().lockWhileShown(&box);
    return box;
}

frmSetting &SessionWindows::showSetting()
{
    const bool fresh = !m_setting.isOpen();
    frmSetting &dialog = m_setting.open(nullptr, [this](QWidget *) { return new frmSetting(m_app); });
    if (fresh)
        centreOver(&dialog, m_app.shell().mainWidget());
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    if (fresh)
        m_app.locks().lockWhileShown(&dialog);
    return dialog;
}

frmSystemScan &SessionWindows::showSystemScan()
{
    const bool fresh = !m_systemScan.isOpen();
    frmSystemScan &scan = m_systemScan.open(nullptr, [this](QWidget *) { return new frmSystemScan(m_app); });
    scan.show();
    scan.raise();
    if (fresh)
        m_app.locks().lockWhileShown(&scan);
    return scan;
}

void SessionWindows::ShowStartWindow()
{
    QDir().mkpath(platform::folders::profileTempFolder(m_app.environment()));
    auto done = [this] {
        if (m_sessionStart.done)
            m_sessionStart.done();
    };
    const qint16 restore = platform::setting::int16(m_app.environment(), settings::Key::SessionRestoreValue);
    // Runs that died right after a restore, twice in a row: the user picks
    // the tabs on the recovery page instead of any restore or wizard.
    if ((restore == 1 || restore == 2) && m_sessionStart.recoveryPage && m_sessionStart.recoveryPage()) {
        done();
        return;
    }
    // Continuing every session needs no wizard; the session record of a crash
    // is replaced as the restored pages load.
    if (restore == 2
        && m_sessionStart.continueSession && m_sessionStart.continueSession()) {
        done();
        return;
    }
    if (!modSessionRecord::exists(m_app.environment())) {
        m_app.shell().showMainWindow();
        done();
        return;
    }
    const bool fresh = !m_restoria.isOpen();
    frmRestoria &wizard = m_restoria.open(nullptr, [this](QWidget *) { return new frmRestoria(m_app); });
    if (!fresh)
        return;
    centreOver(&wizard, m_app.shell().mainWidget());
    QObject::connect(&wizard, &frmRestoria::startFinished, &wizard, [this] {
        if (m_afterRecovery)
            m_afterRecovery();
        if (m_sessionStart.done)
            m_sessionStart.done();
    });
    wizard.setRecoverAll(m_sessionStart.recoverAll);
    wizard.Form_Load();
    if (wizard.isVisible())
        m_app.locks().lockWhileShown(&wizard);
}

frmNotice *SessionWindows::notice() const
{
    return m_notice.window();
}

frmMessageBox *SessionWindows::messageBox() const
{
    return m_messageBox.window();
}

frmSetting *SessionWindows::setting() const
{
    return m_setting.window();
}

frmRestoria *SessionWindows::restoria() const
{
    return m_restoria.window();
}

frmSystemScan *SessionWindows::systemScan() const
{
    return m_systemScan.window();
}
