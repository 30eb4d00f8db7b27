#include "FavoritePanel.h"

#include "FavoriteStore.h"
#include "browser/core/AfterStep.h"
#include "browser/frame/KeyCodes.h"
#include "platform/Platform.h"
#include "platform/Folders.h"

#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace {

const QString kDefaultTitle = QStringLiteral("제목");
const QString kDefaultAddress = QStringLiteral("http://");
constexpr int kTwips = 15;

} // namespace

FavoritePanel::FavoritePanel(const PanelContext &context, QWidget *parent)
    : SidePanel(QStringLiteral("FavoriteBox"), parent)
    , m_context(context)
{
    auto named = [](QWidget *w, const char *name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    FavoriteShowAddBoxButton = new QPushButton(QStringLiteral("추가"), this);
    named(FavoriteShowAddBoxButton, "FavoriteShowAddBoxButton");
    FavoriteDeleteButton = new QPushButton(QStringLiteral("삭제"), this);
    named(FavoriteDeleteButton, "FavoriteDeleteButton");

    FavoriteListView = new QTreeWidget(this);
    named(FavoriteListView, "FavoriteListView");
    FavoriteListView->setColumnCount(2);
    FavoriteListView->setHeaderLabels({QStringLiteral("제목"), QStringLiteral("주소")});
    FavoriteListView->setRootIsDecorated(false);
    FavoriteListView->setUniformRowHeights(true);
    FavoriteListView->setSelectionMode(QAbstractItemView::SingleSelection);
    FavoriteListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FavoriteListView->header()->setStretchLastSection(true);
    FavoriteListView->setColumnWidth(0, 90);
    FavoriteListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FavoriteListView->viewport()->installEventFilter(this);

    AddFavoriteBox = new QGroupBox(QStringLiteral("바로가기 추가/수정"), this);
    named(AddFavoriteBox, "AddFavoriteBox");
    AddFavoriteBox->setAutoFillBackground(true);
    AddFavoriteBox->installEventFilter(this);
    AddFavoriteBox->hide();
    lblFavoriteTitle = new QLabel(QStringLiteral("제목 : "), AddFavoriteBox);
    txtFavoriteTitle = new QLineEdit(kDefaultTitle, AddFavoriteBox);
    named(txtFavoriteTitle, "txtFavoriteTitle");
    lblFavoriteNickTip = new QLabel(QStringLiteral("설명 : "), AddFavoriteBox);
    named(lblFavoriteNickTip, "lblFavoriteNickTip");
    txtFavoriteExplain = new QLineEdit(AddFavoriteBox);
    named(txtFavoriteExplain, "txtFavoriteExplain");
    lblFavoriteAdress = new QLabel(QStringLiteral("주소 : "), AddFavoriteBox);
    txtFavoriteAdress = new QLineEdit(kDefaultAddress, AddFavoriteBox);
    named(txtFavoriteAdress, "txtFavoriteAdress");
    cmdFavoriteAdd = new QPushButton(QStringLiteral("추가"), AddFavoriteBox);
    named(cmdFavoriteAdd, "cmdFavoriteAdd");
    cmdFavoriteAddCancel = new QPushButton(QStringLiteral("취소"), AddFavoriteBox);
    named(cmdFavoriteAddCancel, "cmdFavoriteAddCancel");
    for (QLineEdit *field : {txtFavoriteTitle, txtFavoriteExplain, txtFavoriteAdress})
        field->installEventFilter(this);
    for (QPushButton *b : {FavoriteShowAddBoxButton, FavoriteDeleteButton, cmdFavoriteAdd, cmdFavoriteAddCancel})
        b->setFocusPolicy(Qt::TabFocus);

    connect(FavoriteShowAddBoxButton, &QPushButton::clicked, this, &FavoritePanel::FavoriteShowAddBoxButton_Click);
    connect(FavoriteDeleteButton, &QPushButton::clicked, this, &FavoritePanel::FavoriteDeleteButton_Click);
    connect(cmdFavoriteAdd, &QPushButton::clicked, this, &FavoritePanel::cmdFavoriteAdd_Click);
    connect(cmdFavoriteAddCancel, &QPushButton::clicked, this, &FavoritePanel::cmdFavoriteAddCancel_Click);
    connect(txtFavoriteTitle, &QLineEdit::textChanged, this, &FavoritePanel::txtFavoriteTitle_Change);
    connect(FavoriteListView, &QTreeWidget::itemDoubleClicked, this, &FavoritePanel::FavoriteListView_DblClick);
    placeControls();
}

FavoritePanel::~FavoritePanel() = default;

FavoriteStore FavoritePanel::store() const
{
    return FavoriteStore(platform::folders::favoriteFolder(m_context.platform.environment));
}

platform::MsgResult FavoritePanel::message(const QString &text, platform::MsgIcon icon, platform::MsgButtons buttons)
{
    return m_context.platform.dialogs.messageBox(this, text, QString::fromUtf8(kTitle), buttons, icon);
}

void FavoritePanel::reportFileFailure(const QString &what, const QString &fileBase)
{
    const auto path = store().pathOf(fileBase);
    message(what + u'\n' + (path ? *path : fileBase), platform::MsgIcon::Critical);
}

void FavoritePanel::FavoriteActivatee()
{
    AfterStep step(m_context.afterStep);
    const QString selected = selectedBase();
    const std::vector<FavoriteEntry> entries = store().list();
    const QSignalBlocker quiet(FavoriteListView);
    FavoriteListView->setUpdatesEnabled(false);
    FavoriteListView->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(qsizetype(entries.size()));
    QTreeWidgetItem *reselect = nullptr;
    for (const FavoriteEntry &e : entries) {
        auto *item = new QTreeWidgetItem({e.favorite.title, e.favorite.address});
        item->setData(0, Qt::UserRole, e.fileBase);
        item->setToolTip(0, e.favorite.explanation);
        item->setToolTip(1, e.favorite.address);
        if (!selected.isEmpty() && e.fileBase == selected)
            reselect = item;
        items << item;
    }
    FavoriteListView->addTopLevelItems(items);
    if (reselect)
        FavoriteListView->setCurrentItem(reselect);
    FavoriteListView->setUpdatesEnabled(true);
}

QString FavoritePanel::selectedBase() const
{
    const QList<QTreeWidgetItem *> selected = FavoriteListView->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->data(0, Qt::UserRole).toString();
}

void FavoritePanel::FavoriteButton_Click()
{
    AfterStep step(m_context.afterStep);
    if (m_open) {
        m_open = false;
    } else {
        m_open = true;
        Q_EMIT opened();
    }
    FavoriteActivatee();
}

void FavoritePanel::fold()
{
    m_open = false;
}

void FavoritePanel::FavoriteShowAddBoxButton_Click()
{
    AfterStep step(m_context.afterStep);
    if (m_addOpen) {
        m_addOpen = false;
    } else {
        m_addOpen = true;
        m_editingBase.clear();
        txtFavoriteTitle->setEnabled(true);
        if (platform::WebBrowser *page = m_context.currentPage()) {
            const QString documentTitle = page->DocumentTitle();
            txtFavoriteTitle->setText(documentTitle.isEmpty() ? page->LocationName() : documentTitle);
            txtFavoriteExplain->setText(QStringLiteral("(") + documentTitle
                                        + QStringLiteral(") 라는 제목을 가진 문서의 설명 입니다."));
            txtFavoriteAdress->setText(page->LocationURL());
        }
    }
    FavoriteActivatee();
}

void FavoritePanel::resetFields()
{
    m_editingBase.clear();
    txtFavoriteTitle->setEnabled(true);
    txtFavoriteTitle->setText(kDefaultTitle);
    txtFavoriteExplain->clear();
    txtFavoriteAdress->setText(kDefaultAddress);
    txtFavoriteAdress->end(false);
}

void FavoritePanel::closeAddBox()
{
    resetFields();
    m_addOpen = false;
}

void FavoritePanel::cmdFavoriteAdd_Click()
{
    save();
}

void FavoritePanel::save()
{
    AfterStep step(m_context.afterStep);
    const Favorite favorite{txtFavoriteTitle->text(), txtFavoriteExplain->text(), txtFavoriteAdress->text()};
    if (favorite.title.isEmpty() || favorite.explanation.isEmpty() || favorite.address.isEmpty()) {
        message(QStringLiteral("빈칸이 있습니다.\n빠짐없이 모두 입력해 주십시오."), platform::MsgIcon::Exclamation);
        FavoriteActivatee();
        return;
    }
    const QString base = editing() ? m_editingBase : favorite.title;
    if (!store().write(favorite, base)) {
        // The box keeps what was typed, so the user can try again.
        reportFileFailure(QStringLiteral("바로가기 파일을 저장하지 못했습니다."), base);
        FavoriteActivatee();
        return;
    }
    closeAddBox();
    FavoriteActivatee();
}

void FavoritePanel::cmdFavoriteAddCancel_Click()
{
    AfterStep step(m_context.afterStep);
    closeAddBox();
    FavoriteActivatee();
}

void FavoritePanel::txtFavoriteTitle_Change()
{
    const QString text = txtFavoriteTitle->text();
    const QString ruled = favoriteTitleRule(text);
    if (ruled == text)
        return;
    const QSignalBlocker quiet(txtFavoriteTitle);
    txtFavoriteTitle->setText(ruled);
    txtFavoriteTitle->end(false);
}

void FavoritePanel::FavoriteListView_DblClick()
{
    openSelected();
}

void FavoritePanel::openSelected()
{
    AfterStep step(m_context.afterStep);
    const QString base = selectedBase();
    if (base.isEmpty()) {
        message(QStringLiteral("선택된 바로가기가 없습니다.\n바로가기 선택 후 해당 바로가기로 이동이 가능 합니다."),
                platform::MsgIcon::Information);
    } else if (const auto favorite = store().read(base)) {
        if (m_context.platform.system.isInternetConnected())
            Q_EMIT openAddress(favorite->address);
        else
            Q_EMIT offlineRequested();
    } else {
        reportFileFailure(QStringLiteral("바로가기 파일을 읽지 못했습니다."), base);
    }
    FavoriteActivatee();
}

void FavoritePanel::editSelected()
{
    AfterStep step(m_context.afterStep);
    const QString base = selectedBase();
    if (base.isEmpty()) {
        message(QStringLiteral("선택된 바로가기가 없습니다.\n바로가기 선택 후 수정이 가능 합니다."),
                platform::MsgIcon::Information);
        return;
    }
    const auto favorite = store().read(base);
    if (!favorite) {
        reportFileFailure(QStringLiteral("바로가기 파일을 읽지 못했습니다."), base);
        return;
    }
    m_editingBase = base;
    txtFavoriteTitle->setEnabled(false);
    txtFavoriteTitle->setText(favorite->title);
    txtFavoriteExplain->setText(favorite->explanation);
    txtFavoriteAdress->setText(favorite->address);
    m_addOpen = true;
}

void FavoritePanel::FavoriteDeleteButton_Click()
{
    deleteSelected();
}

void FavoritePanel::deleteSelected()
{
    AfterStep step(m_context.afterStep);
    const QString base = selectedBase();
    if (base.isEmpty()) {
        message(QStringLiteral("선택된 바로가기가 없습니다.\n바로가기 선택 후 삭제가 가능 합니다."),
                platform::MsgIcon::Information);
    } else if (message(QStringLiteral("이 바로가기를 삭제 하시겠습니까?"), platform::MsgIcon::Information,
                       platform::MsgButtons::YesNo)
               == platform::MsgResult::Yes) {
        if (!store().remove(base))
            reportFileFailure(QStringLiteral("바로가기 파일을 삭제하지 못했습니다."), base);
        else if (m_editingBase == base)
            closeAddBox();
    }
    FavoriteActivatee();
}

bool FavoritePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == AddFavoriteBox) {
        // The list gives the open box its room.
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            placeControls();
        return false;
    }
    bool handled = false;
    if (watched == FavoriteListView->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto &mouse = *static_cast<QMouseEvent *>(event);
            FavoriteListView_MouseDown(mouse.button(), mouse.position().toPoint(), mouse.globalPosition().toPoint(),
                                       handled);
        }
        return handled;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto &key = *static_cast<QKeyEvent *>(event);
    const int code = keycodes::keyCode(key);
    if (watched == txtFavoriteTitle)
        txtFavoriteTitle_KeyDown(code, key.modifiers(), handled);
    else if (watched == txtFavoriteExplain)
        txtFavoriteExplain_KeyDown(code, key.modifiers(), handled);
    else if (watched == txtFavoriteAdress) {
        txtFavoriteAdress_KeyDown(code, key.modifiers(), handled);
        if (!handled && keycodes::keyAscii(key) != 0)
            txtFavoriteAdress_KeyPress(keycodes::keyAscii(key), handled);
    }
    return handled;
}

