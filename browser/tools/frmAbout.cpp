#include "frmAbout.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "browser/frame/modRoundEdge.h"
#include "browser/startup/Version.h"
#include "browser/startup/modBase.h"
#include "modSystemInfo.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeySequence>
#include <QMouseEvent>
#include <QShortcut>
#include <QWindow>

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kHeight = 4500;   // twips

int px(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// "확인(&O)" -> "확인(<u>O</u>)"; a doubled "&&" stands for one "&".
QString captionHtml(const QString &caption)
{
    QString html;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption.at(i);
        if (c == u'&' && i + 1 < caption.size()) {
            const QChar next = caption.at(++i);
            html += next == u'&' ? QStringLiteral("&amp;") : QStringLiteral("<u>") + QString(next).toHtmlEscaped()
                    + QStringLiteral("</u>");
            continue;
        }
        html += QString(c).toHtmlEscaped();
    }
    return html;
}

QLabel *makeLabel(const QString &name, QWidget *parent, const QRect &twips)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

LabelButton::LabelButton(const QString &name, const QString &caption, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::RichText);
    setCursor(Qt::PointingHandCursor);
    setCaption(caption);
    // The access key of the caption clicks the button.
    const qsizetype amp = caption.indexOf(u'&');
    if (amp >= 0 && amp + 1 < caption.size() && caption.at(amp + 1) != u'&') {
        auto *shortcut = new QShortcut(QKeySequence(QStringLiteral("Alt+") + caption.at(amp + 1)), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, &LabelButton::Click);
    }
}

void LabelButton::setCaption(const QString &caption)
{
    m_caption = caption;
    showCaption();
}

void LabelButton::showCaption()
{
    const QString html = captionHtml(m_caption);
    setText(m_pressed ? QStringLiteral("<b><span style=\"color:#ff0000\">") + html + QStringLiteral("</span></b>")
                      : html);
}

void LabelButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    showCaption();
}

void LabelButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    showCaption();
    const QPoint p = event->position().toPoint();
    if (releaseTriggers(p.x(), p.y(), width(), height()))
        Q_EMIT Click();
}

