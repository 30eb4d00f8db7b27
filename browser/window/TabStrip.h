#pragma once

#include <QWidget>

class QTabBar;

// The tab strip of the main window: a row of tabs, each with a key, a caption and
// a tooltip, over a framed page area. Positions are 1-based, as the handlers
// count them. Selecting a tab by code raises Click, as a click of the user does.
class TabStrip : public QWidget
{
    Q_OBJECT
public:
    explicit TabStrip(const QString &name, QWidget *parent = nullptr);

    int count() const;
    // Inserts a tab at the 1-based position (clamped to 1..count+1).
    void add(int position, const QString &key, const QString &caption);
    void remove(const QString &key);
    int positionOf(const QString &key) const; // 0 when there is no such tab
    QString keyAt(int position) const;
    QString selectedKey() const;
    int selectedPosition() const;
    void select(int position);

    QString caption(const QString &key) const;
    void setCaption(const QString &key, const QString &caption);
    QString toolTip(const QString &key) const;
    void setToolTip(const QString &key, const QString &tip);

    // Height of the tab row in pixels; the page area starts below it.
    int rowHeight() const;

Q_SIGNALS:
    void Click();
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int indexOf(const QString &key) const;

    QTabBar *m_bar;
    bool m_inSelect = false;
};
