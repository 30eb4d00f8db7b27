// The bars keep their first picture at start-up until the start page is there.
#include "browser/window/StartupPaintHold.h"

#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class PaintHold : public ::testing::Test
{
protected:
    PaintHold()
    {
        window.resize(200, 100);
        bar = new QLabel(QStringLiteral("bar"), &window);
        bar->setGeometry(0, 0, 200, 20);
        other = new QLabel(QStringLiteral("other"), &window);
        other->setGeometry(0, 20, 200, 20);
    }

    // Shows the window and lets its first frame, and the turn of the event
    // loop after it, run.
    void showAndPaint()
    {
        window.show();
        for (int i = 0; i < 100 && !m_painted; ++i)
            runEvents(20);
        ASSERT_TRUE(m_painted) << "the window was never painted";
        runEvents(20);
    }

    static void runEvents(int ms)
    {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    QWidget window;
    QLabel *bar = nullptr;
    QLabel *other = nullptr;

private:
    // Notes the first paint of the window.
    class PaintSeen : public QObject
    {
    public:
        explicit PaintSeen(bool &seen) : m_seen(seen) {}
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                m_seen = true;
            return false;
        }

    private:
        bool &m_seen;
    };
    bool m_painted = false;
    PaintSeen m_paintSeen{m_painted};

protected:
    void SetUp() override { window.installEventFilter(&m_paintSeen); }
};

TEST_F(PaintHold, BarsArePaintedOnceThenHeldUntilRelease)
{
    auto *hold = new StartupPaintHold({bar, other}, 60000, &window);
    EXPECT_TRUE(bar->updatesEnabled()) << "the first frame paints the bars";
    showAndPaint();
    EXPECT_FALSE(bar->updatesEnabled());
    EXPECT_FALSE(other->updatesEnabled());
    // Their state still changes while held.
    bar->setText(QStringLiteral("loading"));
    EXPECT_EQ(bar->text(), "loading");

    hold->release();
    EXPECT_TRUE(bar->updatesEnabled());
    EXPECT_TRUE(other->updatesEnabled());
    hold->release();
    EXPECT_TRUE(bar->updatesEnabled());
}

TEST_F(PaintHold, ReleasedBeforeTheFirstFrameNeverHolds)
{
    StartupPaintHold hold({bar, other}, 60000, &window);
    hold.release();
    showAndPaint();
    EXPECT_TRUE(bar->updatesEnabled());
    EXPECT_TRUE(other->updatesEnabled());
}

TEST_F(PaintHold, TheTimeLimitReleasesWithoutTheStartPage)
{
    StartupPaintHold hold({bar, other}, 300, &window);
    showAndPaint();
    EXPECT_FALSE(bar->updatesEnabled());
    for (int i = 0; i < 100 && !bar->updatesEnabled(); ++i)
        runEvents(20);
    EXPECT_TRUE(bar->updatesEnabled());
    EXPECT_TRUE(other->updatesEnabled());
}

TEST_F(PaintHold, GoingAwayHeldPaintsTheBarsAgain)
{
    {
        StartupPaintHold hold({bar, other}, 60000, nullptr);
        showAndPaint();
        EXPECT_FALSE(bar->updatesEnabled());
    }
    EXPECT_TRUE(bar->updatesEnabled());
    EXPECT_TRUE(other->updatesEnabled());
}

} // namespace
