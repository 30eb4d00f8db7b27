#pragma once

#include <QString>
#include <QStringList>

class QMenu;
class QWebEngineProfile;
class QWebEngineView;

namespace platform {

// Spell checking of the page fields. The engine reads its dictionaries (.bdic
// files named after their language) from one folder: the build and a portable
// copy keep them in qtwebengine_dictionaries beside the executable, an
// install in <prefix>/share/vorlen/qtwebengine_dictionaries, which
// prepareWebEngine hands the engine through QTWEBENGINE_DICTIONARIES_PATH.
// Without the Korean dictionary the pages are not checked at all, and
// nothing is said about it.
namespace spellcheck {

// The folder the engine reads its dictionaries from.
QString dictionaryFolder();

// The languages to check, of those the browser knows ("ko", then "en-US"),
// whose dictionary lies in folder; empty when the Korean one is missing.
QStringList languagesIn(const QString &folder);

// Turns spell checking on for profile when folder holds the Korean
// dictionary; otherwise leaves it off. Returns the languages set.
QStringList apply(QWebEngineProfile *profile, const QString &folder);

// The caption above the suggestions in a page's context menu, and the line
// shown instead when the engine has none for a misspelled word.
QString suggestionsCaption();
QString noSuggestionsCaption();

// The suggestions to offer for the engine's: composed (NFC), without
// repeats, at most most of them.
QStringList suggestionsOf(const QStringList &engineSuggestions, int most);

// The page's context menu for the request the view last received: the
// engine's own menu, with the suggestions for a misspelled word (composed,
// each replacing the word) under a Korean caption. The menu deletes itself
// when closed.
QMenu *contextMenu(QWebEngineView *view);

} // namespace spellcheck
} // namespace platform
