#pragma once

#include "SystemGrade.h"

#include <QWidget>

#include <functional>

class Progressbar;
class QLabel;
class QPushButton;
class QTimer;
class VorlenApp;

// The first-run system check: measures the machine while a bar runs, grades it
// and writes the matching default settings in one go, then finishes the start
// and shows the main window. Closed early, it writes nothing and hands over to
// the settings dialog.
class frmSystemScan : public QWidget
{
    Q_OBJECT
public:
    // What the check measures; the real machine's by default.
    struct Measures
    {
        int processors = 0;
        double version = 0;          // major.minor as a decimal
        double virtualBytes = 0;     // address space of the process
        double physicalBytes = 0;
    };
    using Measure = std::function<Measures()>;

    explicit frmSystemScan(VorlenApp &app, Measure measure = {});

    // The machine this process runs on.
    static Measures machine(VorlenApp &app);

    void SystemScanTimer_Timer();
    void ImageMoveTimer_Timer();
    void cmdExit_Click();
    void SystemGradeCheck();

    int total() const { return m_total; }
    bool graded() const { return m_graded; }

    QLabel *ProgramTitleText;
    QLabel *ProgramSecondTitleText;
    QWidget *ProgramBottomBox;
    QWidget *ProgramBottomMoveImage;
    Progressbar *SystemScanProgressbar;
    QTimer *SystemScanTimer;
    QTimer *ImageMoveTimer;
    QPushButton *cmdExit;

    static constexpr int kTickMs = 30;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The tab that opens after the check: the help page when it ships, else address.
    void openReadMeOr(const QString &address);

    VorlenApp &m_app;
    Measure m_measure;
    int m_processor = 0;
    int m_version = 0;
    int m_virtual = 0;
    int m_physical = 0;
    int m_total = 0;
    bool m_graded = false;
    bool m_handedOver = false;
};

// The help page shipped with the program, empty when there is none.
QString readMePath(const VorlenApp &app);
