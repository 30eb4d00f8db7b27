#pragma once

#include "browser/input/PopupMenus.h"

#include <QHash>
#include <QWidget>

#include <span>

class Commands;
class QAction;
class QLabel;
class QMenu;

// The hidden form that owns the window's three popup menus, built from the
// tables of PopupMenus.h. Every item runs its command through the command
// table and is enabled exactly while the table says the command may run.
class frmPopupMenu : public QWidget
{
    Q_OBJECT
public:
    frmPopupMenu(Commands &commands, QWidget *parent);

    QMenu *frmMainIconPopupMenu;
    QMenu *frmMainTabPopupMenu;
    QMenu *frmMainFavoriteMenu;
    QLabel *HelpTextMessageLabel;

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
    QHash<QString, PopupMenuItem> m_rows;
    bool m_ambrelShow = false;
};
