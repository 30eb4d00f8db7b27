#include "modWindowSetting.h"

#include "platform/Settings.h"
#include "platform/SettingsKeys.h"

namespace modWindowSetting {

namespace {

int toPx(qint32 twips)
{
    return int(twips / kTwipsPerPixel);
}

} // namespace

Stored read(const platform::Environment &env)
{
    using K = settings::Key;
    Stored s;
    s.mode = platform::setting::int32(env, K::LastWindowMode);
    s.top = platform::setting::int32(env, K::LastWindowTop);
    s.left = platform::setting::int32(env, K::LastWindowLeft);
    s.width = platform::setting::int32(env, K::LastWindowWidth);
    s.height = platform::setting::int32(env, K::LastWindowHeight);
    return s;
}

QRect centred(const QRect &screenPx, const QSize &sizePx)
{
    return {screenPx.x() + (screenPx.width() - sizePx.width()) / 2,
            screenPx.y() + (screenPx.height() - sizePx.height()) / 2, sizePx.width(), sizePx.height()};
}

Placement decide(bool settingsFileExists, const Stored &stored, const QList<QRect> &screensPx)
{
    Placement p;
    if (!settingsFileExists)
        return p;
    if (stored.mode == 2) {
        p.kind = Placement::Kind::Maximized;
        return p;
    }
    if (stored.mode != 0 && stored.mode != 1)
        return p;

    if (stored.width <= 0 || stored.height <= 0) {
        const QSize firstRun(toPx(kFirstRunWidth), toPx(kFirstRunHeight));
        p.rectPx = screensPx.isEmpty() ? QRect(QPoint(0, 0), firstRun) : centred(screensPx.front(), firstRun);
        return p;
    }
    p.kind = Placement::Kind::Rect;
    p.rectPx = QRect(toPx(stored.left), toPx(stored.top), toPx(stored.width), toPx(stored.height));
    if (screensPx.isEmpty())
        return p;
    // A rectangle without size still has a place; it counts by its corner.
    const QRect probe(p.rectPx.topLeft(), QSize(qMax(1, p.rectPx.width()), qMax(1, p.rectPx.height())));
    for (const QRect &screen : screensPx) {
        if (screen.intersects(probe))
            return p;
    }
    const QRect &primary = screensPx.front();
    const QSize size(qMin(p.rectPx.width(), primary.width()), qMin(p.rectPx.height(), primary.height()));
    p.rectPx = centred(primary, size);
    return p;
}

QList<std::pair<int, QString>> savedTexts(const Saved &saved)
{
    using K = settings::Key;
    const QRect &r = saved.rectPx;
    return {
        {int(K::LastWindowMode), QString::number(saved.mode)},
        {int(K::LastWindowTop), QString::number(qint64(r.y()) * kTwipsPerPixel)},
        {int(K::LastWindowLeft), QString::number(qint64(r.x()) * kTwipsPerPixel)},
        {int(K::LastWindowHeight), QString::number(qint64(r.height()) * kTwipsPerPixel)},
        {int(K::LastWindowWidth), QString::number(qint64(r.width()) * kTwipsPerPixel)},
    };
}

VitrelOffer vitrelOffer(qint16 useValue, qint32 value)
{
    if (useValue != 1)
        return VitrelOffer::None;
    if (value >= 100 && value <= 255)
        return VitrelOffer::Ask;
    if ((value >= 2 && value <= 99) || value > 255)
        return VitrelOffer::Error;
    return VitrelOffer::None;
}

} // namespace modWindowSetting
