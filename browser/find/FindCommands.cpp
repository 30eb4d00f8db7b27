#include "FindCommands.h"

#include "FindBar.h"
#include "browser/core/TabSet.h"
#include "browser/core/VorlenApp.h"
#include "platform/WebBrowser.h"

#include <QWidget>

namespace findCommands {

FindBar *barOf(platform::WebBrowser &page)
{
    QWidget *widget = page.widget();
    return widget ? widget->findChild<FindBar *>(QStringLiteral("FindBar"), Qt::FindDirectChildrenOnly) : nullptr;
}

} // namespace findCommands

void installFindCommands(VorlenApp &app, TabSet &tabs)
{
    app.commands().define(Command::FindInPage, [&tabs] {
        platform::WebBrowser *page = tabs.currentPage();
        if (!page || !page->widget())
            return;
        FindBar *bar = findCommands::barOf(*page);
        if (!bar)
            bar = new FindBar(*page);
        bar->open();
    });
}
