#include "NotepadPanel.h"

#include "NoteStore.h"
#include "browser/core/AfterStep.h"
#include "browser/frame/KeyCodes.h"
#include "platform/Platform.h"
#include "platform/Folders.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const char *const kMenuTexts[] = {"열기...", "저장...", "글꼴 지정..."};
const QString kNameTitle = QStringLiteral("문서 이름 입력");
const QString kMissingTitle = QStringLiteral("존재하지 않는 문서");
const QString kMissingText = QStringLiteral("Vorlen 메모장 폴더에 해당 문서가 존재하지 않습니다.");

void paintMenuLabel(QLabel *label, bool pressed)
{
    label->setStyleSheet(pressed ? QStringLiteral("color: #ff0000;") : QStringLiteral("color: #000000;"));
}

} // namespace

NotepadPanel::NotepadPanel(const PanelContext &context, QWidget *parent)
    : SidePanel(QStringLiteral("ntpdNotepadBox"), parent)
    , m_context(context)
{
    setEnabled(false);
    setAutoFillBackground(true);
    auto named = [](QWidget *w, const QString &name) {
        w->setObjectName(name);
        return w;
    };

    ntpdTitleBar = new QLabel(QStringLiteral("메모장"), this);
    named(ntpdTitleBar, QStringLiteral("ntpdTitleBar"));
    ntpdTitleBar->setToolTip(QStringLiteral("여기를 누르시면 메뉴를 열거나 닫을 수 있습니다."));
    ntpdTitleBar->setCursor(Qt::PointingHandCursor);
    ntpdTitleBar->setStyleSheet(QStringLiteral("QLabel { background: #3a4658; color: white; padding-left: 6px; }"));
    ntpdTitleBar->installEventFilter(this);
    ntpdCmdExit = new QPushButton(QStringLiteral("X"), this);
    named(ntpdCmdExit, QStringLiteral("ntpdCmdExit"));
    ntpdCmdExit->setToolTip(QStringLiteral("닫기"));
    ntpdTextBox = new QPlainTextEdit(this);
    named(ntpdTextBox, QStringLiteral("ntpdTextBox"));
    ntpdTextBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ntpdTextBox->installEventFilter(this);

    ntpdMenuBox = new QWidget(this);
    named(ntpdMenuBox, QStringLiteral("ntpdMenuBox"));
    ntpdMenuBox->setAutoFillBackground(true);
    ntpdMenuBox->hide();
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(QString::fromUtf8(kMenuTexts[i]), ntpdMenuBox);
        label->setObjectName(QStringLiteral("ntpdMenuButton%1").arg(i));
        label->setCursor(Qt::PointingHandCursor);
        paintMenuLabel(label, false);
        label->installEventFilter(this);
        ntpdMenuButton[size_t(i)] = label;
    }

    ntpdOpenSaveBox = new QWidget(this);
    named(ntpdOpenSaveBox, QStringLiteral("ntpdOpenSaveBox"));
    ntpdOpenSaveBox->setAutoFillBackground(true);
    ntpdOpenSaveBox->hide();
    ntpdOpenSaveTitleBar = new QLabel(QStringLiteral("파일 열기 및 저장"), ntpdOpenSaveBox);
    named(ntpdOpenSaveTitleBar, QStringLiteral("ntpdOpenSaveTitleBar"));
    ntpdOpenSaveTextBox = new QComboBox(ntpdOpenSaveBox);
    named(ntpdOpenSaveTextBox, QStringLiteral("ntpdOpenSaveTextBox"));
    ntpdOpenSaveTextBox->setEditable(true);
    ntpdOpenSaveTextBox->setInsertPolicy(QComboBox::NoInsert);
    ntpdCmdOpenSave = new QPushButton(QStringLiteral("열기"), ntpdOpenSaveBox);
    named(ntpdCmdOpenSave, QStringLiteral("ntpdCmdOpenSave"));
    ntpdCmdRemoveFile = new QPushButton(QStringLiteral("삭제"), ntpdOpenSaveBox);
    named(ntpdCmdRemoveFile, QStringLiteral("ntpdCmdRemoveFile"));
    ntpdCmdOpenSaveCancel = new QPushButton(QStringLiteral("취소"), ntpdOpenSaveBox);
    named(ntpdCmdOpenSaveCancel, QStringLiteral("ntpdCmdOpenSaveCancel"));
    ntpdCmdOpenSaveExit = new QPushButton(QStringLiteral("X"), ntpdOpenSaveBox);
    named(ntpdCmdOpenSaveExit, QStringLiteral("ntpdCmdOpenSaveExit"));
    ntpdCmdOpenSaveExit->setToolTip(QStringLiteral("닫기"));

    connect(ntpdCmdExit, &QPushButton::clicked, this, &NotepadPanel::ntpdCmdExit_Click);
    connect(ntpdCmdOpenSave, &QPushButton::clicked, this, &NotepadPanel::ntpdCmdOpenSave_Click);
    connect(ntpdCmdRemoveFile, &QPushButton::clicked, this, &NotepadPanel::ntpdCmdRemoveFile_Click);
    connect(ntpdCmdOpenSaveCancel, &QPushButton::clicked, this, &NotepadPanel::ntpdCmdOpenSaveCancel_Click);
    connect(ntpdCmdOpenSaveExit, &QPushButton::clicked, this, &NotepadPanel::ntpdCmdOpenSaveExit_Click);
    placeControls();
}

