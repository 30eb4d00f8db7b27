// A page's loops of windows and dialogs, and its oversized title, on the real engine.
#include "EngineHarness.h"
#include "platform/PageTitle.h"

#include <gtest/gtest.h>

using namespace enginetest;
using platform::QtWebBrowser;
using platform::WebBrowser;

TEST(EngineFloodLimits, AThousandWindowOpensGetABoundedNumberOfTabsAndOneNotice)
{
    Engine engine;
    QtWebBrowser *opener = engine.create();
    QList<QtWebBrowser *> tabs;
    QObject::connect(opener, &WebBrowser::NewWindow2, opener, [&](platform::NewWindowRequest &request) {
        QtWebBrowser *tab = engine.create();
        tabs << tab;
        request.ppDisp = tab;
    });
    const QString page = engine.page("opener.html", "<html><head><title>o</title></head><body>o</body></html>");
    ASSERT_TRUE(navigateAndWait(opener, fileUrl(page)));
    opener->page()->runJavaScript(
        "window.opened = -1; let n = 0; for (let i = 0; i < 1000; ++i) if (window.open('about:blank')) ++n;"
        "window.opened = n;");
    int opened = -1;
    ASSERT_TRUE(waitUntil([&] {
        opened = runJs(opener->page(), "window.opened === undefined ? -1 : window.opened").toInt();
        return opened >= 0;
    }, 60000));
    // window.open answers before the program is asked (see NewWindowTest):
    // the tabs made count, not what the script saw.
    settle(500);
    EXPECT_EQ(tabs.size(), QtWebBrowser::kMaxPopupsPerMinute);
    ASSERT_EQ(engine.dialogs.notices().size(), 1);
    EXPECT_EQ(engine.dialogs.notices().first().title, QStringLiteral("새 창 차단"));
}

TEST(EngineFloodLimits, TheThirdDialogInARowOffersToBlockThePagesDialogs)
{
    Engine engine;
    QtWebBrowser *b = engine.create();
    const QString page = engine.page("loop.html", "<html><head><title>l</title></head><body>l</body></html>");
    ASSERT_TRUE(navigateAndWait(b, fileUrl(page)));
    // The third box's check box is ticked.
    engine.dialogs.queueCheck(true);
    const QVariant shown = runJs(b->page(),
                                 "let n = 0; for (let i = 0; i < 100; ++i) { alert('a' + i); ++n; }"
                                 "const c = confirm('c'); const p = prompt('p', 'x'); [n, c, p === null].join()");
    EXPECT_EQ(shown.toString(), "100,false,true");
    const auto &boxes = engine.dialogs.messageBoxes();
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_TRUE(boxes.at(0).checkText.isEmpty());
    EXPECT_TRUE(boxes.at(1).checkText.isEmpty());
    EXPECT_EQ(boxes.at(2).checkText, QStringLiteral("이 페이지의 대화 상자 차단"));
    EXPECT_TRUE(engine.dialogs.textInputs().isEmpty());

    // The next document may show its boxes again.
    ASSERT_TRUE(navigateAndWait(b, fileUrl(page)));
    runJs(b->page(), "alert('again')");
    EXPECT_EQ(engine.dialogs.messageBoxes().size(), 4);
}

TEST(EngineFloodLimits, ABoxesLoopLeftUnblockedKeepsOfferingTheBlock)
{
    Engine engine;
    QtWebBrowser *b = engine.create();
    const QString page = engine.page("loop.html", "<html><head><title>l</title></head><body>l</body></html>");
    ASSERT_TRUE(navigateAndWait(b, fileUrl(page)));
    engine.dialogs.queueTextInput(QStringLiteral("y"));
    runJs(b->page(), "alert(1); confirm(2); prompt(3); alert(4);");
    ASSERT_EQ(engine.dialogs.messageBoxes().size(), 3);
    ASSERT_EQ(engine.dialogs.textInputs().size(), 1);
    EXPECT_EQ(engine.dialogs.textInputs().first().checkText, QStringLiteral("이 페이지의 대화 상자 차단"));
    EXPECT_EQ(engine.dialogs.messageBoxes().last().checkText, QStringLiteral("이 페이지의 대화 상자 차단"));
}

TEST(EngineFloodLimits, AMegabyteTitleIsCutWhereverTheControlHandsItOut)
{
    Engine engine;
    QtWebBrowser *b = engine.create();
    const QString page = engine.page("long.html", "<html><head><title>t</title></head><body>l</body></html>");
    ASSERT_TRUE(navigateAndWait(b, fileUrl(page)));
    SignalSpy titles(b, &WebBrowser::TitleChange);
    runJs(b->page(), "document.title = 'x'.repeat(1024 * 1024)");
    ASSERT_TRUE(waitUntil([&] { return b->DocumentTitle().startsWith("xxx"); }));
    EXPECT_LE(b->DocumentTitle().size(), platform::kMaxTitleLength);
    EXPECT_LE(b->LocationName().size(), platform::kMaxTitleLength);
    ASSERT_GE(titles.count(), 1);
    EXPECT_LE(titles.last().at(0).toString().size(), platform::kMaxTitleLength);
}
