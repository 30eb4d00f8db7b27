// The start-up window setting: profile folders, the first-run greeting, the
// placement the user left, and the placement saved at exit.
#include "WindowSetting.h"

#include "frmMain.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/PictureControl.h"
#include "browser/modes/modVitrel.h"
#include "browser/frame/modWindowSetting.h"
#include "browser/startup/modLocalPages.h"
#include "browser/startup/modSettingsStore.h"
#include "browser/themes/modAmbrel.h"
#include "browser/tools/frmSystemScan.h"
#include "platform/Folders.h"
#include "platform/Settings.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

namespace {

QList<QRect> screenAreas()
{
    QList<QRect> areas;
    if (QScreen *primary = QGuiApplication::primaryScreen())
        areas << primary->availableGeometry();
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            areas << screen->availableGeometry();
    }
    return areas;
}

QRect primaryArea()
{
    const QList<QRect> areas = screenAreas();
    return areas.isEmpty() ? QRect(0, 0, 800, 600) : areas.front();
}

// The greeting of a first start: the system check grades the machine, or the
// settings dialog opens over the read-me page.
void firstRun(frmMain &f, VorlenApp &app)
{
    const auto answer = app.platform().dialogs.messageBox(
        &f,
        QStringLiteral("Vorlen™ 웹 브라우저의 사용을 환영 합니다.\n"
                       "자동으로 Vorlen™ 환경 설정을 제어하도록 하시겠습니까?"),
        QStringLiteral("환영 합니다."), platform::MsgButtons::YesNo, platform::MsgIcon::Information);
    const QString footer = QStringLiteral("<br><br>") + QString::fromUtf8(kAboutFooter);
    if (answer == platform::MsgResult::Yes) {
        if (platform::WebBrowser *page = f.tabs().currentPage())
            page->Navigate(QStringLiteral("about:Brenmor® Sentrel™ 창이 열려져 있습니다.") + footer);
        app.shell().showSystemCheck();
        return;
    }
    app.shell().revealMainWindow();
    if (platform::WebBrowser *page = f.tabs().currentPage()) {
        const QString readMe = readMePath(app);
        page->Navigate(readMe.isEmpty()
                           ? QStringLiteral("about:환경 설정 창이 열려져 있습니다.<br><br>"
                                            "창을 닫은 후 이동하려는 웹 사이트 주소를 입력하여 Enter를 누르십시오.")
                                 + footer
                           : QUrl::fromLocalFile(readMe).toString());
    }
    app.shell().showSettings();
}

} // namespace

namespace modWindowSetting {

void ApplyWindowSetting(frmMain &f, VorlenApp &app)
{
    AfterStep step(app.afterStep());
    const platform::Environment &env = app.environment();

    // The folders of the profile, each made when missing.
    const QString appFolder = env.applicationFolder();
    for (const QString &folder : {appFolder + QStringLiteral("/UserData"), platform::folders::profileFolder(env),
                                  platform::folders::notepadFolder(env), platform::folders::themeFolder(env),
                                  platform::folders::favoriteFolder(env)})
        QDir().mkpath(folder);
    f.FavoriteActivatee();

    if (!platform::setting::fileExists(env)) {
        firstRun(f, app);
        return;
    }

    RestoreWindowPlacement(f, app);

    const auto offer = modWindowSetting::vitrelOffer(platform::setting::int16(env, settings::Key::VitrelUseValue),
                                                     platform::setting::int32(env, settings::Key::VitrelValue));
    if (offer == modWindowSetting::VitrelOffer::Error) {
        app.platform().dialogs.messageBox(
            &f, QStringLiteral("Vitrel™ 의 투명화 값과 다릅니다.\nINI 파일의 설정이 잘못 되었습니다."),
            QStringLiteral("Vitrel™ 관리자"), platform::MsgButtons::OK, platform::MsgIcon::Critical);
    }
    if (offer == modWindowSetting::VitrelOffer::Ask) {
        const qint32 alpha = platform::setting::int32(env, settings::Key::VitrelValue);
        const auto answer = app.platform().dialogs.messageBox(
            &f, QStringLiteral("저장된 Vitrel™ 투명도 값이 있습니다.\nVitrel™ 기능을 활성화 하시겠습니까?"),
            QStringLiteral("Vitrel™ 관리자"), platform::MsgButtons::YesNo, platform::MsgIcon::Information);
        if (answer == platform::MsgResult::Yes)
            modVitrel::SetVitrel(&f, alpha, true);
        else
            modVitrel::ClearVitrelValue(env);
    }
}

void RestoreWindowPlacement(frmMain &f, VorlenApp &app)
{
    const platform::Environment &env = app.environment();
    const modWindowSetting::Placement placement = modWindowSetting::decide(
        platform::setting::fileExists(env), modWindowSetting::read(env), screenAreas());
    using Kind = modWindowSetting::Placement::Kind;

    f.show();
    switch (placement.kind) {
    case Kind::Rect:
        f.setWindowStateValue(0);
        f.setGeometry(placement.rectPx);
        break;
    case Kind::Maximized:
        f.setGeometry(modWindowSetting::centred(primaryArea(), f.size()));
        f.setWindowStateValue(2);
        app.shell().notice(QStringLiteral("최대화 모드로 시작"),
                                     QStringLiteral("이전에 최대화 모드로 종료 하셨기 때문에 이 모드로 시작 합니다."),
                                     true, 5000);
        f.showFrameState(true);
        break;
    case Kind::Centre:
        f.setGeometry(placement.rectPx.isValid() ? placement.rectPx
                                                 : modWindowSetting::centred(primaryArea(), f.size()));
        break;
    }
    app.afterStep().flushLayout();
}

bool SaveWindowPlacement(const frmMain &f, VorlenApp &app)
{
    const platform::Environment &env = app.environment();
    if (!platform::setting::fileExists(env))
        return false;
    modWindowSetting::Saved saved;
    saved.mode = f.WindowState();
    saved.rectPx = saved.mode == 0 ? f.geometry() : f.normalGeometry();
    if (!saved.rectPx.isValid())
        saved.rectPx = f.geometry();
    modSettingsStore::Values values;
    for (const auto &[key, text] : modWindowSetting::savedTexts(saved))
        values.append({settings::Key(key), text});
    return modSettingsStore::writeSettings(env, values);
}

} // namespace modWindowSetting
