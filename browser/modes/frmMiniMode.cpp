#include "frmMiniMode.h"

#include "browser/frame/PictureControl.h"
#include "browser/core/VorlenApp.h"
#include "browser/frame/modRoundEdge.h"
#include "modVitrel.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {

constexpr int kSidePx = frmMiniMode::kSizeTwips / 15;

} // namespace

frmMiniMode::frmMiniMode(VorlenApp &app, QWidget *browser)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool)
    , m_app(app)
    , m_browser(browser)
{
    setObjectName(QStringLiteral("frmMiniMode"));
    setWindowTitle(QStringLiteral("Brenmor® Vorlen™"));
    setToolTip(QStringLiteral("Vorlen™ 창을 표시 합니다."));
    setFixedSize(kSidePx, kSidePx);
    setCursor(Qt::PointingHandCursor);
    cmdMiniMode = new QWidget(this);
    cmdMiniMode->setObjectName(QStringLiteral("cmdMiniMode"));
    cmdMiniMode->setGeometry(0, 0, kSidePx, kSidePx);
    cmdMiniMode->installEventFilter(this);
}

bool frmMiniMode::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cmdMiniMode
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        // The button fills the window: its presses are the window's.
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (event->type() == QEvent::MouseButtonPress)
            mousePressEvent(mouse);
        else
            mouseReleaseEvent(mouse);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmMiniMode::cmdMiniMode_MouseDown(Qt::MouseButton Button, int X, int Y)
{
    m_pressed = Button == Qt::LeftButton && releaseTriggers(X, Y, width(), height());
    update();
}

void frmMiniMode::cmdMiniMode_MouseUp(Qt::MouseButton Button, int X, int Y)
{
    m_pressed = false;
    update();
    if (Button == Qt::LeftButton && releaseTriggers(X, Y, width(), height()))
        close();
}

QRect frmMiniMode::placeOn(const QRect &screenGeometry)
{
    return QRect(screenGeometry.right() + 1 - kSidePx, screenGeometry.top(), kSidePx, kSidePx);
}

void frmMiniMode::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void frmMiniMode::Form_Activate()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    m_app.commands().setMiniModeShown(true);
    if (m_browser) {
        m_browser->setEnabled(false);
        m_browser->hide();
    }
    modVitrel::SetVitrel(this, kAlpha, true);
    modRoundEdge::ApplyRoundEdge(this, true, 5, 5);
    m_pressed = false;
    update();
    Form_Resize();
}

void frmMiniMode::Form_Resize()
{
    if (m_placing)
        return;
    m_placing = true;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect place = placeOn(screen ? screen->geometry() : QRect(0, 0, 800, 600));
    if (geometry() != place)
        setGeometry(place);
    m_placing = false;
}

void frmMiniMode::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmMiniMode::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    Form_Resize();
}

void frmMiniMode::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    cmdMiniMode_MouseDown(event->button(), p.x(), p.y());
}

void frmMiniMode::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    cmdMiniMode_MouseUp(event->button(), p.x(), p.y());
}

void frmMiniMode::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMiniMode::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    m_app.commands().setMiniModeShown(false);
    if (m_browser) {
        m_browser->show();
        m_browser->setEnabled(!m_app.locks().locked());
        m_browser->raise();
        m_browser->activateWindow();
    }
    modVitrel::SetVitrel(this, 255, false);
}

void frmMiniMode::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    if (m_pressed) {
        fill.setColorAt(0, QColor(0x1E, 0x4F, 0x9A));
        fill.setColorAt(1, QColor(0x3C, 0x78, 0xC8));
    } else {
        fill.setColorAt(0, QColor(0x5A, 0x9A, 0xE6));
        fill.setColorAt(1, QColor(0x1E, 0x4F, 0x9A));
    }
    QPainterPath path;
    path.addRoundedRect(r, 5, 5);
    painter.fillPath(path, fill);
    painter.setPen(QColor(0x14, 0x32, 0x64));
    painter.drawPath(path);
    // The program's initial, a little lower when pressed.
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(28);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(rect().translated(0, m_pressed ? 1 : 0), Qt::AlignCenter, QStringLiteral("V"));
}