void FavoritePanel::fieldKeyDown(QLineEdit *field, int keyCode, Qt::KeyboardModifiers shift, bool &handled)
{
    if (keycodes::isSelectAll(keyCode, shift)) {
        {
            AfterStep step(m_context.afterStep);
            field->selectAll();
        }
        handled = true;
        Q_EMIT captionRefreshRequested();
    } else if (keyCode == keycodes::kEscape) {
        {
            AfterStep step(m_context.afterStep);
            FavoriteActivatee();
            closeAddBox();
        }
        handled = true;
        Q_EMIT captionRefreshRequested();
    }
}

void FavoritePanel::txtFavoriteTitle_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled)
{
    fieldKeyDown(txtFavoriteTitle, KeyCode, Shift, handled);
}

void FavoritePanel::txtFavoriteExplain_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled)
{
    fieldKeyDown(txtFavoriteExplain, KeyCode, Shift, handled);
}

void FavoritePanel::txtFavoriteAdress_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled)
{
    fieldKeyDown(txtFavoriteAdress, KeyCode, Shift, handled);
}

void FavoritePanel::txtFavoriteAdress_KeyPress(int KeyAscii, bool &handled)
{
    if (KeyAscii != keycodes::kEnter)
        return;
    save();
    handled = true;
}

void FavoritePanel::FavoriteListView_MouseDown(Qt::MouseButton Button, const QPoint &at, const QPoint &globalAt,
                                               bool &handled)
{
    AfterStep step(m_context.afterStep);
    if (Button != Qt::RightButton)
        return;
    if (QTreeWidgetItem *item = FavoriteListView->itemAt(at))
        FavoriteListView->setCurrentItem(item);
    Q_EMIT menuRequested(globalAt);
    handled = true;
}

