#include "frmVitrel.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/modRoundEdge.h"
#include "modVitrel.h"
#include "platform/Settings.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

frmVitrel::frmVitrel(VorlenApp &app, QWidget *target, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_app(app)
    , m_target(target)
{
    setObjectName(QStringLiteral("frmVitrel"));
    setWindowTitle(QStringLiteral("Vitrel™ Technology"));
    setFixedSize(360, 170);

    ProgramTitleBar = new QLabel(QStringLiteral(" Vitrel™ Technology"), this);
    ProgramTitleBar->setObjectName(QStringLiteral("ProgramTitleBar"));
    ProgramTitleBar->setGeometry(0, 0, 330, 24);
    QFont bold = ProgramTitleBar->font();
    bold.setBold(true);
    ProgramTitleBar->setFont(bold);

    cmdExit = new QPushButton(QStringLiteral("X"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setGeometry(334, 3, 22, 18);
    cmdExit->setFlat(true);

    ProgramContentsLabel = new QLabel(
        QStringLiteral("Vitrel™ 는 현재 활성화되어 있는 창을 투명하게 보이도록 만들어주는 기술 입니다. "
                       "단, Adobe Flash Object 와 GIF 이미지가 사용된 문서가 열려있다면 프로그램의 응답 속도가 "
                       "느려질 수 있습니다."),
        this);
    ProgramContentsLabel->setObjectName(QStringLiteral("ProgramContentsLabel"));
    ProgramContentsLabel->setWordWrap(true);
    ProgramContentsLabel->setGeometry(12, 30, 336, 60);

    TSlider = new QSlider(Qt::Horizontal, this);
    TSlider->setObjectName(QStringLiteral("TSlider"));
    TSlider->setRange(100, 255);
    TSlider->setSingleStep(1);
    TSlider->setPageStep(5);
    TSlider->setValue(255);
    TSlider->setToolTip(QStringLiteral("여기를 Drag 하여 투명도를 조절 하십시오."));
    TSlider->setGeometry(12, 96, 336, 24);

    cmdApply = new QPushButton(QStringLiteral("확인"), this);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    cmdApply->setGeometry(180, 132, 80, 26);
    cmdCancel = new QPushButton(QStringLiteral("취소"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(268, 132, 80, 26);

    connect(TSlider, &QSlider::valueChanged, this, &frmVitrel::TSlider_Change);
    connect(cmdApply, &QPushButton::clicked, this, &frmVitrel::cmdApply_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmVitrel::cmdCancel_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmVitrel::cmdExit_Click);
}

QString frmVitrel::storedText(int slider)
{
    return slider >= 255 ? QStringLiteral("0") : QString::number(slider);
}

int frmVitrel::sliderStart(qint32 stored)
{
    return stored >= 100 && stored <= 255 ? int(stored) : 255;
}

void frmVitrel::setTitleOn(bool on)
{
    QPalette p = ProgramTitleBar->palette();
    p.setColor(QPalette::WindowText, on ? QColor(0, 0, 0xFF) : QColor(0, 0, 0));
    ProgramTitleBar->setPalette(p);
}

void frmVitrel::Form_Load()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    const int start = sliderStart(platform::setting::int32(m_app.environment(), settings::Key::VitrelValue));
    {
        const QSignalBlocker quiet(TSlider);
        TSlider->setValue(start);
    }
    if (start != 255)
        modVitrel::SetVitrel(m_target, start, true);
    setTitleOn(start != 255);
}

void frmVitrel::TSlider_Change()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    const int value = TSlider->value();
    setTitleOn(value != 255);
    modVitrel::SetVitrel(m_target, value, value != 255);
}

void frmVitrel::cmdApply_Click()
{
    close();
}

void frmVitrel::cmdCancel_Click()
{
    setTitleOn(false);
    TSlider->setValue(255);
    close();
}

void frmVitrel::cmdExit_Click()
{
    cmdCancel_Click();
}

void frmVitrel::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    const int value = TSlider->value();
    modVitrel::SetVitrel(m_target, value, value != 255);
    if (!platform::setting::write(m_app.environment(), settings::Key::VitrelValue, storedText(value))) {
        m_app.platform().dialogs.messageBox(
            this, QStringLiteral("Vitrel™ 투명도 값을 설정 파일에 저장할 수 없습니다."),
            QStringLiteral("Vitrel™ 관리자"), platform::MsgButtons::OK, platform::MsgIcon::Exclamation);
    }
}

void frmVitrel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    modRoundEdge::ApplyRoundEdge(this, true, 5, 5);
}

void frmVitrel::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmVitrel::keyPressEvent(QKeyEvent *event)
{
    // Enter confirms and Escape cancels, as in any dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        cmdApply_Click();
    else if (event->key() == Qt::Key_Escape)
        cmdCancel_Click();
    else
        QWidget::keyPressEvent(event);
}

void frmVitrel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xFA, 0xFA, 0xFA));
    painter.fillRect(QRect(0, 0, width(), 24), QColor(0xE4, 0xEA, 0xF4));
    painter.setPen(QColor(0x9A, 0x9A, 0x9A));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
