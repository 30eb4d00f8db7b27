// The commands the main window carries out itself: tabs, navigation, the
// caption buttons, address editing and the program's end.
#include "WindowCommands.h"

#include "browser/core/VorlenApp.h"
#include "browser/modes/modVitrel.h"
#include "browser/startup/modBase.h"
#include "browser/startup/modLocalPages.h"
#include "frmMain.h"

void installWindowCommands(VorlenApp &app, frmMain &window)
{
    Commands &commands = app.commands();
    frmMain *w = &window;
    TabSet &tabs = window.tabs();
    auto onPage = [&tabs](void (platform::WebBrowser::*action)()) {
        return [&tabs, action] {
            if (platform::WebBrowser *page = tabs.currentPage())
                (page->*action)();
        };
    };
    commands.define(Command::Back, onPage(&platform::WebBrowser::GoBack));
    commands.define(Command::Forward, onPage(&platform::WebBrowser::GoForward));
    commands.define(Command::Refresh, onPage(&platform::WebBrowser::Refresh));
    commands.define(Command::Stop, onPage(&platform::WebBrowser::Stop));
    commands.define(Command::NewTab, [w, &tabs] {
        platform::WebBrowser *page = tabs.currentPage();
        w->modRecvNewWindow(page ? page->LocationURL() : QString());
    });
    commands.define(Command::CloseTab, [&app, w, &tabs] {
        if (tabs.count() < 2) {
            app.platform().dialogs.messageBox(
                w,
                QStringLiteral("Vorlen 시작 탭은 이 Keyflint™ 단축키로 닫으실 수 없습니다.\n"
                               "프로그램 종료 버튼을 눌러 직접 종료 하여 주십시오."),
                QStringLiteral("Keyflint™ 오류"), platform::MsgButtons::OK, platform::MsgIcon::Critical);
            return;
        }
        w->modRecvCloseWindow(tabs.CurrentTab());
    });
    // A single tab stays selected; the strip is brought up to date all the same.
    commands.define(Command::NextTab, [w, &tabs] {
        if (!tabs.selectBeside(1))
            w->modTabStrip();
    });
    commands.define(Command::PreviousTab, [w, &tabs] {
        if (!tabs.selectBeside(-1))
            w->modTabStrip();
    });
    commands.define(Command::StartPage, [&app, w, &tabs] {
        if (!modBase::OpenStartPage(app.platform(), tabs.currentPage()))
            w->reportPageWriteFailure();
    });
    // The tab menu's close and the bottom edge close the selected tab, the
    // start tab included: that ends the program, as the tab set does.
    commands.define(Command::CloseSelectedTab, [w, &tabs] { w->modRecvCloseWindow(tabs.CurrentTab()); });
    commands.define(Command::NewTabPage, [&app, w] {
        const QString path = modLocalPages::MakeNewTabPage(app.platform());
        if (path.isEmpty()) {
            w->reportPageWriteFailure();
            return;
        }
        w->modRecvNewWindow(path);
    });
    commands.define(Command::HomePage, [&app, w, &tabs] {
        if (!app.platform().system.isInternetConnected()) {
            w->showOffline();
            return;
        }
        if (!modLocalPages::Open(app.platform(), modLocalPages::Page::StartPage, tabs.currentPage()))
            w->reportPageWriteFailure();
    });
    commands.define(Command::SetStartPage, [&app] {
        QString text;
        qint32 number = 0;
        app.shell().messageBox(0, text, number);
    });
    commands.define(Command::MakerSite, [w, &tabs] {
        if (platform::WebBrowser *page = tabs.currentPage())
            page->Navigate(makerSite());
    });
    commands.define(Command::EditAddress, [w, &tabs] {
        w->WriteTitle(tabs.CurrentTab());
        w->WriteTabCap(tabs.CurrentTab());
        w->WebAdressBar_DblClick();
    });
    // With the fade effect the window fades before it goes to the task bar.
    commands.define(Command::Minimize, [&app, w] {
        modVitrel::VitrelMinimize(app.environment(), w, app.opacityShows(w));
    });
    commands.define(Command::Maximize, [w] {
        if (w->WindowState() != 2) {
            w->showFrameState(true);
            w->setWindowStateValue(2);
        }
    });
    commands.define(Command::Exit, [w] {
        int Cancel = 0;
        w->Form_Unload(Cancel);
    });
}
