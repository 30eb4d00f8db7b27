#include "frmMain.h"

#include "AddressInput.h"
#include "Design.h"
#include "TabStrip.h"
#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "browser/startup/VorlenApp.h"
#include "browser/startup/modBase.h"
#include "browser/themes/BuiltinImages.h"
#include "browser/themes/modAmbrel.h"
#include "browser/tools/Progressbar.h"

#include <QEvent>
#include <QPainter>

frmMain::frmMain(VorlenApp &app)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_app(app)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vorlen™"));
    setWindowIcon(app.images().windowIcon());
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(design::px(design::kDefaultWidth), design::px(design::kDefaultHeight));
    // The window manager owns the size while the user drags an edge and does
    // not take a resize from the program then; it is told the smallest size
    // instead, one pixel below the minimum, so that the layout pass still
    // reports the minimum when it is reached and sets the exact size.
    setMinimumSize(design::px(design::kMinWidth) - 1, design::px(design::kMinHeight) - 1);
    createControls();
    connectControls();
}

frmMain::~frmMain()
{
    // Pages go first: their engine must not outlive the window's widgets.
    for (auto &[index, page] : TabWebBrowser)
        delete page;
    TabWebBrowser.clear();
}

void frmMain::createControls()
{
    BuiltinImages &images = m_app.images();
    auto picture = [this](const char *name, QWidget *parent) {
        return new PictureControl(QString::fromLatin1(name), parent ? parent : this);
    };

    // Tabs and the start tab's page lie below everything else.
    WebTabStrip = new TabStrip(QStringLiteral("WebTabStrip"), this);
    WebTabStrip->add(1, QString(), QStringLiteral("Vorlen 시작 탭"));
    WebTabStrip->setToolTip(QString(), QString::fromUtf8(kTabToolTip));
    createBrowser(0, QString());

    // Frame pieces.
    ProgramDesignTopLeftEdge = picture("ProgramDesignTopLeftEdge", nullptr);
    ProgramDesignTopLine = picture("ProgramDesignTopLine", nullptr);
    ProgramDesignTopRightEdge = picture("ProgramDesignTopRightEdge", nullptr);
    ProgramDesignRightLine = picture("ProgramDesignRightLine", nullptr);
    ProgramDesignBottomRightEdge = picture("ProgramDesignBottomRightEdge", nullptr);
    ProgramDesignBottomLine = picture("ProgramDesignBottomLine", nullptr);
    ProgramDesignBottomLeftEdge = picture("ProgramDesignBottomLeftEdge", nullptr);
    ProgramDesignLeftLine = picture("ProgramDesignLeftLine", nullptr);
    ProgramDesignTopSize = picture("ProgramDesignTopSize", nullptr);

    ProgramDesignTopLeftEdge->setCursor(Qt::SizeFDiagCursor);
    ProgramDesignBottomRightEdge->setCursor(Qt::SizeFDiagCursor);
    ProgramDesignTopRightEdge->setCursor(Qt::SizeBDiagCursor);
    ProgramDesignBottomLeftEdge->setCursor(Qt::SizeBDiagCursor);
    ProgramDesignTopSize->setCursor(Qt::SizeVerCursor);
    ProgramDesignBottomLine->setCursor(Qt::SizeVerCursor);
    ProgramDesignLeftLine->setCursor(Qt::SizeHorCursor);
    ProgramDesignRightLine->setCursor(Qt::SizeHorCursor);

    ProgramIcon = picture("ProgramIcon", nullptr);
    ProgramIcon->setPicture(images.programIcon(16));
    ProgramIcon->setToolTip(QStringLiteral("창 메뉴"));
    ProgramIcon->setGeometry(design::px(design::kProgramIcon));

    ProgramTitleBar = new LabelControl(QStringLiteral("ProgramTitleBar"), this);
    ProgramTitleBar->setToolTip(QStringLiteral("창을 이동 하시려면 여기를 마우스 왼쪽 버튼으로 누르신 뒤 Drag&Drop 하십시오."));
    ProgramTitleBar->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont titleFont = font();
    titleFont.setBold(true);
    ProgramTitleBar->setFont(titleFont);
    ProgramTitleBar->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    SystemMinButton = picture("SystemMinButton", nullptr);
    SystemMinButton->setToolTip(QStringLiteral("최소화"));
    SystemMaxButton = picture("SystemMaxButton", nullptr);
    SystemMaxButton->setToolTip(QStringLiteral("최대화"));
    SystemExitButton = picture("SystemExitButton", nullptr);
    SystemExitButton->setToolTip(QStringLiteral("프로그램 종료"));

    // Tool bar.
    ProgramToolbar = new QWidget(this);
    ProgramToolbar->setObjectName(QStringLiteral("ProgramToolbar"));
    ProgramToolbarBackgroundImage = picture("ProgramToolbarBackgroundImage", ProgramToolbar);
    BackButton = picture("BackButton", ProgramToolbar);
    ForwardButton = picture("ForwardButton", ProgramToolbar);
    BackButton->setToolTip(QStringLiteral("뒤로"));
    ForwardButton->setToolTip(QStringLiteral("앞으로"));
    BackButton->setGreyWhenDisabled(true);
    ForwardButton->setGreyWhenDisabled(true);
    BackButton->setEnabled(false);
    ForwardButton->setEnabled(false);

    WebAdressBar = new LabelControl(QStringLiteral("WebAdressBar"), ProgramToolbar);
    WebAdressBar->setTextFormat(Qt::PlainText);
    WebAdressBar->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    WebAdressBar->setToolTip(QStringLiteral("주소를 입력 하시려면 여기를 더블 클릭 하십시오."));
    WebAdressInputBar = new AddressInput(QStringLiteral("WebAdressInputBar"), ProgramToolbar);
    WebAdressInputBar->hide();
    const QString fieldStyle = QStringLiteral(
        "border: 1px solid #5b6b80; border-radius: 3px; background: #fbfcfe; color: #1c2430; padding: 0 6px;");
    WebAdressBar->setStyleSheet(QStringLiteral("QLabel {") + fieldStyle + QStringLiteral("}"));
    WebAdressInputBar->setStyleSheet(QStringLiteral("QLineEdit {") + fieldStyle
                                     + QStringLiteral("border-color: #2f7de1;}"));

    WebBrowserToolBox = new QWidget(ProgramToolbar);
    WebBrowserToolBox->setObjectName(QStringLiteral("WebBrowserToolBox"));
    WebBrowserToolBox->hide();
    WebBrowserToolBox->resize(design::px(design::kToolBoxWidth), design::px(design::kToolbarHeight));
    WebBrowserToolBackgroundImage = picture("WebBrowserToolBackgroundImage", WebBrowserToolBox);
    WebBrowserToolBackgroundImage->setGeometry(0, 0, WebBrowserToolBox->width(), WebBrowserToolBox->height());
    RefreshButton = picture("RefreshButton", WebBrowserToolBox);
    RefreshButton->setToolTip(QStringLiteral("다시 불러오기"));
    RefreshButton->setGeometry(design::px(design::kRefreshButton));
    StopButton = picture("StopButton", WebBrowserToolBox);
    StopButton->setToolTip(QStringLiteral("불러오기 중지"));
    StopButton->setGeometry(design::px(design::kStopButton));

    // Side bar with its buttons and the (empty, hidden) side panels.
    ProgramSidebar = new QWidget(this);
    ProgramSidebar->setObjectName(QStringLiteral("ProgramSidebar"));
    ProgramSidebar->resize(design::px(design::kSidebarCollapsedWidth), 100);
    ProgramSidebarBackgroundImage = picture("ProgramSidebarBackgroundImage", ProgramSidebar);
    struct SideButton
    {
        PictureControl **control;
        const char *name;
        const char *tip;
    };
    const SideButton sideButtons[] = {
        {&FavoriteButton, "FavoriteButton", "바로가기"},
        {&SearchButton, "SearchButton", "인터넷 검색"},
        {&DesignModeButton, "DesignModeButton", "문서 편집 모드"},
        {&ScriptErrorsButton, "ScriptErrorsButton", "문서 오류 무시 - Off"},
        {&TaskManagerButton, "TaskManagerButton", "작업 관리자"},
        {&VitrelButton, "VitrelButton", "Vitrel™"},
        {&PanovelButton, "PanovelButton", "Panovel™ 모드"},
        {&NotepadButton, "NotepadButton", "메모장"},
    };
    int top = design::kSidebarButtonTop;
    for (const SideButton &b : sideButtons) {
        *b.control = picture(b.name, ProgramSidebar);
        (*b.control)->setToolTip(QString::fromUtf8(b.tip));
        (*b.control)->setGeometry(design::px(QRect(design::kSidebarButtonLeft, top, design::kSidebarButtonSize,
                                                   design::kSidebarButtonSize)));
        top += design::kSidebarButtonStep;
    }
    auto panel = [this](const char *name, QWidget *parent) {
        auto *box = new QWidget(parent);
        box->setObjectName(QString::fromLatin1(name));
        box->hide();
        return box;
    };
    FavoriteBox = panel("FavoriteBox", ProgramSidebar);
    AddFavoriteBox = panel("AddFavoriteBox", FavoriteBox);
    SearchBox = panel("SearchBox", ProgramSidebar);
    ntpdNotepadBox = panel("ntpdNotepadBox", this);
    ntpdNotepadBox->setEnabled(false);
    ntpdNotepadBox->resize(100, design::px(design::kNotepadHeight));

    // Status bar.
    ProgramStatusBar = new QWidget(this);
    ProgramStatusBar->setObjectName(QStringLiteral("ProgramStatusBar"));
    ProgramStatusInternetIconImage = picture("ProgramStatusInternetIconImage", ProgramStatusBar);
    ProgramStatusInternetIconImage->setGeometry(design::px(design::kStatusIcon));
    ProgramStatusTextLabel = new QLabel(ProgramStatusBar);
    ProgramStatusTextLabel->setObjectName(QStringLiteral("ProgramStatusTextLabel"));
    ProgramStatusTextLabel->setTextFormat(Qt::PlainText);
    ProgramStatusTextLabel->setStyleSheet(QStringLiteral("color: #e8edf4; background: transparent;"));
    ProgramSystemStateBar = picture("ProgramSystemStateBar", ProgramStatusBar);
    ProgramSystemStateBar->setStretch(false);
    ProgramStatusProgressbar = new Progressbar(ProgramStatusBar);
    ProgramStatusProgressbar->setObjectName(QStringLiteral("ProgramStatusProgressbar"));

    // Built-in pictures of the elements that are not themed.
    modAmbrel::applyBuiltinPictures(m_app, *this);
}

