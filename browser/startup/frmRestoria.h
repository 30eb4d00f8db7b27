#pragma once

#include "modSessionRecord.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class VorlenApp;

// The recovery wizard: shown at a start that finds the session record of a run
// that did not end cleanly. By RestoriaValue it asks (1), recovers without
// asking (2) or announces that nothing was recovered (0); whichever way it
// closes, it finishes the start and shows the main window.
class frmRestoria : public QWidget
{
    Q_OBJECT
public:
    explicit frmRestoria(VorlenApp &app);
    ~frmRestoria() override;

    // Reads the record and acts on RestoriaValue; the window stays only when it asks.
    void Form_Load();
    // Brings back every tab of the run before instead of the recorded page:
    // how many, or -1 when the one-page recovery applies.
    void setRecoverAll(std::function<int()> recoverAll) { m_recoverAll = std::move(recoverAll); }

Q_SIGNALS:
    // The start went on once the wizard closed and the main window is shown:
    // the selected tab comes to the front and the window is laid out again.
    void startFinished();
public:

    QLabel *ProgramTitleBar;
    QLabel *ProgramTitle;
    QLabel *lblProgramLastTabDate;
    QLabel *lblProgramLastTabTitle;
    QLabel *lblProgramLastTabURL;
    QCheckBox *chkRestoriaAutoRecover;
    QPushButton *cmdYes;
    QPushButton *cmdCancel;

    void cmdYes_Click();
    void cmdCancel_Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Activate();
    void Form_Unload();
    // Opens the recorded document in a new tab, or the new-tab page with a
    // notice when the record names an address that may not be opened; false then.
    bool recover();
    void noticeRecoveredTabs();

    VorlenApp &m_app;
    modSessionRecord::Record m_record;
    std::function<int()> m_recoverAll;
    int m_recoveredTabs = -1;
    bool m_unloaded = false;
};
