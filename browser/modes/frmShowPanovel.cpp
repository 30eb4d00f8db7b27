#include "frmShowPanovel.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/KeyCodes.h"
#include "browser/startup/modBase.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int kTitleHeight = 20; // px
constexpr int kTwips = 15;

} // namespace

frmShowPanovel::frmShowPanovel(VorlenApp &app)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_app(app)
{
    setObjectName(QStringLiteral("frmShowPanovel"));
    setWindowTitle(QStringLiteral("Vorlen™ Panovel™"));
    resize(800, 600);

    auto strip = [this](const char *name, const QColor &colour) {
        auto *w = new QWidget(this);
        w->setObjectName(QString::fromLatin1(name));
        w->setAutoFillBackground(true);
        QPalette colours = w->palette();
        colours.setColor(QPalette::Window, colour);
        w->setPalette(colours);
        return w;
    };
    ProgramShape = strip("ProgramShape", QColor(0xE4, 0xEA, 0xF4));
    ProgramLine = strip("ProgramLine", QColor(0x80, 0x90, 0xB0));
    ProgramTitle = new QLabel(this);
    ProgramTitle->setObjectName(QStringLiteral("ProgramTitle"));
    ProgramTitleBar = new QLabel(QStringLiteral(" Vorlen™ Panovel™"), this);
    ProgramTitleBar->setObjectName(QStringLiteral("ProgramTitleBar"));
    ProgramTitleBar->setToolTip(QStringLiteral("도구 모음"));
    ProgramTitleBar->installEventFilter(this);
    QFont bold = ProgramTitleBar->font();
    bold.setBold(true);
    ProgramTitleBar->setFont(bold);

    cmdExit = new QPushButton(QStringLiteral("X"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setFlat(true);

    WebBrowser = m_app.platform().browsers.create(this);
    if (WebBrowser) {
        WebBrowser->widget()->setObjectName(QStringLiteral("WebBrowser"));
        connect(WebBrowser, &platform::WebBrowser::NavigateComplete2, this, [this](const QString &) {
            AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
            const QSignalBlocker quiet(AdressTextBox);
            AdressTextBox->setText(WebBrowser->LocationURL());
        });
        connect(WebBrowser, &platform::WebBrowser::TitleChange, this, [this](const QString &title) {
            ProgramTitleBar->setText(QStringLiteral(" Vorlen™ Panovel™ [") + title + QStringLiteral("]"));
        });
        connect(WebBrowser, &platform::WebBrowser::NewWindow2, this, &frmShowPanovel::WebBrowser_NewWindow2);
        connect(WebBrowser, &platform::WebBrowser::BeforeNavigate2, this,
                [this](const QString &) { AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly); });
    }

    ToolbarBox = new QGroupBox(QStringLiteral("도구 모음"), this);
    ToolbarBox->setObjectName(QStringLiteral("ToolbarBox"));
    ToolbarBox->setAutoFillBackground(true);
    AdressTextBox = new QLineEdit(QStringLiteral("Dashmere™ with MiNi"), ToolbarBox);
    AdressTextBox->setObjectName(QStringLiteral("AdressTextBox"));
    AdressTextBox->installEventFilter(this);
    auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, ToolbarBox);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    BackButton = button("BackButton", QStringLiteral("◀"));
    ForwardButton = button("ForwardButton", QStringLiteral("▶"));
    RefreshButton = button("RefreshButton", QStringLiteral("새로 고침"));
    StopButton = button("StopButton", QStringLiteral("중지"));
    GoHomeButton = button("GoHomeButton", QStringLiteral("시작 문서"));
    ToolbarBox->hide();

    connect(BackButton, &QPushButton::clicked, this, &frmShowPanovel::BackButton_Click);
    connect(ForwardButton, &QPushButton::clicked, this, &frmShowPanovel::ForwardButton_Click);
    connect(RefreshButton, &QPushButton::clicked, this, &frmShowPanovel::RefreshButton_Click);
    connect(StopButton, &QPushButton::clicked, this, &frmShowPanovel::StopButton_Click);
    connect(GoHomeButton, &QPushButton::clicked, this, &frmShowPanovel::GoHomeButton_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmShowPanovel::cmdExit_Click);
    connect(AdressTextBox, &QLineEdit::textChanged, this, &frmShowPanovel::AdressTextBox_Change);
    Form_Resize();
}

void frmShowPanovel::Form_Load(const QString &url)
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    if (WebBrowser && !url.isEmpty())
        WebBrowser->Navigate(url);
}

void frmShowPanovel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void frmShowPanovel::Form_Activate()
{
    if (QWidget *main = m_app.shell().mainWidget()) {
        main->setEnabled(false);
        main->hide();
    }
    raise();
    activateWindow();
    if (!isMaximized())
        showMaximized();
}

