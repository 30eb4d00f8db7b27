#pragma once

#include "HistoryStore.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class VorlenApp;

// The history window: the visits grouped by day, newest first, a search box
// over titles and addresses, "삭제" for the selected visits and "기록 모두
// 지우기" after a question. A double click opens the visit in the selected tab.
class frmHistory : public QWidget
{
    Q_OBJECT
public:
    frmHistory(VorlenApp &app, HistoryStore &store, QWidget *parent);

    QLineEdit *SearchBox;
    QTreeWidget *VisitList;
    QLabel *EmptyLabel;
    QPushButton *DeleteButton;
    QPushButton *ClearAllButton;

    // The heading of a day's group: "오늘", "어제", or the date.
    static QString dayHeading(const QDate &day, const QDate &today);

    // Lists the visits that match the search box again.
    void rebuild();
    void DeleteButton_Click();
    void ClearAllButton_Click();
    void VisitList_DblClick(QTreeWidgetItem *item);

private:
    QList<qint64> selectedIds() const;
    void updateButtons();

    VorlenApp &m_app;
    HistoryStore &m_store;
};
