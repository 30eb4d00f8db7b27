#pragma once

#include "browser/input/PopupMenus.h"

#include <QHash>
#include <QWidget>

#include <functional>
#include <span>

class Commands;
class QAction;
class QLabel;
class QMenu;

// The hidden form that owns the window's three popup menus, built from the
// tables of PopupMenus.h. An item with a command runs it through the command
// table; the others run the action the window sets for them. An item whose
// command has no action yet, or that has no action set, is shown disabled.
class frmPopupMenu : public QWidget
{
    Q_OBJECT
public:
    frmPopupMenu(Commands &commands, QWidget *parent);

    QMenu *frmMainIconPopupMenu;
    QMenu *frmMainTabPopupMenu;
    QMenu *frmMainFavoriteMenu;
    QLabel *HelpTextMessageLabel;

    // The action of an item without a command, by object name.
    void setHandler(const QString &name, std::function<void()> handler);
    // The theme manager's item, switched by the theme check and the settings.
    void setAmbrelShowEnabled(bool enabled);
    bool ambrelShowEnabled() const { return m_ambrelShow; }

    QAction *item(const QString &name) const { return m_items.value(name); }
    // Brings every item's enabled state up to date (done before each popup).
    void refresh();
    // Pops a menu up at a screen point, its items up to date.
    void popup(QMenu *menu, const QPoint &globalPos);

private:
    QMenu *build(const char *name, const QString &title, std::span<const PopupMenuItem> rows);
    void trigger(const PopupMenuItem &row);

    Commands &m_commands;
    QHash<QString, QAction *> m_items;
    QHash<QString, std::function<void()>> m_handlers;
    QHash<QString, PopupMenuItem> m_rows;
    bool m_ambrelShow = false;
};
