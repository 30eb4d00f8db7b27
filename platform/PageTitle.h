#pragma once

#include <QString>

namespace platform {

// A page's title as the controls hand it out: at most kMaxTitleLength
// characters, cut with "…" (never inside a surrogate pair) and with line
// breaks turned into spaces, so that no window, caption or record has to
// carry the megabyte a page may put there.
inline constexpr qsizetype kMaxTitleLength = 1024;
QString cutTitle(const QString &title);

} // namespace platform
