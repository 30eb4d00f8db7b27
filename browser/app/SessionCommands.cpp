#include "SessionCommands.h"

#include "browser/core/VorlenApp.h"

namespace {

// What a switched-off feature tells the user.
const char *switchedOffText(Command c)
{
    switch (c) {
    case Command::WideView:
        return "환경 설정에서 Panovel™ 모드를 사용하도록 설정 하십시오.";
    case Command::Transparency:
        return "환경 설정에서 Vitrel™ 를 사용하도록 설정 하십시오.";
    case Command::Hotkeys:
        return "환경 설정에서 Keyflint™ 을 사용하도록 설정 하십시오.";
    case Command::ThemeManager:
        return "환경 설정에서 Ambrel™ 를 사용하도록 설정 하십시오.";
    default:
        return nullptr;
    }
}

} // namespace

void installSessionCommands(VorlenApp &app, Shell &shell)
{
    app.commands().define(Command::Settings, [&shell] { shell.showSettings(); });
    app.commands().setSwitchedOffHandler([&shell](Command c) {
        if (const char *text = switchedOffText(c))
            shell.notice(QStringLiteral("기능 사용안함"), QString::fromUtf8(text), true, 5000);
    });
}
