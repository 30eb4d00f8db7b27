#include "PageCommands.h"

#include "PopupMenus.h"
#include "StandardKeys.h"
#include "browser/core/TabSet.h"
#include "browser/core/VorlenApp.h"
#include "platform/WebBrowser.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// The main window, or a window of the browser's over it (the downloads
// window, a tool window, a page in full screen).
bool browserWindowActive(const QWidget &main)
{
    const QWidget *active = QApplication::activeWindow();
    if (!active)
        return false;
    if (active == &main)
        return true;
    const QWindow *handle = active->windowHandle();
    return handle && main.windowHandle() && handle->transientParent() == main.windowHandle();
}

} // namespace

void installPageCommandPaths(VorlenApp &app, TabSet &tabs, QWidget &mainWindow)
{
    Commands &commands = app.commands();
    QPointer<QWidget> main(&mainWindow);
    new StandardKeys([&commands](Command c) { commands.run(c); },
                     [main] { return main && browserWindowActive(*main); }, &mainWindow);

    QList<QAction *> actions;
    for (const PopupMenuItem &row : kPageMenu) {
        auto *action = new QAction(&mainWindow);
        action->setObjectName(text(row.name));
        if (row.separator()) {
            action->setSeparator(true);
        } else {
            action->setText(text(row.caption));
            const Command command = *row.command;
            QObject::connect(action, &QAction::triggered, &mainWindow, [&commands, command] { commands.run(command); });
        }
        actions << action;
    }
    auto give = [actions](platform::WebBrowser *page) {
        if (page)
            page->setPageMenuActions(actions);
    };
    QObject::connect(&tabs, &TabSet::inserted, &mainWindow, [&tabs, give](qint16 index) { give(tabs.page(index)); });
    for (qint16 index : tabs.indices())
        give(tabs.page(index));
}
