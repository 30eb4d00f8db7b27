#pragma once

#include "themebuilder/SlotPicture.h"
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
    Outcome outcome = Outcome::Made;
    QString emptySlot;   // with EmptySlot: the slot's file name without ".gif"
    QString failedPath;  // with WriteFailed: the folder or file that could not be written
};

// Creates the theme and pack folders when missing, writes the pictures in the
// fixed order, then the information file. Stops at an unusable name (before
// anything is written), at the first empty slot (earlier pictures stay) or at the
// first write that fails (nothing written is removed). Other files in the pack
// folder and other keys of the information file are left alone.
PackResult writePack(const PackRequest &request);

// Texts of the make step's message boxes.
QString makerMessageTitle();                               // "Prismel™ 생성 관리자"
QString emptySlotMessage(const QString &slotLabel);
QString unusableNameMessage();
QString writeFailedMessage(const QString &path);

// The builder's label for a slot ("뒤로 버튼 (일반)" for "BackButton").
QString slotLabel(const QString &slotName);

} // namespace prismel
