#pragma once

#include "themepack/PackName.h"
#include "themepack/PictureFiles.h"

#include <QString>
#include <QStringList>

namespace platform {
class Environment;
}

// Where theme packs live and how their information file reads. Every path is
// built afresh from the application folder at each call; nothing is kept open.
// Pack names are used exactly as typed (spaces, Korean text); the writer checks
// them with isUsablePackName (PackName.h) before it creates anything.
//
// Readers only look at what lies inside the theme folder: a pack folder must be a
// real folder (not a symbolic link) with a usable name, and a file of a pack
// counts only when it resolves inside its own pack folder. The theme folder
// itself may be a link; it is where the user keeps packs.
namespace themepack {

inline constexpr char kInfoSection[] = "Ambrel ThemePack Info";
inline constexpr char kKeyName[] = "Name";
inline constexpr char kKeyMakerName[] = "MakerName";
inline constexpr char kKeyMakerUrl[] = "MakerURL";
inline constexpr char kInfoSuffix[] = ".iti";

// Shown in place of a missing or empty value.
// A text of the picture table as a QString (the table holds UTF-8).
inline QString tableText(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString noNameText();       // "[테마팩 이름 없음]"
QString noMakerNameText();  // "[제작자 이름 없음]"
QString noMakerUrlText();   // "[제작자 URL 없음]"

QString themeFolder(const QString &applicationFolder);
QString themeFolder(const platform::Environment &env);
QString packFolder(const QString &applicationFolder, const QString &packName);
QString infoFile(const QString &applicationFolder, const QString &packName);
// fileName is a name of the picture table, e.g. "TopLine.gif". Empty when the
// path must not be used: the pack name is not usable, the pack folder exists
// but is not a plain pack folder, or the file is a link that resolves outside
// the pack folder. A file that does not exist yet still gets its path.
QString picturePath(const QString &applicationFolder, const QString &packName, const QString &fileName);

// A real folder, not a symbolic link, directly inside the folder its path names
// (the theme folder), under a usable pack name.
bool isPlainPackFolder(const QString &packFolderPath);

// The three values of an information file as stored; empty when missing.
struct PackInfo
{
    QString name;
    QString makerName;
    QString makerUrl;
};

// A file that fileExists() does not accept reads as missing.
PackInfo readInfoValues(const QString &infoFilePath);
// The three texts to show: stored values, or the placeholders where a value is
// missing or empty (all three when the file does not exist or is not accepted).
PackInfo readInfo(const QString &infoFilePath);

// Every plain pack folder of the theme folder, sorted by name; files, links and
// folders without a usable pack name are ignored. Empty when the theme folder
// does not exist.
QStringList listPacks(const QString &applicationFolder);

// An existence query for a file of a pack: true for an existing file (or a link
// to one) that resolves inside its folder when that folder is a plain pack
// folder; false for nothing, a folder, or anything that leads elsewhere.
bool fileExists(const QString &path);
bool folderExists(const QString &path);

// The counted files of the table that are missing from a pack folder, in table
// order (files fileExists() does not accept count as missing). Its size is the
// number the browser reports when applying the pack.
QStringList missingCountedFiles(const QString &packFolderPath);

} // namespace themepack
