#pragma once

#include <initializer_list>

class QWidget;

// Puts sibling widgets into the given order, bottom first (null entries are
// skipped), touching the stacking order only when it is wrong: every change
// repaints what moved.
void stackInOrder(std::initializer_list<QWidget *> order);
