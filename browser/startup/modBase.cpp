#include "modBase.h"

#include "browser/core/TabSet.h"
#include "modLocalPages.h"
#include "modStartPage.h"
#include "modSystemCheck.h"
#include "platform/Platform.h"
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

void TrimWorkingSet(platform::Platform &platform)
{
    if (platform::setting::int16(platform.environment, settings::Key::PurgelValue) == 1)
        platform.system.trimWorkingSet();
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

StartState InitStartPage(platform::Platform &platform, platform::WebBrowser *page)
{
    const qint16 reset = platform::setting::int16(platform.environment, settings::Key::ResetEngineValue);
    const modStartPage::StartPage start = modStartPage::read(platform);
    StartState state;
    if (modSystemCheck::IsInternetConnected(platform)) {
        if (start.state != modStartPage::State::Usable) {
            if (start.state == modStartPage::State::Refused)
                state.refusedStartPage = start.address;
            state.pageWriteFailed = !modLocalPages::Open(platform, modLocalPages::Page::NewTab, page);
        } else if (reset != 0) {
            state.pageWriteFailed = !modLocalPages::Open(platform, modLocalPages::Page::Loading, page);
        } else if (page) {
            page->Navigate(start.address.trimmed());
        }
        state.addressText = QStringLiteral("웹 브라우저를 초기화 하고 있습니다...");
        state.connectionPicture = 1;
        state.statusText = QStringLiteral("Vorlen™ 엔진 초기화 중 : 잠시만 기다려 주십시오.");
        return state;
    }
    state.pageWriteFailed = !modLocalPages::Open(platform, modLocalPages::Page::Error, page);
    state.addressText = QStringLiteral("LAN 선이나 모뎀이 인터넷에 연결되어 있는지 확인 하십시오.");
    state.connectionPicture = 2;
    state.statusText = QStringLiteral("시스템이 인터넷에 연결 되어있지 않습니다.");
    return state;
}

bool OpenStartPage(platform::Platform &platform, platform::WebBrowser *page)
{
    const QString start = modStartPage::usable(platform);
    if (start.isEmpty())
        return modLocalPages::Open(platform, modLocalPages::Page::NewTab, page);
    if (page)
        page->Navigate2(start);
    return true;
}

} // namespace modBase
