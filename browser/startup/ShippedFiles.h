#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class Environment;
}

// Files the program ships: the help page and the theme packs. A portable copy
// keeps them beside the executable; an installed copy finds them in the
// install's data folder (<prefix>/share/vorlen) and writes nothing there.
namespace shipped {

inline constexpr auto kHelpPage = "ReadMe.htm";

// The help page: the one in the application folder, else the one in the data
// folder; empty when neither exists.
QString helpPage(const platform::Environment &env);

// The packs shipped in the data folder's theme folder.
QString shippedThemeFolder(const platform::Environment &env);

// Copies every shipped pack that the user's theme folder lacks into it, so the
// browser and the theme builder keep meeting in one theme folder per user. A
// pack is copied into a hidden folder beside and then renamed, so a pack folder
// is either complete or absent; linked files and folders are not followed.
// Returns the names of the packs copied.
QStringList installPacks(const platform::Environment &env);

} // namespace shipped
