#pragma once

#include "browser/core/WindowSlot.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class LabelControl;
class QListWidget;
class QPushButton;
class VorlenApp;

namespace platform {
class Processes;
}

namespace taskmanager {

// What a force quit did: the names whose processes ended and the names of
// which nothing could be ended (not ours to end, or gone already).
struct QuitReport
{
    QStringList ended;
    QStringList notEnded;
};

// Ends the user's processes of each selected name. A name selected on several
// lines is ended once: its first end takes every process of that name.
QuitReport forceQuit(platform::Processes &processes, const QStringList &selectedNames);

// The confirmation text for a report.
QString reportText(const QuitReport &report);

} // namespace taskmanager

// The process list of the user who runs the browser, with force quit. The main
// window stays disabled while it is open.
class frmTaskManager : public QWidget
{
    Q_OBJECT
public:
    frmTaskManager(VorlenApp &app, QWidget *parent);
    ~frmTaskManager() override;

    void loadlist();
    void cmdProcesExit_Click();
    void cmdReload_Click();
    void cmdExit_Click();

    LabelControl *lblTitle;
    QListWidget *ProcesList;
    QPushButton *cmdProcesExit;
    QPushButton *cmdReload;
    QPushButton *cmdExit;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Activate();
    void Form_Unload();

    VorlenApp &m_app;
    std::unique_ptr<WindowLocks::Lock> m_lock;
};
