#pragma once

#include "themepack/PictureFiles.h"

#include <QString>
#include <QStringList>

namespace platform {
class Environment;
}

// Where theme packs live and how their information file reads. Every path is
// built afresh from the application folder at each call; nothing is kept open.
// Pack names are used exactly as typed (spaces, Korean text); the writer checks
// them with isUsablePackName before it creates anything.
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
// fileName is a name of the picture table, e.g. "TopLine.gif".
QString picturePath(const QString &applicationFolder, const QString &packName, const QString &fileName);

// The three values of an information file as stored; empty when missing.
struct PackInfo
{
    QString name;
    QString makerName;
    QString makerUrl;
};

PackInfo readInfoValues(const QString &infoFilePath);
// The three texts to show: stored values, or the placeholders where a value is
// missing or empty (all three when the file does not exist).
PackInfo readInfo(const QString &infoFilePath);

// Every sub-folder of the theme folder, sorted by name; files are ignored.
// Empty when the theme folder does not exist.
QStringList listPacks(const QString &applicationFolder);

// A plain existence query: true for an existing file, false for nothing or a folder.
bool fileExists(const QString &path);
bool folderExists(const QString &path);

// The counted files of the table that are missing from a pack folder, in table
// order. Its size is the number the browser reports when applying the pack.
QStringList missingCountedFiles(const QString &packFolderPath);

// A name that stays one folder below the theme folder: not empty, not "." or
// "..", no path separator and no NUL.
bool isUsablePackName(const QString &name);

} // namespace themepack
