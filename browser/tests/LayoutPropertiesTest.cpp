// The layout pass on a real window over a table of sizes: properties a user
// would notice, not the formulas.
#include "BrowserFixture.h"

#include "browser/frame/LabelControl.h"
#include "browser/frame/PictureControl.h"
#include "browser/window/AddressInput.h"
#include "browser/window/Design.h"
#include "browser/window/TabStrip.h"

#include <QLabel>

namespace {

// A widget's rectangle in the window's coordinates.
QRect inWindow(QWidget *w, QWidget *window)
{
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

// What of a widget can show: its rectangle cut by every parent's.
QRect shownPart(QWidget *w, QWidget *window)
{
    QRect shown = inWindow(w, window);
    for (QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        shown &= inWindow(p, window);
    return shown;
}

struct Size
{
    int W, H;
};

const Size kSizes[] = {{4000, 4020}, {4600, 9000}, {9000, 6000}, {16500, 11400}, {30000, 20000}, {20000, 4100}};

} // namespace

TEST_F(BrowserTest, EveryControlStaysInsideTheWindowAndTheFrameIsClosed)
{
    start();
    for (const Size &size : kSizes) {
        SCOPED_TRACE(testing::Message() << size.W << " x " << size.H);
        for (bool toolBox : {false, true}) {
            form().setSizeTwips(size.W, size.H);
            form().WebBrowserToolBox->setVisible(toolBox);
            form().ArrangeMainWindow();
            const QRect window = form().rect();

            for (QWidget *w : form().findChildren<QWidget *>()) {
                if (!w->isVisibleTo(&form()) || w->objectName().isEmpty())
                    continue;
                const QRect part = shownPart(w, &form());
                if (!part.isEmpty())
                    EXPECT_TRUE(window.contains(part))
                    << w->objectName().toStdString() << " lies outside the window";
            }

            auto r = [this](QWidget *w) { return inWindow(w, &form()); };
            // The frame pieces touch: no gap a user could see through.
            EXPECT_GE(r(form().ProgramDesignTopLeftEdge).right() + 1, r(form().ProgramDesignTopLine).left());
            EXPECT_GE(r(form().ProgramDesignTopLine).right() + 1, r(form().ProgramDesignTopRightEdge).left());
            EXPECT_GE(r(form().ProgramDesignBottomLeftEdge).right() + 1, r(form().ProgramDesignBottomLine).left());
            EXPECT_GE(r(form().ProgramDesignBottomLine).right() + 1, r(form().ProgramDesignBottomRightEdge).left());
            EXPECT_GE(r(form().ProgramDesignTopLeftEdge).bottom() + 1, r(form().ProgramDesignLeftLine).top());
            EXPECT_GE(r(form().ProgramDesignLeftLine).bottom() + 1, r(form().ProgramDesignBottomLeftEdge).top());
            EXPECT_GE(r(form().ProgramDesignTopRightEdge).bottom() + 1, r(form().ProgramDesignRightLine).top());
            EXPECT_GE(r(form().ProgramDesignRightLine).bottom() + 1, r(form().ProgramDesignBottomRightEdge).top());
            EXPECT_EQ(r(form().ProgramDesignRightLine).right(), window.right());
            EXPECT_EQ(r(form().ProgramDesignBottomLine).bottom(), window.bottom());

            // The address bar ends before the tool box and the forward button.
            const QRect address = r(form().WebAdressBar);
            if (toolBox)
                EXPECT_LE(address.right(), r(form().WebBrowserToolBox).left());
            EXPECT_LT(address.right(), r(form().ForwardButton).left());
            EXPECT_GT(address.left(), r(form().BackButton).right());
            EXPECT_GT(address.width(), 0);

            // The page sits between the tool bar and the status bar, right of the side bar.
            const QRect pageRect = r(page(0)->widget());
            EXPECT_GT(pageRect.top(), r(form().ProgramToolbar).bottom());
            EXPECT_LT(pageRect.bottom(), r(form().ProgramStatusBar).top());
            EXPECT_GT(pageRect.left(), r(form().ProgramSidebar).right());
            EXPECT_GT(pageRect.height(), 0);
            // Caption buttons do not cover one another or the title text.
            EXPECT_LT(r(form().SystemMinButton).right(), r(form().SystemMaxButton).left());
            EXPECT_LT(r(form().SystemMaxButton).right(), r(form().SystemExitButton).left());
        }
    }
}

TEST_F(BrowserTest, OneBackgroundNavigationRunsAtMostOneLayoutPass)
{
    start();
    form().modRecvNewWindow("http://a/");
    form().modRecvNewWindow("http://b/");
    clickTab(1);
    const int before = app().afterStep().layoutPasses();
    page(1)->BeforeNavigate2("http://elsewhere.example/");
    EXPECT_LE(app().afterStep().layoutPasses() - before, 1);

}

TEST_F(BrowserTest, AtTheMinimumSizeTheStatusTextIsCutBeforeTheStateIcon)
{
    start();
    form().setSizeTwips(100, 100);   // the pass enforces the minimum
    form().ArrangeMainWindow();
    form().setStatus(2, QStringLiteral("최소 세로 크기 입니다."));
    const QRect text = form().ProgramStatusTextLabel->geometry();
    const QRect icon = form().ProgramSystemStateBar->geometry();
    const int pictureLeft = icon.center().x() - 8;
    EXPECT_LT(text.right(), pictureLeft);
    EXPECT_EQ(form().ProgramStatusTextLabel->text(), "최소 세로 크기 입니다.") << "the label keeps the whole message";
    // What is painted ends in an ellipsis where the text does not fit.
    const QFontMetrics metrics(form().ProgramStatusTextLabel->font());
    if (metrics.horizontalAdvance(form().ProgramStatusTextLabel->text()) > text.width()) {
        EXPECT_TRUE(metrics.elidedText(form().ProgramStatusTextLabel->text(), Qt::ElideRight, text.width())
                        .endsWith(QChar(0x2026)));
    }
}
