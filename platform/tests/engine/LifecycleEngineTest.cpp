// Freezing and discarding a hidden page on the real engine: the page keeps
// its address, title and history, and comes back when shown; the form
// question tells a page the user typed into from one left as it came.

#include "EngineHarness.h"

#include <QWebEnginePage>

#include <gtest/gtest.h>

using namespace enginetest;
using platform::PageLifecycle;
using platform::QtWebBrowser;
using platform::WebBrowser;

namespace {

// The answer to askFormEdited; -1 when none came.
int askForm(QtWebBrowser *b)
{
    QObject context;
    int answer = -1;
    b->askFormEdited(&context, [&](bool edited) { answer = edited ? 1 : 0; });
    waitUntil([&] { return answer >= 0; }, 5000);
    return answer;
}

} // namespace

TEST(EngineLifecycle, ADiscardedPageKeepsItsTitleAndHistoryAndReloadsWhenShown)
{
    Engine engine;
    QtWebBrowser *b = engine.create();
    const QString one = engine.page("one.html", "<html><head><title>one</title></head><body>1</body></html>");
    const QString two = engine.page("two.html", "<html><head><title>two</title></head><body>2</body></html>");
    ASSERT_TRUE(navigateAndWait(b, one));
    ASSERT_TRUE(navigateAndWait(b, two));
    ASSERT_TRUE(waitUntil([&] { return b->CanGoBack(); }));

    // A page on show stays Active whatever it is asked.
    b->setLifecycleState(PageLifecycle::Discarded);
    EXPECT_EQ(b->lifecycleState(), PageLifecycle::Active);
    EXPECT_EQ(b->recommendedState(), PageLifecycle::Active);

    b->widget()->hide();
    ASSERT_TRUE(waitUntil([&] { return !b->page()->isVisible(); }));
    EXPECT_NE(b->recommendedState(), PageLifecycle::Active);
    b->setLifecycleState(PageLifecycle::Frozen);
    ASSERT_TRUE(waitUntil([&] { return b->lifecycleState() == PageLifecycle::Frozen; }));
    b->setLifecycleState(PageLifecycle::Discarded);
    ASSERT_TRUE(waitUntil([&] { return b->lifecycleState() == PageLifecycle::Discarded; }));
    EXPECT_EQ(b->LocationURL(), fileUrl(two));
    EXPECT_EQ(b->DocumentTitle(), "two");
    EXPECT_TRUE(b->CanGoBack());
    // The session keeper may write the tab out while it is discarded.
    const QByteArray saved = b->saveHistory();
    EXPECT_FALSE(saved.isEmpty());

    // Showing it again, as selecting its tab does, loads it where it was.
    SignalSpy reloaded(b, &WebBrowser::DocumentComplete);
    b->widget()->show();
    ASSERT_TRUE(reloaded.wait());
    EXPECT_EQ(b->lifecycleState(), PageLifecycle::Active);
    EXPECT_EQ(b->LocationURL(), fileUrl(two));
    EXPECT_EQ(runJs(b->page(), "document.body.textContent").toString(), "2");

    SignalSpy back(b, &WebBrowser::DocumentComplete);
    b->GoBack();
    ASSERT_TRUE(back.wait());
    EXPECT_EQ(b->LocationURL(), fileUrl(one));
    EXPECT_EQ(b->DocumentTitle(), "one");

    // What it wrote out then brings the tab back in another control.
    QtWebBrowser *copy = engine.create();
    SignalSpy restored(copy, &WebBrowser::DocumentComplete);
    ASSERT_TRUE(copy->restoreHistory(saved));
    ASSERT_TRUE(restored.wait());
    EXPECT_EQ(copy->LocationURL(), fileUrl(two));
}

TEST(EngineLifecycle, ADiscardedPageSetActiveWhileHiddenLoadsAgain)
{
    Engine engine;
    QtWebBrowser *b = engine.create();
    const QString one = engine.page("one.html", "<html><head><title>one</title></head><body>1</body></html>");
    ASSERT_TRUE(navigateAndWait(b, one));
    b->widget()->hide();
    ASSERT_TRUE(waitUntil([&] { return !b->page()->isVisible(); }));
    b->setLifecycleState(PageLifecycle::Discarded);
    ASSERT_TRUE(waitUntil([&] { return b->lifecycleState() == PageLifecycle::Discarded; }));

    SignalSpy reloaded(b, &WebBrowser::DocumentComplete);
    b->setLifecycleState(PageLifecycle::Active);
    ASSERT_TRUE(reloaded.wait());
    EXPECT_EQ(b->LocationURL(), fileUrl(one));
    EXPECT_EQ(b->DocumentTitle(), "one");
}

TEST(EngineLifecycle, TheFormQuestionSeesTypedTextTickedBoxesAndChosenOptions)
{
    Engine engine;
    QtWebBrowser *b = engine.create();
    const QString form = engine.page(
        "form.html",
        "<html><body><form>"
        "<input id=t value='as given'><input type=hidden id=h value='x'>"
        "<input type=checkbox id=c><textarea id=a>note</textarea>"
        "<select id=s><option>one<option>two</select>"
        "</form><iframe id=f srcdoc=\"<input id=i>\"></iframe></body></html>");
    ASSERT_TRUE(navigateAndWait(b, form));
    ASSERT_TRUE(waitUntil([&] {
        return runJs(b->page(), "!!(document.getElementById('f').contentDocument"
                                " && document.getElementById('f').contentDocument.getElementById('i'))")
            .toBool();
    }));
    EXPECT_EQ(askForm(b), 0);

    // The page's own hidden field is not the user's.
    runJs(b->page(), "document.getElementById('h').value = 'y'");
    EXPECT_EQ(askForm(b), 0);

    const char *edits[][2] = {
        {"document.getElementById('t').value = 'typed'", "document.getElementById('t').value = 'as given'"},
        {"document.getElementById('c').checked = true", "document.getElementById('c').checked = false"},
        {"document.getElementById('a').value = 'note!'", "document.getElementById('a').value = 'note'"},
        {"document.getElementById('s').selectedIndex = 1", "document.getElementById('s').selectedIndex = 0"},
        {"document.getElementById('f').contentDocument.getElementById('i').value = 'x'",
         "document.getElementById('f').contentDocument.getElementById('i').value = ''"},
    };
    for (const auto &edit : edits) {
        runJs(b->page(), QString::fromLatin1(edit[0]));
        EXPECT_EQ(askForm(b), 1) << edit[0];
        runJs(b->page(), QString::fromLatin1(edit[1]));
        EXPECT_EQ(askForm(b), 0) << edit[1];
    }

    // A frozen page cannot run the question: it counts as edited.
    b->widget()->hide();
    ASSERT_TRUE(waitUntil([&] { return !b->page()->isVisible(); }));
    b->setLifecycleState(PageLifecycle::Frozen);
    ASSERT_TRUE(waitUntil([&] { return b->lifecycleState() == PageLifecycle::Frozen; }));
    EXPECT_EQ(askForm(b), 1);
}
