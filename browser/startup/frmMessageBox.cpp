#include "frmMessageBox.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/modRoundEdge.h"
#include "modBase.h"
#include "modSettingsStore.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QWindow>

namespace {

constexpr int px(int twips) { return twips / 15; }

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(px(left), px(top), px(width), px(height));
}

} // namespace

frmMessageBox::frmMessageBox(VorlenApp &app)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_app(app)
{
    setObjectName(QStringLiteral("frmMessageBox"));
    setWindowTitle(QStringLiteral("Vorlen™ MessageBox"));
    setFixedSize(px(5415), px(1995));

    ProgramTitleBar = new QLabel(QStringLiteral(" {TitleName}"), this);
    ProgramTitleBar->setObjectName(QStringLiteral("ProgramTitleBar"));
    ProgramTitleBar->setTextFormat(Qt::PlainText);
    place(ProgramTitleBar, 0, 120, 5415, 255);
    QFont bold = ProgramTitleBar->font();
    bold.setBold(true);
    ProgramTitleBar->setFont(bold);

    cmdExit = new QPushButton(QStringLiteral("X"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setFlat(true);
    place(cmdExit, 5160, 120, 135, 255);

    ProgramMessageIcon = new QLabel(this);
    ProgramMessageIcon->setObjectName(QStringLiteral("ProgramMessageIcon"));
    place(ProgramMessageIcon, 120, 480, 615, 615);

    ProgramContentsLabel = new QLabel(QStringLiteral("{Contents}"), this);
    ProgramContentsLabel->setObjectName(QStringLiteral("ProgramContentsLabel"));
    ProgramContentsLabel->setTextFormat(Qt::PlainText);
    ProgramContentsLabel->setWordWrap(true);
    ProgramContentsLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(ProgramContentsLabel, 790, 480, 4575, 735);

    Button1 = new QPushButton(QStringLiteral("Button"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    place(Button1, 2400, 1440, 1335, 375);
    Button2 = new QPushButton(QStringLiteral("Button"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    place(Button2, 3840, 1440, 1335, 375);

    connect(Button1, &QPushButton::clicked, this, &frmMessageBox::Button1_Click);
    connect(Button2, &QPushButton::clicked, this, &frmMessageBox::Button2_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmMessageBox::cmdExit_Click);
}

void frmMessageBox::MyMsgBox(qint16 MyMessageType, QString &TString, qint32 &TNumber)
{
    if (!TString.isEmpty())
        m_string = TString;
    m_number = TNumber;
    m_type = MyMessageType;
    const QIcon icon = style()->standardIcon(QStyle::SP_MessageBoxQuestion);
    switch (MyMessageType) {
    case 0:
        ProgramTitleBar->setText(QStringLiteral(" 시작 문서 설정"));
        ProgramContentsLabel->setText(QStringLiteral("활성화 되어 있는 탭의 문서를 시작 문서로 설정 하시겠습니까?"));
        break;
    case 1:
        ProgramTitleBar->setText(QStringLiteral("Windows 방화벽 설정"));
        ProgramContentsLabel->setText(QStringLiteral("Windows 방화벽이 설정 되어있지 않습니다.\n"
                                                     "Windows 방화벽을 사용가능한 상태로 전환 하시겠습니까?"));
        break;
    default:
        break;
    }
    if (MyMessageType == 0 || MyMessageType == 1) {
        ProgramMessageIcon->setPixmap(icon.pixmap(px(615) - 8));
        Button1->setText(QStringLiteral("예"));
        Button2->setText(QStringLiteral("아니요"));
    }
    show();
    raise();
    activateWindow();
}

void frmMessageBox::Button1_Click()
{
    if (m_type == 0) {
        platform::WebBrowser *page = m_app.shell().currentPage();
        const QString address = page ? page->LocationURL() : QString();
        // A start page that could not be stored is told; the box then closes,
        // having done what it could.
        if (page)
            modSettingsStore::writeStartPage(m_app.platform(), this, address);
    }
    AfterStep trim(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    close();
}

void frmMessageBox::Button2_Click()
{
    AfterStep trim(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    close();
}

void frmMessageBox::cmdExit_Click()
{
    close();
}

void frmMessageBox::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void frmMessageBox::Form_Activate()
{
    modRoundEdge::ApplyRoundEdge(this, true, 5, 5);
    AfterStep trim(m_app.afterStep(), AfterStep::Kind::TrimOnly);
}

void frmMessageBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xF4, 0xF4, 0xF4));
    painter.fillRect(QRect(0, 0, width(), px(420)), QColor(0xE2, 0xE6, 0xEC));
    painter.setPen(QColor(0x8A, 0x8A, 0x8A));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void frmMessageBox::mousePressEvent(QMouseEvent *event)
{
    // The title strip moves the box.
    if (event->button() == Qt::LeftButton && event->position().y() < px(420) && windowHandle())
        windowHandle()->startSystemMove();
    QWidget::mousePressEvent(event);
}
