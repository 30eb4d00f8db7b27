#pragma once

#include <QPixmap>
#include <QWidget>

// A picture control: shows its picture stretched to its own size (or at its own
// size, centred vertically, when stretching is off) and reports mouse presses and
// releases with the button and the point, the way the skinned controls of the main
// window need them. A disabled control shows a greyed picture and takes no input.
class PictureControl : public QWidget
{
    Q_OBJECT
public:
    explicit PictureControl(const QString &name, QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    QPixmap picture() const { return m_picture; }
    void setStretch(bool stretch);
    bool stretch() const { return m_stretch; }
    // Buttons look greyed while disabled; frame pieces keep their look.
    void setGreyWhenDisabled(bool grey) { m_greyWhenDisabled = grey; }

Q_SIGNALS:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Click();
    void DblClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QPixmap m_picture;
    QPixmap m_disabled;
    bool m_stretch = true;
    bool m_greyWhenDisabled = false;
};

// The release rule of every picture button: a press is cancelled only when the
// release point lies both to the right of and below the control.
constexpr bool releaseTriggers(int x, int y, int width, int height)
{
    return !(x > width && y > height);
}
