#pragma once

#include <QObject>
#include <QString>

#include <vector>

namespace platform {
class WebBrowser;
}

// The tabs of the main window, free of any widget: each tab's instance number,
// key and page, its back/forward state, the order of the tabs and the selection.
// Instance 0 is the start tab; further instances count up to 32767 and are
// never reused in one run. The tab strip and the window observe the signals.
//
// Positions are 1-based, as the handlers count them.
class TabSet : public QObject
{
    Q_OBJECT
public:
    static constexpr qint16 kMaxInstance = 32767;

    struct History
    {
        bool canGoBack = false;
        bool canGoForward = false;
    };

    explicit TabSet(QObject *parent = nullptr);

    // "" for the start tab, "ID" + number for the others.
    static QString keyOf(qint16 index);
    // The instance number of a key; 0 for anything that is not "ID" + a number.
    static qint16 indexOf(const QString &key);

    int count() const { return int(m_tabs.size()); }
    bool contains(qint16 index) const;
    // The highest instance number made so far.
    qint16 TabCounter() const { return m_counter; }
    bool canMakeTab() const { return m_counter < kMaxInstance; }

    // Adds the start tab (instance 0) at position 1 and selects it.
    void addStartTab(platform::WebBrowser *page);
    // Takes the next instance number; -1 when none is left.
    qint16 takeNextIndex();
    // Inserts a tab at a position (clamped to 1..count+1). The selection stays.
    void insert(int position, qint16 index, platform::WebBrowser *page);
    // Removes a tab; when it was selected, its right-hand neighbour (the
    // left-hand one for the rightmost tab) is selected.
    void remove(qint16 index);

    // The selected tab's instance number (CurrentTab); 0 when there is none.
    qint16 CurrentTab() const { return m_current; }
    int currentPosition() const { return positionOf(m_current); }
    void select(int position);
    void selectIndex(qint16 index);
    // Selects the tab step places to the right (left when negative), wrapping
    // around the ends; false when the selection stayed (a single tab).
    bool selectBeside(int step);

    int positionOf(qint16 index) const;  // 0 when there is no such tab
    qint16 indexAt(int position) const;  // -1 outside 1..count
    platform::WebBrowser *page(qint16 index) const;
    platform::WebBrowser *currentPage() const { return page(m_current); }
    std::vector<qint16> indices() const;  // in strip order
    // The instance number of a page, -1 for a page that is not a tab's.
    qint16 indexOfPage(const platform::WebBrowser *page) const;

    History history(qint16 index) const;
    // CommandStateChange of a tab's page; false when it changed nothing.
    bool setHistory(qint16 index, int command, bool enable);

    // The tabs in order, the start tab as "start" and the selected one marked
    // with "*": "start* ID1 ID3".
    QString stateString() const;

Q_SIGNALS:
    void inserted(qint16 index, int position);
    // The page is no longer the tab's; the observer that made it deletes it.
    void removed(qint16 index, platform::WebBrowser *page);
    void currentChanged(qint16 index);

private:
    struct Tab
    {
        qint16 index;
        platform::WebBrowser *page;
        History history;
    };
    const Tab *find(qint16 index) const;

    std::vector<Tab> m_tabs;
    qint16 m_counter = 0;
    qint16 m_current = 0;
};
