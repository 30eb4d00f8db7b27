#include "platform/IniFile.h"
#include "platform/SettingsKeys.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A settings file as the program leaves it after a while: both sections with
// every key, a few comments, CR LF line ends.
QByteArray realisticSettingsFile()
{
    QByteArray text = "; Vorlen settings\r\n; edited by the settings dialog\r\n\r\n";
    for (const char *section : {settings::kVorlenSection, settings::kAmbrelSection}) {
        text += QByteArray("[") + section + "]\r\n";
        for (const settings::KeyInfo &k : settings::kKeys) {
            if (k.section != section)
                continue;
            if (k.key == settings::Key::LastWindowMode)
                text += "; window placement at the last exit\r\n";
            QByteArray value = "1";
            if (k.key == settings::Key::StartPageAdressValue)
                value = "http://www.example.com/start";
            else if (k.key == settings::Key::ThemeName)
                value = "파란 하늘";
            else if (k.key >= settings::Key::LastWindowTop && k.key <= settings::Key::LastWindowWidth)
                value = "7215";
            text += QByteArray(k.name) + '=' + value + "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

struct SettingsFixture
{
    QTemporaryDir dir;
    QString path = dir.filePath("Setting.ini");

    SettingsFixture()
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(realisticSettingsFile());
    }
};

// The read every handler makes: one key near the end of the file.
void BM_ReadIniValue(benchmark::State &state)
{
    SettingsFixture fx;
    const QString section = QString::fromLatin1(settings::kAmbrelSection);
    const QString key = QStringLiteral("AskUseBooleanValue");
    for (auto _ : state)
        benchmark::DoNotOptimize(modINIControl::ReadIniValue(section, key, fx.path));
}
BENCHMARK(BM_ReadIniValue);

// A write that changes the value: read, rewrite, flush to disk and rename.
void BM_WriteIniValue(benchmark::State &state)
{
    SettingsFixture fx;
    const QString section = QString::fromLatin1(settings::kVorlenSection);
    const QString key = QStringLiteral("LastWindowTop");
    const QString values[] = {QStringLiteral("1200"), QStringLiteral("1215")};
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(modINIControl::WriteIniValue(section, key, values[++i & 1], fx.path));
}
BENCHMARK(BM_WriteIniValue);

// A write of the value already stored leaves the file alone.
void BM_WriteIniValueUnchanged(benchmark::State &state)
{
    SettingsFixture fx;
    const QString section = QString::fromLatin1(settings::kVorlenSection);
    const QString key = QStringLiteral("PurgelValue");
    for (auto _ : state)
        benchmark::DoNotOptimize(modINIControl::WriteIniValue(section, key, QStringLiteral("1"), fx.path));
}
BENCHMARK(BM_WriteIniValueUnchanged);

} // namespace
