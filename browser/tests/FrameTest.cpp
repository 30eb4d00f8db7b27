// The frame's caption buttons and title strip on a browser built on fakes.
#include "BrowserFixture.h"

#include "browser/frame/PictureControl.h"
#include "browser/themes/BuiltinImages.h"

#include <QCoreApplication>

namespace {

bool shows(BrowserAssembly &app, PictureControl *control, ImageList list, int index)
{
    return app.images().isBuiltin(control->picture(), list, index);
}

} // namespace

TEST_F(BrowserTest, TitleStripDoubleClickTogglesMaximizeWithPictureTooltipAndEdges)
{
    start();
    PictureControl *max = form().SystemMaxButton;
    EXPECT_TRUE(shows(app(), max, ImageList::SystemButtonImageList, 3));
    EXPECT_EQ(max->toolTip(), "최대화");

    form().ProgramTitleBar_DblClick();
    QCoreApplication::processEvents();
    EXPECT_EQ(form().WindowState(), 2);
    EXPECT_TRUE(shows(app(), max, ImageList::SystemButtonImageList, 5));
    EXPECT_EQ(max->toolTip(), "이전 크기로 복원");
    EXPECT_FALSE(form().ProgramDesignBottomRightEdge->isEnabled()) << "a maximized window takes no resize drags";
    EXPECT_FALSE(form().ProgramDesignTopSize->isEnabled());

    form().ProgramTitleBar_DblClick();
    QCoreApplication::processEvents();
    EXPECT_EQ(form().WindowState(), 0);
    EXPECT_TRUE(shows(app(), max, ImageList::SystemButtonImageList, 3));
    EXPECT_EQ(max->toolTip(), "최대화");
    EXPECT_TRUE(form().ProgramDesignBottomRightEdge->isEnabled());
}

TEST_F(BrowserTest, CaptionButtonsFollowTheReleaseRule)
{
    start();
    PictureControl *max = form().SystemMaxButton;
    const int w = max->width();
    const int h = max->height();

    form().SystemMaxButton_MouseDown(Qt::LeftButton);
    EXPECT_TRUE(shows(app(), max, ImageList::SystemButtonImageList, 4)) << "pressed picture while held";
    form().SystemMaxButton_MouseUp(Qt::LeftButton, w + 3, h + 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(form().WindowState(), 0) << "released off to the right and below: cancelled";
    EXPECT_TRUE(shows(app(), max, ImageList::SystemButtonImageList, 3));

    form().SystemMaxButton_MouseDown(Qt::LeftButton);
    form().SystemMaxButton_MouseUp(Qt::LeftButton, w + 3, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(form().WindowState(), 2) << "off to the right only still counts";

    form().SystemExitButton_MouseDown(Qt::LeftButton);
    EXPECT_TRUE(shows(app(), form().SystemExitButton, ImageList::SystemButtonImageList, 8));
    form().SystemExitButton_MouseUp(Qt::LeftButton, -2, -2);
    EXPECT_TRUE(shows(app(), form().SystemExitButton, ImageList::SystemButtonImageList, 7));
    EXPECT_TRUE(app().ended()) << "released left of and above the button: closes";
}
