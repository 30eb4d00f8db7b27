#pragma once

#include <QWidget>

class BuiltinImages;
class PictureControl;
class Progressbar;
class QLabel;

// The main window's status bar ("ProgramStatusBar"): the connection picture,
// the status text, the system-state icon and the progress bar. It keeps which
// pictures it shows, so a state that did not change is not drawn again.
class StatusBar : public QWidget
{
    Q_OBJECT
public:
    StatusBar(BuiltinImages &images, QWidget *parent);

    PictureControl *ProgramStatusInternetIconImage;
    QLabel *ProgramStatusTextLabel;
    PictureControl *ProgramSystemStateBar;
    Progressbar *ProgramStatusProgressbar;

    // A message: the connection picture (1..5) and the text, shown as text.
    void setStatus(int connectionPicture, const QString &text);
    void setConnectionPicture(int picture);
    int connectionPicture() const { return m_connectionPicture; }
    // The system-state icon (1..5) and its tooltip.
    void setSystemStatePicture(int picture, const QString &tooltip);
    int systemStatePicture() const { return m_statePicture; }
    // The inner rectangles of the layout pass, in pixels.
    void arrange(const QRect &stateIcon, const QRect &text, const QRect &progress);

private:
    BuiltinImages &m_images;
    int m_connectionPicture = 0;
    int m_statePicture = 0;
};
