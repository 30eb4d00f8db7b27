#pragma once

#include "browser/core/Commands.h"

#include <array>
#include <optional>
#include <string_view>

// The window's three popup menus as tables. A row is an item (object name,
// caption with its "&" accelerator, and the command it runs) or a separator
// (empty caption, no command).
struct PopupMenuItem
{
    std::string_view name;
    std::string_view caption;  // UTF-8; empty for a separator
    std::optional<Command> command;

    constexpr bool separator() const { return caption.empty(); }
};

inline constexpr std::array<PopupMenuItem, 9> kProgramMenu = {{
    {"munfrmSettingShow", "환경 설정(&S)", Command::Settings},
    {"munfrmAmbrelShow", "Ambrel™ 세부 설정", Command::ThemeManager},
    {"frmMainNotLine0", "", std::nullopt},
    {"munfrmMiniModeShow", "Vorlen™ 숨김 모드", Command::MiniMode},
    {"frmMainNotLine1", "", std::nullopt},
    {"munfrmMainAbout", "프로그램 정보(&A)...", Command::About},
    {"munfrmMainBrenmorWebSite", "Brenmor® Corporation 웹 사이트로(&G)...", Command::MakerSite},
    {"frmMainNotLine2", "", std::nullopt},
    {"munfrmMainProgramExit", "프로그램 종료", Command::Exit},
}};

inline constexpr std::array<PopupMenuItem, 6> kTabMenu = {{
    {"munfrmMainNewTab", "새 탭 만들기(&N)", Command::NewTabPage},
    {"munfrmMainThisPageNewTab", "현재 문서에서 새 탭 만들기(&T)", Command::NewTab},
    {"frmMainNotLine3", "", std::nullopt},
    {"munfrmMainHomePage", "시작 문서로 이동(&H)", Command::HomePage},
    {"munfrmMainStartPageSetting", "이 문서를 시작 문서로 설정(&S)...", Command::SetStartPage},
    {"munfrmMainTabClose", "탭 닫기(&C)", Command::CloseSelectedTab},
}};

inline constexpr std::array<PopupMenuItem, 4> kFavoriteMenu = {{
    {"frmMainFavoriteOpen", "열기(&O)", Command::FavoriteOpen},
    {"frmMainFavoriteDelete", "삭제(&D)", Command::FavoriteDelete},
    {"frmMainNotLine4", "", std::nullopt},
    {"frmMainFavoriteReEdit", "바로가기 수정(&E)", Command::FavoriteEdit},
}};

// The browser's own items at the end of a page's context menu, after the
// engine's; the key each has is shown after a tab.
inline constexpr std::array<PopupMenuItem, 9> kPageMenu = {{
    {"pageMenuFind", "페이지에서 찾기(&F)\tCtrl+F", Command::FindInPage},
    {"pageMenuZoomIn", "확대\tCtrl++", Command::ZoomIn},
    {"pageMenuZoomOut", "축소\tCtrl+-", Command::ZoomOut},
    {"pageMenuZoomReset", "원래 크기\tCtrl+0", Command::ZoomReset},
    {"pageMenuPrint", "인쇄(&P)...\tCtrl+P", Command::Print},
    {"pageMenuSavePdf", "PDF로 저장...", Command::SavePdf},
    {"pageMenuLine0", "", std::nullopt},
    {"pageMenuDownloads", "내려받기 목록(&J)\tCtrl+J", Command::Downloads},
    {"pageMenuHistory", "방문 기록(&H)\tCtrl+H", Command::History},
}};
