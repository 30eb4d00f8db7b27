#pragma once

#include <QWidget>

class VorlenApp;

// Mini mode: the browser hidden, a 50 x 50 pixel translucent button on top of
// every window in the top-right corner of the screen. A left click brings the
// browser back as it was; any other button does nothing.
class frmMiniMode : public QWidget
{
    Q_OBJECT
public:
    // browser: the window that is hidden while the button shows.
    frmMiniMode(VorlenApp &app, QWidget *browser);

    static constexpr int kSizeTwips = 750;
    static constexpr int kAlpha = 200;
    // The button's place on a screen: right edge on the screen's right edge, top at 0.
    static QRect placeOn(const QRect &screenGeometry);

    bool pressedFace() const { return m_pressed; }

    // The button itself, the whole of the window; the window paints its face.
    QWidget *cmdMiniMode;
    // A left press shows the pressed face; a left release over the button
    // brings the browser back.
    void cmdMiniMode_MouseDown(Qt::MouseButton Button, int X, int Y);
    void cmdMiniMode_MouseUp(Qt::MouseButton Button, int X, int Y);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void Form_Activate();
    void Form_Resize();
    void Form_Unload();

    VorlenApp &m_app;
    QWidget *m_browser;
    bool m_pressed = false;
    bool m_placing = false;
    bool m_unloaded = false;
};
