#pragma once

#include <QtGlobal>

#include <functional>
#include <vector>

class QWidget;

namespace platform {
class Environment;
}

// Window transparency: a constant alpha over the whole window, and the two
// animations of the fade effect (the blink after a title-strip move, the fade
// before minimizing).
namespace modVitrel {

// Alpha 255 is opaque. Enabled false makes the window opaque again.
void SetVitrel(QWidget *form, qint32 alpha, bool enabled);
// Forgets the stored alpha (VitrelValue "0").
bool ClearVitrelValue(const platform::Environment &env);
// The stored alpha when it is one the program may set (100 to 255), 0 otherwise.
int storedAlpha(const platform::Environment &env);
// Puts the stored alpha back on the window, or makes it opaque.
void restoreStored(const platform::Environment &env, QWidget *form);

// The alphas of the blink: two pulses of 255 down to 150 and back up, in steps
// of 5 (22 + 22 values each).
std::vector<int> blinkAlphas();
// The alphas of the fade before minimizing: 255 down to 0 in steps of 15 from
// the maximized state (18 values), of 5 otherwise (52 values).
std::vector<int> minimizeAlphas(bool maximized);

// Shows the alphas over about durationMs whatever one step costs, letting
// events run between them. A step whose time has passed is skipped, the last
// one never. now() reads a clock in ms, waitUntil(ms) lets events run until
// then. Returns the alphas shown.
std::vector<int> play(const std::vector<int> &alphas, qint64 durationMs, const std::function<qint64()> &now,
                      const std::function<void(int)> &show, const std::function<void(qint64)> &waitUntil);
// play() on the real clock and event loop.
int playOn(QWidget *form, const std::vector<int> &alphas, qint64 durationMs);

inline constexpr qint64 kBlinkMs = 600;
inline constexpr qint64 kMinimizeMs = 300;

// The blink after a move: only with the fade effect on and the window not
// maximized, and only where opacity shows. Ends at the stored alpha. Returns
// the steps shown.
int VitrelBlink(const platform::Environment &env, QWidget *form, bool opacityShows);

// Minimizes the window, fading it out first when the fade effect is on and
// opacity shows; the window takes no input meanwhile and comes back from the
// taskbar at its stored alpha. Returns the steps shown.
int VitrelMinimize(const platform::Environment &env, QWidget *form, bool opacityShows);

} // namespace modVitrel