platform::WebBrowser *frmMain::createBrowser(qint16 index, const QString &tag)
{
    platform::WebBrowser *page = m_app.platform().browsers.create(this);
    if (!page)
        return nullptr;
    page->setTag(tag);
    page->widget()->setObjectName(QStringLiteral("TabWebBrowser%1").arg(index));
    TabWebBrowser[index] = page;
    connectBrowser(page, index);
    return page;
}

void frmMain::destroyBrowser(qint16 index)
{
    auto it = TabWebBrowser.find(index);
    if (it == TabWebBrowser.end())
        return;
    platform::WebBrowser *page = it->second;
    TabWebBrowser.erase(it);
    m_history.erase(index);
    page->disconnect(this);
    page->widget()->hide();
    // The page may be inside one of its own events (a script closing its window).
    page->deleteLater();
}

platform::WebBrowser *frmMain::browser(qint16 index) const
{
    auto it = TabWebBrowser.find(index);
    return it == TabWebBrowser.end() ? nullptr : it->second;
}

qint16 frmMain::currentTabIndex() const
{
    return modBase::TabKeyToIndex(WebTabStrip->selectedKey());
}

void frmMain::setConnectionPicture(int picture)
{
    m_connectionPicture = picture;
    ProgramStatusInternetIconImage->setPicture(m_app.images().builtinPicture(ImageList::ProgramStatusImagesList, picture));
}

