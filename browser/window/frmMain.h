#pragma once

#include "PanelState.h"
#include "browser/core/TabSet.h"
#include "platform/WebBrowser.h"

#include <QWidget>

#include <memory>

class AddressInput;
class BuiltinImages;
class frmPopupMenu;
class FavoritePanel;
class LabelControl;
class NotepadPanel;
class PictureControl;
class Progressbar;
class QLabel;
class SearchPanel;
class SideBar;
class Skin;
class StatusBar;
class TabStrip;
class VorlenApp;

// The browser's main window: a borderless window with a self-drawn frame, the
// tab strip with one page engine per tab, the address bar, the navigation
// buttons, the side bar and the status bar. The tabs themselves live in a
// TabSet that the strip and the window observe; every handler ends with the
// application's after-step. Handlers are split by concern over frmMain_*.cpp;
// the features beside the window install their own commands.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    frmMain(VorlenApp &app, Skin &skin, BuiltinImages &images);
    ~frmMain() override;
    struct Parts;

    static constexpr const char *kTabToolTip = "이 Tab에 대한 메뉴를 보시려면, 오른쪽 마우스 버튼을 누르십시오.";

    // Lifecycle
    void Form_Initialize();
    void Form_Load();
    void Form_Resize();
    void Form_GotFocus();
    void Form_Unload(int &Cancel);
    void modProgramExit();
    // The bars keep the window's first frame until the start tab's page is there.
    void holdBarsUntilStartPage();

    // The session record of the selected page.
    void WriteSessionRecord();
    void ClearSessionRecord();

    // The theme manager's menu item, switched by the theme check and the settings.
    void setAmbrelMenuEnabled(bool enabled);
    bool ambrelMenuEnabled() const;
    // The program, tab and favorite menus (frmMain_Menus.cpp).
    frmPopupMenu &popupMenu();

    // Tab set
    TabSet &tabs() { return m_tabs; }
    void modTabStrip();
    // Opens sURL (the start page when blank) in a new tab right of the selected
    // one. Returns the new tab's page, or nullptr when no further tab can be made.
    platform::WebBrowser *modRecvNewWindow(const QString &sURL, qint16 isCurrentNew = 0);
    // A tab at position that loads nothing and stays in the background.
    platform::WebBrowser *openWaitingTab(int position) { return createTab(QString(), false, position); }
    void modRecvCloseWindow(qint16 Index);
    void WriteTitle(qint16 Index);
    void WriteTabCap(qint16 Index);
    platform::WebBrowser *browser(qint16 index) const { return m_tabs.page(index); }
    qint16 currentTabIndex() const { return m_tabs.CurrentTab(); }
    qint16 TabCounter() const { return m_tabs.TabCounter(); }

    // Layout pass and status bar
    void ArrangeMainWindow();
    void ArrangeFrame();
    void UpdateSystemStateIcon();
    // What the panels show now, as the layout pass reads it.
    PanelState panels() const;
    void setStatus(int connectionPicture, const QString &text);
    void setConnectionPicture(int picture);
    int connectionPicture() const;
    int systemStatePicture() const;
    void setAddressText(const QString &text);
    bool addressEditing() const;

    // Window state of the form convention: 0 normal, 1 minimized, 2 maximized.
    int WindowState() const;
    void setWindowStateValue(int state);
    int Width() const;   // twips
    int Height() const;
    void setSizeTwips(int width, int height);
    // The maximize button's picture and tooltip and the resizing edges for a
    // window that is (or is not) maximized.
    void showFrameState(bool maximized);
    int fadeSteps() const;
    // Tells the user once per run that generated pages cannot be written.
    void reportPageWriteFailure();
    // The selected tab on the error page, the address and status bars telling
    // that there is no connection.
    void showOffline();

    // --- Controls ---------------------------------------------------------
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

    SideBar *ProgramSidebar;
    PictureControl *ProgramSidebarBackgroundImage;
    PictureControl *FavoriteButton;
    PictureControl *SearchButton;
    PictureControl *DesignModeButton;
    PictureControl *ScriptErrorsButton;
    PictureControl *TaskManagerButton;
    PictureControl *VitrelButton;
    PictureControl *PanovelButton;
    PictureControl *NotepadButton;
    FavoritePanel *FavoriteBox;
    SearchPanel *SearchBox;
    NotepadPanel *ntpdNotepadBox;

    TabStrip *WebTabStrip;

    StatusBar *ProgramStatusBar;
    PictureControl *ProgramStatusInternetIconImage;
    QLabel *ProgramStatusTextLabel;
    PictureControl *ProgramSystemStateBar;
    Progressbar *ProgramStatusProgressbar;

    // --- Handlers ---------------------------------------------------------
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

    void WebAdressBar_Click();
    void WebAdressBar_DblClick();
    void WebAdressInputBar_Change();
    void WebAdressInputBar_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled);
    void WebAdressInputBar_KeyPress(int KeyAscii);
    void WebAdressInputBar_LostFocus();

    void BackButton_MouseDown(Qt::MouseButton Button);
    void BackButton_MouseUp(Qt::MouseButton Button, int X, int Y);
    void ForwardButton_MouseDown(Qt::MouseButton Button);
    void ForwardButton_MouseUp(Qt::MouseButton Button, int X, int Y);
    void RefreshButton_MouseDown(Qt::MouseButton Button);
    void RefreshButton_MouseUp(Qt::MouseButton Button, int X, int Y);
    void StopButton_MouseDown(Qt::MouseButton Button);
    void StopButton_MouseUp(Qt::MouseButton Button, int X, int Y);

    void ProgramDesignTopLeftEdge_MouseDown(Qt::MouseButton Button);
    void ProgramDesignTopSize_MouseDown(Qt::MouseButton Button);
    void ProgramDesignTopRightEdge_MouseDown(Qt::MouseButton Button);
    void ProgramDesignRightLine_MouseDown(Qt::MouseButton Button);
    void ProgramDesignBottomRightEdge_MouseDown(Qt::MouseButton Button);
    void ProgramDesignBottomLine_MouseDown(Qt::MouseButton Button);
    void ProgramDesignBottomLeftEdge_MouseDown(Qt::MouseButton Button);
    void ProgramDesignLeftLine_MouseDown(Qt::MouseButton Button);
    void ProgramIcon_MouseDown(Qt::MouseButton Button);
    void ProgramIcon_MouseUp(Qt::MouseButton Button, int X, int Y);
    void ProgramTitleBar_MouseDown(Qt::MouseButton Button);
    void ProgramTitleBar_MouseUp(Qt::MouseButton Button);
    void ProgramTitleBar_DblClick();
    void SystemMinButton_MouseDown(Qt::MouseButton Button);
    void SystemMinButton_MouseUp(Qt::MouseButton Button, int X, int Y);
    void SystemMaxButton_MouseDown(Qt::MouseButton Button);
    void SystemMaxButton_MouseUp(Qt::MouseButton Button, int X, int Y);
    void SystemExitButton_MouseDown(Qt::MouseButton Button);
    void SystemExitButton_MouseUp(Qt::MouseButton Button, int X, int Y);

    // The side panels' lists, refreshed from their folders.
    void FavoriteActivatee();
    void modLoadTxtFileList();

    // Edge commands (frmMain_Gestra.cpp)
    void CheckGestra(bool afterMove);
    // The steps once a move by the title strip has ended: the blink, the edge commands.
    void afterTitleMove();
    // Waits for the end of a move that the window manager runs.
    void watchMoveEnd();

Q_SIGNALS:
    // The exit has begun: the shortcuts go before the window does.
    void unloading();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createControls();
    void connectControls();
    void connectMenus();
    platform::WebBrowser *createBrowser(qint16 index);
    void connectBrowser(platform::WebBrowser *browser);
    platform::WebBrowser *createTab(const QString &sURL, bool navigate, int position = -1);

    VorlenApp &m_app;
    Skin &m_skin;
    BuiltinImages &m_images;
    TabSet m_tabs;
    // Everything else the window keeps (frmMainParts.h, for the window's own files).
    std::unique_ptr<Parts> m_parts;
};
