#include "ZoomLadder.h"

#include <cmath>

namespace zoomLadder {

int clamp(int percent)
{
    return percent < kMinimum ? kMinimum : percent > kMaximum ? kMaximum : percent;
}

int step(int percent, int direction)
{
    const int from = clamp(percent);
    if (direction > 0) {
        for (int level : kLevels) {
            if (level > from)
                return level;
        }
        return kMaximum;
    }
    if (direction < 0) {
        for (auto it = kLevels.rbegin(); it != kLevels.rend(); ++it) {
            if (*it < from)
                return *it;
        }
        return kMinimum;
    }
    return from;
}

int percentOf(double factor)
{
    if (!std::isfinite(factor))
        return kNormal;
    return int(std::lround(factor * 100.0));
}

QString noticeText(int percent)
{
    return QStringLiteral("확대/축소: %1%").arg(percent);
}

} // namespace zoomLadder
