#include "themebuilder/frmMain.h"

#include "themebuilder/Artwork.h"
#include "themebuilder/PictureButton.h"
#include "themebuilder/WizardStyle.h"

#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRegion>
#include <QWindow>

namespace prismel {

namespace {

constexpr int kTitleHeight = 30;
constexpr int kSpectrumHeight = 3;
constexpr int kCornerRadius = 8;

// The window's outline with rounded corners, as a region for setMask.
QRegion roundedRegion(const QSize &size, int radius)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, size.width(), size.height()), radius, radius);
    return QRegion(path.toFillPolygon().toPolygon());
}

} // namespace

frmMain::frmMain(platform::Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Brenmor® Prismel™"));
    setWindowIcon(QIcon(artwork::logo(64, 1.0)));
    setFixedSize(kWindowSize);
    QFont f(QLatin1String(style::kFontFamily));
    f.setPointSizeF(9.5);
    setFont(f);
    setStyleSheet(style::styleSheet());

    buildTitleStrip();

    m_pageArea = new style::OverlayArea(this);
    m_pageArea->setObjectName(QStringLiteral("PageArea"));
    m_pageArea->setGeometry(1, kTitleHeight + kSpectrumHeight, width() - 2,
                            height() - kTitleHeight - kSpectrumHeight - 1);

    createSlots();
    buildStartBox();
    buildOneBox();
    buildTwoBox();
    buildThreeBox();
    buildFourBox();
    buildInputYourInfoBox();
    buildThankYouBox();

    connectHandlers();
    showPage(StartBox);
    cmdNext[0]->setFocus();
}

void frmMain::connectHandlers()
{
    // Control arrays: every button of an array calls the one handler with its index.
    const struct
    {
        QMap<int, QPushButton *> *buttons;
        void (frmMain::*handler)(int);
    } arrays[] = {
        {&cmdNext, &frmMain::cmdNext_Click},
        {&cmdBack, &frmMain::cmdBack_Click},
        {&cmdCancel, &frmMain::cmdCancel_Click},
        {&cmdOK, &frmMain::cmdOK_Click},
    };
    for (const auto &array : arrays) {
        for (auto it = array.buttons->cbegin(); it != array.buttons->cend(); ++it) {
            const int index = it.key();
            const auto handler = array.handler;
            it.value()->setProperty("index", index);
            connect(it.value(), &QPushButton::clicked, this, [this, handler, index] { (this->*handler)(index); });
        }
    }
    for (auto it = imgAmbrelLogo.cbegin(); it != imgAmbrelLogo.cend(); ++it)
        it.value()->setProperty("index", it.key());

    const std::pair<QPushButton *, void (frmMain::*)()> buttons[] = {
        {cmdAgree, &frmMain::cmdAgree_Click},
        {cmdDisagree, &frmMain::cmdDisagree_Click},
        {cmdMake, &frmMain::cmdMake_Click},
        {cmdThemePreview, &frmMain::cmdThemePreview_Click},
        {cmdSystemImageGoBack, &frmMain::cmdSystemImageGoBack_Click},
        {cmdThemeHelp, &frmMain::cmdThemeHelp_Click},
        {cmdTwoBoxHelp1, &frmMain::cmdTwoBoxHelp1_Click},
        {cmdTwoBoxHelp2, &frmMain::cmdTwoBoxHelp2_Click},
        {cmdTwoBoxSystemThemeMakeGuide, &frmMain::cmdTwoBoxSystemThemeMakeGuide_Click},
        {cmdThreeBoxSystemThemeMakeGuide, &frmMain::cmdThreeBoxSystemThemeMakeGuide_Click},
        {cmdFourBoxSystemThemeMakeGuide, &frmMain::cmdFourBoxSystemThemeMakeGuide_Click},
    };
    for (const auto &[button, handler] : buttons)
        connect(button, &QPushButton::clicked, this, handler);
}

frmMain::~frmMain() = default;

