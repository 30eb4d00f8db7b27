#pragma once

#include "SidePanel.h"

#include <array>
#include <optional>

class QColor;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class NoteStore;

// The notepad under the pages ("ntpdNotepadBox"): a text field with a title
// strip that opens a small menu (open, save, font) and an open/save box that
// names a document of the notepad folder. It is enabled while it may be shown;
// the layout pass closes it when a side panel is open or it does not fit.
class NotepadPanel : public SidePanel
{
    Q_OBJECT
public:
    NotepadPanel(const PanelContext &context, QWidget *parent);
    ~NotepadPanel() override;

    static constexpr const char *kFileTitle = "Vorlen™ 메모장";

    // The open/save box's mode.
    enum class Mode { Idle, Open, Save };

    // Rebuilds the document names of the open/save box.
    void modLoadTxtFileList();

    void NotepadButton_Click();
    void ntpdTitleBar_Click();
    void ntpdCmdExit_Click();
    void ntpdMenuButton_Click(int Index);
    // A press paints the menu label red, the release black again.
    void ntpdMenuButton_MouseDown(int Index);
    void ntpdMenuButton_MouseUp(int Index);
    // Ctrl+A selects the whole text.
    void ntpdTextBox_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled);
    void ntpdCmdOpenSave_Click();
    void ntpdCmdRemoveFile_Click();
    void ntpdCmdOpenSaveCancel_Click();
    void ntpdCmdOpenSaveExit_Click();

    Mode mode() const { return m_mode; }
    // The text's colour, chosen with the font.
    QColor textColour() const;
    // Whether the box may be shown and is shown; the layout pass reads both and
    // closes the box when it does not fit.
    bool boxEnabled() const { return m_enabled; }
    bool isOpen() const { return m_open; }
    void closeBox();

    QLabel *ntpdTitleBar;
    QPushButton *ntpdCmdExit;
    QPlainTextEdit *ntpdTextBox;
    QWidget *ntpdMenuBox;
    std::array<QLabel *, 3> ntpdMenuButton{};
    QWidget *ntpdOpenSaveBox;
    QLabel *ntpdOpenSaveTitleBar;
    QComboBox *ntpdOpenSaveTextBox;
    QPushButton *ntpdCmdOpenSave;
    QPushButton *ntpdCmdRemoveFile;
    QPushButton *ntpdCmdOpenSaveCancel;
    QPushButton *ntpdCmdOpenSaveExit;

Q_SIGNALS:
    // A passing notice: its title (painted red) and its content.
    void notice(const QString &title, const QString &content);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    NoteStore store() const;
    // Back to editing: menu and open/save box hidden, the text field enabled.
    void backToText();
    // The typed name, or nothing (after the empty-name notice of the action).
    std::optional<QString> typedName(const char *emptyNotice);
    void reportFailure(const QString &what, const QString &name);
    void placeControls();
    // Routes a key of the text field to its handler; true when it was handled.
    bool textBoxKey(QEvent *event);

    PanelContext m_context;
    bool m_enabled = false;
    bool m_open = false;
    Mode m_mode = Mode::Idle;
};
