#pragma once

#include <QString>
#include <QtGlobal>

// The texts of the downloads window's rows.
namespace downloadText {

// "512 바이트", "1.5 KB", "12.3 MB", "1.2 GB".
QString sizeText(qint64 bytes);
// "3분 20초", "45초", "1시간 5분".
QString durationText(qint64 seconds);
// A running download: "1.5 MB / 12.3 MB, 초당 800 KB, 14초 남음"; what is not
// known yet (the size, the speed) is left out.
QString progressText(qint64 received, qint64 total, double bytesPerSecond);

} // namespace downloadText