void frmShowPanovel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmShowPanovel::Form_Resize()
{
    const int w = width();
    ProgramShape->setGeometry(0, 0, w, kTitleHeight);
    ProgramLine->setGeometry(0, kTitleHeight, w, 1);
    ProgramTitle->setGeometry(0, 0, w, kTitleHeight);
    ProgramTitleBar->setGeometry(0, 0, w, kTitleHeight);
    cmdExit->setGeometry(w - 250 / kTwips, 1, 18, kTitleHeight - 2);
    cmdExit->raise();
    const int boxWidth = std::max(200, w - 500 / kTwips);
    ToolbarBox->setGeometry(250 / kTwips, kTitleHeight + 2, boxWidth, 58);
    const int textWidth = std::max(80, boxWidth - 1800 / kTwips - 330);
    AdressTextBox->setGeometry(8, 24, textWidth, 24);
    int x = 8 + textWidth + 6;
    for (QPushButton *b : {BackButton, ForwardButton, RefreshButton, StopButton, GoHomeButton}) {
        const int bw = b == BackButton || b == ForwardButton ? 28 : 70;
        b->setGeometry(x, 23, bw, 26);
        x += bw + 4;
    }
    if (WebBrowser)
        WebBrowser->widget()->setGeometry(25 / kTwips, kTitleHeight + 3, std::max(0, w - 50 / kTwips),
                                          std::max(0, height() - 400 / kTwips));
    ToolbarBox->raise();
}

void frmShowPanovel::ProgramTitleBar_Click()
{
    ToolbarBox->setVisible(!ToolbarBox->isVisible());
    if (ToolbarBox->isVisible())
        ToolbarBox->raise();
}

void frmShowPanovel::navigateFromBox(const QString &address)
{
    if (WebBrowser)
        WebBrowser->Navigate(address);
    ToolbarBox->hide();
}

void frmShowPanovel::AdressTextBox_Change()
{
    const QString text = AdressTextBox->text();
    if (text == QLatin1String("s:daum"))
        navigateFromBox(QString::fromLatin1(kDaumAddress));
    else if (text == QLatin1String("s:update"))
        navigateFromBox(QString::fromLatin1(kUpdateAddress));
}

void frmShowPanovel::GoHomeButton_Click()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    if (WebBrowser)
        modBase::OpenStartPage(m_app.platform(), WebBrowser);
    ToolbarBox->hide();
}

void frmShowPanovel::WebBrowser_NewWindow2(platform::NewWindowRequest &request)
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    request.Cancel = true;
    m_app.shell().notice(QStringLiteral("제한된 기능"), QStringLiteral("현재 브라우징 모드에서는 제한된 기능입니다."),
                                 true, 3000);
}

bool frmShowPanovel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ProgramTitleBar && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        ProgramTitleBar_Click();
        return true;
    }
    if (watched == AdressTextBox && event->type() == QEvent::KeyPress) {
        const auto &key = *static_cast<QKeyEvent *>(event);
        bool handled = false;
        AdressTextBox_KeyDown(keycodes::keyCode(key), key.modifiers(), handled);
        if (!handled && keycodes::keyAscii(key) != 0)
            AdressTextBox_KeyPress(keycodes::keyAscii(key), handled);
        if (handled)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmShowPanovel::AdressTextBox_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled)
{
    Q_UNUSED(Shift);
    if (KeyCode != keycodes::kEscape)
        return;
    const QSignalBlocker quiet(AdressTextBox);
    AdressTextBox->setText(WebBrowser ? WebBrowser->LocationURL() : QString());
    ToolbarBox->hide();
    handled = true;
}

void frmShowPanovel::AdressTextBox_KeyPress(int KeyAscii, bool &handled)
{
    if (KeyAscii != keycodes::kEnter)
        return;
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    // The text goes to the page as typed.
    navigateFromBox(AdressTextBox->text());
    handled = true;
}

void frmShowPanovel::BackButton_Click()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    if (WebBrowser)
        WebBrowser->GoBack();
}

void frmShowPanovel::ForwardButton_Click()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    if (WebBrowser)
        WebBrowser->GoForward();
}

void frmShowPanovel::RefreshButton_Click()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    if (WebBrowser)
        WebBrowser->Refresh();
}

void frmShowPanovel::StopButton_Click()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    if (WebBrowser)
        WebBrowser->Stop();
}

void frmShowPanovel::cmdExit_Click()
{
    // The wide view goes without a trim of its own: its unload ends with one.
    close();
}

void frmShowPanovel::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmShowPanovel::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    const QString reached = WebBrowser ? WebBrowser->LocationURL() : QString();
    m_app.shell().revealMainWindow();
    if (!reached.isEmpty())
        m_app.shell().navigateCurrent(reached);
}

void frmShowPanovel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xF4, 0xF6, 0xFA));
}
