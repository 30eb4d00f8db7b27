// The window's side of remembering the user: the settings command, the notice
// for a switched-off feature and the session record at each title change.
#include "frmMain.h"

#include "browser/core/VorlenApp.h"
#include "browser/startup/SessionWindows.h"
#include "browser/startup/frmSetting.h"

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

void frmMain::connectSession()
{
    Commands &commands = m_app.commands();
    commands.define(Command::Settings, [this] {
        frmSetting &dialog = m_app.windows().showSetting();
        connect(&dialog, &frmSetting::ambrelMenuEnabled, this, &frmMain::setAmbrelMenuEnabled, Qt::UniqueConnection);
    });
    commands.setSwitchedOffHandler([this](Command c) {
        if (const char *text = switchedOffText(c))
            m_app.windows().VorlenNotice(QStringLiteral("기능 사용안함"), QString::fromUtf8(text), true, 5000);
    });
}

void frmMain::WriteSessionRecord()
{
    m_app.windows().recorder().WriteSessionRecord();
}

void frmMain::ClearSessionRecord()
{
    m_app.windows().recorder().ClearSessionRecord();
}
