#include "StackOrder.h"

#include <QWidget>

void stackInOrder(std::initializer_list<QWidget *> order)
{
    qsizetype last = -1;
    bool inOrder = true;
    for (QWidget *w : order) {
        if (!w)
            continue;
        const qsizetype at = w->parentWidget() ? w->parentWidget()->children().indexOf(w) : -1;
        if (at <= last) {
            inOrder = false;
            break;
        }
        last = at;
    }
    if (inOrder)
        return;
    bool first = true;
    for (QWidget *w : order) {
        if (!w)
            continue;
        if (first)
            w->lower();
        else
            w->raise();
        first = false;
    }
}