void FavoritePanel::resizeEvent(QResizeEvent *event)
{
    SidePanel::resizeEvent(event);
    placeControls();
}

void FavoritePanel::placeControls()
{
    const int w = width();
    const int h = height();
    const int buttonHeight = 24;
    const int half = (w - 4) / 2;
    FavoriteShowAddBoxButton->setGeometry(0, 0, half, buttonHeight);
    FavoriteDeleteButton->setGeometry(w - half, 0, half, buttonHeight);
    // The list fills the panel below the buttons (the layout pass's list height);
    // the add box lies over its lower part while it is open.
    const int listTop = buttonHeight + 4;
    const int listHeight = std::max(0, h - 580 / kTwips - 4);
    const int boxHeight = 152;
    const int listBottom = AddFavoriteBox->isVisibleTo(this) ? h - boxHeight - 2 : h;
    FavoriteListView->setGeometry(0, listTop, w, std::max(0, std::min(listHeight, listBottom - listTop)));

    AddFavoriteBox->setGeometry(0, std::max(listTop, h - boxHeight), w, boxHeight);
    const int labelWidth = 40;
    const int fieldWidth = w - labelWidth - 12;
    int y = 22;
    for (auto [label, field] : {std::pair{lblFavoriteTitle, txtFavoriteTitle},
                                std::pair{lblFavoriteNickTip, txtFavoriteExplain},
                                std::pair{lblFavoriteAdress, txtFavoriteAdress}}) {
        label->setGeometry(6, y, labelWidth, 24);
        field->setGeometry(6 + labelWidth, y, fieldWidth, 24);
        y += 30;
    }
    const int bw = (w - 18) / 2;
    cmdFavoriteAdd->setGeometry(6, y + 2, bw, 26);
    cmdFavoriteAddCancel->setGeometry(12 + bw, y + 2, bw, 26);
}
