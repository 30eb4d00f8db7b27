#include "FadeOut.h"
#include "PacedWait.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QWidget>

#include <algorithm>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#define VORLEN_HAVE_XCB 1
#endif

namespace fade {

int stepAt(qint64 elapsedMs, qint64 durationMs)
{
    if (durationMs <= 0 || elapsedMs >= durationMs)
        return kSteps - 1;
    return int(std::max<qint64>(0, elapsedMs) * (kSteps - 1) / durationMs);
}

int run(const std::function<qint64()> &now, const std::function<void(int)> &show,
        const std::function<void(qint64)> &waitUntil, qint64 durationMs)
{
    const qint64 start = now();
    int shown = 0;
    int last = -1;
    while (last < kSteps - 1) {
        const int step = std::max(last + 1, stepAt(now() - start, durationMs));
        show(alphaAt(step));
        ++shown;
        last = step;
        if (last < kSteps - 1)
            waitUntil(start + (last + 1) * durationMs / (kSteps - 1));
    }
    return shown;
}

int fadeOut(QWidget *window)
{
    QElapsedTimer clock;
    clock.start();
    return run([&clock] { return clock.elapsed(); },
               [window](int alpha) { window->setWindowOpacity(alpha / 255.0); },
               [&clock](qint64 until) { paced::waitUntil(clock, until); });
}

bool opacityShows(const QWidget *window)
{
    const QString platform = QGuiApplication::platformName();
    if (!opacityOffered(platform))
        return false;
#ifdef VORLEN_HAVE_XCB
    if (platform == QLatin1String("xcb")) {
        auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
        if (!connection)
            return false;
        // A compositing manager owns the selection _NET_WM_CM_S<screen>.
        int screen = 0;
        if (window && window->screen()) {
            const auto screens = QGuiApplication::screens();
            screen = std::max<qsizetype>(0, screens.indexOf(window->screen()));
        }
        const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
        xcb_intern_atom_reply_t *atom =
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, name.size(), name.constData()), nullptr);
        if (!atom)
            return false;
        bool owned = false;
        if (atom->atom != XCB_ATOM_NONE) {
            xcb_get_selection_owner_reply_t *owner =
                xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
            owned = owner && owner->owner != XCB_NONE;
            free(owner);
        }
        free(atom);
        return owned;
    }
#else
    Q_UNUSED(window);
#endif
    return false;
}

bool opacityOffered(const QString &platformName)
{
    return !platformName.startsWith(QLatin1String("wayland"));
}

} // namespace fade
