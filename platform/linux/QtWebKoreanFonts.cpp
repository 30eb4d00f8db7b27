#include "QtWebKoreanFonts.h"

#include <QFontDatabase>
#include <QWebEngineSettings>

namespace platform::koreanfonts {

QString firstInstalled(const QStringList &candidates, const QStringList &installed)
{
    for (const QString &candidate : candidates) {
        if (installed.contains(candidate, Qt::CaseInsensitive))
            return candidate;
    }
    return QString();
}

QString sansFamily()
{
    return firstInstalled({QStringLiteral("Noto Sans CJK KR"), QStringLiteral("NanumGothic"),
                           QStringLiteral("NanumBarunGothic"), QStringLiteral("UnDotum")},
                          QFontDatabase::families());
}

QString serifFamily()
{
    return firstInstalled({QStringLiteral("Noto Serif CJK KR"), QStringLiteral("NanumMyeongjo"),
                           QStringLiteral("UnBatang")},
                          QFontDatabase::families());
}

void apply(QWebEngineSettings *settings)
{
    // Without a Korean face the engine keeps its own defaults.
    const QString sans = sansFamily();
    if (!sans.isEmpty()) {
        settings->setFontFamily(QWebEngineSettings::StandardFont, sans);
        settings->setFontFamily(QWebEngineSettings::SansSerifFont, sans);
    }
    const QString serif = serifFamily();
    if (!serif.isEmpty())
        settings->setFontFamily(QWebEngineSettings::SerifFont, serif);
}

} // namespace platform::koreanfonts
