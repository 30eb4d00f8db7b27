#pragma once

#include <QString>

// The program's name and version, shown on the generated pages and the about box.
namespace version {

inline constexpr int kMajor = 1;
inline constexpr int kMinor = 0;
inline constexpr int kRevision = 0;

inline constexpr auto kProductName = "Vorlen";
inline constexpr auto kMakerName = "Brenmor";

// "major.minor.revision"
inline QString text()
{
    return QString::number(kMajor) + u'.' + QString::number(kMinor) + u'.' + QString::number(kRevision);
}

} // namespace version
