#include "modBase.h"

#include "browser/core/TabSet.h"
#include "browser/core/VorlenApp.h"
#include "modLocalPages.h"
#include "modSystemCheck.h"
#include "platform/Settings.h"

#include <QWidget>

namespace modBase {

qint16 TabKeyToIndex(const QString &key)
{
    return TabSet::indexOf(key);
}

QString IndexToTabKey(qint16 index)
{
    return TabSet::keyOf(index);
}

void TrimWorkingSet(VorlenApp &app)
{
    if (platform::setting::int16(app.environment(), settings::Key::PurgelValue) == 1)
        app.platform().system.trimWorkingSet();
}

void SetAlwaysOnTop(QWidget *window, bool onTop)
{
    if (!window)
        return;
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing the flags hides the window; bring it back without taking focus.
    if (visible) {
        window->setAttribute(Qt::WA_ShowWithoutActivating, true);
        window->show();
        window->setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
}

StartState InitStartPage(VorlenApp &app, platform::WebBrowser *page)
{
    const qint16 reset = platform::setting::int16(app.environment(), settings::Key::ResetEngineValue);
    const QString start = app.platform().registry.read(QString::fromLatin1(platform::kStartPageKey),
                                                       QString::fromLatin1(platform::kStartPageValue));
    if (modSystemCheck::IsInternetConnected(app)) {
        if (reset != 0) {
            modLocalPages::MakeLoadingPage(app.platform());
            if (page)
                page->Navigate(modLocalPages::pagePath(app.platform(), modLocalPages::Page::Loading));
        } else if (page) {
            page->Navigate(start);
        }
        return {QStringLiteral("웹 브라우저를 초기화 하고 있습니다..."), 1,
                QStringLiteral("Vorlen™ 엔진 초기화 중 : 잠시만 기다려 주십시오.")};
    }
    modLocalPages::MakeErrorPage(app.platform());
    if (page)
        page->Navigate(modLocalPages::pagePath(app.platform(), modLocalPages::Page::Error));
    return {QStringLiteral("LAN 선이나 모뎀이 인터넷에 연결되어 있는지 확인 하십시오."), 2,
            QStringLiteral("시스템이 인터넷에 연결 되어있지 않습니다.")};
}

} // namespace modBase
