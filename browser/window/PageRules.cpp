#include "PageRules.h"

namespace pagerules {

QString shortUrl(const QString &url)
{
    return url.size() > 30 ? url.left(30) + QStringLiteral("...") : url;
}

Progress progress(int progress, int progressMax)
{
    if (progressMax < progress)
        progressMax = progress;
    if (progressMax < 1)
        progressMax = 100;
    if (progress < 0)
        progress = 0;
    return {progressMax, progress};
}

} // namespace pagerules
