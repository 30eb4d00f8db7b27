// Applying a whole theme pack (every picture decoded and set) against the
// built-in design, on a window of the skinned elements.
#include "browser/frame/PictureControl.h"
#include "browser/themes/BuiltinImages.h"
#include "browser/themes/Skin.h"
#include "browser/themes/modAmbrel.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "platform/testing/FakeDialogs.h"
#include "platform/testing/FakeEnvironment.h"
#include "themepack/ThemePack.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <set>

namespace {

struct ThemeFixture
{
    QTemporaryDir dir;
    platform::testing::FakeEnvironment env{dir.path()};
    platform::testing::FakeDialogs dialogs;
    BuiltinImages images;
    QWidget window;
    Skin skin{env, images};

    ThemeFixture()
    {
        QDir().mkpath(platform::folders::profileFolder(env));
        std::set<std::string_view> elements;
        for (const themepack::PictureFile &row : themepack::kPictureFiles) {
            for (std::string_view element : {row.element, row.alsoElement}) {
                if (!element.empty() && elements.insert(element).second)
                    new PictureControl(themepack::tableText(element), &window);
            }
        }
        skin.attach(&window);
        // The shipped Daylight pack, copied into this application folder.
        const QString from = QStringLiteral(SHIPPED_THEME_FOLDER "/Daylight");
        const QString to = themepack::packFolder(env.applicationFolder(), QStringLiteral("Daylight"));
        QDir().mkpath(to);
        for (const QString &name : QDir(from).entryList(QDir::Files))
            QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name);
        platform::setting::write(env, settings::Key::AmbrelUseValue, QStringLiteral("1"));
        platform::setting::write(env, settings::Key::ThemeName, QStringLiteral("Daylight"));
        platform::setting::write(env, settings::Key::AskUseBooleanValue, QStringLiteral("0"));
    }

    modAmbrel::Context context() { return modAmbrel::Context{skin, env, dialogs, nullptr, {}, {}}; }
};

void BM_StartWithBuiltinDesign(benchmark::State &state)
{
    ThemeFixture fx;
    platform::setting::write(fx.env, settings::Key::AmbrelUseValue, QStringLiteral("0"));
    auto ctx = fx.context();
    for (auto _ : state)
        modAmbrel::CheckThemeAtStart(ctx);
}
BENCHMARK(BM_StartWithBuiltinDesign)->Unit(benchmark::kMillisecond);

void BM_StartWithFullPack(benchmark::State &state)
{
    ThemeFixture fx;
    auto ctx = fx.context();
    for (auto _ : state)
        modAmbrel::CheckThemeAtStart(ctx);
    if (!fx.dialogs.messageBoxes().isEmpty())
        state.SkipWithError("the pack was not complete");
}
BENCHMARK(BM_StartWithFullPack)->Unit(benchmark::kMillisecond);

} // namespace
