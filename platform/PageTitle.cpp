#include "PageTitle.h"

namespace platform {

QString cutTitle(const QString &title)
{
    QString cut = title;
    if (cut.size() > kMaxTitleLength) {
        qsizetype length = kMaxTitleLength - 1;
        if (cut.at(length - 1).isHighSurrogate())
            --length;
        cut = cut.left(length) + QChar(0x2026);
    }
    for (QChar &c : cut) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    return cut;
}

} // namespace platform
