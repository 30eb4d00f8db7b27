#pragma once

#include "platform/SettingsKeys.h"

#include <QList>
#include <QString>

#include <utility>

// The first-run grading: four scores measured on the machine, their total and
// the band of default settings the total chooses. Pure functions, so the
// bands can be checked at their edges without a window.
namespace systemgrade {

enum class Band { Low, Medium, High };

int processorScore(int processorCount);          // 1 for exactly one processor, else 2
int versionScore(double majorMinor);              // 3 above 5.1, else 2
int virtualMemoryScore(double totalBytes);        // 2 above 2048 MB, else 1
int physicalMemoryScore(double totalBytes);       // 2 above 512 MB, else 1
Band band(int total);                             // <= 5 low, 6..8 medium, >= 9 high

// The kernel's major.minor read as a decimal ("6.1.0-18-amd64" -> 6.1).
double majorMinor(const QString &release);

// The keys of the band, in the order they are written.
QList<std::pair<settings::Key, QString>> bandSettings(Band band);

} // namespace systemgrade