NotepadPanel::~NotepadPanel() = default;

NoteStore NotepadPanel::store() const
{
    return NoteStore(platform::folders::notepadFolder(m_context.platform.environment));
}

void NotepadPanel::modLoadTxtFileList()
{
    AfterStep step(m_context.afterStep);
    const NoteStore notes = store();
    notes.ensureFolder();
    // Clearing an editable box clears its text too; the typed name stays.
    const QString typed = ntpdOpenSaveTextBox->currentText();
    ntpdOpenSaveTextBox->clear();
    ntpdOpenSaveTextBox->addItems(notes.names());
    ntpdOpenSaveTextBox->setEditText(typed);
}

void NotepadPanel::NotepadButton_Click()
{
    AfterStep step(m_context.afterStep);
    if (m_enabled && m_open) {
        closeBox();
        return;
    }
    m_enabled = true;
    m_open = true;
    m_context.afterStep.flushLayout();
    if (m_open && ntpdTextBox->isEnabled()) {
        ntpdTextBox->setFocus(Qt::OtherFocusReason);
        ntpdTextBox->moveCursor(QTextCursor::End);
    }
}

void NotepadPanel::ntpdCmdExit_Click()
{
    AfterStep step(m_context.afterStep);
    closeBox();
}

void NotepadPanel::closeBox()
{
    m_enabled = false;
    m_open = false;
}

void NotepadPanel::backToText()
{
    ntpdMenuBox->setEnabled(false);
    ntpdMenuBox->hide();
    ntpdOpenSaveBox->setEnabled(false);
    ntpdOpenSaveBox->hide();
    ntpdTextBox->setEnabled(true);
}

void NotepadPanel::ntpdTitleBar_Click()
{
    AfterStep step(m_context.afterStep);
    modLoadTxtFileList();
    if (ntpdMenuBox->isEnabled() && !ntpdMenuBox->isHidden()) {
        backToText();
    } else {
        ntpdMenuBox->setEnabled(true);
        ntpdMenuBox->show();
        ntpdMenuBox->raise();
        ntpdTextBox->setEnabled(false);
    }
}

void NotepadPanel::ntpdMenuButton_Click(int Index)
{
    AfterStep step(m_context.afterStep);
    modLoadTxtFileList();
    if (Index == 0 || Index == 1) {
        ntpdMenuBox->setEnabled(false);
        ntpdOpenSaveBox->setEnabled(true);
        ntpdOpenSaveBox->show();
        ntpdOpenSaveBox->raise();
        m_mode = Index == 0 ? Mode::Open : Mode::Save;
        ntpdCmdOpenSave->setText(Index == 0 ? QStringLiteral("열기") : QStringLiteral("저장"));
        ntpdOpenSaveTextBox->setFocus(Qt::OtherFocusReason);
    } else if (Index == 2) {
        // The system's font chooser knows no colour: the colour is asked
        // right after it, and only when a font was chosen.
        if (const auto font = m_context.platform.dialogs.chooseFont(this, ntpdTextBox->font())) {
            ntpdTextBox->setFont(*font);
            if (const auto colour = m_context.platform.dialogs.chooseColor(this, textColour())) {
                QPalette colours = ntpdTextBox->palette();
                colours.setColor(QPalette::Text, *colour);
                ntpdTextBox->setPalette(colours);
            }
        }
        backToText();
    }
}

std::optional<QString> NotepadPanel::typedName(const char *emptyNotice)
{
    const QString name = ntpdOpenSaveTextBox->currentText();
    // A name that would leave the notepad folder counts as no name.
    if (!NoteStore::isValidName(name)) {
        Q_EMIT notice(kNameTitle, QString::fromUtf8(emptyNotice));
        return std::nullopt;
    }
    return name;
}

void NotepadPanel::reportFailure(const QString &what, const QString &name)
{
    const auto path = store().pathOf(name);
    m_context.platform.dialogs.messageBox(this, what + u'\n' + path.value_or(name), QString::fromUtf8(kFileTitle),
                                        platform::MsgButtons::OK, platform::MsgIcon::Critical);
}

