#pragma once

#include <QString>
#include <QWidget>

// What every panel of the side area shares: it talks to the window through
// these signals only, and lays out its own controls inside the rectangle the
// window's layout pass gives it.
class SidePanel : public QWidget
{
    Q_OBJECT
public:
    SidePanel(const QString &name, QWidget *parent);

Q_SIGNALS:
    // A status bar message: connection picture and text.
    void statusMessage(int picture, const QString &text);
    // An address to open in the selected tab.
    void openAddress(const QString &address);
    // The panel changed what the layout pass reads (opened, closed, resized).
    void layoutRequested();
};
