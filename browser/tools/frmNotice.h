#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

// A small borderless notice flush with the top-right corner of the screen that
// holds the main window. It closes itself when its timer runs out; posting a
// second notice while one shows replaces the texts and restarts the countdown.
class frmNotice : public QWidget
{
    Q_OBJECT
public:
    // anchor: the window whose screen the notice stands on (may be null).
    explicit frmNotice(QWidget *anchor = nullptr);

    // Shows Title and Contents for ExitInterval milliseconds; the title is red
    // when TitleFocusPoint is true, black otherwise. Returns at once.
    void VorlenNotice(const QString &Title, const QString &Contents, bool TitleFocusPoint, qint16 ExitInterval);

    QLabel *lblNoticeTitle;
    QLabel *lblNoticeContents;
    QPushButton *cmdExit;
    QTimer *ExitTimer;

    // Where a notice of this size stands on a screen's geometry.
    static QPoint placeOn(const QRect &screenGeometry, const QSize &size);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void Form_Activate();
    void Form_Resize();
    void ExitTimer_Timer();
    void cmdExit_Click();

    QWidget *m_anchor;
};
