#pragma once

#include <QMap>
#include <QPoint>
#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace platform {
struct Platform;
}

namespace prismel {

class PictureButton;
class PicturePreview;

// The wizard's one borderless window. Seven page panels share the content area and
// exactly one is visible; the pictures chosen on the picture pages live in their
// preview controls until the pack is made.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(platform::Platform &platform, QWidget *parent = nullptr);
    ~frmMain() override;

    // Window size in pixels (the content is laid out for it).
    static constexpr QSize kWindowSize{640, 480};

    // Title strip and caption buttons.
    QLabel *ProgramTitleBar = nullptr;
    PictureButton *SystemMinButton = nullptr;
    PictureButton *SystemExitButton = nullptr;

    // Page panels.
    QWidget *StartBox = nullptr;
    QWidget *OneBox = nullptr;
    QWidget *TwoBox = nullptr;
    QWidget *ThreeBox = nullptr;
    QWidget *FourBox = nullptr;
    QWidget *InputYourInfoBox = nullptr;
    QWidget *ThankYouBox = nullptr;

    // Navigation (control arrays: the index tells the page).
    QMap<int, QPushButton *> cmdNext;
    QMap<int, QPushButton *> cmdBack;
    QMap<int, QPushButton *> cmdCancel;
    QMap<int, QPushButton *> cmdOK;
    QPushButton *cmdMake = nullptr;
    QMap<int, QLabel *> imgAmbrelLogo;

    // Licence page.
    QTextBrowser *txtLicence = nullptr;
    QPushButton *cmdAgree = nullptr;
    QPushButton *cmdDisagree = nullptr;

    // Frame page.
    QPushButton *cmdTwoBoxTopLeftEdge = nullptr;
    QPushButton *cmdTwoBoxTopLine = nullptr;
    QPushButton *cmdTwoBoxTopRightEdge = nullptr;
    QPushButton *cmdTwoBoxRightLine = nullptr;
    QPushButton *cmdTwoBoxBottomRightEdge = nullptr;
    QPushButton *cmdTwoBoxBottomLine = nullptr;
    QPushButton *cmdTwoBoxBottomLeftEdge = nullptr;
    QPushButton *cmdTwoBoxLeftLine = nullptr;
    PicturePreview *imgTopLeftEdge = nullptr;
    PicturePreview *imgTopLine = nullptr;
    PicturePreview *imgTopRightEdge = nullptr;
    PicturePreview *imgRightLine = nullptr;
    PicturePreview *imgBottomRightEdge = nullptr;
    PicturePreview *imgBottomLine = nullptr;
    PicturePreview *imgBottomLeftEdge = nullptr;
    PicturePreview *imgLeftLine = nullptr;
    QPushButton *cmdTwoBoxSystemThemeMakeGuide = nullptr;
    QPushButton *cmdThemePreview = nullptr;
    QPushButton *cmdThemeHelp = nullptr;
    QWidget *TwoBoxPlus1 = nullptr;
    QWidget *SystemImageBox = nullptr;
    QPushButton *cmdSystemImageGoBack = nullptr;
    QWidget *HelpTheme = nullptr;
    QPushButton *cmdTwoBoxHelp1 = nullptr;
    QPushButton *cmdTwoBoxHelp2 = nullptr;
    QWidget *InHelpTwoBox1 = nullptr;
    QWidget *InHelpTwoBox2 = nullptr;

    // Toolbar page.
    QPushButton *cmdThreeBoxBackButton = nullptr;
    QPushButton *cmdThreeBoxBackButtonPress = nullptr;
    QPushButton *cmdThreeBoxForwardButton = nullptr;
    QPushButton *cmdThreeBoxForwardButtonPress = nullptr;
    QPushButton *cmdThreeBoxRefreshButton = nullptr;
    QPushButton *cmdThreeBoxRefreshButtonPress = nullptr;
    QPushButton *cmdThreeBoxStopButton = nullptr;
    QPushButton *cmdThreeBoxStopButtonPress = nullptr;
    QPushButton *cmdThreeBoxToolbarBackground = nullptr;
    PicturePreview *imgBackButton = nullptr;
    PicturePreview *imgBackButtonPress = nullptr;
    PicturePreview *imgForwardButton = nullptr;
    PicturePreview *imgForwardButtonPress = nullptr;
    PicturePreview *imgRefreshButton = nullptr;
    PicturePreview *imgRefreshButtonPress = nullptr;
    PicturePreview *imgStopButton = nullptr;
    PicturePreview *imgStopButtonPress = nullptr;
    PicturePreview *imgToolbarBackground = nullptr;
    QPushButton *cmdThreeBoxSystemThemeMakeGuide = nullptr;
    QWidget *ThreeBoxPlus1 = nullptr;

