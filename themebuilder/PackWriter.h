#pragma once

#include "themebuilder/SlotPicture.h"
#include "themepack/PackName.h"
#include "themepack/PictureFiles.h"

#include <QHash>
#include <QString>

#include <array>
#include <string_view>

// Turns the wizard's choices into a theme pack folder. Free of widgets, so the
// whole make step can be tested on a temporary folder.
namespace prismel {

// The order in which slots are checked and written: the first seventeen files in
// alphabetical order of their names, then the side-bar buttons in page order. The
// first empty slot in this order is the one the user is sent to.
inline constexpr std::array<std::string_view, 25> kWriteOrder = {
    "BackButton", "BackButtonPress", "BottomLeftEdge", "BottomLine", "BottomRightEdge",
    "ForwardButton", "ForwardButtonPress", "LeftLine", "RefreshButton", "RefreshButtonPress",
    "RightLine", "StopButton", "StopButtonPress", "ToolbarBackgroundImage", "TopLeftEdge",
    "TopLine", "TopRightEdge", "FavoriteButton", "SearchButton", "DesignModeButton",
    "ScriptErrorsButton", "TaskManagerButton", "VitrelButton", "PanovelButton", "NotepadButton",
};

constexpr bool writeOrderCoversBuilderFiles()
{
    for (std::string_view name : kWriteOrder) {
        const auto file = themepack::pictureFile(name);
        if (!file || !file->writtenByBuilder)
            return false;
    }
    return true;
}
static_assert(writeOrderCoversBuilderFiles());

struct PackRequest
{
    QString applicationFolder;
    // Empty makes the pack under a default name that is still free (defaultPackName).
    QString packName;
    QString makerName;
    QString makerUrl;
    // Chosen pictures by slot (the file name without ".gif"); a slot that is
    // absent or empty stops the make step.
    QHash<QString, SlotPicture> pictures;
};

struct PackResult
{
    enum class Outcome { Made, UnusableName, EmptySlot, WriteFailed };
    // Why a WriteFailed happened: a write that did not succeed, or a pack folder
    // that is a symbolic link or resolves outside the theme folder (refused
    // before anything is written into it).
    enum class Failure { Write, LinkedFolder, OutsideThemeFolder };
    Outcome outcome = Outcome::Made;
    QString emptySlot;   // with EmptySlot: the slot's file name without ".gif"
    QString failedPath;  // with WriteFailed: the folder or file that could not be written
    Failure failure = Failure::Write;
    themepack::PackNameProblem nameProblem = themepack::PackNameProblem::None;  // with UnusableName
    QString packName;    // with Made: the name the pack was made under
};

// Creates the theme and pack folders when missing, writes the pictures in the
// fixed order, then the information file. Stops at an unusable name (before
// anything is written), at a pack folder that is a link or leads out of the theme
// folder (nothing is written into it), at the first empty slot (earlier pictures
// stay) or at the first write that fails (nothing written is removed). Other
// files in the pack folder and other keys of the information file are left alone.
// With an empty name every slot is checked first, so a stop leaves no folder
// under a name the user never saw.
PackResult writePack(const PackRequest &request);

// The first of "새 테마팩", "새 테마팩 2", "새 테마팩 3", ... that names nothing
// in the theme folder (no folder, file or link); empty when all are taken.
QString defaultPackName(const QString &applicationFolder);

// Texts of the make step's message boxes.
QString makerMessageTitle();                               // "Prismel™ 생성 관리자"
QString emptySlotMessage(const QString &slotLabel);
QString unusableNameMessage(themepack::PackNameProblem problem);
QString writeFailedMessage(const QString &path);
QString failureMessage(const PackResult &result);  // the message for a WriteFailed result

// The builder's label for a slot ("뒤로 버튼 (일반)" for "BackButton").
QString slotLabel(const QString &slotName);

} // namespace prismel
