#pragma once

#include "SidePanel.h"
#include "platform/Dialogs.h"

#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class FavoriteStore;

// The favorites panel of the side area ("FavoriteBox"): the list of the
// favorite files, the add and delete buttons, and the add and edit box
// ("AddFavoriteBox") inside it. The list always mirrors the favorites folder.
class FavoritePanel : public SidePanel
{
    Q_OBJECT
public:
    FavoritePanel(const PanelContext &context, QWidget *parent);
    ~FavoritePanel() override;

    static constexpr const char *kTitle = "Vorlen™ 바로가기 관리자";

    // Rebuilds the list from the folder.
    void FavoriteActivatee();

    // The side-bar button: shows or hides the panel (and hides the search panel).
    void FavoriteButton_Click();
    void FavoriteShowAddBoxButton_Click();
    void FavoriteDeleteButton_Click();
    void cmdFavoriteAdd_Click();
    void cmdFavoriteAddCancel_Click();
    void txtFavoriteTitle_Change();
    // Ctrl+A selects a field's text, Escape closes the add box; Enter in the
    // address saves the favorite.
    void txtFavoriteTitle_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled);
    void txtFavoriteExplain_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled);
    void txtFavoriteAdress_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled);
    void txtFavoriteAdress_KeyPress(int KeyAscii, bool &handled);
    void FavoriteListView_DblClick();
    // The right button selects the row under it and asks for the favorite menu.
    void FavoriteListView_MouseDown(Qt::MouseButton Button, const QPoint &at, const QPoint &globalAt, bool &handled);

    // What the favorite popup menu does with the selected item.
    void openSelected();
    void editSelected();
    void deleteSelected();

    // Whether the panel and its add box are shown; the layout pass reads both.
    bool isOpen() const { return m_open; }
    bool addBoxOpen() const { return m_addOpen; }
    // Hides the panel, as folding the side area does; the add box keeps its state.
    void fold();
    void hideAddBox() { m_addOpen = false; }

    // Whether the add box edits an existing favorite (its title is then fixed).
    bool editing() const { return !m_editingBase.isEmpty(); }

    QTreeWidget *FavoriteListView;
    QPushButton *FavoriteShowAddBoxButton;
    QPushButton *FavoriteDeleteButton;
    QWidget *AddFavoriteBox;   // a group box titled "바로가기 추가/수정"
    QLabel *lblFavoriteTitle;
    QLineEdit *txtFavoriteTitle;
    QLabel *lblFavoriteNickTip;
    QLineEdit *txtFavoriteExplain;
    QLabel *lblFavoriteAdress;
    QLineEdit *txtFavoriteAdress;
    QPushButton *cmdFavoriteAdd;
    QPushButton *cmdFavoriteAddCancel;

Q_SIGNALS:
    // The right button in the list: the favorite popup menu at this point.
    void menuRequested(const QPoint &globalPos);
    // A favorite was opened without a connection: the window shows its offline state.
    void offlineRequested();
    // Ctrl+A or Escape in a field: the window writes the current tab's title and caption again.
    void captionRefreshRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The selected item's file base name, or empty when none is selected.
    QString selectedBase() const;
    void resetFields();
    void fieldKeyDown(QLineEdit *field, int keyCode, Qt::KeyboardModifiers shift, bool &handled);
    void closeAddBox();
    void save();
    platform::MsgResult message(const QString &text, platform::MsgIcon icon,
                                platform::MsgButtons buttons = platform::MsgButtons::OK);
    void reportFileFailure(const QString &what, const QString &fileBase);
    void placeControls();
    FavoriteStore store() const;

    PanelContext m_context;
    bool m_open = false;
    bool m_addOpen = false;
    // The file being edited; empty in add mode.
    QString m_editingBase;
};
