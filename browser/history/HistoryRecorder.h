#pragma once

#include <QObject>
#include <QSet>

#include <functional>

class HistoryStore;
class TabSet;
namespace platform {
class WebBrowser;
}

// Puts every committed visit of every tab into the history: the address and
// the time when the navigation commits, the title when the page names itself.
// The program's own pages (loading, error, new tab, ending, vorlen:) and
// addresses that are not pages of the web or files are not recorded.
class HistoryRecorder : public QObject
{
    Q_OBJECT
public:
    using Generated = std::function<bool(const QString &url)>;
    using Clock = std::function<qint64()>;

    HistoryRecorder(TabSet &tabs, HistoryStore &store, Generated generated, QObject *parent = nullptr);

    void setClock(Clock clock) { m_clock = std::move(clock); }
    // The next visit that commits in page was typed into the address box.
    void markTyped(platform::WebBrowser *page);
    bool recordable(const QString &url) const;

private:
    void watch(platform::WebBrowser *page);

    TabSet &m_tabs;
    HistoryStore &m_store;
    Generated m_generated;
    Clock m_clock;
    QSet<platform::WebBrowser *> m_typed;
};