    // Side-bar page.
    QPushButton *cmdFourBoxFavoriteButton = nullptr;
    QPushButton *cmdFourBoxSearchButton = nullptr;
    QPushButton *cmdFourBoxDesignModeButton = nullptr;
    QPushButton *cmdFourBoxScriptErrorsButton = nullptr;
    QPushButton *cmdFourBoxTaskManagerButton = nullptr;
    QPushButton *cmdFourBoxVitrelButton = nullptr;
    QPushButton *cmdFourBoxPanovelButton = nullptr;
    QPushButton *cmdFourBoxNotepadButton = nullptr;
    PicturePreview *imgFavoriteButton = nullptr;
    PicturePreview *imgSearchButton = nullptr;
    PicturePreview *imgDesignModeButton = nullptr;
    PicturePreview *imgScriptErrorsButton = nullptr;
    PicturePreview *imgTaskManagerButton = nullptr;
    PicturePreview *imgVitrelButton = nullptr;
    PicturePreview *imgPanovelButton = nullptr;
    PicturePreview *imgNotepadButton = nullptr;
    QPushButton *cmdFourBoxSystemThemeMakeGuide = nullptr;
    QWidget *FourBoxPlus1 = nullptr;

    // Information page.
    QLineEdit *txtboxThemeName = nullptr;
    QLineEdit *txtboxThemeMakerName = nullptr;
    QLineEdit *txtboxThemeMakerHomePage = nullptr;

    // Completion page: the name the pack was made under (a default name when the
    // name box was left empty) and the folder it was written to.
    QLabel *lblThemePackName = nullptr;
    QLabel *lblThemePackFolder = nullptr;

    // Handlers.
    void cmdNext_Click(int index);
    void cmdBack_Click(int index);
    void cmdCancel_Click(int index);
    void cmdOK_Click(int index);
    void cmdAgree_Click();
    void cmdDisagree_Click();
    void cmdMake_Click();
    void SystemMinButton_Click();
    void SystemExitButton_Click();
    void ProgramTitleBar_MouseDown(Qt::MouseButton button, const QPoint &globalPos);
    void ProgramTitleBar_MouseMove(const QPoint &globalPos);
    void ProgramTitleBar_MouseUp(Qt::MouseButton button);

    void cmdThemePreview_Click();
    void cmdSystemImageGoBack_Click();
    void cmdThemeHelp_Click();
    void cmdTwoBoxHelp1_Click();
    void cmdTwoBoxHelp2_Click();
    void cmdTwoBoxSystemThemeMakeGuide_Click();
    void cmdThreeBoxSystemThemeMakeGuide_Click();
    void cmdFourBoxSystemThemeMakeGuide_Click();

    void cmdTwoBoxTopLeftEdge_Click();
    void cmdTwoBoxTopLine_Click();
    void cmdTwoBoxTopRightEdge_Click();
    void cmdTwoBoxRightLine_Click();
    void cmdTwoBoxBottomRightEdge_Click();
    void cmdTwoBoxBottomLine_Click();
    void cmdTwoBoxBottomLeftEdge_Click();
    void cmdTwoBoxLeftLine_Click();
    void cmdThreeBoxBackButton_Click();
    void cmdThreeBoxBackButtonPress_Click();
    void cmdThreeBoxForwardButton_Click();
    void cmdThreeBoxForwardButtonPress_Click();
    void cmdThreeBoxRefreshButton_Click();
    void cmdThreeBoxRefreshButtonPress_Click();
    void cmdThreeBoxStopButton_Click();
    void cmdThreeBoxStopButtonPress_Click();
    void cmdThreeBoxToolbarBackground_Click();
    void cmdFourBoxFavoriteButton_Click();
    void cmdFourBoxSearchButton_Click();
    void cmdFourBoxDesignModeButton_Click();
    void cmdFourBoxScriptErrorsButton_Click();
    void cmdFourBoxTaskManagerButton_Click();
    void cmdFourBoxVitrelButton_Click();
    void cmdFourBoxPanovelButton_Click();
    void cmdFourBoxNotepadButton_Click();

    // One picture slot: its pack file, its two controls and the picker's handler.
    struct SlotEntry;

    // Shows one page panel and hides the six others.
    void showPage(QWidget *page);
    // The preview that holds a slot's picture, by the slot's pack file name
    // without ".gif" ("TopLeftEdge"); null for an unknown name.
    PicturePreview *slotPreview(const QString &slotName) const;
    QPushButton *slotPicker(const QString &slotName) const;

signals:
    // The user ended the program (cancel, close, OK on the last page).
    void programEnded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    static const SlotEntry *findSlot(const QString &slotName);

    void buildTitleStrip();
    void buildStartBox();
    void buildOneBox();
    void buildTwoBox();
    void buildThreeBox();
    void buildFourBox();
    void buildInputYourInfoBox();
    void buildThankYouBox();
    QWidget *buildFramePreview();
    QWidget *buildHelpTheme();
    void createSlots();
    void connectHandlers();
    QWidget *makePage(const char *name);

    void pickPicture(const QString &slotName);
    QWidget *pageOfSlot(const QString &slotName) const;
    void endProgram();
    void toggle(QWidget *panel);
    void showPanel(QWidget *panel, bool visible);
    void paintHelpTabs(bool firstSelected);

    platform::Platform &m_platform;
    QWidget *m_pageArea = nullptr;
    QString m_lastFolder;
    // Manual window drag, for window systems that offer no system move.
    std::optional<QPoint> m_dragOffset;
};

} // namespace prismel
