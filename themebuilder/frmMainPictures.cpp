// The picture slots of frmMain, the panels of the frame page and the make step.

#include "themebuilder/frmMain.h"

#include "platform/Platform.h"
#include "themebuilder/PackWriter.h"
#include "themebuilder/PicturePreview.h"
#include "themebuilder/WizardStyle.h"
#include "themepack/ThemePack.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <exception>

namespace prismel {

// One picture slot: its pack file, its two controls and the picker's handler.
struct frmMain::SlotEntry
{
    const char *slotName;
    const char *pickerName;
    const char *caption;
    const char *previewName;
    QPushButton *frmMain::*picker;
    PicturePreview *frmMain::*preview;
    void (frmMain::*handler)();
};

namespace {

using E = frmMain;

// In page order, as the pickers appear on the three picture pages.
const frmMain::SlotEntry kSlotEntries[] = {
    {"TopLeftEdge", "cmdTwoBoxTopLeftEdge", "상단 좌측 모서리", "imgTopLeftEdge", &E::cmdTwoBoxTopLeftEdge, &E::imgTopLeftEdge, &E::cmdTwoBoxTopLeftEdge_Click},
    {"TopLine", "cmdTwoBoxTopLine", "상단 테두리", "imgTopLine", &E::cmdTwoBoxTopLine, &E::imgTopLine, &E::cmdTwoBoxTopLine_Click},
    {"TopRightEdge", "cmdTwoBoxTopRightEdge", "상단 우측 모서리", "imgTopRightEdge", &E::cmdTwoBoxTopRightEdge, &E::imgTopRightEdge, &E::cmdTwoBoxTopRightEdge_Click},
    {"RightLine", "cmdTwoBoxRightLine", "우측 테두리", "imgRightLine", &E::cmdTwoBoxRightLine, &E::imgRightLine, &E::cmdTwoBoxRightLine_Click},
    {"BottomRightEdge", "cmdTwoBoxBottomRightEdge", "하단 우측 모서리", "imgBottomRightEdge", &E::cmdTwoBoxBottomRightEdge, &E::imgBottomRightEdge, &E::cmdTwoBoxBottomRightEdge_Click},
    {"BottomLine", "cmdTwoBoxBottomLine", "하단 테두리", "imgBottomLine", &E::cmdTwoBoxBottomLine, &E::imgBottomLine, &E::cmdTwoBoxBottomLine_Click},
    {"BottomLeftEdge", "cmdTwoBoxBottomLeftEdge", "하단 좌측 모서리", "imgBottomLeftEdge", &E::cmdTwoBoxBottomLeftEdge, &E::imgBottomLeftEdge, &E::cmdTwoBoxBottomLeftEdge_Click},
    {"LeftLine", "cmdTwoBoxLeftLine", "좌측 테두리", "imgLeftLine", &E::cmdTwoBoxLeftLine, &E::imgLeftLine, &E::cmdTwoBoxLeftLine_Click},
    {"BackButton", "cmdThreeBoxBackButton", "뒤로 버튼 (일반)", "imgBackButton", &E::cmdThreeBoxBackButton, &E::imgBackButton, &E::cmdThreeBoxBackButton_Click},
    {"BackButtonPress", "cmdThreeBoxBackButtonPress", "뒤로 버튼 (누름)", "imgBackButtonPress", &E::cmdThreeBoxBackButtonPress, &E::imgBackButtonPress, &E::cmdThreeBoxBackButtonPress_Click},
    {"ForwardButton", "cmdThreeBoxForwardButton", "앞으로 버튼 (일반)", "imgForwardButton", &E::cmdThreeBoxForwardButton, &E::imgForwardButton, &E::cmdThreeBoxForwardButton_Click},
    {"ForwardButtonPress", "cmdThreeBoxForwardButtonPress", "앞으로 버튼 (누름)", "imgForwardButtonPress", &E::cmdThreeBoxForwardButtonPress, &E::imgForwardButtonPress, &E::cmdThreeBoxForwardButtonPress_Click},
    {"RefreshButton", "cmdThreeBoxRefreshButton", "다시 불러오기 버튼 (일반)", "imgRefreshButton", &E::cmdThreeBoxRefreshButton, &E::imgRefreshButton, &E::cmdThreeBoxRefreshButton_Click},
    {"RefreshButtonPress", "cmdThreeBoxRefreshButtonPress", "다시 불러오기 버튼 (누름)", "imgRefreshButtonPress", &E::cmdThreeBoxRefreshButtonPress, &E::imgRefreshButtonPress, &E::cmdThreeBoxRefreshButtonPress_Click},
    {"StopButton", "cmdThreeBoxStopButton", "불러오기 중지 버튼 (일반)", "imgStopButton", &E::cmdThreeBoxStopButton, &E::imgStopButton, &E::cmdThreeBoxStopButton_Click},
    {"StopButtonPress", "cmdThreeBoxStopButtonPress", "불러오기 중지 버튼 (누름)", "imgStopButtonPress", &E::cmdThreeBoxStopButtonPress, &E::imgStopButtonPress, &E::cmdThreeBoxStopButtonPress_Click},
    {"ToolbarBackgroundImage", "cmdThreeBoxToolbarBackground", "도구상자 배경", "imgToolbarBackground", &E::cmdThreeBoxToolbarBackground, &E::imgToolbarBackground, &E::cmdThreeBoxToolbarBackground_Click},
    {"FavoriteButton", "cmdFourBoxFavoriteButton", "바로가기", "imgFavoriteButton", &E::cmdFourBoxFavoriteButton, &E::imgFavoriteButton, &E::cmdFourBoxFavoriteButton_Click},
    {"SearchButton", "cmdFourBoxSearchButton", "인터넷 검색", "imgSearchButton", &E::cmdFourBoxSearchButton, &E::imgSearchButton, &E::cmdFourBoxSearchButton_Click},
    {"DesignModeButton", "cmdFourBoxDesignModeButton", "문서 편집 모드", "imgDesignModeButton", &E::cmdFourBoxDesignModeButton, &E::imgDesignModeButton, &E::cmdFourBoxDesignModeButton_Click},
    {"ScriptErrorsButton", "cmdFourBoxScriptErrorsButton", "문서 오류 무시", "imgScriptErrorsButton", &E::cmdFourBoxScriptErrorsButton, &E::imgScriptErrorsButton, &E::cmdFourBoxScriptErrorsButton_Click},
    {"TaskManagerButton", "cmdFourBoxTaskManagerButton", "작업 관리자", "imgTaskManagerButton", &E::cmdFourBoxTaskManagerButton, &E::imgTaskManagerButton, &E::cmdFourBoxTaskManagerButton_Click},
    {"VitrelButton", "cmdFourBoxVitrelButton", "Vitrel™", "imgVitrelButton", &E::cmdFourBoxVitrelButton, &E::imgVitrelButton, &E::cmdFourBoxVitrelButton_Click},
    {"PanovelButton", "cmdFourBoxPanovelButton", "Panovel™ 모드", "imgPanovelButton", &E::cmdFourBoxPanovelButton, &E::imgPanovelButton, &E::cmdFourBoxPanovelButton_Click},
    {"NotepadButton", "cmdFourBoxNotepadButton", "메모장", "imgNotepadButton", &E::cmdFourBoxNotepadButton, &E::imgNotepadButton, &E::cmdFourBoxNotepadButton_Click},
};

} // namespace

const frmMain::SlotEntry *frmMain::findSlot(const QString &slotName)
{
    for (const SlotEntry &e : kSlotEntries) {
        if (slotName == QLatin1String(e.slotName))
            return &e;
    }
    return nullptr;
}

PicturePreview *frmMain::slotPreview(const QString &slotName) const
{
    const SlotEntry *e = findSlot(slotName);
    return e ? this->*e->preview : nullptr;
}

QPushButton *frmMain::slotPicker(const QString &slotName) const
{
    const SlotEntry *e = findSlot(slotName);
    return e ? this->*e->picker : nullptr;
}

void frmMain::createSlots()
{
    for (const SlotEntry &e : kSlotEntries) {
        const QByteArray name(e.slotName);
        const auto file = themepack::pictureFile(std::string_view(name.constData(), size_t(name.size())));
        const bool frame = file->page == themepack::BuilderPage::Frame;
        // Free dimensions get the room the pages have for them: frame edges 419
        // wide and sides 53 high as on the frame preview, the toolbar strip 250.
        const QSize size(file->width ? file->width : (frame ? 419 : 250), file->height ? file->height : 53);

        auto *picker = new QPushButton(QString::fromUtf8(e.caption), this);
        picker->setObjectName(QLatin1String(e.pickerName));
        if (!frame)
            picker->setProperty("role", QByteArray("picker"));
        picker->setCursor(Qt::PointingHandCursor);
        if (frame)
            picker->setMinimumHeight(34);
        this->*e.picker = picker;

        auto *preview = new PicturePreview(size, !frame, this);
        preview->setObjectName(QLatin1String(e.previewName));
        this->*e.preview = preview;

        connect(picker, &QPushButton::clicked, this, e.handler);
    }
}

QWidget *frmMain::pageOfSlot(const QString &slotName) const
{
    const QByteArray name = slotName.toUtf8();
    const auto file = themepack::pictureFile(std::string_view(name.constData(), size_t(name.size())));
    if (!file)
        return nullptr;
    switch (file->page) {
    case themepack::BuilderPage::Frame:
        return TwoBox;
    case themepack::BuilderPage::Toolbar:
        return ThreeBox;
    case themepack::BuilderPage::Sidebar:
        return FourBox;
    case themepack::BuilderPage::None:
        break;
    }
    return nullptr;
}

// ---- Picking pictures ----------------------------------------------------------

void frmMain::pickPicture(const QString &slotName)
{
    PicturePreview *preview = slotPreview(slotName);
    if (!preview)
        return;
    const QString path = m_platform.dialogs.openFileName(
        this, slotLabel(slotName) + QStringLiteral(" 이미지 열기"),
        QStringLiteral("그래픽 인터체인지 포맷(*.gif)|*.gif|"), m_lastFolder);
    // A cancelled dialog, or a file that is not a picture, leaves the slot as it was.
    if (path.isEmpty())
        return;
    const auto picture = loadSlotPicture(path);
    if (!picture)
        return;
    m_lastFolder = QFileInfo(path).absolutePath();
    preview->setPicture(*picture);
}

void frmMain::cmdTwoBoxTopLeftEdge_Click() { pickPicture(QStringLiteral("TopLeftEdge")); }
void frmMain::cmdTwoBoxTopLine_Click() { pickPicture(QStringLiteral("TopLine")); }
void frmMain::cmdTwoBoxTopRightEdge_Click() { pickPicture(QStringLiteral("TopRightEdge")); }
void frmMain::cmdTwoBoxRightLine_Click() { pickPicture(QStringLiteral("RightLine")); }
void frmMain::cmdTwoBoxBottomRightEdge_Click() { pickPicture(QStringLiteral("BottomRightEdge")); }
void frmMain::cmdTwoBoxBottomLine_Click() { pickPicture(QStringLiteral("BottomLine")); }
void frmMain::cmdTwoBoxBottomLeftEdge_Click() { pickPicture(QStringLiteral("BottomLeftEdge")); }
void frmMain::cmdTwoBoxLeftLine_Click() { pickPicture(QStringLiteral("LeftLine")); }
void frmMain::cmdThreeBoxBackButton_Click() { pickPicture(QStringLiteral("BackButton")); }
void frmMain::cmdThreeBoxBackButtonPress_Click() { pickPicture(QStringLiteral("BackButtonPress")); }
void frmMain::cmdThreeBoxForwardButton_Click() { pickPicture(QStringLiteral("ForwardButton")); }
void frmMain::cmdThreeBoxForwardButtonPress_Click() { pickPicture(QStringLiteral("ForwardButtonPress")); }
void frmMain::cmdThreeBoxRefreshButton_Click() { pickPicture(QStringLiteral("RefreshButton")); }
void frmMain::cmdThreeBoxRefreshButtonPress_Click() { pickPicture(QStringLiteral("RefreshButtonPress")); }
void frmMain::cmdThreeBoxStopButton_Click() { pickPicture(QStringLiteral("StopButton")); }
void frmMain::cmdThreeBoxStopButtonPress_Click() { pickPicture(QStringLiteral("StopButtonPress")); }
void frmMain::cmdThreeBoxToolbarBackground_Click() { pickPicture(QStringLiteral("ToolbarBackgroundImage")); }
void frmMain::cmdFourBoxFavoriteButton_Click() { pickPicture(QStringLiteral("FavoriteButton")); }
void frmMain::cmdFourBoxSearchButton_Click() { pickPicture(QStringLiteral("SearchButton")); }
void frmMain::cmdFourBoxDesignModeButton_Click() { pickPicture(QStringLiteral("DesignModeButton")); }
void frmMain::cmdFourBoxScriptErrorsButton_Click() { pickPicture(QStringLiteral("ScriptErrorsButton")); }
void frmMain::cmdFourBoxTaskManagerButton_Click() { pickPicture(QStringLiteral("TaskManagerButton")); }
void frmMain::cmdFourBoxVitrelButton_Click() { pickPicture(QStringLiteral("VitrelButton")); }
void frmMain::cmdFourBoxPanovelButton_Click() { pickPicture(QStringLiteral("PanovelButton")); }
void frmMain::cmdFourBoxNotepadButton_Click() { pickPicture(QStringLiteral("NotepadButton")); }

// ---- Panels over the picture pages -----------------------------------------------

void frmMain::showPanel(QWidget *panel, bool visible)
{
    panel->setVisible(visible);
    // Panels share one area; the one shown last lies on top.
    if (visible)
        panel->raise();
}

void frmMain::toggle(QWidget *panel)
{
    showPanel(panel, panel->isHidden());
}

void frmMain::cmdThemePreview_Click()
{
    showPanel(TwoBoxPlus1, false);
    showPanel(SystemImageBox, true);
}

void frmMain::cmdSystemImageGoBack_Click()
{
    showPanel(TwoBoxPlus1, false);
    showPanel(SystemImageBox, false);
}

void frmMain::cmdThemeHelp_Click()
{
    if (!HelpTheme->isHidden()) {
        showPanel(HelpTheme, false);
        showPanel(SystemImageBox, false);
    } else {
        showPanel(SystemImageBox, false);
        showPanel(HelpTheme, true);
    }
}

void frmMain::paintHelpTabs(bool firstSelected)
{
    cmdTwoBoxHelp1->setProperty("selected", firstSelected);
    cmdTwoBoxHelp2->setProperty("selected", !firstSelected);
    style::repolish(cmdTwoBoxHelp1);
    style::repolish(cmdTwoBoxHelp2);
}

void frmMain::cmdTwoBoxHelp1_Click()
{
    InHelpTwoBox1->show();
    InHelpTwoBox2->hide();
    paintHelpTabs(true);
}

void frmMain::cmdTwoBoxHelp2_Click()
{
    InHelpTwoBox2->show();
    InHelpTwoBox1->hide();
    paintHelpTabs(false);
}

void frmMain::cmdTwoBoxSystemThemeMakeGuide_Click()
{
    toggle(TwoBoxPlus1);
}

void frmMain::cmdThreeBoxSystemThemeMakeGuide_Click()
{
    toggle(ThreeBoxPlus1);
}

void frmMain::cmdFourBoxSystemThemeMakeGuide_Click()
{
    toggle(FourBoxPlus1);
}

// ---- Making the pack -------------------------------------------------------------

void frmMain::cmdMake_Click()
{
    using platform::MsgButtons;
    using platform::MsgIcon;

    PackRequest request;
    request.applicationFolder = m_platform.environment.applicationFolder();
    request.packName = txtboxThemeName->text();
    request.makerName = txtboxThemeMakerName->text();
    request.makerUrl = txtboxThemeMakerHomePage->text();
    for (const SlotEntry &e : kSlotEntries) {
        const PicturePreview *preview = this->*e.preview;
        if (preview->hasPicture())
            request.pictures.insert(QLatin1String(e.slotName), preview->picture());
    }

    PackResult result;
    try {
        result = writePack(request);
    } catch (const std::exception &) {
        // Whatever went wrong, the pack is not complete and the user must know.
        result = PackResult{};
        result.outcome = PackResult::Outcome::WriteFailed;
        result.failedPath = themepack::packFolder(request.applicationFolder, request.packName);
    }

    switch (result.outcome) {
    case PackResult::Outcome::Made:
        lblThemePackName->setText(QStringLiteral("테마팩 이름 : ") + result.packName);
        lblThemePackFolder->setText(QStringLiteral("테마팩 폴더 : ")
                                    + QDir::toNativeSeparators(themepack::packFolder(request.applicationFolder,
                                                                                     result.packName)));
        showPage(ThankYouBox);
        cmdOK[6]->setFocus();
        break;
    case PackResult::Outcome::UnusableName:
        m_platform.dialogs.messageBox(this, unusableNameMessage(result.nameProblem), makerMessageTitle(),
                                      MsgButtons::OK, MsgIcon::Exclamation);
        txtboxThemeName->setFocus();
        txtboxThemeName->selectAll();
        break;
    case PackResult::Outcome::EmptySlot:
        m_platform.dialogs.messageBox(this, emptySlotMessage(slotLabel(result.emptySlot)), makerMessageTitle(),
                                      MsgButtons::OK, MsgIcon::Information);
        if (QWidget *page = pageOfSlot(result.emptySlot)) {
            showPage(page);
            slotPicker(result.emptySlot)->setFocus();
        }
        break;
    case PackResult::Outcome::WriteFailed:
        m_platform.dialogs.messageBox(this, failureMessage(result), makerMessageTitle(), MsgButtons::OK,
                                      MsgIcon::Critical);
        break;
    }
}

} // namespace prismel
