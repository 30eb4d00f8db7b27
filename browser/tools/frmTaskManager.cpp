#include "frmTaskManager.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/LabelControl.h"
#include "browser/frame/modRoundEdge.h"
#include "browser/startup/modBase.h"
#include "platform/Processes.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

namespace taskmanager {

QuitReport forceQuit(platform::Processes &processes, const QStringList &selectedNames)
{
    QuitReport report;
    for (const QString &name : selectedNames) {
        if (name.isEmpty() || report.ended.contains(name) || report.notEnded.contains(name))
            continue;
        if (processes.terminateAll(name) > 0)
            report.ended.append(name);
        else
            report.notEnded.append(name);
    }
    return report;
}

QString reportText(const QuitReport &report)
{
    QStringList sentences;
    if (!report.ended.isEmpty())
        sentences << report.ended.join(QStringLiteral(", ")) + QStringLiteral("가 종료되었습니다.");
    if (!report.notEnded.isEmpty())
        sentences << QStringLiteral("종료하지 못한 프로세스: ") + report.notEnded.join(QStringLiteral(", "))
                + QStringLiteral(" (이미 끝났거나 종료할 권한이 없습니다.)");
    return sentences.join(u'\n');
}

} // namespace taskmanager

namespace {

const QString kTitle = QStringLiteral("작업 관리자");

QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

frmTaskManager::frmTaskManager(VorlenApp &app, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_app(app)
{
    setObjectName(QStringLiteral("frmTaskManager"));
    setWindowTitle(kTitle);
    // 3600 x 4800 twips
    resize(240, 320);
    setStyleSheet(QStringLiteral("frmTaskManager { background: #f4f6f9; border: 1px solid #68707c; }"));
    setAttribute(Qt::WA_StyledBackground, true);

    lblTitle = new LabelControl(QStringLiteral("lblTitle"), this);
    lblTitle->setText(kTitle);
    lblTitle->setStyleSheet(QStringLiteral("font-weight: bold; color: #203040; padding: 2px;"));
    lblTitle->setCursor(Qt::SizeAllCursor);
    ProcesList = new QListWidget(this);
    ProcesList->setObjectName(QStringLiteral("ProcesList"));
    ProcesList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cmdProcesExit = makeButton(QStringLiteral("cmdProcesExit"), QStringLiteral("강제 종료"), this);
    cmdReload = makeButton(QStringLiteral("cmdReload"), QStringLiteral("새로 고침"), this);
    cmdExit = makeButton(QStringLiteral("cmdExit"), QStringLiteral("X"), this);
    cmdExit->setFixedWidth(28);

    auto *top = new QHBoxLayout;
    top->addWidget(lblTitle, 1);
    top->addWidget(cmdExit);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdProcesExit);
    buttons->addWidget(cmdReload);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(top);
    layout->addWidget(ProcesList, 1);
    layout->addLayout(buttons);

    connect(cmdProcesExit, &QPushButton::clicked, this, &frmTaskManager::cmdProcesExit_Click);
    connect(cmdReload, &QPushButton::clicked, this, &frmTaskManager::cmdReload_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmTaskManager::cmdExit_Click);
    // The borderless window moves by its title.
    connect(lblTitle, &LabelControl::MouseDown, this, [this](Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
        if (button == Qt::LeftButton && windowHandle())
            windowHandle()->startSystemMove();
    });

    // The main window stays disabled for exactly as long as this window exists.
    m_lock = m_app.locks().acquire();
    // Form_Load
    loadlist();
}

frmTaskManager::~frmTaskManager() = default;

void frmTaskManager::loadlist()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    ProcesList->clear();
    ProcesList->addItems(m_app.platform().processes.names());
}

void frmTaskManager::cmdProcesExit_Click()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    // The message boxes must come up above this window.
    modBase::SetAlwaysOnTop(this, false);

    QStringList selected;
    for (int row = 0; row < ProcesList->count(); ++row) {
        if (ProcesList->item(row)->isSelected())
            selected << ProcesList->item(row)->text();
    }
    platform::Dialogs &dialogs = m_app.platform().dialogs;
    if (selected.isEmpty()) {
        dialogs.messageBox(this, QStringLiteral("종료할 프로세스를 선택하십시오."), kTitle, platform::MsgButtons::OK,
                           platform::MsgIcon::Critical);
    } else {
        const taskmanager::QuitReport report = taskmanager::forceQuit(m_app.platform().processes, selected);
        dialogs.messageBox(this, taskmanager::reportText(report), kTitle, platform::MsgButtons::OK,
                           report.notEnded.isEmpty() ? platform::MsgIcon::Information
                                                     : platform::MsgIcon::Exclamation);
        loadlist();
    }
    modBase::SetAlwaysOnTop(this, true);
}

void frmTaskManager::cmdReload_Click()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    loadlist();
}

void frmTaskManager::cmdExit_Click()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    close();
}

void frmTaskManager::Form_Activate()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    modRoundEdge::ApplyRoundEdge(this, true, 3, 3);
}

void frmTaskManager::Form_Unload()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    m_lock.reset();
}

void frmTaskManager::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void frmTaskManager::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}
