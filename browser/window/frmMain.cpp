#include "frmMain.h"
#include "frmMainParts.h"

#include "AddressInput.h"
#include "Design.h"
#include "SideBar.h"
#include "StatusBar.h"
#include "TabStrip.h"
#include "browser/core/VorlenApp.h"
#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "browser/panels/FavoritePanel.h"
#include "browser/panels/NotepadPanel.h"
#include "browser/panels/SearchPanel.h"
#include "browser/themes/BuiltinImages.h"
#include "browser/themes/Skin.h"

#include <QEvent>
#include <QPainter>

frmMain::frmMain(VorlenApp &app, Skin &skin, BuiltinImages &images)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_app(app)
    , m_skin(skin)
    , m_images(images)
    , m_parts(std::make_unique<Parts>(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vorlen™"));
    // The large icon follows once the start page is shown.
    setWindowIcon(images.windowIcon(false));
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(design::px(design::kDefaultWidth), design::px(design::kDefaultHeight));
    // The window manager owns the size while the user drags an edge and does
    // not take a resize from the program then; it is told the smallest size
    // instead, one pixel below the minimum, so that the layout pass still
    // reports the minimum when it is reached and sets the exact size.
    setMinimumSize(design::px(design::kMinWidth) - 1, design::px(design::kMinHeight) - 1);
    createControls();
    connectControls();
    connectMenus();
}

frmMain::Parts::Parts(frmMain *window)
    : drag(window)
{
}

frmMain::Parts::~Parts() = default;

PanelState frmMain::panels() const
{
    PanelState state;
    state.favoriteOpen = FavoriteBox->isOpen();
    state.addFavoriteOpen = FavoriteBox->addBoxOpen();
    state.searchOpen = SearchBox->isOpen();
    state.sidebarWidth = state.favoriteOpen || state.searchOpen ? design::kSidebarOpenWidth
                                                                : design::kSidebarCollapsedWidth;
    state.notepadEnabled = ntpdNotepadBox->boxEnabled();
    state.notepadOpen = ntpdNotepadBox->isOpen();
    state.notepadHeight = design::kNotepadHeight;
    state.notepadTop = m_parts->notepadTop;
    state.notepadWidth = m_parts->notepadWidth;
    return state;
}

int frmMain::connectionPicture() const
{
    return ProgramStatusBar->connectionPicture();
}

int frmMain::systemStatePicture() const
{
    return ProgramStatusBar->systemStatePicture();
}

int frmMain::fadeSteps() const
{
    return m_parts->fadeSteps;
}

bool frmMain::ambrelMenuEnabled() const
{
    return m_parts->ambrelMenuEnabled;
}

frmMain::~frmMain()
{
    // Pages go first: their engine must not outlive the window's widgets.
    m_tabs.disconnect(this);
    for (qint16 index : m_tabs.indices())
        delete m_tabs.page(index);
}

void frmMain::createControls()
{
    auto picture = [this](const char *name, QWidget *parent) {
        return new PictureControl(QString::fromLatin1(name), parent ? parent : this);
    };

    // Tabs and the start tab's page lie below everything else.
    WebTabStrip = new TabStrip(QStringLiteral("WebTabStrip"), this);
    connect(&m_tabs, &TabSet::inserted, this,
            [this](qint16 index, int position) { Parts::tabInserted(*this, index, position); });
    m_tabs.addStartTab(createBrowser(0));

    // Frame pieces; the edges and corners show how they resize.
    auto edge = [&picture](const char *name, Qt::CursorShape cursor) {
        PictureControl *piece = picture(name, nullptr);
        piece->setCursor(cursor);
        return piece;
    };
    ProgramDesignTopLeftEdge = edge("ProgramDesignTopLeftEdge", Qt::SizeFDiagCursor);
    ProgramDesignTopLine = picture("ProgramDesignTopLine", nullptr);
    ProgramDesignTopRightEdge = edge("ProgramDesignTopRightEdge", Qt::SizeBDiagCursor);
    ProgramDesignRightLine = edge("ProgramDesignRightLine", Qt::SizeHorCursor);
    ProgramDesignBottomRightEdge = edge("ProgramDesignBottomRightEdge", Qt::SizeFDiagCursor);
    ProgramDesignBottomLine = edge("ProgramDesignBottomLine", Qt::SizeVerCursor);
    ProgramDesignBottomLeftEdge = edge("ProgramDesignBottomLeftEdge", Qt::SizeBDiagCursor);
    ProgramDesignLeftLine = edge("ProgramDesignLeftLine", Qt::SizeHorCursor);
    ProgramDesignTopSize = edge("ProgramDesignTopSize", Qt::SizeVerCursor);

    ProgramIcon = picture("ProgramIcon", nullptr);
    ProgramIcon->setPicture(m_images.programIcon(16));
    ProgramIcon->setToolTip(QStringLiteral("창 메뉴"));
    ProgramIcon->setGeometry(design::px(design::kProgramIcon));

    // Page titles are shown as they are, never as markup.
    ProgramTitleBar = new LabelControl(QStringLiteral("ProgramTitleBar"), this);
    ProgramTitleBar->setTextFormat(Qt::PlainText);
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

    // Side bar with its buttons and the side panels.
    ProgramSidebar = new SideBar(m_app.commands(), this);
    ProgramSidebarBackgroundImage = ProgramSidebar->ProgramSidebarBackgroundImage;
    FavoriteButton = ProgramSidebar->FavoriteButton;
    SearchButton = ProgramSidebar->SearchButton;
    DesignModeButton = ProgramSidebar->DesignModeButton;
    ScriptErrorsButton = ProgramSidebar->ScriptErrorsButton;
    TaskManagerButton = ProgramSidebar->TaskManagerButton;
    VitrelButton = ProgramSidebar->VitrelButton;
    PanovelButton = ProgramSidebar->PanovelButton;
    NotepadButton = ProgramSidebar->NotepadButton;
    const PanelContext panelContext{m_app.platform(), m_app.afterStep(), [this] { return m_tabs.currentPage(); }};
    FavoriteBox = new FavoritePanel(panelContext, ProgramSidebar);
    SearchBox = new SearchPanel(panelContext, ProgramSidebar);
    ntpdNotepadBox = new NotepadPanel(panelContext, this);
    ntpdNotepadBox->resize(100, design::px(design::kNotepadHeight));

    // Status bar.
    ProgramStatusBar = new StatusBar(m_images, this);
    ProgramStatusInternetIconImage = ProgramStatusBar->ProgramStatusInternetIconImage;
    ProgramStatusTextLabel = ProgramStatusBar->ProgramStatusTextLabel;
    ProgramSystemStateBar = ProgramStatusBar->ProgramSystemStateBar;
    ProgramStatusProgressbar = ProgramStatusBar->ProgramStatusProgressbar;

    // Every skinned element starts with its built-in picture.
    Skin &skin = m_skin;
    skin.attach(this);
    skin.applyBuiltin();
    setConnectionPicture(1);
}

void frmMain::Parts::tabInserted(frmMain &f, qint16 index, int position)
{
    if (index == 0) {
        f.WebTabStrip->add(position, QString(), QStringLiteral("Vorlen 시작 탭"));
        f.WebTabStrip->setToolTip(QString(), QString::fromUtf8(kTabToolTip));
    } else {
        f.WebTabStrip->add(position, TabSet::keyOf(index), QStringLiteral("불러오는 중..."));
    }
}

platform::WebBrowser *frmMain::createBrowser(qint16 index)
{
    platform::WebBrowser *page = m_app.platform().browsers.create(this);
    if (!page)
        return nullptr;
    page->setTag(TabSet::keyOf(index));
    page->widget()->setObjectName(QStringLiteral("TabWebBrowser%1").arg(index));
    connectBrowser(page);
    return page;
}

void frmMain::setConnectionPicture(int picture)
{
    ProgramStatusBar->setConnectionPicture(picture);
}

void frmMain::setStatus(int connectionPicture, const QString &text)
{
    ProgramStatusBar->setStatus(connectionPicture, text);
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
