#include "DownloadText.h"

#include <cmath>

namespace downloadText {

QString sizeText(qint64 bytes)
{
    if (bytes < 0)
        return QStringLiteral("알 수 없음");
    if (bytes < 1024)
        return QStringLiteral("%1 바이트").arg(bytes);
    const char *units[] = {"KB", "MB", "GB", "TB"};
    double value = double(bytes) / 1024.0;
    int unit = 0;
    while (value >= 1024.0 && unit < 3) {
        value /= 1024.0;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(value, 0, 'f', value < 10.0 ? 1 : 0).arg(QLatin1String(units[unit]));
}

QString durationText(qint64 seconds)
{
    if (seconds < 0)
        seconds = 0;
    if (seconds < 60)
        return QStringLiteral("%1초").arg(seconds);
    if (seconds < 3600)
        return seconds % 60 ? QStringLiteral("%1분 %2초").arg(seconds / 60).arg(seconds % 60)
                            : QStringLiteral("%1분").arg(seconds / 60);
    const qint64 minutes = (seconds % 3600) / 60;
    return minutes ? QStringLiteral("%1시간 %2분").arg(seconds / 3600).arg(minutes)
                   : QStringLiteral("%1시간").arg(seconds / 3600);
}

QString progressText(qint64 received, qint64 total, double bytesPerSecond)
{
    QString text = total > 0 ? QStringLiteral("%1 / %2").arg(sizeText(received), sizeText(total)) : sizeText(received);
    if (bytesPerSecond > 0.0 && std::isfinite(bytesPerSecond)) {
        text += QStringLiteral(", 초당 %1").arg(sizeText(qint64(bytesPerSecond)));
        if (total > 0 && received <= total)
            text += QStringLiteral(", %1 남음").arg(durationText(qint64(std::ceil((total - received) / bytesPerSecond))));
    }
    return text;
}

} // namespace downloadText
