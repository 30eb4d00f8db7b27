#include "frmHistory.h"

#include "browser/core/VorlenApp.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kUrlRole = Qt::UserRole + 1;

const char *const kTitle = "방문 기록";

} // namespace

frmHistory::frmHistory(VorlenApp &app, HistoryStore &store, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , SearchBox(new QLineEdit(this))
    , VisitList(new QTreeWidget(this))
    , EmptyLabel(new QLabel(this))
    , DeleteButton(new QPushButton(QStringLiteral("삭제"), this))
    , ClearAllButton(new QPushButton(QStringLiteral("기록 모두 지우기"), this))
    , m_app(app)
    , m_store(store)
{
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(QString::fromUtf8(kTitle));
    SearchBox->setObjectName(QStringLiteral("SearchBox"));
    VisitList->setObjectName(QStringLiteral("VisitList"));
    EmptyLabel->setObjectName(QStringLiteral("EmptyLabel"));
    DeleteButton->setObjectName(QStringLiteral("DeleteButton"));
    ClearAllButton->setObjectName(QStringLiteral("ClearAllButton"));

    SearchBox->setPlaceholderText(QStringLiteral("제목이나 주소로 찾기"));
    SearchBox->setClearButtonEnabled(true);
    VisitList->setColumnCount(3);
    VisitList->setHeaderLabels({QStringLiteral("제목"), QStringLiteral("주소"), QStringLiteral("시각")});
    VisitList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    VisitList->setUniformRowHeights(true);
    VisitList->setRootIsDecorated(true);
    VisitList->header()->setStretchLastSection(false);
    VisitList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    VisitList->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    VisitList->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    EmptyLabel->setAlignment(Qt::AlignCenter);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(DeleteButton);
    buttons->addStretch(1);
    buttons->addWidget(ClearAllButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SearchBox);
    layout->addWidget(VisitList, 1);
    layout->addWidget(EmptyLabel, 1);
    layout->addLayout(buttons);
    resize(640, 480);

    connect(SearchBox, &QLineEdit::textChanged, this, [this] { rebuild(); });
    connect(VisitList, &QTreeWidget::itemSelectionChanged, this, [this] { updateButtons(); });
    connect(VisitList, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) { VisitList_DblClick(item); });
    connect(DeleteButton, &QPushButton::clicked, this, [this] { DeleteButton_Click(); });
    connect(ClearAllButton, &QPushButton::clicked, this, [this] { ClearAllButton_Click(); });
    rebuild();
}

QString frmHistory::dayHeading(const QDate &day, const QDate &today)
{
    if (day == today)
        return QStringLiteral("오늘");
    if (day == today.addDays(-1))
        return QStringLiteral("어제");
    return QLocale(QLocale::Korean, QLocale::SouthKorea).toString(day, QStringLiteral("yyyy년 M월 d일 dddd"));
}

void frmHistory::rebuild()
{
    const QList<Visit> visits = m_store.search(SearchBox->text());
    VisitList->clear();
    const QDate today = QDate::currentDate();
    QTreeWidgetItem *group = nullptr;
    QDate groupDay;
    for (const Visit &visit : visits) {
        const QDateTime at = QDateTime::fromMSecsSinceEpoch(visit.timeMs).toLocalTime();
        if (!group || at.date() != groupDay) {
            groupDay = at.date();
            group = new QTreeWidgetItem(VisitList, {dayHeading(groupDay, today)});
            group->setFirstColumnSpanned(true);
            group->setExpanded(true);
        }
        auto *item = new QTreeWidgetItem(group, {visit.title.isEmpty() ? visit.url : visit.title, visit.url,
                                                 at.toString(QStringLiteral("HH:mm"))});
        item->setData(0, kIdRole, visit.id);
        item->setData(0, kUrlRole, visit.url);
        item->setToolTip(0, item->text(0));
        item->setToolTip(1, visit.url);
    }
    const bool empty = visits.isEmpty();
    EmptyLabel->setText(SearchBox->text().trimmed().isEmpty() ? QStringLiteral("방문 기록이 없습니다.")
                                                               : QStringLiteral("찾는 기록이 없습니다."));
    EmptyLabel->setVisible(empty);
    VisitList->setVisible(!empty);
    ClearAllButton->setEnabled(!empty || !SearchBox->text().trimmed().isEmpty());
    updateButtons();
}

QList<qint64> frmHistory::selectedIds() const
{
    QList<qint64> ids;
    auto take = [&ids](const QTreeWidgetItem *item) {
        const qint64 id = item->data(0, kIdRole).toLongLong();
        if (id > 0 && !ids.contains(id))
            ids.append(id);
    };
    for (const QTreeWidgetItem *item : VisitList->selectedItems()) {
        // A selected day stands for all its visits.
        if (item->childCount() > 0) {
            for (int i = 0; i < item->childCount(); ++i)
                take(item->child(i));
        } else {
            take(item);
        }
    }
    return ids;
}

void frmHistory::updateButtons()
{
    DeleteButton->setEnabled(!selectedIds().isEmpty());
}

void frmHistory::DeleteButton_Click()
{
    const QList<qint64> ids = selectedIds();
    if (ids.isEmpty())
        return;
    if (!m_store.remove(ids))
        m_app.platform().dialogs.notice(this, QStringLiteral("방문 기록을 지우지 못했습니다."), QString::fromUtf8(kTitle),
                                        platform::MsgIcon::Exclamation);
    rebuild();
}

void frmHistory::ClearAllButton_Click()
{
    const platform::MsgResult answer = m_app.platform().dialogs.messageBox(
        this, QStringLiteral("방문 기록을 모두 지우시겠습니까?\n지운 기록은 되살릴 수 없습니다."), QString::fromUtf8(kTitle),
        platform::MsgButtons::YesNo, platform::MsgIcon::Question);
    if (answer != platform::MsgResult::Yes)
        return;
    if (!m_store.clear())
        m_app.platform().dialogs.notice(this, QStringLiteral("방문 기록을 지우지 못했습니다."), QString::fromUtf8(kTitle),
                                        platform::MsgIcon::Exclamation);
    SearchBox->clear();
    rebuild();
}

void frmHistory::VisitList_DblClick(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const QString url = item->data(0, kUrlRole).toString();
    if (url.isEmpty())
        return;
    m_app.shell().navigateCurrent(url);
}
