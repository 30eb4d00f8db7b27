// Applying the selected theme pack: the start-up decision, the pack with its
// per-file fallback and the missing-file report, and the built-in design.
#include "modAmbrel.h"

#include "Skin.h"
#include "platform/Dialogs.h"
#include "platform/Environment.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "themepack/ThemePack.h"

#include <QFileInfo>

namespace modAmbrel {

namespace {

using settings::Key;

void enableItem(Context &ctx, bool enabled)
{
    if (ctx.setManagerItemEnabled)
        ctx.setManagerItemEnabled(enabled);
}

void rebuildTabs(Context &ctx)
{
    if (ctx.rebuildTabStrip)
        ctx.rebuildTabStrip();
}

void resetConnectionPicture(Context &ctx)
{
    if (ctx.resetConnectionPicture)
        ctx.resetConnectionPicture();
}

// The counted pictures in the order they are applied: the frame, then the side
// bar, then the toolbar background (the caption and navigation buttons come
// between the frame and the side bar through their state procedures).
constexpr const char *kFrameFiles[] = {"TopLeftEdge", "TopLine", "TopRightEdge", "RightLine",
                                       "BottomRightEdge", "BottomLine", "BottomLeftEdge", "LeftLine"};
constexpr const char *kSidebarFiles[] = {"FavoriteButton", "SearchButton", "DesignModeButton",
                                         "ScriptErrorsButton", "TaskManagerButton", "VitrelButton",
                                         "PanovelButton", "NotepadButton"};

} // namespace

QString managerTitle()
{
    return QStringLiteral("Ambrel™ 테마 관리자");
}

void ApplyDefaultDesign(Context &ctx)
{
    ctx.skin.deactivatePack();
    ApplyDefaultDesign(ctx.skin);
    resetConnectionPicture(ctx);
    rebuildTabs(ctx);
}

void CheckThemeAtStart(Context &ctx)
{
    const QString themeName = platform::setting::text(ctx.environment, Key::ThemeName);
    const qint16 use = platform::setting::int16(ctx.environment, Key::AmbrelUseValue);
    const qint16 ask = platform::setting::int16(ctx.environment, Key::AskUseBooleanValue);

    if (!QFileInfo(platform::folders::settingsFile(ctx.environment)).isFile()) {
        ApplyDefaultDesign(ctx);
        enableItem(ctx, false);
        return;
    }
    if (use == 0) {
        ctx.skin.setThemePackActive(false);
        ApplyDefaultDesign(ctx);
        enableItem(ctx, false);
        return;
    }
    if (use != 1) {
        ApplyDefaultDesign(ctx);
        enableItem(ctx, false);
        return;
    }
    if (themeName.isEmpty()) {
        ApplyDefaultDesign(ctx);
        enableItem(ctx, true);
        return;
    }
    if (ask == 1) {
        const auto answer = ctx.dialogs.messageBox(ctx.parent, QStringLiteral("Ambrel™ 테마팩을 활성화 하시겠습니까?"),
                                                   managerTitle(), platform::MsgButtons::YesNo,
                                                   platform::MsgIcon::Information);
        if (answer != platform::MsgResult::Yes) {
            ctx.skin.setThemePackActive(false);
            ApplyDefaultDesign(ctx);
            enableItem(ctx, true);
            return;
        }
    }
    ctx.skin.setThemePackActive(true);
    ApplySelectedTheme(ctx);
}

void ApplySelectedTheme(Context &ctx)
{
    if (platform::setting::text(ctx.environment, Key::ThemeName).isEmpty())
        ApplyDefaultDesign(ctx);
    else
        LoadThemePack(ctx, false);
    enableItem(ctx, true);
}

int LoadThemePack(Context &ctx, bool fromManager)
{
    const QString themeName = platform::setting::text(ctx.environment, Key::ThemeName);
    if (fromManager && !ctx.skin.themePackActive()) {
        ctx.dialogs.messageBox(ctx.parent,
                               QStringLiteral("Vorlen™ 시작시 Ambrel™ 테마팩을 활성화 하지 않도록 하였습니다.\n"
                                              "다음 Vorlen™ 시작시에 변경된 Ambrel™ 테마팩이 적용 됩니다."),
                               managerTitle(), platform::MsgButtons::OK, platform::MsgIcon::Information);
        return 0;
    }
    if (themeName.isEmpty()) {
        enableItem(ctx, true);
        ApplyDefaultDesign(ctx);
        return 0;
    }
    // A name that could lead outside the theme folder names no pack folder.
    const QString folder = themepack::packFolder(ctx.environment.applicationFolder(), themeName);
    if (!themepack::isUsablePackName(themeName) || !themepack::isPlainPackFolder(folder)) {
        ApplyDefaultDesign(ctx);
        enableItem(ctx, true);
        ctx.dialogs.messageBox(ctx.parent,
                               QStringLiteral("Ambrel™ 테마팩 폴더가 없습니다.\n"
                                              "테마팩 폴더 확인 후 다시 시도 하십시오."),
                               managerTitle(), platform::MsgButtons::OK, platform::MsgIcon::Critical);
        return 0;
    }

    Skin &skin = ctx.skin;
    skin.activatePack(themeName);
    rebuildTabs(ctx);

    int missing = 0;
    for (const char *file : kFrameFiles)
        missing += skin.showFromPack(file) ? 0 : 1;
    SetMinButtonPicture(skin, true);
    SetMaxButtonPicture(skin, true, false);
    SetExitButtonPicture(skin, true);
    SetBackButtonPicture(skin, true);
    SetForwardButtonPicture(skin, true);
    SetRefreshButtonPicture(skin, true);
    SetStopButtonPicture(skin, true);
    for (const char *file : kSidebarFiles)
        missing += skin.showFromPack(file) ? 0 : 1;
    resetConnectionPicture(ctx);
    missing += skin.showFromPack("ToolbarBackgroundImage") ? 0 : 1;

    if (missing > 0) {
        ctx.dialogs.messageBox(
            ctx.parent,
            QStringLiteral("불러오는 도중에 %1개의 테마 파일이 누락되었거나 손상되었습니다.\n\n"
                           "손상되거나 누락된 테마 파일로 인해 적용되지 않은 테마 부분은\n"
                           "Vorlen™ 기본 테마가 적용 되었습니다.")
                .arg(missing),
            managerTitle(), platform::MsgButtons::OK, platform::MsgIcon::Exclamation);
    }
    return missing;
}

} // namespace modAmbrel
