#include "frmRestoria.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/modRoundEdge.h"
#include "modBase.h"
#include "modLocalPages.h"
#include "platform/Settings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {

QLabel *valueLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(300);
    label->setMaximumWidth(360);
    return label;
}

} // namespace

frmRestoria::frmRestoria(VorlenApp &app)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_app(app)
{
    setObjectName(QStringLiteral("frmRestoria"));
    const QString caption = QStringLiteral(" Restoria™ 문서 복구 마법사");
    setWindowTitle(caption);
    QFont font = this->font();
    font.setFamilies({QStringLiteral("맑은 고딕"), QStringLiteral("Noto Sans CJK KR"), QStringLiteral("NanumGothic")});
    setFont(font);

    ProgramTitleBar = new QLabel(caption, this);
    ProgramTitleBar->setObjectName(QStringLiteral("ProgramTitleBar"));
    QFont bold = font;
    bold.setBold(true);
    ProgramTitleBar->setFont(bold);
    ProgramTitleBar->setMinimumHeight(24);
    ProgramTitle = new QLabel(QStringLiteral("마지막으로 탐색 했던 Tab의 문서를 새로운 Tab으로 복구 하시겠습니까?"), this);
    ProgramTitle->setObjectName(QStringLiteral("ProgramTitle"));
    ProgramTitle->setWordWrap(true);

    lblProgramLastTabDate = valueLabel(this, "lblProgramLastTabDate");
    lblProgramLastTabTitle = valueLabel(this, "lblProgramLastTabTitle");
    lblProgramLastTabURL = valueLabel(this, "lblProgramLastTabURL");

    chkRestoriaAutoRecover = new QCheckBox(QStringLiteral("앞으로 이 창을 표시 하지 않습니다."), this);
    chkRestoriaAutoRecover->setObjectName(QStringLiteral("chkRestoriaAutoRecover"));
    chkRestoriaAutoRecover->setToolTip(QStringLiteral("자동으로 설정되게 하시려면 이 확인상자에 표시 하십시오."));
    cmdYes = new QPushButton(QStringLiteral("예"), this);
    cmdYes->setObjectName(QStringLiteral("cmdYes"));
    cmdCancel = new QPushButton(QStringLiteral("아니오"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *values = new QGridLayout;
    values->addWidget(new QLabel(QStringLiteral("마지막 탐색 시간 :"), this), 0, 0);
    values->addWidget(lblProgramLastTabDate, 0, 1);
    values->addWidget(new QLabel(QStringLiteral("해당 문서 제목 :"), this), 1, 0);
    values->addWidget(lblProgramLastTabTitle, 1, 1);
    values->addWidget(new QLabel(QStringLiteral("해당 문서 주소 :"), this), 2, 0);
    values->addWidget(lblProgramLastTabURL, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(chkRestoriaAutoRecover, 1);
    buttons->addWidget(cmdYes);
    buttons->addWidget(cmdCancel);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 6, 12, 12);
    column->setSpacing(10);
    column->addWidget(ProgramTitleBar);
    column->addWidget(ProgramTitle);
    column->addLayout(values);
    column->addLayout(buttons);

    ProgramTitleBar->installEventFilter(this);
    ProgramTitle->installEventFilter(this);
    connect(cmdYes, &QPushButton::clicked, this, &frmRestoria::cmdYes_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRestoria::cmdCancel_Click);
}

frmRestoria::~frmRestoria() = default;

void frmRestoria::Form_Load()
{
    const platform::Environment &env = m_app.environment();
    const qint16 value = platform::setting::int16(env, settings::Key::RestoriaValue);
    if (modSessionRecord::exists(env)) {
        m_record = modSessionRecord::read(env);
        lblProgramLastTabDate->setText(m_record.date);
        lblProgramLastTabTitle->setText(m_record.title);
        lblProgramLastTabURL->setText(m_record.url);
    }
    switch (value) {
    case 1:
        adjustSize();
        show();
        raise();
        activateWindow();
        cmdYes->setFocus();
        return;
    case 2: {
        const bool recovered = recover();
        if (m_recoveredTabs >= 0)
            noticeRecoveredTabs();
        else if (recovered)
            m_app.shell().notice(QStringLiteral("문서 복구"),
                                         QStringLiteral("마지막으로 탐색 중이던 문서가 복구 되었습니다."), true, 5000);
        break;
    }
    case 0:
        m_app.shell().notice(QStringLiteral("문서 복구 안함"),
                                     QStringLiteral("마지막으로 탐색 중이던 문서가 복구 되지 않았습니다."), true, 5000);
        break;
    default:
        m_app.platform().dialogs.messageBox(
            nullptr, QStringLiteral("Restoria™ 설정이 잘못 되었습니다.\n확인 후 다시 시도 하십시오."),
            QStringLiteral("Restoria™ 관리자"), platform::MsgButtons::OK, platform::MsgIcon::Critical);
        break;
    }
    close();
}

void frmRestoria::cmdYes_Click()
{
    platform::setting::write(m_app.environment(), settings::Key::RestoriaValue,
                             chkRestoriaAutoRecover->isChecked() ? QStringLiteral("2") : QStringLiteral("1"));
    recover();
    if (m_recoveredTabs >= 0)
        noticeRecoveredTabs();
    close();
}

void frmRestoria::noticeRecoveredTabs()
{
    m_app.shell().notice(QStringLiteral("문서 복구"),
                         QStringLiteral("마지막으로 열려 있던 탭 %1개가 모두 복구 되었습니다.").arg(m_recoveredTabs),
                         true, 5000);
}

bool frmRestoria::recover()
{
    if (m_recoverAll) {
        m_recoveredTabs = m_recoverAll();
        if (m_recoveredTabs >= 0)
            return true;
    }
    if (modSessionRecord::isRecoverable(m_record.url)) {
        m_app.shell().openInNewTab(m_record.url);
        return true;
    }
    const QString newTab = modLocalPages::MakeNewTabPage(m_app.platform());
    m_app.shell().openInNewTab(newTab.isEmpty() ? QStringLiteral("about:blank") : newTab);
    m_app.shell().notice(QString::fromUtf8(modSessionRecord::kRefusedTitle),
                                 modSessionRecord::refusedText(m_record.url), true, 5000);
    return false;
}

void frmRestoria::cmdCancel_Click()
{
    platform::setting::write(m_app.environment(), settings::Key::RestoriaValue,
                             chkRestoriaAutoRecover->isChecked() ? QStringLiteral("0") : QStringLiteral("1"));
    close();
}

void frmRestoria::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void frmRestoria::Form_Activate()
{
    if (QWidget *main = m_app.shell().mainWidget())
        main->hide();
    modRoundEdge::ApplyRoundEdge(this, true, 5, 5);
    AfterStep trim(m_app.afterStep(), AfterStep::Kind::TrimOnly);
}

void frmRestoria::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    Form_Unload();
}

void frmRestoria::Form_Unload()
{
    // However the wizard closes, the start goes on from here exactly once.
    if (m_unloaded)
        return;
    m_unloaded = true;
    hide();
    m_app.shell().showMainWindow();
    m_app.shell().revealMainWindow();
    Q_EMIT startFinished();
}

void frmRestoria::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xF6, 0xF7, 0xF9));
    painter.fillRect(QRect(0, 0, width(), ProgramTitleBar->geometry().bottom() + 4), QColor(0xDD, 0xE4, 0xEE));
    painter.setPen(QColor(0x8A, 0x8A, 0x8A));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool frmRestoria::eventFilter(QObject *watched, QEvent *event)
{
    // Either title label drags the window.
    if ((watched == ProgramTitleBar || watched == ProgramTitle) && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && windowHandle()) {
        windowHandle()->startSystemMove();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