frmAbout::frmAbout(VorlenApp &app, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_app(app)
    , m_toolSearchPath(modSystemInfo::executableSearchPath())
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("프로그램 정보..."));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral("frmAbout { background: #ffffff; border: 1px solid #68707c; }"
                                 "QFrame#famCopyrightMaker { background: #f1f4f8; border-left: 1px solid #c8ced6; }"));
    setFixedSize(px(kNarrowWidth), px(kHeight));
    createControls();
    // The main window stays disabled for exactly as long as this box exists.
    m_lock = m_app.locks().acquire();
    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::createControls()
{
    auto *icon = new PictureControl(QStringLiteral("imgProgramIcon"), this);
    icon->setPicture(QPixmap(QStringLiteral(":/images/ProgramIcon256.png")));
    icon->setGeometry(px(240), px(240), px(720), px(720));

    lblProductName = makeLabel(QStringLiteral("lblProductName"), this, QRect(1140, 240, 4200, 360));
    lblProductName->setText(QStringLiteral("Brenmor® ") + QString::fromUtf8(version::kProductName)
                            + QStringLiteral("™"));
    QFont big = lblProductName->font();
    big.setPointSize(big.pointSize() + 5);
    big.setBold(true);
    lblProductName->setFont(big);
    lblVersion = makeLabel(QStringLiteral("lblVersion"), this, QRect(1140, 660, 4200, 270));

    lblUserOperatingSystemInfo = makeLabel(QStringLiteral("lblUserOperatingSystemInfo"), this, QRect(240, 1140, 4900, 270));
    lblUserOperatingSystemInfo->setWordWrap(false);
    cmdMoreUserOperatingSystemInfo = new LabelControl(QStringLiteral("cmdMoreUserOperatingSystemInfo"), this);
    cmdMoreUserOperatingSystemInfo->setGeometry(px(5130), px(1110), px(330), px(300));
    cmdMoreUserOperatingSystemInfo->setAlignment(Qt::AlignCenter);
    cmdMoreUserOperatingSystemInfo->setCursor(Qt::PointingHandCursor);
    cmdMoreUserOperatingSystemInfo->setText(QStringLiteral("▼"));
    cmdMoreUserOperatingSystemInfo->setToolTip(QStringLiteral("상세한 시스템 정보 열기"));

    lblUserComputerNetworkInfo = makeLabel(QStringLiteral("lblUserComputerNetworkInfo"), this, QRect(240, 1530, 5250, 720));
    lblUserSystemInfo = makeLabel(QStringLiteral("lblUserSystemInfo"), this, QRect(240, 1530, 5250, 2220));
    lblUserSystemInfo->setStyleSheet(QStringLiteral("color: #203040;"));
    lblUserSystemInfo->hide();

    lblCopyright = makeLabel(QStringLiteral("lblCopyright"), this, QRect(240, 2310, 5250, 270));
    lblCopyright->setText(QStringLiteral("Copyright © Brenmor. All rights reserved."));
    lblDisclaimer = makeLabel(QStringLiteral("lblDisclaimer"), this, QRect(240, 2640, 5250, 1080));
    lblDisclaimer->setStyleSheet(QStringLiteral("color: #5a6270;"));
    lblDisclaimer->setText(QStringLiteral(
        "경고: 이 프로그램은 저작권법과 국제 협약의 보호를 받습니다. 이 프로그램의 전부 또는 일부를 무단으로 "
        "복제하거나 배포하면 민사 및 형사 처벌을 받을 수 있습니다."));

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setStyleSheet(QStringLiteral("color: #c8ced6;"));
    line->setGeometry(px(240), px(3810), px(5250), 1);

    cmdCopyrightButton = new LabelButton(QStringLiteral("cmdCopyrightButton"), QStringLiteral("저작권 및 제작자 >"), this);
    cmdCopyrightButton->setGeometry(px(240), px(3960), px(2100), px(300));
    cmdCopyrightButton->setToolTip(QStringLiteral("저작권 및 제작자 정보 열기"));
    cmdSysInfo = new LabelButton(QStringLiteral("cmdSysInfo"), QStringLiteral("시스템 정보(&S)"), this);
    cmdSysInfo->setGeometry(px(2940), px(3960), px(1500), px(300));
    cmdOK = new LabelButton(QStringLiteral("cmdOK"), QStringLiteral("확인(&O)"), this);
    cmdOK->setGeometry(px(4560), px(3960), px(930), px(300));
    cmdOK->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    famCopyrightMaker = new QFrame(this);
    famCopyrightMaker->setObjectName(QStringLiteral("famCopyrightMaker"));
    famCopyrightMaker->setGeometry(px(kNarrowWidth), 1, px(kWideWidth - kNarrowWidth) - 1, px(kHeight) - 2);
    lblByMakerName = makeLabel(QStringLiteral("lblByMakerName"), famCopyrightMaker, QRect(180, 240, 2280, 300));
    lblByMakerName->setText(QStringLiteral("제작자"));
    QFont bold = lblByMakerName->font();
    bold.setBold(true);
    lblByMakerName->setFont(bold);
    lblByMakerNameList = makeLabel(QStringLiteral("lblByMakerNameList"), famCopyrightMaker, QRect(180, 660, 2280, 3300));
    lblByMakerNameList->setText(QString::fromUtf8(version::kMakerName)
                                + QStringLiteral("\n\n기획 · 개발 · 디자인\nVorlen 개발팀\n\n테마 기술\nAmbrel™ · Prismel™"));
    famCopyrightMaker->hide();

    connect(cmdOK, &LabelButton::Click, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &LabelButton::Click, this, &frmAbout::cmdSysInfo_Click);
    connect(cmdCopyrightButton, &LabelButton::Click, this, &frmAbout::cmdCopyrightButton_Click);
    connect(cmdMoreUserOperatingSystemInfo, &LabelControl::Click, this, &frmAbout::cmdMoreUserOperatingSystemInfo_Click);
    // The borderless box moves by its product line.
    for (QWidget *handle : {static_cast<QWidget *>(lblProductName), static_cast<QWidget *>(icon)})
        handle->installEventFilter(this);
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
        && windowHandle() && watched->isWidgetType()) {
        windowHandle()->startSystemMove();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmAbout::Form_Load()
{
    AfterStep step(m_app.afterStep());
    platform::SystemState &system = m_app.platform().system;
    lblUserComputerNetworkInfo->setText(modSystemInfo::networkText(system.hostName(), system.hostAddress()));
    const modSystemInfo::MachineFacts facts = modSystemInfo::currentFacts(system);
    lblUserOperatingSystemInfo->setText(modSystemInfo::operatingSystemLine(facts.os));
    lblUserOperatingSystemInfo->setToolTip(modSystemInfo::GetOSDescription(facts.os, true, true));
    lblUserSystemInfo->setText(modSystemInfo::systemInfoText(facts));
    lblVersion->setText(QStringLiteral("Version : ") + version::text());
    lblVersion->setStyleSheet(QStringLiteral("color: #000000;"));
}

void frmAbout::Form_Activate()
{
    AfterStep step(m_app.afterStep());
    raise();
    activateWindow();
    modRoundEdge::ApplyRoundEdge(this, true, 10, 10);
}

void frmAbout::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void frmAbout::closeEvent(QCloseEvent *event)
{
    m_lock.reset();
    event->accept();
}

void frmAbout::cmdOK_Click()
{
    AfterStep step(m_app.afterStep());
    m_lock.reset();
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    AfterStep step(m_app.afterStep());
    // The message box must come up above this window.
    modBase::SetAlwaysOnTop(this, false);
    modSystemInfo::StartSysInfo(m_app.platform(), this, m_toolSearchPath);
    modBase::SetAlwaysOnTop(this, true);
}

void frmAbout::cmdCopyrightButton_Click()
{
    AfterStep step(m_app.afterStep());
    const bool open = famCopyrightMaker->isHidden();
    famCopyrightMaker->setVisible(open);
    cmdCopyrightButton->setCaption(open ? QStringLiteral("저작권 및 제작자 <") : QStringLiteral("저작권 및 제작자 >"));
    cmdCopyrightButton->setToolTip(open ? QStringLiteral("저작권 및 제작자 정보 닫기")
                                        : QStringLiteral("저작권 및 제작자 정보 열기"));
    setFixedSize(px(open ? kWideWidth : kNarrowWidth), px(kHeight));
    modRoundEdge::ApplyRoundEdge(this, true, 10, 10);
}

void frmAbout::cmdMoreUserOperatingSystemInfo_Click()
{
    AfterStep step(m_app.afterStep());
    const bool detail = lblUserSystemInfo->isHidden();
    lblUserSystemInfo->setVisible(detail);
    lblUserComputerNetworkInfo->setVisible(!detail);
    lblDisclaimer->setVisible(!detail);
    lblCopyright->setVisible(!detail);
    cmdMoreUserOperatingSystemInfo->setText(detail ? QStringLiteral("▲") : QStringLiteral("▼"));
    cmdMoreUserOperatingSystemInfo->setToolTip(detail ? QStringLiteral("상세한 시스템 정보 닫기")
                                                      : QStringLiteral("상세한 시스템 정보 열기"));
}
