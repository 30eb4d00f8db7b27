#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

class QWidget;

// The window's fade-out at exit: the alpha goes 255, 250, ..., 5, 0 over about
// a second, whatever one step costs. A step whose time has passed is skipped,
// the last one (alpha 0) never.
namespace fade {

inline constexpr int kSteps = 52;
inline constexpr qint64 kDurationMs = 1000;

constexpr int alphaAt(int step)
{
    return 255 - 5 * step;
}

// The step due after elapsedMs.
int stepAt(qint64 elapsedMs, qint64 durationMs = kDurationMs);

// Runs the steps: now() reads the clock in ms, show(alpha) shows one step and
// waitUntil(ms) lets events run until that time. Returns the steps shown.
int run(const std::function<qint64()> &now, const std::function<void(int)> &show,
        const std::function<void(qint64)> &waitUntil, qint64 durationMs = kDurationMs);

// Fades a window out, letting events run between the steps.
int fadeOut(QWidget *window);

// Whether a window's opacity shows at all: only a compositing window system
// draws it. Without one there is nothing to fade.
bool opacityShows(const QWidget *window);

// Whether the window system of platformName (QGuiApplication::platformName)
// lets a program set a top-level window's opacity at all. Wayland does not:
// it always composites, but setting the opacity only warns.
bool opacityOffered(const QString &platformName);

} // namespace fade
