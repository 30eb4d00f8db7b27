#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class VorlenApp;

// The theme manager: choose the pack, read its information, open its maker's
// home page, and decide whether the browser asks before activating the pack at
// start. OK writes the choice and asks the window to apply it (applyRequested);
// cancel and close write nothing.
class frmAmbrel : public QWidget
{
    Q_OBJECT
public:
    explicit frmAmbrel(VorlenApp &app, QWidget *parent = nullptr);

    // The address "더 많은 테마팩 다운로드..." opens.
    static QString productSite();

    void Form_Load();
    // The information labels for the pack named by the combo box's text.
    void refreshInfo();

    void ApplyButton_Click();
    void CancelButton_Click();
    void lblThemePackMakerURL_DblClick();
    void cmdGoToVorlen_Click();

    QLabel *ProgramTitleBar;
    QPushButton *cmdExit;
    QLabel *lblThemePackNameHelp;
    QComboBox *ThemeNameTextBox;
    QFrame *ThemePackInfoBox;
    QLabel *ThemePackNameHelp;
    QLabel *lblThemePackName;
    QLabel *ThemePackMakerNameHelp;
    QLabel *lblThemePackMakerName;
    QLabel *ThemePackMakerURLHelp;
    QLabel *lblThemePackMakerURL;
    QLabel *lblBottomTitle;
    QCheckBox *chkStartVorlenThemePackUse;
    QPushButton *cmdGoToVorlen;
    QPushButton *ApplyButton;
    QPushButton *CancelButton;

signals:
    // ThemeName and AskUseBooleanValue are written; the window applies the pack.
    void applyRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QString infoFileOf(const QString &packName) const;

    VorlenApp &m_app;
    QPoint m_dragOffset;
};