void frmMain::setStatus(int connectionPicture, const QString &text)
{
    setConnectionPicture(connectionPicture);
    ProgramStatusTextLabel->setText(text);
}

void frmMain::setSystemStatePicture(int picture, const QString &tooltip)
{
    // Only a changed state replaces the picture, so the icon does not flicker.
    if (picture != m_statePicture) {
        m_statePicture = picture;
        ProgramSystemStateBar->setPicture(m_app.images().builtinPicture(ImageList::ProgramStateList, picture));
    }
    ProgramSystemStateBar->setToolTip(tooltip);
}

void frmMain::setAddressText(const QString &text)
{
    WebAdressBar->setText(text);
    WebAdressInputBar->setText(text);
}

int frmMain::Width() const
{
    return width() * design::kTwipsPerPixel;
}

int frmMain::Height() const
{
    return height() * design::kTwipsPerPixel;
}

void frmMain::setSizeTwips(int width, int height)
{
    resize(design::px(width), design::px(height));
}

int frmMain::WindowState() const
{
    if (isMinimized())
        return 1;
    if (isMaximized())
        return 2;
    return 0;
}

void frmMain::setWindowStateValue(int state)
{
    switch (state) {
    case 1:
        showMinimized();
        break;
    case 2:
        showMaximized();
        break;
    default:
        showNormal();
        break;
    }
}

