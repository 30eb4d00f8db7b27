#include "frmAmbrel.h"

#include "browser/core/VorlenApp.h"
#include "browser/frame/modRoundEdge.h"
#include "browser/themes/modAmbrel.h"
#include "platform/Settings.h"
#include "themepack/ThemePack.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

using settings::Key;

QLabel *label(const char *name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

QPushButton *button(const char *name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// Only a web address may leave the program from a pack's information file.
bool isWebAddress(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        && !url.host().isEmpty();
}

} // namespace

frmAmbrel::frmAmbrel(VorlenApp &app, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_app(app)
{
    setObjectName(QStringLiteral("frmAmbrel"));
    setWindowTitle(QStringLiteral("Ambrel™ 테마 관리자"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral(
        "#frmAmbrel { background: #f3f5f9; border: 1px solid #6d7a90; }"
        "#ProgramTitleBar { background: #3a4a63; color: white; font-weight: bold; padding: 4px; }"
        "#cmdExit { background: #3a4a63; color: white; border: none; min-width: 24px; }"
        "#ThemePackInfoBox { background: white; border: 1px solid #c4ccd8; }"
        "#lblBottomTitle { font-weight: bold; }"
        "#lblThemePackMakerURL { color: #1d5fbf; text-decoration: underline; }"));
    resize(380, 320);

    ProgramTitleBar = label("ProgramTitleBar", QStringLiteral(" Ambrel™ Technology"), this);
    cmdExit = button("cmdExit", QStringLiteral("X"), this);
    cmdExit->setToolTip(QStringLiteral("닫기"));
    lblThemePackNameHelp = label("lblThemePackNameHelp", QStringLiteral("테마팩 이름 :"), this);
    ThemeNameTextBox = new QComboBox(this);
    ThemeNameTextBox->setObjectName(QStringLiteral("ThemeNameTextBox"));
    ThemeNameTextBox->setEditable(true);
    ThemeNameTextBox->setInsertPolicy(QComboBox::NoInsert);

    ThemePackInfoBox = new QFrame(this);
    ThemePackInfoBox->setObjectName(QStringLiteral("ThemePackInfoBox"));
    ThemePackNameHelp = label("ThemePackNameHelp", QStringLiteral("테마팩 이름 :"), ThemePackInfoBox);
    lblThemePackName = label("lblThemePackName", QStringLiteral("{ThemeName}"), ThemePackInfoBox);
    ThemePackMakerNameHelp = label("ThemePackMakerNameHelp", QStringLiteral("제작자 이름 :"), ThemePackInfoBox);
    lblThemePackMakerName = label("lblThemePackMakerName", QStringLiteral("{ThemePackMakerName}"), ThemePackInfoBox);
    ThemePackMakerURLHelp = label("ThemePackMakerURLHelp", QStringLiteral("제작자 URL :"), ThemePackInfoBox);
    lblThemePackMakerURL = label("lblThemePackMakerURL", QStringLiteral("{ThemePackMakerURL}"), ThemePackInfoBox);
    lblThemePackMakerURL->setCursor(Qt::PointingHandCursor);
    lblThemePackMakerURL->setToolTip(QStringLiteral("더블클릭 하시면 Vorlen 새 탭으로 이 주소를 엽니다."));
    lblThemePackMakerURL->installEventFilter(this);
    auto *info = new QGridLayout(ThemePackInfoBox);
    info->addWidget(ThemePackNameHelp, 0, 0);
    info->addWidget(lblThemePackName, 0, 1);
    info->addWidget(ThemePackMakerNameHelp, 1, 0);
    info->addWidget(lblThemePackMakerName, 1, 1);
    info->addWidget(ThemePackMakerURLHelp, 2, 0);
    info->addWidget(lblThemePackMakerURL, 2, 1);
    info->setColumnStretch(1, 1);

    lblBottomTitle = label("lblBottomTitle", QStringLiteral("세부적인 설정"), this);
    chkStartVorlenThemePackUse = new QCheckBox(QStringLiteral("Vorlen 시작시 테마팩 사용여부 묻기"), this);
    chkStartVorlenThemePackUse->setObjectName(QStringLiteral("chkStartVorlenThemePackUse"));
    cmdGoToVorlen = button("cmdGoToVorlen", QStringLiteral("더 많은 테마팩 다운로드..."), this);
    cmdGoToVorlen->setToolTip(QStringLiteral("더 많은 테마팩 다운로드를 위해 Vorlen 사이트로 이동 합니다."));
    ApplyButton = button("ApplyButton", QStringLiteral("확인"), this);
    CancelButton = button("CancelButton", QStringLiteral("취소"), this);
    ApplyButton->setDefault(true);

    auto *title = new QHBoxLayout;
    title->setSpacing(0);
    title->addWidget(ProgramTitleBar, 1);
    title->addWidget(cmdExit);
    auto *name = new QHBoxLayout;
    name->addWidget(lblThemePackNameHelp);
    name->addWidget(ThemeNameTextBox, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdGoToVorlen);
    buttons->addStretch(1);
    buttons->addWidget(ApplyButton);
    buttons->addWidget(CancelButton);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(12, 10, 12, 12);
    body->addLayout(name);
    body->addWidget(ThemePackInfoBox);
    body->addSpacing(6);
    body->addWidget(lblBottomTitle);
    body->addWidget(chkStartVorlenThemePackUse);
    body->addStretch(1);
    body->addLayout(buttons);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(1, 1, 1, 1);
    outer->setSpacing(0);
    outer->addLayout(title);
    outer->addLayout(body, 1);

    // A choice from the list, typing and scrolling through the list all change
    // the text; the labels follow it.
    connect(ThemeNameTextBox, &QComboBox::currentTextChanged, this, [this] { refreshInfo(); });
    connect(ApplyButton, &QPushButton::clicked, this, &frmAmbrel::ApplyButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmAmbrel::CancelButton_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmAmbrel::CancelButton_Click);
    connect(cmdGoToVorlen, &QPushButton::clicked, this, &frmAmbrel::cmdGoToVorlen_Click);
}

QString frmAmbrel::productSite()
{
    return QStringLiteral("https://vorlen.example.org/");
}

QString frmAmbrel::infoFileOf(const QString &packName) const
{
    return themepack::infoFile(m_app.environment().applicationFolder(), packName);
}

void frmAmbrel::Form_Load()
{
    AfterStep step(m_app.afterStep());
    const platform::Environment &env = m_app.environment();
    const QString themeName = platform::setting::text(env, Key::ThemeName);
    const qint16 ask = platform::setting::int16(env, Key::AskUseBooleanValue);
    const QSignalBlocker block(ThemeNameTextBox);
    ThemeNameTextBox->clear();
    ThemeNameTextBox->addItems(themepack::listPacks(env.applicationFolder()));
    chkStartVorlenThemePackUse->setChecked(ask == 1);
    ThemeNameTextBox->setEditText(themeName);
    refreshInfo();
}

void frmAmbrel::refreshInfo()
{
    const QString name = ThemeNameTextBox->currentText();
    // A name that is no pack's folder name has no information file to read.
    const themepack::PackInfo info = themepack::readInfo(themepack::isUsablePackName(name) ? infoFileOf(name) : QString());
    lblThemePackName->setText(info.name);
    lblThemePackMakerName->setText(info.makerName);
    lblThemePackMakerURL->setText(info.makerUrl);
}

void frmAmbrel::ApplyButton_Click()
{
    AfterStep step(m_app.afterStep());
    const platform::Environment &env = m_app.environment();
    const bool written = platform::setting::write(env, Key::ThemeName, ThemeNameTextBox->currentText())
        && platform::setting::write(env, Key::AskUseBooleanValue,
                                    chkStartVorlenThemePackUse->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    if (!written) {
        m_app.platform().dialogs.messageBox(this, QStringLiteral("설정 파일에 기록할 수 없습니다."), modAmbrel::managerTitle(),
                                            platform::MsgButtons::OK, platform::MsgIcon::Critical);
        return;
    }
    // Out of the way before applying: the pack's messages stand over the main window.
    hide();
    emit applyRequested();
    close();
}

void frmAmbrel::CancelButton_Click()
{
    close();
}

void frmAmbrel::lblThemePackMakerURL_DblClick()
{
    AfterStep step(m_app.afterStep());
    const QString name = ThemeNameTextBox->currentText();
    const QString file = themepack::isUsablePackName(name) ? infoFileOf(name) : QString();
    if (file.isEmpty() || !themepack::fileExists(file)) {
        m_app.platform().dialogs.messageBox(this, QStringLiteral("Ambrel™ 테마팩 정보가 담긴 파일이 손상되거나 누락 되었습니다."),
                                            modAmbrel::managerTitle(), platform::MsgButtons::OK,
                                            platform::MsgIcon::Exclamation);
        return;
    }
    const QString address = themepack::readInfoValues(file).makerUrl;
    // Anyone may share a pack; its address opens only when it is a web address.
    if (!address.isEmpty() && !isWebAddress(address)) {
        m_app.shell().notice(modAmbrel::managerTitle(),
                                     QStringLiteral("웹 주소(http, https)가 아니어서 열지 않았습니다."), true, 5000);
        return;
    }
    m_app.shell().openInNewTab(address);
    close();
}

void frmAmbrel::cmdGoToVorlen_Click()
{
    AfterStep step(m_app.afterStep());
    m_app.shell().openInNewTab(productSite());
    close();
}

bool frmAmbrel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblThemePackMakerURL && event->type() == QEvent::MouseButtonDblClick) {
        lblThemePackMakerURL_DblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmAmbrel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    modRoundEdge::ApplyRoundEdge(this, true, 5, 5);
}

void frmAmbrel::mousePressEvent(QMouseEvent *event)
{
    // The title strip moves the borderless window.
    if (event->button() == Qt::LeftButton && ProgramTitleBar->geometry().contains(event->position().toPoint()))
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    else
        m_dragOffset = QPoint();
    QWidget::mousePressEvent(event);
}

void frmAmbrel::mouseMoveEvent(QMouseEvent *event)
{
    if ((event->buttons() & Qt::LeftButton) && !m_dragOffset.isNull())
        move(event->globalPosition().toPoint() - m_dragOffset);
    QWidget::mouseMoveEvent(event);
}