void frmMain::buildTitleStrip()
{
    ProgramTitleBar = new QLabel(QStringLiteral("Brenmor® Prismel™"), this);
    ProgramTitleBar->setObjectName(QStringLiteral("ProgramTitleBar"));
    ProgramTitleBar->setGeometry(0, 0, width(), kTitleHeight);
    ProgramTitleBar->setIndent(34);
    ProgramTitleBar->setStyleSheet(QStringLiteral(
        "QLabel#ProgramTitleBar { color: #ffffff; font-weight: bold; background: transparent; }"));
    ProgramTitleBar->installEventFilter(this);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("imgProgramIcon"));
    icon->setPixmap(artwork::logo(18, devicePixelRatioF()));
    icon->setGeometry(10, (kTitleHeight - 18) / 2, 18, 18);
    icon->setAttribute(Qt::WA_TransparentForMouseEvents);

    const qreal dpr = devicePixelRatioF();
    using artwork::ButtonState;
    using artwork::Caption;
    SystemMinButton = new PictureButton(artwork::captionPicture(Caption::Minimize, ButtonState::Normal, dpr),
                                        artwork::captionPicture(Caption::Minimize, ButtonState::Hover, dpr),
                                        artwork::captionPicture(Caption::Minimize, ButtonState::Pressed, dpr),
                                        this);
    SystemMinButton->setObjectName(QStringLiteral("SystemMinButton"));
    SystemMinButton->setToolTip(QStringLiteral("최소화"));
    SystemExitButton = new PictureButton(artwork::captionPicture(Caption::Close, ButtonState::Normal, dpr),
                                         artwork::captionPicture(Caption::Close, ButtonState::Hover, dpr),
                                         artwork::captionPicture(Caption::Close, ButtonState::Pressed, dpr),
                                         this);
    SystemExitButton->setObjectName(QStringLiteral("SystemExitButton"));
    SystemExitButton->setToolTip(QStringLiteral("프로그램 닫기"));

    const int y = (kTitleHeight - SystemExitButton->height()) / 2;
    SystemExitButton->move(width() - 6 - SystemExitButton->width(), y);
    SystemMinButton->move(SystemExitButton->x() - SystemMinButton->width(), y);

    connect(SystemMinButton, &PictureButton::clicked, this, &frmMain::SystemMinButton_Click);
    connect(SystemExitButton, &PictureButton::clicked, this, &frmMain::SystemExitButton_Click);
}

void frmMain::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xf7, 0xf8, 0xfc));

    QLinearGradient title(0, 0, 0, kTitleHeight);
    title.setColorAt(0, QColor(0x3d, 0x4c, 0x92));
    title.setColorAt(1, QColor(0x27, 0x30, 0x5a));
    p.fillRect(0, 0, width(), kTitleHeight, title);

    // The light split by a prism: a thin spectrum under the title strip.
    QLinearGradient spectrum(0, 0, width(), 0);
    const QColor colours[] = {0xe53935, 0xfb8c00, 0xfdd835, 0x43a047, 0x1e88e5, 0x5e35b1, 0x8e24aa};
    for (int i = 0; i < 7; ++i)
        spectrum.setColorAt(i / 6.0, colours[i]);
    p.fillRect(0, kTitleHeight, width(), kSpectrumHeight, spectrum);

    p.setPen(QColor(0x27, 0x30, 0x5a));
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    setMask(roundedRegion(size(), kCornerRadius));
}

QWidget *frmMain::makePage(const char *name)
{
    auto *page = new QWidget(m_pageArea);
    page->setObjectName(QLatin1String(name));
    page->hide();
    return page;
}

void frmMain::showPage(QWidget *page)
{
    for (QWidget *p : {StartBox, OneBox, TwoBox, ThreeBox, FourBox, InputYourInfoBox, ThankYouBox})
        p->setVisible(p == page);
}

// ---- Navigation -------------------------------------------------------------

void frmMain::cmdNext_Click(int index)
{
    switch (index) {
    case 0:
        showPage(OneBox);
        break;
    case 2:
        showPage(ThreeBox);
        break;
    case 3:
        showPage(FourBox);
        break;
    case 4:
        showPage(InputYourInfoBox);
        break;
    default:
        break;
    }
}

void frmMain::cmdBack_Click(int index)
{
    switch (index) {
    case 0:
        showPage(TwoBox);
        break;
    case 1:
        showPage(ThreeBox);
        break;
    case 2:
        showPage(FourBox);
        break;
    default:
        break;
    }
}

void frmMain::cmdCancel_Click(int)
{
    endProgram();
}

void frmMain::cmdOK_Click(int)
{
    endProgram();
}

void frmMain::cmdAgree_Click()
{
    showPage(TwoBox);
}

void frmMain::cmdDisagree_Click()
{
    endProgram();
}

void frmMain::SystemMinButton_Click()
{
    showMinimized();
}

void frmMain::SystemExitButton_Click()
{
    endProgram();
}

void frmMain::endProgram()
{
    // Nothing is kept: whatever was chosen and not made is dropped with the window.
    close();
    emit programEnded();
}

// ---- Moving the window by the title strip -------------------------------------

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ProgramTitleBar) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto *me = static_cast<QMouseEvent *>(event);
            ProgramTitleBar_MouseDown(me->button(), me->globalPosition().toPoint());
            return true;
        }
        case QEvent::MouseMove:
            ProgramTitleBar_MouseMove(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
            return true;
        case QEvent::MouseButtonRelease:
            ProgramTitleBar_MouseUp(static_cast<QMouseEvent *>(event)->button());
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::ProgramTitleBar_MouseDown(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button != Qt::LeftButton)
        return;
    // The window system moves the window when it can; otherwise we follow the mouse.
    QWindow *handle = windowHandle();
    if (handle && handle->startSystemMove())
        return;
    m_dragOffset = globalPos - frameGeometry().topLeft();
}

void frmMain::ProgramTitleBar_MouseMove(const QPoint &globalPos)
{
    if (m_dragOffset)
        move(globalPos - *m_dragOffset);
}

void frmMain::ProgramTitleBar_MouseUp(Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        m_dragOffset.reset();
}

} // namespace prismel
