#pragma once

#include <QString>

class FavoriteStore;

// The shortcut's one-key favorite of the current page.
namespace quickFavorite {

inline constexpr const char *kExplanation = "Keyflint 기능으로 등록된 바로가기";
// The longest file base name in UTF-8 bytes: with ".sfm" and the temporary
// name written beside it, a file name stays well inside the 255 bytes a file
// system allows.
inline constexpr int kMaxFileBaseBytes = 200;

// text cut at the last whole character (a syllable, or a letter with its
// marks) that keeps it within maxBytes of UTF-8.
QString cutToBytes(const QString &text, int maxBytes);

// The file name (without ".sfm") of the page's favorite: the page title after
// the favorite title rule, so that separators and ".." stay inside the
// favorites folder, without the dots and dashes at its start (a hidden file
// would not be listed); an empty or unusable title takes the address's host
// name, and a page without one takes "바로가기". A long title is cut to
// kMaxFileBaseBytes; the favorite itself keeps the whole title.
QString fileBaseOf(const QString &title, const QString &address);

// Writes the favorite (title, explanation, address) through the store,
// replacing a favorite of the same name. False when nothing was written.
bool AddQuickFavorite(const FavoriteStore &store, const QString &title, const QString &address);

} // namespace quickFavorite
