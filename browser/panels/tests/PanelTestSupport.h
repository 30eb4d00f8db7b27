#pragma once

#include "browser/tests/BrowserFixture.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

// Text as an input method commits it (Korean cannot go through key clicks).
inline void commitText(QWidget *field, const QString &text)
{
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(field, &commit);
}

// Double-clicks or presses on the list row that shows a title.
inline QPoint rowPoint(QTreeWidget *list, const QString &title)
{
    const QList<QTreeWidgetItem *> found = list->findItems(title, Qt::MatchExactly, 0);
    return found.isEmpty() ? QPoint(-1, -1) : list->visualItemRect(found.first()).center();
}

inline QStringList listRows(QTreeWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows << list->topLevelItem(i)->text(0) + QStringLiteral(" | ") + list->topLevelItem(i)->text(1);
    return rows;
}
