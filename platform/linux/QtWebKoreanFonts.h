#pragma once

#include <QString>
#include <QStringList>

class QWebEngineSettings;

namespace platform {

// The engine's default faces are Korean, so that text without a face of its
// own, and Han characters in a page that names no language, take Korean
// glyphs rather than whatever face fontconfig would pick first (often a
// Japanese or Chinese one). The faces pages ask for by name are mapped by the
// font aliases (dist/fonts, loaded by prepareWebEngine).
namespace koreanfonts {

// The first of candidates that is installed; empty when none is.
QString firstInstalled(const QStringList &candidates, const QStringList &installed);

// The Korean sans-serif and serif faces of this system, empty when missing.
QString sansFamily();
QString serifFamily();

// Sets the standard, sans-serif and serif families of settings to them.
void apply(QWebEngineSettings *settings);

} // namespace koreanfonts
} // namespace platform