void frmMain::paintEvent(QPaintEvent *)
{
    // The window's own colour shows between the skinned pieces.
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x2a, 0x33, 0x40));
}

void frmMain::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
    else if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_GotFocus();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmMain::connectControls()
{
    using P = PictureControl;
    // Edge pieces resize, the title strip moves.
    const std::pair<PictureControl *, void (frmMain::*)(Qt::MouseButton)> edges[] = {
        {ProgramDesignTopLeftEdge, &frmMain::ProgramDesignTopLeftEdge_MouseDown},
        {ProgramDesignTopSize, &frmMain::ProgramDesignTopSize_MouseDown},
        {ProgramDesignTopRightEdge, &frmMain::ProgramDesignTopRightEdge_MouseDown},
        {ProgramDesignRightLine, &frmMain::ProgramDesignRightLine_MouseDown},
        {ProgramDesignBottomRightEdge, &frmMain::ProgramDesignBottomRightEdge_MouseDown},
        {ProgramDesignBottomLine, &frmMain::ProgramDesignBottomLine_MouseDown},
        {ProgramDesignBottomLeftEdge, &frmMain::ProgramDesignBottomLeftEdge_MouseDown},
        {ProgramDesignLeftLine, &frmMain::ProgramDesignLeftLine_MouseDown},
    };
    for (const auto &[control, handler] : edges) {
        connect(control, &P::MouseDown, this, [this, h = handler](Qt::MouseButton b) { (this->*h)(b); });
        control->installEventFilter(this);
    }
    ProgramTitleBar->installEventFilter(this);

    connect(ProgramTitleBar, &LabelControl::MouseDown, this, [this](Qt::MouseButton b) { ProgramTitleBar_MouseDown(b); });
    connect(ProgramTitleBar, &LabelControl::MouseUp, this, [this](Qt::MouseButton b) { ProgramTitleBar_MouseUp(b); });
    connect(ProgramTitleBar, &LabelControl::DblClick, this, &frmMain::ProgramTitleBar_DblClick);

    auto pressRelease = [this](PictureControl *control, void (frmMain::*down)(Qt::MouseButton),
                               void (frmMain::*up)(Qt::MouseButton, int, int)) {
        connect(control, &P::MouseDown, this, [this, down](Qt::MouseButton b) { (this->*down)(b); });
        connect(control, &P::MouseUp, this,
                [this, up](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) { (this->*up)(b, x, y); });
    };
    pressRelease(SystemMinButton, &frmMain::SystemMinButton_MouseDown, &frmMain::SystemMinButton_MouseUp);
    pressRelease(SystemMaxButton, &frmMain::SystemMaxButton_MouseDown, &frmMain::SystemMaxButton_MouseUp);
    pressRelease(SystemExitButton, &frmMain::SystemExitButton_MouseDown, &frmMain::SystemExitButton_MouseUp);
    pressRelease(BackButton, &frmMain::BackButton_MouseDown, &frmMain::BackButton_MouseUp);
    pressRelease(ForwardButton, &frmMain::ForwardButton_MouseDown, &frmMain::ForwardButton_MouseUp);
    pressRelease(RefreshButton, &frmMain::RefreshButton_MouseDown, &frmMain::RefreshButton_MouseUp);
    pressRelease(StopButton, &frmMain::StopButton_MouseDown, &frmMain::StopButton_MouseUp);

    connect(WebAdressBar, &LabelControl::Click, this, &frmMain::WebAdressBar_Click);
    connect(WebAdressBar, &LabelControl::DblClick, this, &frmMain::WebAdressBar_DblClick);
    connect(WebAdressInputBar, &QLineEdit::textChanged, this, &frmMain::WebAdressInputBar_Change);
    connect(WebAdressInputBar, &AddressInput::KeyDown, this, &frmMain::WebAdressInputBar_KeyDown);
    connect(WebAdressInputBar, &AddressInput::KeyPress, this, &frmMain::WebAdressInputBar_KeyPress);
    connect(WebAdressInputBar, &AddressInput::LostFocus, this, &frmMain::WebAdressInputBar_LostFocus);

    connect(WebTabStrip, &TabStrip::Click, this, &frmMain::WebTabStrip_Click);
    connect(WebTabStrip, &TabStrip::MouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) { WebTabStrip_MouseDown(b, x, y); });
}
