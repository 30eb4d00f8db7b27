#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QSlider;
class VorlenApp;

// The transparency dialog: a slider from 100 (most transparent) to 255
// (opaque) that the main window follows live. Closing it stores the slider's
// value; "취소" and "X" make the window opaque and store "0". The main window
// takes no input while it is open.
class frmVitrel : public QWidget
{
    Q_OBJECT
public:
    // target: the window that becomes transparent.
    frmVitrel(VorlenApp &app, QWidget *target, QWidget *parent = nullptr);

    // What closing at slider value stores: "0" for opaque, the value otherwise.
    static QString storedText(int slider);
    // The slider's start: the stored alpha when it is one the slider has.
    static int sliderStart(qint32 stored);

    void Form_Load();
    void TSlider_Change();
    void cmdApply_Click();
    void cmdCancel_Click();
    void cmdExit_Click();

    QLabel *ProgramTitleBar;
    QLabel *ProgramContentsLabel;
    QSlider *TSlider;
    QPushButton *cmdApply;
    QPushButton *cmdCancel;
    QPushButton *cmdExit;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setTitleOn(bool on);
    void Form_Unload();

    VorlenApp &m_app;
    QWidget *m_target;
    bool m_unloaded = false;
};
