#pragma once

#include <array>
#include <optional>
#include <string_view>

// The 33 picture files a theme pack may hold. The table is plain constant data so
// that the browser (which loads packs) and the builder (which writes them) agree on
// every name, size and fallback without sharing anything else.
namespace themepack {

// How the browser treats a missing file: counted files are checked when the pack
// is applied and each missing one is reported; state files are looked up whenever
// their button changes state and fall back without a word.
enum class Group { Counted, State };

// The builder page that holds a picture's slot.
enum class BuilderPage { None, Frame, Toolbar, Sidebar };

struct PictureFile
{
    std::string_view fileName;     // fixed name inside the pack folder, e.g. "TopLeftEdge.gif"
    std::string_view element;      // the browser control that shows the picture
    std::string_view alsoElement;  // a second control fed by the same file (toolbar background)
    int width;                     // designed size in pixels; 0 where the element follows the window
    int height;
    Group group;
    std::string_view builtInList;  // image list that supplies the picture when the file is missing
    int builtInIndex;              // 1-based index in that list
    bool writtenByBuilder;
    std::string_view slotLabel;    // the builder's label for the slot (UTF-8), empty when not built
    BuilderPage page;

    // The file name without its ".gif" ending, the name the builder's slots go by.
    constexpr std::string_view baseName() const { return fileName.substr(0, fileName.size() - 4); }
};

inline constexpr std::string_view kSystemImageList = "SystemImageList";
inline constexpr std::string_view kSystemButtonImageList = "SystemButtonImageList";
inline constexpr std::string_view kToolbarImagesList = "ProgramToolbarImagesList";
inline constexpr std::string_view kSidebarImagesList = "ProgramSidebarImagesList";

inline constexpr std::array<PictureFile, 33> kPictureFiles = {{
    // Window frame.
    {"TopLeftEdge.gif", "ProgramDesignTopLeftEdge", {}, 9, 25, Group::Counted, kSystemImageList, 1, true, "상단 좌측 모서리", BuilderPage::Frame},
    {"TopLine.gif", "ProgramDesignTopLine", {}, 0, 25, Group::Counted, kSystemImageList, 2, true, "상단 테두리", BuilderPage::Frame},
    {"TopRightEdge.gif", "ProgramDesignTopRightEdge", {}, 9, 25, Group::Counted, kSystemImageList, 3, true, "상단 우측 모서리", BuilderPage::Frame},
    {"RightLine.gif", "ProgramDesignRightLine", {}, 7, 0, Group::Counted, kSystemImageList, 4, true, "우측 테두리", BuilderPage::Frame},
    {"BottomRightEdge.gif", "ProgramDesignBottomRightEdge", {}, 9, 8, Group::Counted, kSystemImageList, 5, true, "하단 우측 모서리", BuilderPage::Frame},
    {"BottomLine.gif", "ProgramDesignBottomLine", {}, 0, 8, Group::Counted, kSystemImageList, 6, true, "하단 테두리", BuilderPage::Frame},
    {"BottomLeftEdge.gif", "ProgramDesignBottomLeftEdge", {}, 9, 8, Group::Counted, kSystemImageList, 7, true, "하단 좌측 모서리", BuilderPage::Frame},
    {"LeftLine.gif", "ProgramDesignLeftLine", {}, 7, 0, Group::Counted, kSystemImageList, 8, true, "좌측 테두리", BuilderPage::Frame},

    // Caption buttons: never written by the builder, so a built pack shows the built-in ones.
    {"SystemMinButton.gif", "SystemMinButton", {}, 33, 17, Group::State, kSystemButtonImageList, 1, false, {}, BuilderPage::None},
    {"SystemMinButtonPress.gif", "SystemMinButton", {}, 33, 17, Group::State, kSystemButtonImageList, 2, false, {}, BuilderPage::None},
    {"SystemMaxButton.gif", "SystemMaxButton", {}, 33, 17, Group::State, kSystemButtonImageList, 3, false, {}, BuilderPage::None},
    {"SystemMaxButtonPress.gif", "SystemMaxButton", {}, 33, 17, Group::State, kSystemButtonImageList, 4, false, {}, BuilderPage::None},
    {"SystemBeforeButton.gif", "SystemMaxButton", {}, 33, 17, Group::State, kSystemButtonImageList, 5, false, {}, BuilderPage::None},
    {"SystemBeforeButtonPress.gif", "SystemMaxButton", {}, 33, 17, Group::State, kSystemButtonImageList, 6, false, {}, BuilderPage::None},
    {"SystemExitButton.gif", "SystemExitButton", {}, 33, 17, Group::State, kSystemButtonImageList, 7, false, {}, BuilderPage::None},
    {"SystemExitButtonPress.gif", "SystemExitButton", {}, 33, 17, Group::State, kSystemButtonImageList, 8, false, {}, BuilderPage::None},

    // Toolbar. One background file feeds both toolbar strips and is counted once.
    {"ToolbarBackgroundImage.gif", "ProgramToolbarBackgroundImage", "WebBrowserToolBackgroundImage", 0, 39, Group::Counted, kToolbarImagesList, 1, true, "도구상자 배경", BuilderPage::Toolbar},
    {"BackButton.gif", "BackButton", {}, 45, 39, Group::State, kToolbarImagesList, 2, true, "뒤로 버튼 (일반)", BuilderPage::Toolbar},
    {"BackButtonPress.gif", "BackButton", {}, 45, 39, Group::State, kToolbarImagesList, 3, true, "뒤로 버튼 (누름)", BuilderPage::Toolbar},
    {"ForwardButton.gif", "ForwardButton", {}, 45, 39, Group::State, kToolbarImagesList, 4, true, "앞으로 버튼 (일반)", BuilderPage::Toolbar},
    {"ForwardButtonPress.gif", "ForwardButton", {}, 45, 39, Group::State, kToolbarImagesList, 5, true, "앞으로 버튼 (누름)", BuilderPage::Toolbar},
    {"RefreshButton.gif", "RefreshButton", {}, 29, 25, Group::State, kToolbarImagesList, 6, true, "다시 불러오기 (일반)", BuilderPage::Toolbar},
    {"RefreshButtonPress.gif", "RefreshButton", {}, 29, 25, Group::State, kToolbarImagesList, 7, true, "다시 불러오기 (누름)", BuilderPage::Toolbar},
    {"StopButton.gif", "StopButton", {}, 29, 25, Group::State, kToolbarImagesList, 8, true, "불러오기 중지 (일반)", BuilderPage::Toolbar},
    {"StopButtonPress.gif", "StopButton", {}, 29, 25, Group::State, kToolbarImagesList, 9, true, "불러오기 중지 (누름)", BuilderPage::Toolbar},

    // Side bar.
    {"FavoriteButton.gif", "FavoriteButton", {}, 25, 25, Group::Counted, kSidebarImagesList, 1, true, "바로가기", BuilderPage::Sidebar},
    {"SearchButton.gif", "SearchButton", {}, 25, 25, Group::Counted, kSidebarImagesList, 2, true, "인터넷 검색", BuilderPage::Sidebar},
    {"DesignModeButton.gif", "DesignModeButton", {}, 25, 25, Group::Counted, kSidebarImagesList, 3, true, "문서 편집 모드", BuilderPage::Sidebar},
    {"ScriptErrorsButton.gif", "ScriptErrorsButton", {}, 25, 25, Group::Counted, kSidebarImagesList, 4, true, "문서 오류 무시", BuilderPage::Sidebar},
    {"TaskManagerButton.gif", "TaskManagerButton", {}, 25, 25, Group::Counted, kSidebarImagesList, 5, true, "작업 관리자", BuilderPage::Sidebar},
    {"VitrelButton.gif", "VitrelButton", {}, 25, 25, Group::Counted, kSidebarImagesList, 6, true, "Vitrel™", BuilderPage::Sidebar},
    {"PanovelButton.gif", "PanovelButton", {}, 25, 25, Group::Counted, kSidebarImagesList, 7, true, "Panovel™ 모드", BuilderPage::Sidebar},
    {"NotepadButton.gif", "NotepadButton", {}, 25, 25, Group::Counted, kSidebarImagesList, 8, true, "메모장", BuilderPage::Sidebar},
}};

// The table row of a file, looked up by its full name ("BackButton.gif") or by its
// name without the ending ("BackButton").
constexpr std::optional<PictureFile> pictureFile(std::string_view name)
{
    for (const PictureFile &f : kPictureFiles) {
        if (f.fileName == name || f.baseName() == name)
            return f;
    }
    return std::nullopt;
}

constexpr int countFiles(bool (*pred)(const PictureFile &))
{
    int n = 0;
    for (const PictureFile &f : kPictureFiles)
        n += pred(f) ? 1 : 0;
    return n;
}

static_assert(countFiles([](const PictureFile &f) { return f.writtenByBuilder; }) == 25);
static_assert(countFiles([](const PictureFile &f) { return f.group == Group::Counted; }) == 17);

} // namespace themepack
