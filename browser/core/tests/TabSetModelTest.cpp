// The tab model alone: no window, pages from the fake engine.
#include "browser/core/TabSet.h"
#include "platform/testing/FakeWebBrowser.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using platform::testing::FakeWebBrowser;

class TabSetModel : public ::testing::Test
{
protected:
    TabSetModel() { tabs.addStartTab(make()); }

    FakeWebBrowser *make()
    {
        pages.push_back(std::make_unique<FakeWebBrowser>());
        return pages.back().get();
    }
    // A new tab right of the selected one, selected, as the window makes it.
    qint16 open()
    {
        const qint16 index = tabs.takeNextIndex();
        if (index < 0)
            return index;
        tabs.insert(tabs.currentPosition() + 1, index, make());
        tabs.selectIndex(index);
        return index;
    }

    std::vector<std::unique_ptr<FakeWebBrowser>> pages;
    TabSet tabs;
};

} // namespace

TEST_F(TabSetModel, NewTabsGoRightOfTheSelectionAndNumbersAreNeverReused)
{
    EXPECT_EQ(tabs.stateString(), "start*");
    open();
    open();
    open();
    EXPECT_EQ(tabs.stateString(), "start ID1 ID2 ID3*");
    tabs.select(1);
    open();
    EXPECT_EQ(tabs.stateString(), "start ID4* ID1 ID2 ID3");
    tabs.remove(2);
    EXPECT_EQ(open(), 5);
    EXPECT_EQ(tabs.TabCounter(), 5);
    EXPECT_EQ(tabs.stateString(), "start ID4 ID5* ID1 ID3");
}

TEST_F(TabSetModel, RemovingTheSelectionPicksTheRightNeighbourOrTheLeftAtTheEnd)
{
    open();
    open();
    open();
    tabs.select(2); // ID1
    tabs.remove(1);
    EXPECT_EQ(tabs.stateString(), "start ID2* ID3");
    tabs.selectIndex(3);
    tabs.remove(3);
    EXPECT_EQ(tabs.stateString(), "start ID2*");
    // A background tab leaves the selection alone.
    open();
    tabs.select(1);
    tabs.remove(4);
    EXPECT_EQ(tabs.stateString(), "start* ID2");
    EXPECT_EQ(tabs.CurrentTab(), 0);
    EXPECT_EQ(tabs.page(4), nullptr);
}

TEST_F(TabSetModel, SignalsCarryWhatObserversNeed)
{
    QSignalSpy inserted(&tabs, &TabSet::inserted);
    std::vector<std::pair<qint16, platform::WebBrowser *>> removed;
    QObject::connect(&tabs, &TabSet::removed, &tabs,
                     [&](qint16 index, platform::WebBrowser *page) { removed.emplace_back(index, page); });
    QSignalSpy current(&tabs, &TabSet::currentChanged);
    const qint16 a = open();
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][0].value<qint16>(), a);
    EXPECT_EQ(inserted[0][1].toInt(), 2);
    ASSERT_EQ(current.size(), 1);
    EXPECT_EQ(current[0][0].value<qint16>(), a);

    // Selecting the selected tab again says nothing.
    tabs.selectIndex(a);
    EXPECT_EQ(current.size(), 1);

    platform::WebBrowser *page = tabs.page(a);
    tabs.remove(a);
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed[0].first, a);
    EXPECT_EQ(removed[0].second, page);
    ASSERT_EQ(current.size(), 2) << "the removed selection moves on";
    EXPECT_EQ(current[1][0].value<qint16>(), 0);
    EXPECT_EQ(tabs.indexOfPage(page), -1);
}

TEST_F(TabSetModel, TheLastInstanceNumberIs32767)
{
    tabs.insert(2, 32766, make());
    EXPECT_EQ(tabs.TabCounter(), 32766);
    EXPECT_TRUE(tabs.canMakeTab());
    EXPECT_EQ(open(), 32767);
    EXPECT_FALSE(tabs.canMakeTab());
    EXPECT_EQ(open(), -1);
    EXPECT_EQ(tabs.count(), 3);
    EXPECT_EQ(tabs.stateString(), "start ID32767* ID32766");
}

TEST_F(TabSetModel, HistoryIsKeptPerTab)
{
    const qint16 a = open();
    EXPECT_TRUE(tabs.setHistory(a, platform::CSC_NAVIGATEBACK, true));
    EXPECT_FALSE(tabs.setHistory(a, platform::CSC_NAVIGATEBACK, true)) << "no change";
    EXPECT_FALSE(tabs.setHistory(a, 0x7, true)) << "other commands are not history";
    EXPECT_TRUE(tabs.history(a).canGoBack);
    EXPECT_FALSE(tabs.history(a).canGoForward);
    EXPECT_FALSE(tabs.history(0).canGoBack);
    EXPECT_FALSE(tabs.setHistory(99, platform::CSC_NAVIGATEBACK, true)) << "no such tab";
}

TEST(TabKeys, KeysAndNumbersMapBothWays)
{
    EXPECT_EQ(TabSet::indexOf(""), 0);
    EXPECT_EQ(TabSet::indexOf("ID7"), 7);
    EXPECT_EQ(TabSet::indexOf("ID32767"), 32767);
    for (const char *bad : {"ID40000", "IDx", "XX7", "ID-3", "7"})
        EXPECT_EQ(TabSet::indexOf(bad), 0) << bad;
    EXPECT_EQ(TabSet::keyOf(0), "");
    EXPECT_EQ(TabSet::keyOf(12), "ID12");
}
