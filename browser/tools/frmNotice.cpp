#include "frmNotice.h"

#include "browser/frame/modRoundEdge.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 300; // pixels; the height follows the text

} // namespace

frmNotice::frmNotice(QWidget *anchor)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_anchor(anchor)
{
    setObjectName(QStringLiteral("frmNotice"));
    setWindowTitle(QStringLiteral("Vorlen™ Notice Window"));
    setAttribute(Qt::WA_ShowWithoutActivating, true);

    lblNoticeTitle = new QLabel(this);
    lblNoticeTitle->setObjectName(QStringLiteral("lblNoticeTitle"));
    lblNoticeTitle->setTextFormat(Qt::PlainText);
    QFont bold = lblNoticeTitle->font();
    bold.setBold(true);
    lblNoticeTitle->setFont(bold);

    lblNoticeContents = new QLabel(this);
    lblNoticeContents->setObjectName(QStringLiteral("lblNoticeContents"));
    lblNoticeContents->setTextFormat(Qt::PlainText);
    lblNoticeContents->setWordWrap(true);

    cmdExit = new QPushButton(QStringLiteral("X"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setFlat(true);
    cmdExit->setFixedSize(18, 18);
    cmdExit->setCursor(Qt::PointingHandCursor);

    ExitTimer = new QTimer(this);
    ExitTimer->setObjectName(QStringLiteral("ExitTimer"));
    ExitTimer->setSingleShot(true);

    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(lblNoticeTitle, 1);
    titleRow->addWidget(cmdExit, 0, Qt::AlignTop);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(10, 8, 8, 10);
    column->setSpacing(6);
    column->addLayout(titleRow);
    column->addWidget(lblNoticeContents);
    setFixedWidth(kWidth);

    connect(ExitTimer, &QTimer::timeout, this, &frmNotice::ExitTimer_Timer);
    connect(cmdExit, &QPushButton::clicked, this, &frmNotice::cmdExit_Click);
}

void frmNotice::VorlenNotice(const QString &Title, const QString &Contents, bool TitleFocusPoint, qint16 ExitInterval)
{
    lblNoticeTitle->setText(Title);
    lblNoticeContents->setText(Contents);
    QPalette palette = lblNoticeTitle->palette();
    palette.setColor(QPalette::WindowText, TitleFocusPoint ? QColor(255, 0, 0) : QColor(0, 0, 0));
    lblNoticeTitle->setPalette(palette);
    adjustSize();
    show();
    Form_Resize();
    raise();
    // A second notice restarts the countdown from its own interval.
    ExitTimer->start(qMax<int>(0, ExitInterval));
}

QPoint frmNotice::placeOn(const QRect &screenGeometry, const QSize &size)
{
    return {screenGeometry.x() + screenGeometry.width() - size.width(), screenGeometry.y()};
}

void frmNotice::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void frmNotice::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmNotice::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xFA, 0xFA, 0xFA));
    painter.setPen(QColor(0x9A, 0x9A, 0x9A));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void frmNotice::Form_Activate()
{
    modRoundEdge::ApplyRoundEdge(this, true, 5, 5);
}

void frmNotice::Form_Resize()
{
    QScreen *screen = m_anchor ? m_anchor->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        move(placeOn(screen->geometry(), size()));
    modRoundEdge::ApplyRoundEdge(this, true, 5, 5);
}

void frmNotice::ExitTimer_Timer()
{
    close();
}

void frmNotice::cmdExit_Click()
{
    ExitTimer->stop();
    close();
}
