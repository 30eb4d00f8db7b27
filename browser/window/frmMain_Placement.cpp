// The start-up window setting: profile folders, the first-run greeting, the
// placement the user left, and the placement saved at exit.
#include "frmMain.h"
#include "frmMainParts.h"

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

} // namespace

void frmMain::ApplyWindowSetting()
{
    AfterStep step(m_app.afterStep());
    const platform::Environment &env = m_app.environment();

    // The folders of the profile, each made when missing.
    const QString app = env.applicationFolder();
    for (const QString &folder : {app + QStringLiteral("/UserData"), platform::folders::profileFolder(env),
                                  platform::folders::notepadFolder(env), platform::folders::themeFolder(env),
                                  platform::folders::favoriteFolder(env)})
        QDir().mkpath(folder);
    FavoriteActivatee();

    if (!platform::setting::fileExists(env)) {
        Parts::firstRun(*this);
        return;
    }

    RestoreWindowPlacement();

    const auto offer = modWindowSetting::vitrelOffer(platform::setting::int16(env, settings::Key::VitrelUseValue),
                                                     platform::setting::int32(env, settings::Key::VitrelValue));
    if (offer == modWindowSetting::VitrelOffer::Error) {
        m_app.platform().dialogs.messageBox(
            this, QStringLiteral("Vitrel™ 의 투명화 값과 다릅니다.\nINI 파일의 설정이 잘못 되었습니다."),
            QStringLiteral("Vitrel™ 관리자"), platform::MsgButtons::OK, platform::MsgIcon::Critical);
    }
    if (offer == modWindowSetting::VitrelOffer::Ask) {
        const qint32 alpha = platform::setting::int32(env, settings::Key::VitrelValue);
        const auto answer = m_app.platform().dialogs.messageBox(
            this, QStringLiteral("저장된 Vitrel™ 투명도 값이 있습니다.\nVitrel™ 기능을 활성화 하시겠습니까?"),
            QStringLiteral("Vitrel™ 관리자"), platform::MsgButtons::YesNo, platform::MsgIcon::Information);
        if (answer == platform::MsgResult::Yes)
            modVitrel::SetVitrel(this, alpha, true);
        else
            modVitrel::ClearVitrelValue(env);
    }
}

void frmMain::Parts::firstRun(frmMain &f)
{
    const auto answer = f.m_app.platform().dialogs.messageBox(
        &f,
        QStringLiteral("Vorlen™ 웹 브라우저의 사용을 환영 합니다.\n"
                       "자동으로 Vorlen™ 환경 설정을 제어하도록 하시겠습니까?"),
        QStringLiteral("환영 합니다."), platform::MsgButtons::YesNo, platform::MsgIcon::Information);
    const QString footer = QStringLiteral("<br><br>") + QString::fromUtf8(kAboutFooter);
    if (answer == platform::MsgResult::Yes) {
        if (platform::WebBrowser *page = f.m_tabs.currentPage())
            page->Navigate(QStringLiteral("about:Brenmor® Sentrel™ 창이 열려져 있습니다.") + footer);
        f.m_app.shell().showSystemCheck();
        return;
    }
    f.m_app.shell().revealMainWindow();
    if (platform::WebBrowser *page = f.m_tabs.currentPage()) {
        const QString readMe = readMePath(f.m_app);
        page->Navigate(readMe.isEmpty()
                           ? QStringLiteral("about:환경 설정 창이 열려져 있습니다.<br><br>"
                                            "창을 닫은 후 이동하려는 웹 사이트 주소를 입력하여 Enter를 누르십시오.")
                                 + footer
                           : QUrl::fromLocalFile(readMe).toString());
    }
    f.m_app.shell().showSettings();
}

void frmMain::RestoreWindowPlacement()
{
    const platform::Environment &env = m_app.environment();
    const modWindowSetting::Placement placement = modWindowSetting::decide(
        platform::setting::fileExists(env), modWindowSetting::read(env), screenAreas());
    using Kind = modWindowSetting::Placement::Kind;

    show();
    switch (placement.kind) {
    case Kind::Rect:
        setWindowStateValue(0);
        setGeometry(placement.rectPx);
        break;
    case Kind::Maximized:
        setGeometry(modWindowSetting::centred(primaryArea(), size()));
        setWindowStateValue(2);
        m_app.shell().notice(QStringLiteral("최대화 모드로 시작"),
                                     QStringLiteral("이전에 최대화 모드로 종료 하셨기 때문에 이 모드로 시작 합니다."),
                                     true, 5000);
        modAmbrel::SetMaxButtonPicture(m_skin, true, true);
        SystemMaxButton->setToolTip(QStringLiteral("이전 크기로 복원"));
        Parts::setEdgeControlsEnabled(*this, false);
        break;
    case Kind::Centre:
        setGeometry(modWindowSetting::centred(primaryArea(), size()));
        break;
    }
    m_app.afterStep().flushLayout();
}

bool frmMain::SaveWindowPlacement()
{
    const platform::Environment &env = m_app.environment();
    if (!platform::setting::fileExists(env))
        return false;
    modWindowSetting::Saved saved;
    saved.mode = WindowState();
    saved.rectPx = saved.mode == 0 ? geometry() : normalGeometry();
    if (!saved.rectPx.isValid())
        saved.rectPx = geometry();
    modSettingsStore::Values values;
    for (const auto &[key, text] : modWindowSetting::savedTexts(saved))
        values.append({settings::Key(key), text});
    return modSettingsStore::writeSettings(env, values);
}
