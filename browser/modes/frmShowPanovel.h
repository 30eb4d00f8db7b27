#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class VorlenApp;

namespace platform {
class WebBrowser;
struct NewWindowRequest;
}

// The wide view: the current page alone in a maximized window with a thin
// title strip and a fold-away tool box. The main window is hidden meanwhile;
// when the wide view closes, the main window's current tab takes over the
// address the wide view reached. Pages may not open windows of their own here.
class frmShowPanovel : public QWidget
{
    Q_OBJECT
public:
    explicit frmShowPanovel(VorlenApp &app);

    static constexpr const char *kDaumAddress = "https://www.daum.net/";
    static constexpr const char *kUpdateAddress = "https://www.brenmor.example/vorlen/";

    // Opens url in the wide view.
    void Form_Load(const QString &url);

    QWidget *ProgramShape;   // the title strip's background
    QWidget *ProgramLine;    // the line under it
    QLabel *ProgramTitle;
    QLabel *ProgramTitleBar;
    QPushButton *cmdExit;
    QGroupBox *ToolbarBox;
    QLineEdit *AdressTextBox;
    QPushButton *BackButton;
    QPushButton *ForwardButton;
    QPushButton *RefreshButton;
    QPushButton *StopButton;
    QPushButton *GoHomeButton;
    platform::WebBrowser *WebBrowser = nullptr;

    void ProgramTitleBar_Click();
    void AdressTextBox_Change();
    // Escape puts the page's address back and folds the tool box; Enter goes
    // to the typed address as typed.
    void AdressTextBox_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled);
    void AdressTextBox_KeyPress(int KeyAscii, bool &handled);
    void BackButton_Click();
    void ForwardButton_Click();
    void RefreshButton_Click();
    void StopButton_Click();
    void GoHomeButton_Click();
    void cmdExit_Click();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void Form_Activate();
    void Form_Resize();
    void Form_Unload();
    void WebBrowser_NewWindow2(platform::NewWindowRequest &request);
    void navigateFromBox(const QString &address);

    VorlenApp &m_app;
    bool m_unloaded = false;
};
