// A page's history written out and read into another control, on the real
// engine: the restored control shows the current entry and Back leads to the
// one before.

#include "EngineHarness.h"

#include <gtest/gtest.h>

using namespace enginetest;
using platform::QtWebBrowser;
using platform::WebBrowser;

TEST(EngineHistoryState, AHistoryRestoredInAnotherControlKeepsItsEntriesAndBackWorks)
{
    Engine engine;
    QtWebBrowser *first = engine.create();
    const QString one = engine.page("one.html", "<html><head><title>one</title></head></html>");
    const QString two = engine.page("two.html", "<html><head><title>two</title></head></html>");
    ASSERT_TRUE(navigateAndWait(first, one));
    ASSERT_TRUE(navigateAndWait(first, two));
    const QByteArray saved = first->saveHistory();
    ASSERT_FALSE(saved.isEmpty());

    QtWebBrowser *second = engine.create();
    SignalSpy loaded(second, &WebBrowser::DocumentComplete);
    ASSERT_TRUE(second->restoreHistory(saved));
    ASSERT_TRUE(loaded.wait());
    EXPECT_EQ(second->LocationURL(), fileUrl(two));
    ASSERT_TRUE(waitUntil([&] { return second->CanGoBack(); }));

    SignalSpy back(second, &WebBrowser::DocumentComplete);
    second->GoBack();
    ASSERT_TRUE(back.wait());
    EXPECT_EQ(second->LocationURL(), fileUrl(one));
}

TEST(EngineHistoryState, BytesThatAreNoHistoryAreRefused)
{
    Engine engine;
    QtWebBrowser *b = engine.create();
    EXPECT_FALSE(b->restoreHistory(QByteArray()));
    EXPECT_FALSE(b->restoreHistory(QByteArray("not a history at all")));
}
