#pragma once

#include <QString>

namespace platform {

class Environment;

// The folder table of the program. Paths are built afresh at every call.
namespace folders {

QString themeFolder(const Environment &env);        // <app>/Ambrel
QString profileFolder(const Environment &env);      // <app>/UserData/<user>
QString settingsFile(const Environment &env);       // <profile>/Setting.ini
QString favoriteFolder(const Environment &env);     // <profile>/Favorite
QString notepadFolder(const Environment &env);      // <profile>/Notepad
QString profileTempFolder(const Environment &env);  // <profile>/Temp
QString engineFolder(const Environment &env);       // <profile>/Engine (web engine storage)

} // namespace folders
} // namespace platform
