// The zoom ladder, the per-site store (hostile files included) and the zoom
// commands on a whole browser, driven by the standard keys.
#include "browser/tests/BrowserFixture.h"

#include "browser/zoom/ZoomLadder.h"
#include "browser/zoom/ZoomStore.h"
#include "platform/Folders.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QWheelEvent>

namespace {

using K = settings::Key;

TEST(ZoomLadder, StepsGoThroughTheLadderAndStopAtItsEnds)
{
    EXPECT_EQ(zoomLadder::step(100, +1), 110);
    EXPECT_EQ(zoomLadder::step(100, -1), 90);
    EXPECT_EQ(zoomLadder::step(500, +1), 500);
    EXPECT_EQ(zoomLadder::step(25, -1), 25);
    // Off the ladder: the next level past it.
    EXPECT_EQ(zoomLadder::step(115, +1), 125);
    EXPECT_EQ(zoomLadder::step(115, -1), 110);
    // Out of range: clamped first.
    EXPECT_EQ(zoomLadder::step(9000, -1), 400);
    EXPECT_EQ(zoomLadder::step(-40, +1), 33);
    // The whole way up and down visits every level once.
    std::vector<int> up{25};
    while (up.back() != 500)
        up.push_back(zoomLadder::step(up.back(), +1));
    EXPECT_EQ(up, std::vector<int>(zoomLadder::kLevels.begin(), zoomLadder::kLevels.end()));
    EXPECT_EQ(zoomLadder::percentOf(1.25), 125);
    EXPECT_EQ(zoomLadder::percentOf(0.333), 33);
    EXPECT_EQ(zoomLadder::noticeText(125), "확대/축소: 125%");
}

TEST(ZoomStore, KeepsLevelsPerSiteAndForgetsTheDefault)
{
    TestFolder dir;
    const ZoomStore store(dir.file("Zoom.txt"));
    EXPECT_EQ(store.level("a.example"), 0);
    ASSERT_TRUE(store.setLevel("a.example", 125));
    ASSERT_TRUE(store.setLevel("file:", 67));
    EXPECT_EQ(store.level("a.example"), 125);
    EXPECT_EQ(store.level("b.example"), 0);
    EXPECT_EQ(ZoomStore(dir.file("Zoom.txt")).level("file:"), 67) << "kept in the file";
    ASSERT_TRUE(store.setLevel("a.example", 0));
    EXPECT_EQ(store.level("a.example"), 0);
    EXPECT_TRUE(dir.read("Zoom.txt").startsWith("vorlen-zoom 1\n"));
    // A site that could make a line of its own is refused.
    EXPECT_FALSE(store.setLevel("evil\nexample\t500", 125));
    EXPECT_FALSE(store.setLevel("", 125));
}

TEST(ZoomStore, SitesOfAddresses)
{
    EXPECT_EQ(ZoomStore::siteOf("http://Example.COM:8080/a"), "example.com");
    EXPECT_EQ(ZoomStore::siteOf("https://127.0.0.1/"), "127.0.0.1");
    EXPECT_EQ(ZoomStore::siteOf("file:///home/kim/a.html"), "file:");
    EXPECT_EQ(ZoomStore::siteOf("about:blank"), "");
    EXPECT_EQ(ZoomStore::siteOf("data:text/html,hi"), "");
    EXPECT_EQ(ZoomStore::siteOf("vorlen://pages/NewTab.htm"), "");
}

TEST(ZoomStore, AGarbledOrHostileFileZoomsNothingPastTheLadder)
{
    TestFolder dir;
    const ZoomStore store(dir.file("Zoom.txt"));
    // Another version or no header: nothing.
    dir.write("Zoom.txt", "vorlen-zoom 2\na.example\t125\n");
    EXPECT_TRUE(store.levels().isEmpty());
    dir.write("Zoom.txt", QByteArray("\x00\xff\xfe garbage\n\x01\x02", 17));
    EXPECT_TRUE(store.levels().isEmpty());

    // Good lines survive among bad ones.
    dir.write("Zoom.txt", "vorlen-zoom 1\n"
                          "good.example\t150\n"
                          "huge.example\t100000\n"
                          "tiny.example\t1\n"
                          "negative.example\t-50\n"
                          "../../etc\t125\n"
                          "spaced site\t125\n"
                          "noLevel.example\n"
                          "three.example\t125\textra\n"
                          "word.example\tbig\n"
                          "file:\t80\n");
    const QMap<QString, int> levels = store.levels();
    EXPECT_EQ(levels, (QMap<QString, int>{{"good.example", 150}, {"file:", 80}}));

    // A file too large to be one of ours is not read at all.
    dir.write("Zoom.txt", "vorlen-zoom 1\n" + QByteArray(ZoomStore::kMaxFileSize, 'a'));
    EXPECT_TRUE(store.levels().isEmpty());
    // Writing over it starts afresh.
    ASSERT_TRUE(store.setLevel("a.example", 90));
    EXPECT_EQ(store.levels(), (QMap<QString, int>{{"a.example", 90}}));
}

class ZoomCommandsTest : public BrowserTest
{
protected:
    void startActive()
    {
        start();
        form().show();
        form().activateWindow();
        QApplication::setActiveWindow(&form());
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(selectedPage()->widget(), &event);
    }
    void wheel(int delta)
    {
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(selectedPage()->widget(), &event);
    }
    int percent(platform::testing::FakeWebBrowser *p) { return qRound(p->zoomFactor() * 100); }
    ZoomStore store()
    {
        return ZoomStore(QDir(platform::folders::profileFolder(fake().environment())).filePath("Zoom.txt"));
    }
    QString statusText() { return form().ProgramStatusTextLabel->text(); }
};

TEST_F(ZoomCommandsTest, KeysZoomTheSelectedTabAndTheSiteKeepsItsLevel)
{
    // The standard keys do not depend on the switchable shortcuts.
    setSetting(K::KeyflintValue, "0");
    startActive();
    page(0)->simulateNavigation("http://a.example/one", "One");
    press(Qt::Key_Equal);
    EXPECT_EQ(percent(page(0)), 110);
    EXPECT_EQ(statusText(), "확대/축소: 110%");
    press(Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(percent(page(0)), 125);
    EXPECT_EQ(store().level("a.example"), 125);
    press(Qt::Key_Minus);
    press(Qt::Key_Minus);
    press(Qt::Key_Minus);
    EXPECT_EQ(percent(page(0)), 90);
    EXPECT_EQ(statusText(), "확대/축소: 90%");

    // Another tab of the same site comes up at the site's level; another site does not.
    app().commands().run(Command::NewTabPage);
    selectedPage()->simulateNavigation("http://a.example/two", "Two");
    EXPECT_EQ(percent(selectedPage()), 90);
    selectedPage()->simulateNavigation("http://b.example/", "B");
    EXPECT_EQ(percent(selectedPage()), 100);
    selectedPage()->simulateNavigation("http://a.example/three", "Three");
    EXPECT_EQ(percent(selectedPage()), 90);

    // Ctrl+0 goes back to the default, for the other tab of the site too,
    // and the site needs no line any more.
    press(Qt::Key_0);
    EXPECT_EQ(percent(selectedPage()), 100);
    EXPECT_EQ(percent(page(0)), 100);
    EXPECT_EQ(store().level("a.example"), 0);
}

TEST_F(ZoomCommandsTest, CtrlWheelZoomsOneStepANotchAndTheDefaultComesFromTheSettings)
{
    setSetting(K::DefaultZoomValue, "125");
    startActive();
    page(0)->simulateNavigation("http://c.example/", "C");
    EXPECT_EQ(percent(page(0)), 125) << "the default level for a site without its own";
    wheel(60);
    EXPECT_EQ(percent(page(0)), 125) << "half a notch";
    wheel(60);
    EXPECT_EQ(percent(page(0)), 150);
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(percent(page(0)), 110);
    EXPECT_EQ(store().level("c.example"), 110);
    press(Qt::Key_0);
    EXPECT_EQ(percent(page(0)), 125);

    // A default out of range counts as 100.
    setSetting(K::DefaultZoomValue, "5000");
    page(0)->simulateNavigation("http://d.example/", "D");
    EXPECT_EQ(percent(page(0)), 100);
}

TEST_F(ZoomCommandsTest, KeysOfAnotherProgramsWindowDoNothing)
{
    startActive();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    page(0)->simulateNavigation("http://a.example/", "A");
    press(Qt::Key_Equal);
    EXPECT_EQ(percent(page(0)), 100);
}

} // namespace
