#include "SystemGrade.h"

#include <QRegularExpression>

#include <cmath>

namespace systemgrade {

namespace {

double roundedMegabytes(double bytes)
{
    return std::nearbyint(bytes / (1024.0 * 1024.0));
}

} // namespace

int processorScore(int processorCount)
{
    return processorCount == 1 ? 1 : 2;
}

int versionScore(double majorMinor)
{
    return majorMinor > 5.1 ? 3 : 2;
}

int virtualMemoryScore(double totalBytes)
{
    return roundedMegabytes(totalBytes) > 2048 ? 2 : 1;
}

int physicalMemoryScore(double totalBytes)
{
    return roundedMegabytes(totalBytes) > 512 ? 2 : 1;
}

Band band(int total)
{
    if (total <= 5)
        return Band::Low;
    if (total <= 8)
        return Band::Medium;
    return Band::High;
}

double majorMinor(const QString &release)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d+)(?:\\.(\\d+))?"));
    const QRegularExpressionMatch m = pattern.match(release);
    if (!m.hasMatch())
        return 0;
    const QString minor = m.captured(2).isEmpty() ? QStringLiteral("0") : m.captured(2);
    return (m.captured(1) + QLatin1Char('.') + minor).toDouble();
}

QList<std::pair<settings::Key, QString>> bandSettings(Band band)
{
    using K = settings::Key;
    const int column = int(band);
    // low, medium, high
    const struct
    {
        K key;
        const char *values[3];
    } table[] = {
        {K::AmbrelUseValue, {"0", "1", "1"}},
        {K::PurgelValue, {"1", "1", "1"}},
        {K::AlwaysShowWebBrowserPlusToolValue, {"1", "0", "0"}},
        {K::KeyflintValue, {"0", "1", "1"}},
        {K::VitrelUseValue, {"0", "1", "1"}},
        {K::FadeEffectValue, {"0", "0", "1"}},
        {K::GestraValue, {"0", "1", "1"}},
        {K::ResetEngineValue, {"0", "1", "1"}},
        {K::RestoriaValue, {"2", "1", "1"}},
        {K::PanovelValue, {"0", "1", "1"}},
        {K::NewWindowOpenValue, {"0", "0", "0"}},
        {K::SystemCheckValue, {"0", "0", "1"}},
    };
    QList<std::pair<K, QString>> out;
    for (const auto &row : table)
        out.append({row.key, QString::fromLatin1(row.values[column])});
    return out;
}

} // namespace systemgrade
