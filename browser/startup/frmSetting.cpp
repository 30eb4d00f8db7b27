#include "frmSetting.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/modRoundEdge.h"
#include "modBase.h"
#include "modSettingsStore.h"
#include "platform/Settings.h"
#include "platform/Folders.h"
#include "platform/Val.h"

#include <QDir>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

namespace {

using K = settings::Key;

// Boxes written before the start page, then after it, as the dialog confirms.
const frmSetting::SingleBox kBeforeStartPage[] = {
    {&frmSetting::chkAmbrelUseChoose, K::AmbrelUseValue},
    {&frmSetting::chkPurgel, K::PurgelValue},
    {&frmSetting::chkAlwaysShowWebBrowserPlusTool, K::AlwaysShowWebBrowserPlusToolValue},
    {&frmSetting::chkKeyflint, K::KeyflintValue},
    {&frmSetting::chkVitrelSetting, K::VitrelUseValue},
    {&frmSetting::chkFadeEffect, K::FadeEffectValue},
};
const frmSetting::SingleBox kAfterStartPage[] = {
    {&frmSetting::chkGestra, K::GestraValue},
    {&frmSetting::chkResetEngine, K::ResetEngineValue},
};
const frmSetting::SingleBox kLast[] = {
    {&frmSetting::chkPanovelSetting, K::PanovelValue},
    {&frmSetting::chkNewWindowCheckOpen, K::NewWindowOpenValue},
    {&frmSetting::chkSystemCheck, K::SystemCheckValue},
};

const QString kHelpTip = QStringLiteral("도움말을 보시려면 여기를 누르십시오.");

} // namespace

int frmSetting::restoriaValue(bool recover, bool automatic)
{
    if (!recover)
        return 0;
    return automatic ? 2 : 1;
}

QCheckBox *frmSetting::addBox(const char *name, const QString &caption)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(QLatin1String(name));
    return box;
}

