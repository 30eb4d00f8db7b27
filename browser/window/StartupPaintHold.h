#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

// Start-up: after the window's first frame, the given bars keep that picture
// until release() (the start page is there) or a time limit. The start page's
// first events change the bars' texts, pictures and progress several times
// before the page commits; with a web view in the window each of those
// repaints recomposes the whole window on the thread the engine needs for the
// navigation. The bars' state still changes at once; only painting waits.
class StartupPaintHold : public QObject
{
public:
    StartupPaintHold(const QList<QWidget *> &bars, int limitMs, QObject *parent);
    ~StartupPaintHold() override;

    // Paints the bars as they are now and stops holding; later calls do nothing.
    void release();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void hold();

    QList<QPointer<QWidget>> m_bars;
    int m_limitMs;
    bool m_held = false;
    bool m_released = false;
};
