#pragma once

#include <QString>

#include <array>

// The zoom levels a step goes through, in percent.
namespace zoomLadder {

inline constexpr std::array<int, 17> kLevels = {25,  33,  50,  67,  75,  80,  90,  100, 110,
                                                125, 150, 175, 200, 250, 300, 400, 500};
inline constexpr int kMinimum = 25;
inline constexpr int kMaximum = 500;
inline constexpr int kNormal = 100;

// The level one step in (direction > 0) or out (< 0) of percent: the next
// level of the ladder past it, so that a level off the ladder (set by hand
// in the settings) joins it at the nearest step; the ends stay where they are.
int step(int percent, int direction);

// percent as a zoom level: clamped to the ladder's ends.
int clamp(int percent);

// The percent a zoom factor stands for (1.25 -> 125).
int percentOf(double factor);

// "확대/축소: 125%".
QString noticeText(int percent);

} // namespace zoomLadder
