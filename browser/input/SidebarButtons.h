#pragma once

#include "browser/core/Commands.h"

#include <array>
#include <string_view>

// The side bar's picture buttons and the command each one gives on release.
struct SidebarButton
{
    std::string_view control;   // object name of the button
    std::string_view toolTip;   // UTF-8
    Command command;
};

inline constexpr std::array<SidebarButton, 8> kSidebarButtons = {{
    {"FavoriteButton", "바로가기 목록", Command::FavoritesPanel},
    {"SearchButton", "인터넷 검색", Command::SearchPanel},
    {"DesignModeButton", "문서 편집 모드", Command::DesignMode},
    {"ScriptErrorsButton", "문서 오류 무시 - Off", Command::ScriptErrors},
    {"TaskManagerButton", "작업 관리자", Command::TaskManager},
    {"VitrelButton", "Vitrel™", Command::Transparency},
    {"PanovelButton", "Panovel™ 모드", Command::WideView},
    {"NotepadButton", "메모장", Command::Notepad},
}};
