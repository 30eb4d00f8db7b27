#pragma once

#include "platform/SettingsKeys.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class VorlenApp;

// The settings dialog: the feature switches and the start page. It reads the
// values when it opens and writes them all in one replace of the settings file
// when the user confirms; cancelling writes nothing. While it is open the main
// window takes no input.
class frmSetting : public QWidget
{
    Q_OBJECT
public:
    explicit frmSetting(VorlenApp &app);

    // The boxes that stand for one key each, in the order they are written.
    struct SingleBox
    {
        QCheckBox *frmSetting::*box;
        settings::Key key;
    };

    void Form_Load();
    void cmdApply_Click();
    void cmdCancel_Click();
    void cmdExit_Click();
    void cmdStartPageWithDaumSetting_Click();
    void chkRestoriaSetting_Click();

    // The recovery value of the two recovery boxes: 0, 1 or 2.
    static int restoriaValue(bool recover, bool automatic);

    QLabel *ProgramTitleBar;
    QCheckBox *chkAmbrelUseChoose;
    QCheckBox *chkKeyflint;
    QCheckBox *chkVitrelSetting;
    QCheckBox *chkFadeEffect;
    QCheckBox *chkPurgel;
    QCheckBox *chkGestra;
    QCheckBox *chkAlwaysShowWebBrowserPlusTool;
    QCheckBox *chkResetEngine;
    QCheckBox *chkRestoriaSetting;
    QCheckBox *chkRestoriaAutoRecover;
    QCheckBox *chkPanovelSetting;
    QCheckBox *chkNewWindowCheckOpen;
    QCheckBox *chkSystemCheck;
    QLineEdit *txtStartPage;
    QPushButton *cmdStartPageWithDaumSetting;
    QPushButton *cmdApply;
    QPushButton *cmdCancel;
    QPushButton *cmdExit;
    QLabel *hlpVitrel;
    QLabel *hlpKeyflint;
    QLabel *hlpPurgel;
    QLabel *hlpGestra;
    QLabel *hlpAmbrel;
    QGroupBox *hlpVitrelHelpFrame;
    QGroupBox *hlpKeyflintHelpFrame;
    QGroupBox *hlpPurgelHelpFrame;
    QGroupBox *hlpGestraHelpFrame;
    QGroupBox *hlpAmbrelHelpFrame;

signals:
    // The theme manager's menu entry follows the theme switch on confirm.
    void ambrelMenuEnabled(bool enabled);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QCheckBox *addBox(const char *name, const QString &caption);
    QLabel *addHelp(const char *name, const char *frameName, const QString &frameCaption, const QString &text,
                    QGroupBox *&frame);

    VorlenApp &m_app;
    std::array<std::pair<QLabel *, QGroupBox *>, 5> m_helps{};
};
