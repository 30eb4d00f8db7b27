#include "modVitrel.h"
#include "browser/frame/FadeOut.h"
#include "browser/frame/PacedWait.h"

#include "platform/Settings.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace modVitrel {

void SetVitrel(QWidget *form, qint32 alpha, bool enabled)
{
    if (!form)
        return;
    // Where the window system offers no opacity, setting it only warns.
    if (!fade::opacityOffered(QGuiApplication::platformName()))
        return;
    const int a = std::clamp<qint32>(alpha, 0, 255);
    form->setWindowOpacity(enabled ? a / 255.0 : 1.0);
}

bool ClearVitrelValue(const platform::Environment &env)
{
    return platform::setting::write(env, settings::Key::VitrelValue, QStringLiteral("0"));
}

int storedAlpha(const platform::Environment &env)
{
    const qint32 value = platform::setting::int32(env, settings::Key::VitrelValue);
    return value >= 100 && value <= 255 ? int(value) : 0;
}

void restoreStored(const platform::Environment &env, QWidget *form)
{
    if (const int alpha = storedAlpha(env))
        SetVitrel(form, alpha, true);
    else
        SetVitrel(form, 255, false);
}

std::vector<int> blinkAlphas()
{
    std::vector<int> alphas;
    for (int pulse = 0; pulse < 2; ++pulse) {
        for (int a = 255; a >= 150; a -= 5)
            alphas.push_back(a);
        for (int a = 150; a <= 255; a += 5)
            alphas.push_back(a);
    }
    return alphas;
}

std::vector<int> minimizeAlphas(bool maximized)
{
    const int step = maximized ? 15 : 5;
    std::vector<int> alphas;
    for (int a = 255; a >= 0; a -= step)
        alphas.push_back(a);
    return alphas;
}

std::vector<int> play(const std::vector<int> &alphas, qint64 durationMs, const std::function<qint64()> &now,
                      const std::function<void(int)> &show, const std::function<void(qint64)> &waitUntil)
{
    std::vector<int> shown;
    const int count = int(alphas.size());
    if (count == 0)
        return shown;
    const qint64 start = now();
    const int lastIndex = count - 1;
    int last = -1;
    while (last < lastIndex) {
        int due = lastIndex;
        if (lastIndex > 0 && durationMs > 0) {
            const qint64 elapsed = std::max<qint64>(0, now() - start);
            due = elapsed >= durationMs ? lastIndex : int(elapsed * lastIndex / durationMs);
        }
        const int step = std::max(last + 1, due);
        show(alphas[size_t(step)]);
        shown.push_back(alphas[size_t(step)]);
        last = step;
        if (last < lastIndex)
            waitUntil(start + (last + 1) * durationMs / lastIndex);
    }
    return shown;
}

int playOn(QWidget *form, const std::vector<int> &alphas, qint64 durationMs)
{
    QPointer<QWidget> window(form);
    QElapsedTimer clock;
    clock.start();
    return int(play(
                   alphas, durationMs, [&clock] { return clock.elapsed(); },
                   [window](int alpha) { SetVitrel(window.data(), alpha, true); },
                   [&clock](qint64 until) { paced::waitUntil(clock, until); })
                   .size());
}

int VitrelBlink(const platform::Environment &env, QWidget *form, bool opacityShows)
{
    if (!form || platform::setting::int16(env, settings::Key::FadeEffectValue) != 1 || form->isMaximized())
        return 0;
    int shown = 0;
    if (opacityShows)
        shown = playOn(form, blinkAlphas(), kBlinkMs);
    restoreStored(env, form);
    return shown;
}

int VitrelMinimize(const platform::Environment &env, QWidget *form, bool opacityShows)
{
    if (!form)
        return 0;
    QPointer<QWidget> window(form);
    const bool fade = platform::setting::int16(env, settings::Key::FadeEffectValue) == 1;
    int shown = 0;
    if (fade && opacityShows) {
        const bool wasEnabled = form->isEnabled();
        form->setEnabled(false);
        shown = playOn(form, minimizeAlphas(form->isMaximized()), kMinimizeMs);
        if (!window)
            return shown;
        form->setEnabled(wasEnabled);
    }
    form->setWindowState(form->windowState() | Qt::WindowMinimized);
    restoreStored(env, form);
    return shown;
}

} // namespace modVitrel
