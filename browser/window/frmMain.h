#pragma once

#include "platform/WebBrowser.h"

#include <QWidget>

#include <map>
#include <optional>

class AddressInput;
class LabelControl;
class PictureControl;
class Progressbar;
class QLabel;
class TabStrip;
class VorlenApp;

// The browser's main window: a borderless window with a self-drawn frame, the
// tab strip with one page engine per tab, the address bar, the navigation
// buttons, the side bar and the status bar. Its handlers are split by concern
// over several files: frmMain.cpp (controls), frmMain_Lifecycle.cpp,
// frmMain_Tabs.cpp, frmMain_PageEvents.cpp, frmMain_AddressBar.cpp,
// frmMain_Navigation.cpp and frame/frmMain_Frame.cpp.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(VorlenApp &app);
    ~frmMain() override;

    VorlenApp &app() const { return m_app; }

    // Every tab's tooltip.
    static constexpr const char *kTabToolTip = "이 Tab에 대한 메뉴를 보시려면, 오른쪽 마우스 버튼을 누르십시오.";

    // Lifecycle
    void Form_Initialize();
    void Form_Load();
    void Form_Resize();
    void Form_GotFocus();
    void Form_Unload(int &Cancel);
    void modProgramExit();

    // Tab set
    void modTabStrip();
    // Opens sURL (the start page when blank) in a new tab right of the selected
    // one. Returns the new tab's page, or nullptr when no further tab can be made.
    platform::WebBrowser *modRecvNewWindow(const QString &sURL, qint16 isCurrentNew = 0);
    void modRecvCloseWindow(qint16 Index);
    void WriteTitle(qint16 Index);
    void WriteTabCap(qint16 Index);

    // The tab's page engine, nullptr when there is none with that instance number.
    platform::WebBrowser *browser(qint16 index) const;
    qint16 currentTabIndex() const;   // TabKeyToIndex of the selected tab's key
    qint16 CurrentTab = 0;
    qint16 TabCounter = 0;

    // Status bar
    void setStatus(int connectionPicture, const QString &text);
    void setConnectionPicture(int picture);
    void setSystemStatePicture(int picture, const QString &tooltip);
    int connectionPicture() const { return m_connectionPicture; }
    int systemStatePicture() const { return m_statePicture; }
    void setAddressText(const QString &text);

    // Window state of the form convention: 0 normal, 1 minimized, 2 maximized.
    int WindowState() const;
    void setWindowStateValue(int state);
    void refreshMaxButton();          // picture pair and tooltip for the current state
    void setEdgeControlsEnabled(bool enabled);

    // Twips geometry of the window.
    int Width() const;
    int Height() const;
    void setSizeTwips(int width, int height);

    // --- Controls ---------------------------------------------------------
    // Frame
    PictureControl *ProgramDesignTopLeftEdge;
    PictureControl *ProgramDesignTopLine;
    PictureControl *ProgramDesignTopSize;
    PictureControl *ProgramDesignTopRightEdge;
    PictureControl *ProgramDesignRightLine;
    PictureControl *ProgramDesignBottomRightEdge;
    PictureControl *ProgramDesignBottomLine;
    PictureControl *ProgramDesignBottomLeftEdge;
    PictureControl *ProgramDesignLeftLine;
    PictureControl *ProgramIcon;
    LabelControl *ProgramTitleBar;
    PictureControl *SystemMinButton;
    PictureControl *SystemMaxButton;
    PictureControl *SystemExitButton;

    // Tool bar
    QWidget *ProgramToolbar;
    PictureControl *ProgramToolbarBackgroundImage;
    PictureControl *BackButton;
    PictureControl *ForwardButton;
    LabelControl *WebAdressBar;
    AddressInput *WebAdressInputBar;
    QWidget *WebBrowserToolBox;
    PictureControl *WebBrowserToolBackgroundImage;
    PictureControl *RefreshButton;
    PictureControl *StopButton;

    // Side bar and side panels
    QWidget *ProgramSidebar;
    PictureControl *ProgramSidebarBackgroundImage;
    PictureControl *FavoriteButton;
    PictureControl *SearchButton;
    PictureControl *DesignModeButton;
    PictureControl *ScriptErrorsButton;
    PictureControl *TaskManagerButton;
    PictureControl *VitrelButton;
    PictureControl *PanovelButton;
    PictureControl *NotepadButton;
    QWidget *FavoriteBox;
    QWidget *AddFavoriteBox;
    QWidget *SearchBox;
    QWidget *ntpdNotepadBox;

    // Tabs
    TabStrip *WebTabStrip;
    std::map<qint16, platform::WebBrowser *> TabWebBrowser;

    // Status bar
    QWidget *ProgramStatusBar;
    PictureControl *ProgramStatusInternetIconImage;
    QLabel *ProgramStatusTextLabel;
    PictureControl *ProgramSystemStateBar;
    Progressbar *ProgramStatusProgressbar;

    // --- Handlers ---------------------------------------------------------
    // Tab strip
    void WebTabStrip_Click();
    void WebTabStrip_MouseDown(Qt::MouseButton button, int x, int y);

    // Page events (Index = the page's instance number)
    void TabWebBrowser_BeforeNavigate2(qint16 Index, const QString &URL);
    void TabWebBrowser_NewWindow2(qint16 Index, platform::NewWindowRequest &request);
    void TabWebBrowser_NavigateComplete2(qint16 Index, const QString &URL);
    void TabWebBrowser_DocumentComplete(qint16 Index, const QString &URL);
    void TabWebBrowser_DownloadBegin(qint16 Index);
    void TabWebBrowser_DownloadComplete(qint16 Index);
    void TabWebBrowser_TitleChange(qint16 Index, const QString &Text);
    void TabWebBrowser_ProgressChange(qint16 Index, int Progress, int ProgressMax);
    void TabWebBrowser_CommandStateChange(qint16 Index, int Command, bool Enable);
    void TabWebBrowser_StatusTextChange(qint16 Index, const QString &Text);
    void TabWebBrowser_WindowClosing(qint16 Index);
    void TabWebBrowser_NavigateError(qint16 Index, const QString &URL);
    void TabWebBrowser_FileDownload(qint16 Index);

    // Address bar
    void WebAdressBar_Click();
    void WebAdressBar_DblClick();
    void WebAdressInputBar_Change();
    void WebAdressInputBar_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled);
    void WebAdressInputBar_KeyPress(int KeyAscii);
    void WebAdressInputBar_LostFocus();

    // Navigation buttons
    void BackButton_MouseDown(Qt::MouseButton Button);
    void BackButton_MouseUp(Qt::MouseButton Button, int X, int Y);
    void ForwardButton_MouseDown(Qt::MouseButton Button);
    void ForwardButton_MouseUp(Qt::MouseButton Button, int X, int Y);
    void RefreshButton_MouseDown(Qt::MouseButton Button);
    void RefreshButton_MouseUp(Qt::MouseButton Button, int X, int Y);
    void StopButton_MouseDown(Qt::MouseButton Button);
    void StopButton_MouseUp(Qt::MouseButton Button, int X, int Y);

    // Frame (frame/frmMain_Frame.cpp)
    void ProgramDesignTopLeftEdge_MouseDown(Qt::MouseButton Button);
    void ProgramDesignTopSize_MouseDown(Qt::MouseButton Button);
    void ProgramDesignTopRightEdge_MouseDown(Qt::MouseButton Button);
    void ProgramDesignRightLine_MouseDown(Qt::MouseButton Button);
    void ProgramDesignBottomRightEdge_MouseDown(Qt::MouseButton Button);
    void ProgramDesignBottomLine_MouseDown(Qt::MouseButton Button);
    void ProgramDesignBottomLeftEdge_MouseDown(Qt::MouseButton Button);
    void ProgramDesignLeftLine_MouseDown(Qt::MouseButton Button);
    void ProgramTitleBar_MouseDown(Qt::MouseButton Button);
    void ProgramTitleBar_MouseUp(Qt::MouseButton Button);
    void ProgramTitleBar_DblClick();
    void SystemMinButton_MouseDown(Qt::MouseButton Button);
    void SystemMinButton_MouseUp(Qt::MouseButton Button, int X, int Y);
    void SystemMaxButton_MouseDown(Qt::MouseButton Button);
    void SystemMaxButton_MouseUp(Qt::MouseButton Button, int X, int Y);
    void SystemExitButton_MouseDown(Qt::MouseButton Button);
    void SystemExitButton_MouseUp(Qt::MouseButton Button, int X, int Y);

    // Leaves address editing (Escape, Enter, loss of focus) and restores the
    // tool box and the address bar's width.
    void leaveAddressEditing(bool checkEmpty);
    void placeToolBox(bool alwaysShow);
    void setAddressWidth(int twips);

    // The number of fade steps the last exit ran (for the exit's fade-out).
    int fadeSteps() const { return m_fadeSteps; }

    // Set while the layout pass runs, so that the resize it causes does not
    // start a second pass.
    bool m_inLayout = false;
    bool m_layoutAgain = false;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createControls();
    void connectControls();
    platform::WebBrowser *createBrowser(qint16 index, const QString &tag);
    void connectBrowser(platform::WebBrowser *browser, qint16 index);
    // Makes a tab and its page; navigate=false leaves the page empty for a
    // page's new window. nullptr when no further instance number is left.
    platform::WebBrowser *createTab(const QString &sURL, bool navigate);
    void destroyBrowser(qint16 index);
    void resizeByEdge(Qt::MouseButton button, Qt::Edges edges);
    void navigationButtonDown(void (*setPicture)(VorlenApp &, bool));
    void navigationButtonUp(PictureControl *button, void (*setPicture)(VorlenApp &, bool),
                            void (platform::WebBrowser::*action)(), Qt::MouseButton Button, int X, int Y);
    void moveByTitleBar();
    void toggleMaximized();
    void showHistoryState(qint16 index);

    struct HistoryState
    {
        bool canGoBack = false;
        bool canGoForward = false;
    };
    std::map<qint16, HistoryState> m_history;

    // A move (no edges) or resize the window runs itself.
    struct Drag
    {
        bool active = false;
        Qt::Edges edges;
        QPoint origin;
        QRect start;
    };
    Drag m_drag;
    // Where a left press on the title strip happened, until it moves or ends.
    std::optional<QPoint> m_titlePress;

    VorlenApp &m_app;
    int m_connectionPicture = 0;
    int m_statePicture = 0;
    int m_fadeSteps = 0;
    bool m_unloading = false;

};
