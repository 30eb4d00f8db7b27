#include "browser/core/WindowSlot.h"

#include <QCoreApplication>
#include <QDialog>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

void deliverDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST(WindowLocks, TheMainWindowIsDisabledExactlyWhileALockIsHeld)
{
    QWidget main;
    WindowLocks locks;
    locks.setTarget(&main);
    EXPECT_TRUE(main.isEnabled());
    {
        auto first = locks.acquire();
        auto second = locks.acquire();
        EXPECT_FALSE(main.isEnabled());
        first.reset();
        EXPECT_FALSE(main.isEnabled()) << "one window still open";
    }
    EXPECT_TRUE(main.isEnabled());
    EXPECT_FALSE(locks.locked());
}

TEST(WindowLocks, AThrowingHandlerReleasesItsLock)
{
    QWidget main;
    WindowLocks locks;
    locks.setTarget(&main);
    try {
        auto lock = locks.acquire();
        throw std::runtime_error("handler failed");
    } catch (const std::runtime_error &) {
    }
    EXPECT_TRUE(main.isEnabled());
    EXPECT_EQ(locks.count(), 0);
}

TEST(WindowLocks, AWindowsLockGoesWhenItIsHiddenClosedOrDeleted)
{
    QWidget main;
    WindowLocks locks;
    locks.setTarget(&main);

    auto *hidden = new QDialog(&main);
    hidden->show();
    locks.lockWhileShown(hidden);
    EXPECT_FALSE(main.isEnabled());
    hidden->hide();
    EXPECT_TRUE(main.isEnabled());
    deliverDeletes();

    auto *deleted = new QDialog(&main);
    deleted->show();
    locks.lockWhileShown(deleted);
    delete deleted;
    EXPECT_TRUE(main.isEnabled());

    auto *closed = new QDialog(&main);
    closed->setAttribute(Qt::WA_DeleteOnClose);
    closed->show();
    locks.lockWhileShown(closed);
    closed->close();
    deliverDeletes();
    EXPECT_TRUE(main.isEnabled());
    EXPECT_EQ(locks.count(), 0);
}

TEST(WindowSlot, MadeOnFirstUseOnceAtATimeAndDeletedOnClose)
{
    QWidget parent;
    WindowSlot<QDialog> slot;
    int made = 0;
    auto make = [&](QWidget *p) {
        ++made;
        return new QDialog(p);
    };
    EXPECT_FALSE(slot.isOpen());
    QDialog &first = slot.open(&parent, make);
    QDialog &again = slot.open(&parent, make);
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(first.parentWidget(), &parent);
    first.show();
    slot.close();
    deliverDeletes();
    EXPECT_FALSE(slot.isOpen()) << "closing deletes the window";
    slot.open(&parent, make);
    EXPECT_EQ(made, 2);
    EXPECT_TRUE(slot.isOpen());
}

TEST(WindowLocks, ATargetSetWhileLocksAreHeldStartsDisabled)
{
    WindowLocks locks;
    auto held = locks.acquire();
    QWidget window;
    window.setEnabled(true);
    // The main window made while a dialog already holds a lock.
    locks.setTarget(&window);
    EXPECT_FALSE(window.isEnabled());
    held.reset();
    EXPECT_TRUE(window.isEnabled());
}
