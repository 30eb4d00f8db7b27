#pragma once

#include <QString>

// Small decisions of the page events, kept pure for testing.
namespace pagerules {

// The address as the status bar shows it: at most 30 characters, then "...".
QString shortUrl(const QString &url);

struct Progress
{
    int max = 100;
    int value = 0;
};

// The progress bar's range and position for a ProgressChange: a maximum below
// the progress is raised to it, a maximum below 1 becomes 100, and a negative
// progress (loading done) shows as 0.
Progress progress(int progress, int progressMax);

} // namespace pagerules
