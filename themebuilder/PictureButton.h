#pragma once

#include <QPixmap>
#include <QWidget>

namespace prismel {

// True when releasing the mouse at (x, y), relative to a button of the given size,
// performs the button's action: every release except one both right of and below
// the button.
constexpr bool releaseTriggers(int x, int y, int width, int height)
{
    return !(x > width && y > height);
}

// A caption button drawn from pictures: the pressed one while the left button is
// down on it, a lighter one under the mouse, the normal one otherwise. It acts on
// release, by the rule above.
class PictureButton : public QWidget
{
    Q_OBJECT
public:
    PictureButton(const QPixmap &normal, const QPixmap &hover, const QPixmap &pressed,
                  QWidget *parent = nullptr);
    bool isDown() const { return m_down; }
    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QPixmap m_normal;
    QPixmap m_hover;
    QPixmap m_pressed;
    bool m_down = false;
    bool m_under = false;
};

} // namespace prismel
