#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class VorlenApp;

// The browser's own question box whose Yes answer the box carries out itself.
// It is modeless; while it is open the main window takes no input.
class frmMessageBox : public QWidget
{
    Q_OBJECT
public:
    explicit frmMessageBox(VorlenApp &app);

    // Fills the box for a message kind and shows it; the caller does not wait.
    // Kind 0 asks to make the selected tab's document the start page, kind 1
    // tells that the firewall is off.
    void MyMsgBox(qint16 MyMessageType, QString &TString, qint32 &TNumber);

    qint16 messageType() const { return m_type; }

    QLabel *ProgramTitleBar;
    QPushButton *cmdExit;
    QLabel *ProgramMessageIcon;
    QLabel *ProgramContentsLabel;
    QPushButton *Button1;
    QPushButton *Button2;

    void Button1_Click();
    void Button2_Click();
    void cmdExit_Click();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void Form_Activate();

    VorlenApp &m_app;
    QString m_string;
    qint32 m_number = 0;
    qint16 m_type = -1;
};
