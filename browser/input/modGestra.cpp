#include "modGestra.h"

namespace modGestra {

namespace {

constexpr int kTwipsPerPixel = 15;

} // namespace

Outcome CheckGestra(const QRect &window, const QSize &screen, int taskbarHeightPx, qint16 gestraValue,
                    bool afterMove)
{
    Outcome out;
    int left = window.x();
    int top = window.y();
    const int width = window.width();
    const int height = window.height();
    const int screenWidth = screen.width();
    const int screenHeight = screen.height();

    if (gestraValue != 1) {
        if (left < 0) {
            out.actions.push_back(Action::Back);
            left = 300;
        }
        if (left > screenWidth - width) {
            out.actions.push_back(Action::Forward);
            left = screenWidth - width - 300;
        }
        if (top < 10) {
            top = 100;
            out.actions.push_back(Action::Maximize);
        }
        // More than half of the window below the screen. Twips are whole
        // numbers, so the half is exact: a window whose top lies exactly at
        // screen height minus half its height stays.
        if (2 * top > 2 * screenHeight - height) {
            top = (screenHeight - height) / 2;
            out.actions.push_back(Action::Minimize);
        }
    } else if (afterMove) {
        if (left < 0) {
            out.actions.push_back(Action::PreviousTab);
            left = 300;
        }
        if (left > screenWidth - width) {
            out.actions.push_back(Action::NextTab);
            left = screenWidth - width - 300;
        }
        if (top < 100) {
            out.actions.push_back(Action::NewTab);
            top = 300;
        }
        if (top > screenHeight - height - 300) {
            top = screenHeight - (height + taskbarHeightPx * kTwipsPerPixel);
            out.actions.push_back(Action::CloseTab);
        }
    }
    out.topLeft = QPoint(left, top);
    return out;
}

bool positionKnown(const QString &platformName)
{
    return !platformName.startsWith(QLatin1String("wayland"));
}

} // namespace modGestra
