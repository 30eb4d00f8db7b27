#include "frmSystemScan.h"

#include "Progressbar.h"
#include "browser/core/VorlenApp.h"
#include "browser/frame/modRoundEdge.h"
#include "browser/frame/modWindowSetting.h"
#include "browser/startup/modBase.h"
#include "browser/startup/modLocalPages.h"
#include "browser/startup/modSettingsStore.h"
#include "platform/Registry.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSysInfo>
#include <QTimer>
#include <QUrl>

namespace {

constexpr int px(int twips) { return twips / 15; }

// The main window after the check, in twips.
constexpr int kMainWidth = modWindowSetting::kFirstRunWidth;
constexpr int kMainHeight = modWindowSetting::kFirstRunHeight;

} // namespace

QString readMePath(const VorlenApp &app)
{
    for (const QString &folder : {app.environment().applicationFolder(), app.environment().dataFolder()}) {
        const QString path = folder + QStringLiteral("/ReadMe.htm");
        if (!folder.isEmpty() && QFileInfo(path).isFile())
            return path;
    }
    return {};
}

frmSystemScan::frmSystemScan(VorlenApp &app, Measure measure)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_app(app)
    , m_measure(measure ? std::move(measure) : Measure([&app] { return machine(app); }))
{
    setObjectName(QStringLiteral("frmSystemScan"));
    setWindowTitle(QStringLiteral("Brenmor® Sentrel™"));
    setFixedSize(px(6000), px(2400));

    ProgramTitleText = new QLabel(QStringLiteral("잠시만 기다려 주십시오..."), this);
    ProgramTitleText->setObjectName(QStringLiteral("ProgramTitleText"));
    QFont big = ProgramTitleText->font();
    big.setPointSize(big.pointSize() + 3);
    big.setBold(true);
    ProgramTitleText->setFont(big);
    ProgramTitleText->setGeometry(px(360), px(300), px(5200), px(420));
    ProgramSecondTitleText =
        new QLabel(QStringLiteral("이 컴퓨터에 알맞은 Vorlen™ 환경을 찾고 있습니다."), this);
    ProgramSecondTitleText->setObjectName(QStringLiteral("ProgramSecondTitleText"));
    ProgramSecondTitleText->setGeometry(px(360), px(780), px(5300), px(300));

    SystemScanProgressbar = new Progressbar(this);
    SystemScanProgressbar->setObjectName(QStringLiteral("SystemScanProgressbar"));
    SystemScanProgressbar->setMin(0);
    SystemScanProgressbar->setMax(100);
    SystemScanProgressbar->setValue(0);
    SystemScanProgressbar->setGeometry(px(360), px(1260), px(5280), px(330));

    ProgramBottomBox = new QWidget(this);
    ProgramBottomBox->setObjectName(QStringLiteral("ProgramBottomBox"));
    ProgramBottomBox->setGeometry(0, height() - px(150), width(), px(150));
    ProgramBottomBox->setAutoFillBackground(true);
    QPalette boxPalette = ProgramBottomBox->palette();
    boxPalette.setColor(QPalette::Window, QColor(0xD8, 0xDE, 0xE8));
    ProgramBottomBox->setPalette(boxPalette);
    ProgramBottomMoveImage = new QWidget(ProgramBottomBox);
    ProgramBottomMoveImage->setObjectName(QStringLiteral("ProgramBottomMoveImage"));
    ProgramBottomMoveImage->setGeometry(-px(1200), 0, px(1200), px(150));
    ProgramBottomMoveImage->setAutoFillBackground(true);
    QPalette stripPalette = ProgramBottomMoveImage->palette();
    stripPalette.setColor(QPalette::Window, QColor(0x3A, 0x7B, 0xD5));
    ProgramBottomMoveImage->setPalette(stripPalette);

    cmdExit = new QPushButton(QStringLiteral("X"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setFlat(true);
    cmdExit->setGeometry(width() - 26, 4, 22, 20);

    SystemScanTimer = new QTimer(this);
    SystemScanTimer->setObjectName(QStringLiteral("SystemScanTimer"));
    SystemScanTimer->setInterval(kTickMs);
    ImageMoveTimer = new QTimer(this);
    ImageMoveTimer->setObjectName(QStringLiteral("ImageMoveTimer"));
    ImageMoveTimer->setInterval(kTickMs);

    connect(SystemScanTimer, &QTimer::timeout, this, &frmSystemScan::SystemScanTimer_Timer);
    connect(ImageMoveTimer, &QTimer::timeout, this, &frmSystemScan::ImageMoveTimer_Timer);
    connect(cmdExit, &QPushButton::clicked, this, &frmSystemScan::cmdExit_Click);
}

frmSystemScan::Measures frmSystemScan::machine(VorlenApp &app)
{
    Measures m;
    m.processors = app.platform().system.processorCount();
    m.version = systemgrade::majorMinor(QSysInfo::kernelVersion());
    // The user address space of the process's architecture: 128 TiB on 64-bit
    // systems, 4 GiB on 32-bit ones.
    m.virtualBytes = QSysInfo::WordSize == 64 ? 140737488355328.0 : 4294967296.0;
    m.physicalBytes = double(app.platform().system.memory().physicalTotal);
    return m;
}

void frmSystemScan::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (QWidget *main = m_app.shell().mainWidget())
        main->hide();
    modRoundEdge::ApplyRoundEdge(this, true, 5, 5);
    AfterStep trim(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    ProgramBottomMoveImage->move(-ProgramBottomMoveImage->width(), 0);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    SystemScanTimer->start();
    ImageMoveTimer->start();
}

void frmSystemScan::SystemScanTimer_Timer()
{
    const Measures measures = m_measure();
    if (SystemScanProgressbar->Value() >= 100) {
        SystemScanTimer->stop();
        ImageMoveTimer->stop();
        SystemGradeCheck();
        return;
    }
    const int value = SystemScanProgressbar->Value() + 1;
    SystemScanProgressbar->setValue(value);
    switch (value) {
    case 10:
        ProgramTitleText->setText(QStringLiteral("CPU 정보 불러오는 중..."));
        m_processor = systemgrade::processorScore(measures.processors);
        break;
    case 20:
        ProgramTitleText->setText(QStringLiteral("Windows® 정보 불러오는 중..."));
        m_version = systemgrade::versionScore(measures.version);
        break;
    case 50:
        ProgramTitleText->setText(QStringLiteral("가상 메모리 정보 불러오는 중..."));
        m_virtual = systemgrade::virtualMemoryScore(measures.virtualBytes);
        break;
    case 60:
        ProgramTitleText->setText(QStringLiteral("실제 메모리 정보 불러오는 중..."));
        m_physical = systemgrade::physicalMemoryScore(measures.physicalBytes);
        break;
    case 70:
        ProgramTitleText->setText(QStringLiteral("모든 점수를 합산하는 중...(1/4)"));
        m_total += m_processor;
        break;
    case 75:
        ProgramTitleText->setText(QStringLiteral("모든 점수를 합산하는 중...(2/4)"));
        m_total += m_version;
        break;
    case 80:
        ProgramTitleText->setText(QStringLiteral("모든 점수를 합산하는 중...(3/4)"));
        m_total += m_virtual;
        break;
    case 85:
        ProgramTitleText->setText(QStringLiteral("모든 점수를 합산하는 중...(4/4)"));
        m_total += m_physical;
        break;
    case 90:
        ProgramTitleText->setText(QStringLiteral("점수를 계산하는 중..."));
        break;
    default:
        break;
    }
}

void frmSystemScan::ImageMoveTimer_Timer()
{
    QWidget *strip = ProgramBottomMoveImage;
    if (strip->x() >= width())
        strip->move(-strip->width(), strip->y());
    else
        strip->move(strip->x() + px(30), strip->y());
}

void frmSystemScan::SystemGradeCheck()
{
    const QString previousStartPage = m_app.platform().registry.read(QString::fromLatin1(platform::kStartPageKey),
                                                                     QString::fromLatin1(platform::kStartPageValue));
    // The band's settings and the window's first place go into the new
    // settings file in one replace: the start then restores that place.
    modSettingsStore::Values values = systemgrade::bandSettings(systemgrade::band(m_total));
    QRect area(0, 0, 800, 600);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->geometry();
    const int left = (area.width() * 15 - kMainWidth) / 2 + area.x() * 15;
    const int top = (area.height() * 15 - kMainHeight) / 2 + area.y() * 15;
    values.append({settings::Key::LastWindowMode, QStringLiteral("0")});
    values.append({settings::Key::LastWindowTop, QString::number(top)});
    values.append({settings::Key::LastWindowLeft, QString::number(left)});
    values.append({settings::Key::LastWindowHeight, QString::number(kMainHeight)});
    values.append({settings::Key::LastWindowWidth, QString::number(kMainWidth)});
    m_graded = true;
    if (!modSettingsStore::writeSettings(m_app.environment(), values)) {
        m_app.platform().dialogs.messageBox(
            this, QStringLiteral("Vorlen™ 환경 설정 파일을 만들 수 없습니다.\n환경 설정 창에서 직접 설정 하십시오."),
            QStringLiteral("Brenmor® Sentrel™"), platform::MsgButtons::OK, platform::MsgIcon::Critical);
        m_graded = false;
        cmdExit_Click();
        return;
    }
    modSettingsStore::writeStartPage(m_app.platform(), this, QString::fromLatin1(modSettingsStore::kPortalHome));

    m_handedOver = true;
    hide();
    m_app.shell().showMainWindow();
    m_app.shell().revealMainWindow();
    openReadMeOr(previousStartPage);
    close();
}

void frmSystemScan::openReadMeOr(const QString &address)
{
    const QString readMe = readMePath(m_app);
    if (!readMe.isEmpty()) {
        m_app.shell().navigateCurrent(QUrl::fromLocalFile(readMe).toString());
        return;
    }
    if (!address.trimmed().isEmpty()) {
        m_app.shell().navigateCurrent(address);
        return;
    }
    // Nothing to show yet (no help page, no earlier start page): the new-tab
    // page asks for an address rather than an empty one being opened.
    modLocalPages::Open(m_app.platform(), modLocalPages::Page::NewTab, m_app.shell().currentPage());
}

void frmSystemScan::cmdExit_Click()
{
    SystemScanTimer->stop();
    ImageMoveTimer->stop();
    m_handedOver = true;
    hide();
    m_app.shell().revealMainWindow();
    openReadMeOr(QStringLiteral("about:환경 설정 창이 열려져 있습니다.<br><br>"
                                "창을 닫은 후 이동하려는 웹 사이트 주소를 입력하여 Enter를 누르십시오.<br><br>")
                 + QString::fromUtf8(kAboutFooter));
    m_app.shell().showSettings();
    close();
}

void frmSystemScan::closeEvent(QCloseEvent *event)
{
    // The window manager's close is the early way out too.
    if (!m_handedOver) {
        event->ignore();
        cmdExit_Click();
        return;
    }
    SystemScanTimer->stop();
    ImageMoveTimer->stop();
    QWidget::closeEvent(event);
    AfterStep trim(m_app.afterStep(), AfterStep::Kind::TrimOnly);
}

void frmSystemScan::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xF7, 0xF9, 0xFC));
    painter.setPen(QColor(0x7A, 0x8A, 0xA0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