void NotepadPanel::ntpdCmdOpenSave_Click()
{
    AfterStep step(m_context.afterStep);
    const NoteStore notes = store();
    if (m_mode == Mode::Open) {
        if (const auto name = typedName("불러올 문서 이름을 입력 하십시오.")) {
            if (!notes.exists(*name)) {
                Q_EMIT notice(kMissingTitle, kMissingText);
            } else if (const auto text = notes.load(*name)) {
                ntpdTextBox->setPlainText(*text);
                Q_EMIT notice(QStringLiteral("문서 열기"), QStringLiteral("Vorlen™ 메모장에서 문서를 열었습니다."));
                m_mode = Mode::Idle;
                backToText();
            } else {
                reportFailure(QStringLiteral("문서를 읽지 못했습니다."), *name);
            }
        }
    } else if (m_mode == Mode::Save) {
        if (const auto name = typedName("저장할 문서 이름을 입력 하십시오.")) {
            if (notes.save(*name, ntpdTextBox->toPlainText())) {
                Q_EMIT notice(QStringLiteral("문서 저장"), QStringLiteral("Vorlen™ 메모장에서 문서를 저장했습니다."));
                m_mode = Mode::Idle;
                backToText();
            } else {
                reportFailure(QStringLiteral("문서를 저장하지 못했습니다."), *name);
            }
        }
    }
    modLoadTxtFileList();
}

void NotepadPanel::ntpdCmdRemoveFile_Click()
{
    AfterStep step(m_context.afterStep);
    const NoteStore notes = store();
    if (const auto name = typedName("삭제할 문서 이름을 입력 하십시오.")) {
        if (!notes.exists(*name))
            Q_EMIT notice(kMissingTitle, kMissingText);
        else if (notes.remove(*name))
            Q_EMIT notice(QStringLiteral("문서 삭제"), QStringLiteral("Vorlen™ 메모장에서 문서를 삭제 했습니다."));
        else
            reportFailure(QStringLiteral("문서를 삭제하지 못했습니다."), *name);
    }
    modLoadTxtFileList();
}

void NotepadPanel::ntpdCmdOpenSaveCancel_Click()
{
    AfterStep step(m_context.afterStep);
    modLoadTxtFileList();
    backToText();
}

void NotepadPanel::ntpdCmdOpenSaveExit_Click()
{
    ntpdCmdOpenSaveCancel_Click();
}

bool NotepadPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ntpdTextBox)
        return textBoxKey(event);
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    if (watched == ntpdTitleBar) {
        if (type == QEvent::MouseButtonRelease && ntpdTitleBar->rect().contains(mouse->position().toPoint()))
            ntpdTitleBar_Click();
        return true;
    }
    for (int i = 0; i < 3; ++i) {
        QLabel *label = ntpdMenuButton[size_t(i)];
        if (watched != label)
            continue;
        if (type == QEvent::MouseButtonPress) {
            ntpdMenuButton_MouseDown(i);
        } else {
            ntpdMenuButton_MouseUp(i);
            if (label->rect().contains(mouse->position().toPoint()))
                ntpdMenuButton_Click(i);
        }
        return true;
    }
    return false;
}

bool NotepadPanel::textBoxKey(QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto &key = *static_cast<QKeyEvent *>(event);
    bool handled = false;
    ntpdTextBox_KeyDown(keycodes::keyCode(key), key.modifiers(), handled);
    return handled;
}

void NotepadPanel::ntpdTextBox_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled)
{
    if (!keycodes::isSelectAll(KeyCode, Shift))
        return;
    ntpdTextBox->selectAll();
    handled = true;
}

void NotepadPanel::ntpdMenuButton_MouseDown(int Index)
{
    if (Index >= 0 && Index < int(ntpdMenuButton.size()))
        paintMenuLabel(ntpdMenuButton[size_t(Index)], true);
}

void NotepadPanel::ntpdMenuButton_MouseUp(int Index)
{
    if (Index >= 0 && Index < int(ntpdMenuButton.size()))
        paintMenuLabel(ntpdMenuButton[size_t(Index)], false);
}

QColor NotepadPanel::textColour() const
{
    return ntpdTextBox->palette().color(QPalette::Text);
}

void NotepadPanel::resizeEvent(QResizeEvent *event)
{
    SidePanel::resizeEvent(event);
    placeControls();
}

void NotepadPanel::placeControls()
{
    const int w = width();
    const int h = height();
    const int titleHeight = 18;
    ntpdTitleBar->setGeometry(0, 0, std::max(0, w - 24), titleHeight);
    ntpdCmdExit->setGeometry(std::max(0, w - 22), 0, 22, titleHeight);
    ntpdTextBox->setGeometry(0, titleHeight, w, std::max(0, h - titleHeight));

    const int itemHeight = 20;
    ntpdMenuBox->setGeometry(0, titleHeight, 110, itemHeight * 3 + 4);
    for (int i = 0; i < 3; ++i)
        ntpdMenuButton[size_t(i)]->setGeometry(8, 2 + i * itemHeight, 100, itemHeight);

    const int boxWidth = 380;
    ntpdOpenSaveBox->setGeometry(112, titleHeight, boxWidth, 58);
    ntpdOpenSaveTitleBar->setGeometry(6, 2, boxWidth - 40, 22);
    ntpdCmdOpenSaveExit->setGeometry(boxWidth - 28, 2, 24, 22);
    ntpdOpenSaveTextBox->setGeometry(6, 28, 170, 26);
    ntpdCmdOpenSave->setGeometry(180, 28, 62, 26);
    ntpdCmdRemoveFile->setGeometry(246, 28, 62, 26);
    ntpdCmdOpenSaveCancel->setGeometry(312, 28, 62, 26);
}
