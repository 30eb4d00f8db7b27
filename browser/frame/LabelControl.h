#pragma once

#include <QLabel>

// A label that reports presses, releases, clicks and double-clicks with the
// button and the point, for the title strip, the address label and the like.
class LabelControl : public QLabel
{
    Q_OBJECT
public:
    explicit LabelControl(const QString &name, QWidget *parent = nullptr);

Q_SIGNALS:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Click();
    void DblClick();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
