#include "frmPopupMenu.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

namespace {

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

} // namespace

frmPopupMenu::frmPopupMenu(Commands &commands, QWidget *parent)
    : QWidget(parent)
    , m_commands(commands)
{
    setObjectName(QStringLiteral("frmPopupMenu"));
    hide();
    HelpTextMessageLabel = new QLabel(QStringLiteral("이 창은 PopupMenu 전용 창으로 설계 되었습니다."), this);
    HelpTextMessageLabel->setObjectName(QStringLiteral("HelpTextMessageLabel"));
    frmMainIconPopupMenu = build("frmMainIconPopupMenu", QStringLiteral("프로그램 메뉴"), kProgramMenu);
    frmMainTabPopupMenu = build("frmMainTabPopupMenu", QStringLiteral("탭 관리 팝업메뉴"), kTabMenu);
    frmMainFavoriteMenu = build("frmMainFavoriteMenu", QStringLiteral("바로가기 팝업메뉴"), kFavoriteMenu);
    refresh();
}

QMenu *frmPopupMenu::build(const char *name, const QString &title, std::span<const PopupMenuItem> rows)
{
    // The menus belong to the window, so they pop up over it and go with it.
    auto *menu = new QMenu(title, parentWidget());
    menu->setObjectName(QString::fromLatin1(name));
    for (const PopupMenuItem &row : rows) {
        QAction *action = row.separator() ? menu->addSeparator() : menu->addAction(text(row.caption));
        action->setObjectName(text(row.name));
        m_items.insert(action->objectName(), action);
        m_rows.insert(action->objectName(), row);
        if (!row.separator())
            connect(action, &QAction::triggered, this, [this, row] { trigger(row); });
    }
    connect(menu, &QMenu::aboutToShow, this, &frmPopupMenu::refresh);
    return menu;
}

void frmPopupMenu::setAmbrelShowEnabled(bool enabled)
{
    m_ambrelShow = enabled;
    refresh();
}

void frmPopupMenu::refresh()
{
    for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it) {
        const PopupMenuItem &row = it.value();
        if (row.separator())
            continue;
        bool enabled = row.command && m_commands.enabled(*row.command);
        if (row.command == Command::ThemeManager)
            enabled = enabled && m_ambrelShow;
        m_items.value(it.key())->setEnabled(enabled);
    }
}

void frmPopupMenu::popup(QMenu *menu, const QPoint &globalPos)
{
    refresh();
    menu->popup(globalPos);
}

void frmPopupMenu::trigger(const PopupMenuItem &row)
{
    if (row.command)
        m_commands.run(*row.command);
}
