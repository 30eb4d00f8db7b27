#pragma once

#include "SessionFile.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The page the start shows in place of a restore after a crash loop (see
// restoreRecord): one line per saved tab with a check box, its title and its
// address, and the buttons "선택한 탭 복원" and "새로 시작". It is one of the
// generated pages, written into the TEMP folder as "Recovery.htm". It carries
// no script: the buttons submit a GET form to the program's page actions
// (platform::kPageActionPrefix), which the page engine hands to the browser
// instead of loading. The saved titles and addresses come from the pages and
// are shown as text, never as markup.
namespace recoveryPage {

inline constexpr char kFileName[] = "Recovery.htm";
inline constexpr char kRestoreText[] = "선택한 탭 복원";
inline constexpr char kFreshText[] = "새로 시작";

QString filePath(const QString &tempFolder);

// The page's lines, without line ends.
QStringList lines(const sessionFile::Session &session);

// What the page asked for.
struct Action
{
    enum class Kind { Restore, Fresh } kind = Kind::Fresh;
    QList<int> tabs;  // Restore: the checked tabs, 0-based places in the session, ascending, each once
};
// The action an address names, for a session of tabCount tabs; nothing for
// any other address. Places outside the session are left out.
std::optional<Action> actionOf(const QString &url, int tabCount);

} // namespace recoveryPage