QLabel *frmSetting::addHelp(const char *name, const char *frameName, const QString &frameCaption,
                            const QString &text, QGroupBox *&frame)
{
    auto *button = new QLabel(QStringLiteral("?"), this);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(kHelpTip);
    button->setAlignment(Qt::AlignCenter);
    button->setFixedSize(16, 16);
    button->setStyleSheet(QStringLiteral("QLabel { border: 1px solid #8a8a8a; border-radius: 8px; color: #2050a0;"
                                         " font-weight: bold; background: #ffffff; }"));
    button->setCursor(Qt::PointingHandCursor);
    button->installEventFilter(this);

    frame = new QGroupBox(frameCaption, this);
    frame->setObjectName(QLatin1String(frameName));
    frame->setStyleSheet(QStringLiteral("QGroupBox { background: #fffff0; border: 1px solid #8a8a8a;"
                                        " margin-top: 14px; padding: 6px; }"
                                        " QGroupBox::title { subcontrol-origin: margin; left: 8px; }"));
    auto *label = new QLabel(text, frame);
    label->setObjectName(QLatin1String(frameName) + QStringLiteral("Text"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(label);
    frame->hide();
    return button;
}

frmSetting::frmSetting(VorlenApp &app)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_app(app)
{
    setObjectName(QStringLiteral("frmSetting"));
    setWindowTitle(QStringLiteral("환경 설정"));

    ProgramTitleBar = new QLabel(QStringLiteral(" 환경 설정"), this);
    ProgramTitleBar->setObjectName(QStringLiteral("ProgramTitleBar"));
    QFont bold = ProgramTitleBar->font();
    bold.setBold(true);
    ProgramTitleBar->setFont(bold);
    ProgramTitleBar->installEventFilter(this);
    cmdExit = new QPushButton(QStringLiteral("X"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setToolTip(QStringLiteral("닫기"));
    cmdExit->setFlat(true);
    cmdExit->setFixedSize(22, 20);

    chkAmbrelUseChoose = addBox("chkAmbrelUseChoose", QStringLiteral("Ambrel™ 를 사용 합니다."));
    chkKeyflint = addBox("chkKeyflint", QStringLiteral("Keyflint™ Technology 사용"));
    chkVitrelSetting = addBox("chkVitrelSetting", QStringLiteral("Vitrel™ Technology 사용"));
    chkFadeEffect = addBox("chkFadeEffect", QStringLiteral("모든 프로그램 동작 및 페이지 탐색시 Fade Effect 사용"));
    chkPurgel = addBox("chkPurgel", QStringLiteral("웹 페이지 탐색시 Purgel™ Technology 사용"));
    chkGestra = addBox("chkGestra", QStringLiteral("Gestra™ Technology 사용"));
    chkAlwaysShowWebBrowserPlusTool = addBox("chkAlwaysShowWebBrowserPlusTool", QStringLiteral("항상 웹 브라우저 추가 도구 표시"));
    chkResetEngine = addBox("chkResetEngine", QStringLiteral("시작시 엔진 초기화 기능 사용"));
    chkRestoriaSetting = addBox("chkRestoriaSetting", QStringLiteral("강제로 종료된 경우 이전 문서 복구"));
    chkRestoriaAutoRecover = addBox("chkRestoriaAutoRecover", QStringLiteral("복구 여부 묻지않고 자동으로 복구"));
    chkRestoriaAutoRecover->setEnabled(false);
    chkPanovelSetting = addBox("chkPanovelSetting", QStringLiteral("Panovel(전체 화면) 모드 사용"));
    chkNewWindowCheckOpen = addBox("chkNewWindowCheckOpen", QStringLiteral("새 창으로 열때 확인 하고 열기(권장)"));
    chkSystemCheck = addBox("chkSystemCheck", QStringLiteral("시스템 상태 확인 기능 사용"));

    hlpVitrel = addHelp("hlpVitrel", "hlpVitrelHelpFrame", QStringLiteral("Vitrel™ 도움말"),
                        QStringLiteral(" Vitrel™ 은 Brenmor® Corporation 이(가) 프로그램의 디자인 향상을 위해 자체 개발한 \"창 투명화\" 기술 입니다."),
                        hlpVitrelHelpFrame);
    hlpKeyflint = addHelp("hlpKeyflint", "hlpKeyflintHelpFrame", QStringLiteral("Keyflint™ 도움말"),
                          QStringLiteral(" Keyflint™ 은 Brenmor® Corporation 이(가) 프로그램의 편의성을 위해 자체 개발한 \"프로그램 단축 실행\" 기술 입니다."),
                          hlpKeyflintHelpFrame);
    hlpPurgel = addHelp("hlpPurgel", "hlpPurgelHelpFrame", QStringLiteral("Purgel™ 도움말"),
                        QStringLiteral(" Purgel™ 는 Brenmor® Corporation 이(가) 소프트웨어의 최적화를 위해 자체 개발한 \"메모리 워킹셋\" 기술 입니다."),
                        hlpPurgelHelpFrame);
    hlpGestra = addHelp("hlpGestra", "hlpGestraHelpFrame", QStringLiteral("Gestra 도움말"),
                        QStringLiteral(" Gestra™ 는 Brenmor® Corporation 이(가) 프로그램의 편의성을 위해 개발한 \"창 이동 감지\" 기술 입니다."),
                        hlpGestraHelpFrame);
    hlpAmbrel = addHelp("hlpAmbrel", "hlpAmbrelHelpFrame", QStringLiteral("Ambrel 도움말"),
                        QStringLiteral(" Ambrel™ 은 Brenmor® Corporation 이(가) 소프트웨어의 혁신적인 디자인을 위해 자체 개발한 \"사용자 정의 테마 사용\" 기술 입니다."),
                        hlpAmbrelHelpFrame);
    m_helps = {{{hlpVitrel, hlpVitrelHelpFrame},
                {hlpKeyflint, hlpKeyflintHelpFrame},
                {hlpPurgel, hlpPurgelHelpFrame},
                {hlpGestra, hlpGestraHelpFrame},
                {hlpAmbrel, hlpAmbrelHelpFrame}}};

    // The four gesture pictures of the Gestra help.
    const struct
    {
        const char *name;
        QStyle::StandardPixmap picture;
        const char *tip;
    } gestures[] = {
        {"hlpimgGestraUp", QStyle::SP_ArrowUp, "창을 위쪽으로 이동 시킬 경우 새 탭이 생성 됩니다."},
        {"hlpimgGestraDown", QStyle::SP_ArrowDown, "창을 아래쪽으로 이동 시킬 경우 현재 탭이 닫힙니다."},
        {"hlpimgGestraLeft", QStyle::SP_ArrowLeft, "창을 좌측으로 이동 시킬 경우 이전 탭으로 이동 합니다."},
        {"hlpimgGestraRight", QStyle::SP_ArrowRight, "창을 우측으로 이동 시킬 경우 다음 탭으로 이동 합니다."},
    };
    auto *gestureRow = new QHBoxLayout;
    for (const auto &g : gestures) {
        auto *picture = new QLabel(hlpGestraHelpFrame);
        picture->setObjectName(QLatin1String(g.name));
        picture->setPixmap(style()->standardIcon(g.picture).pixmap(24));
        picture->setToolTip(QString::fromUtf8(g.tip));
        gestureRow->addWidget(picture);
    }
    static_cast<QVBoxLayout *>(hlpGestraHelpFrame->layout())->addLayout(gestureRow);

    auto *framAmbrelSetting = new QGroupBox(this);
    framAmbrelSetting->setObjectName(QStringLiteral("framAmbrelSetting"));
    auto *lblAmbrelSettingCaption = new QLabel(QStringLiteral("Ambrel™ Technology"), framAmbrelSetting);
    lblAmbrelSettingCaption->setObjectName(QStringLiteral("lblAmbrelSettingCaption"));
    lblAmbrelSettingCaption->setFont(bold);
    auto *ambrelRow = new QGridLayout(framAmbrelSetting);
    ambrelRow->addWidget(lblAmbrelSettingCaption, 0, 0, 1, 2);
    ambrelRow->addWidget(chkAmbrelUseChoose, 1, 0);
    ambrelRow->addWidget(hlpAmbrel, 1, 1);
    chkAmbrelUseChoose->setParent(framAmbrelSetting);
    hlpAmbrel->setParent(framAmbrelSetting);

    auto *Label1 = new QLabel(QStringLiteral("기타 설정"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(bold);
    auto *others = new QGridLayout;
    int row = 0;
    auto line = [&](QCheckBox *box, QLabel *help = nullptr, int indent = 0) {
        box->setContentsMargins(indent, 0, 0, 0);
        others->addWidget(box, row, 0);
        if (help)
            others->addWidget(help, row, 1);
        ++row;
    };
    line(chkKeyflint, hlpKeyflint);
    line(chkVitrelSetting, hlpVitrel);
    line(chkFadeEffect);
    line(chkPurgel, hlpPurgel);
    line(chkAlwaysShowWebBrowserPlusTool);
    line(chkResetEngine);
    line(chkRestoriaSetting);
    line(chkRestoriaAutoRecover, nullptr, 18);
    line(chkPanovelSetting);
    line(chkNewWindowCheckOpen);
    line(chkSystemCheck);

    auto *setGestra = new QGroupBox(QStringLiteral("Gestra™ 설정"), this);
    setGestra->setObjectName(QStringLiteral("setGestra"));
    auto *gestraRow = new QHBoxLayout(setGestra);
    chkGestra->setParent(setGestra);
    hlpGestra->setParent(setGestra);
    gestraRow->addWidget(chkGestra, 1);
    gestraRow->addWidget(hlpGestra);

    auto *framStartPage1 = new QGroupBox(this);
    framStartPage1->setObjectName(QStringLiteral("framStartPage1"));
    auto *lblStartPageCaption = new QLabel(QStringLiteral("시작 문서 설정"), framStartPage1);
    lblStartPageCaption->setObjectName(QStringLiteral("lblStartPageCaption"));
    lblStartPageCaption->setFont(bold);
    txtStartPage = new QLineEdit(QStringLiteral("{show the start page url}"), framStartPage1);
    txtStartPage->setObjectName(QStringLiteral("txtStartPage"));
    cmdStartPageWithDaumSetting = new QPushButton(QStringLiteral("다음(Daum)을 시작 문서로 설정"), framStartPage1);
    cmdStartPageWithDaumSetting->setObjectName(QStringLiteral("cmdStartPageWithDaumSetting"));
    cmdStartPageWithDaumSetting->setToolTip(QStringLiteral("Life On Daum 으로 시작 문서를 변경 합니다."));
    auto *startColumn = new QVBoxLayout(framStartPage1);
    startColumn->addWidget(lblStartPageCaption);
    startColumn->addWidget(txtStartPage);
    startColumn->addWidget(cmdStartPageWithDaumSetting, 0, Qt::AlignRight);

    cmdApply = new QPushButton(QStringLiteral("확인"), this);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    cmdCancel = new QPushButton(QStringLiteral("취소"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(ProgramTitleBar, 1);
    titleRow->addWidget(cmdExit);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdApply);
    buttons->addWidget(cmdCancel);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(10, 4, 10, 10);
    column->setSpacing(6);
    column->addLayout(titleRow);
    column->addWidget(framAmbrelSetting);
    column->addWidget(Label1);
    column->addLayout(others);
    column->addWidget(setGestra);
    column->addWidget(framStartPage1);
    column->addLayout(buttons);

    connect(cmdApply, &QPushButton::clicked, this, &frmSetting::cmdApply_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSetting::cmdCancel_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmSetting::cmdExit_Click);
    connect(cmdStartPageWithDaumSetting, &QPushButton::clicked, this, &frmSetting::cmdStartPageWithDaumSetting_Click);
    connect(chkRestoriaSetting, &QCheckBox::clicked, this, &frmSetting::chkRestoriaSetting_Click);

    Form_Load();
    adjustSize();
}

void frmSetting::Form_Load()
{
    const platform::Environment &env = m_app.environment();
    auto load = [&](const SingleBox &b) {
        const qint16 value = platform::setting::int16(env, b.key);
        if (value == 0 || value == 1)
            (this->*b.box)->setChecked(value == 1);
    };
    for (const SingleBox &b : kBeforeStartPage)
        load(b);
    for (const SingleBox &b : kAfterStartPage)
        load(b);
    for (const SingleBox &b : kLast)
        load(b);

    switch (platform::setting::int16(env, K::RestoriaValue)) {
    case 0:
        chkRestoriaSetting->setChecked(false);
        chkRestoriaAutoRecover->setEnabled(false);
        break;
    case 1:
        chkRestoriaSetting->setChecked(true);
        chkRestoriaAutoRecover->setEnabled(true);
        break;
    case 2:
        chkRestoriaSetting->setChecked(true);
        chkRestoriaAutoRecover->setEnabled(true);
        chkRestoriaAutoRecover->setChecked(true);
        break;
    default:
        break;
    }

    const QString startPage = m_app.platform().registry.read(QString::fromLatin1(platform::kStartPageKey),
                                                             QString::fromLatin1(platform::kStartPageValue));
    txtStartPage->setText(startPage.isEmpty() ? QString::fromLatin1(modSettingsStore::kPortalHome) : startPage);
}

void frmSetting::cmdApply_Click()
{
    auto value = [this](const SingleBox &b) {
        return (this->*b.box)->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    };
    modSettingsStore::Values values;
    for (const SingleBox &b : kBeforeStartPage)
        values.append({b.key, value(b)});
    for (const SingleBox &b : kAfterStartPage)
        values.append({b.key, value(b)});
    values.append({K::RestoriaValue,
                   QString::number(restoriaValue(chkRestoriaSetting->isChecked(), chkRestoriaAutoRecover->isChecked()))});
    for (const SingleBox &b : kLast)
        values.append({b.key, value(b)});

    // All switches land in one replace of the file, or none does.
    if (!modSettingsStore::writeSettings(m_app.environment(), values)) {
        m_app.platform().dialogs.messageBox(
            this, QStringLiteral("환경 설정을 저장하지 못했습니다.\n%1 파일에 쓸 수 없습니다.")
                      .arg(QDir::toNativeSeparators(platform::folders::settingsFile(m_app.environment()))),
            QStringLiteral("환경 설정"), platform::MsgButtons::OK, platform::MsgIcon::Critical);
        return;
    }
    if (chkAmbrelUseChoose->isChecked()) {
        m_app.platform().dialogs.messageBox(this, QStringLiteral("변경된 Ambrel™ 설정은 다음번 Vorlen™ 실행 부터 적용됩니다."),
                                            QStringLiteral("Ambrel™ 테마 관리자"), platform::MsgButtons::OK,
                                            platform::MsgIcon::Information);
    }
    emit ambrelMenuEnabled(chkAmbrelUseChoose->isChecked());
    if (!modSettingsStore::writeStartPage(m_app.platform(), this, txtStartPage->text()))
        return;
    close();
}

void frmSetting::cmdCancel_Click()
{
    AfterStep trim(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    close();
}

void frmSetting::cmdExit_Click()
{
    AfterStep trim(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    close();
}

void frmSetting::cmdStartPageWithDaumSetting_Click()
{
    txtStartPage->setText(QString::fromLatin1(modSettingsStore::kPortalHome));
}

void frmSetting::chkRestoriaSetting_Click()
{
    chkRestoriaAutoRecover->setEnabled(chkRestoriaSetting->isChecked());
}

void frmSetting::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    modRoundEdge::ApplyRoundEdge(this, true, 5, 5);
    AfterStep trim(m_app.afterStep(), AfterStep::Kind::TrimOnly);
}

void frmSetting::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    // The lock goes with the hidden dialog; the layout pass picks up the new keys.
    m_app.afterStep().requestLayout();
    AfterStep trim(m_app.afterStep(), AfterStep::Kind::TrimOnly);
}

void frmSetting::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xF6, 0xF7, 0xF9));
    painter.fillRect(QRect(0, 0, width(), ProgramTitleBar->geometry().bottom() + 4), QColor(0xDD, 0xE4, 0xEE));
    painter.setPen(QColor(0x8A, 0x8A, 0x8A));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool frmSetting::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ProgramTitleBar && event->type() == QEvent::MouseButtonPress && windowHandle()) {
        windowHandle()->startSystemMove();
        return true;
    }
    // Each help shows only while its button is held.
    for (const auto &[button, frame] : m_helps) {
        if (watched != button)
            continue;
        if (event->type() == QEvent::MouseButtonPress) {
            frame->setGeometry(20, 60, width() - 40, frame->sizeHint().height());
            frame->show();
            frame->raise();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            frame->hide();
        }
    }
    return QWidget::eventFilter(watched, event);
}
