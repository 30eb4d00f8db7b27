#include "HistoryRecorder.h"

#include "HistoryStore.h"
#include "browser/core/TabSet.h"
#include "platform/WebBrowser.h"

#include <QDateTime>
#include <QUrl>

HistoryRecorder::HistoryRecorder(TabSet &tabs, HistoryStore &store, Generated generated, QObject *parent)
    : QObject(parent)
    , m_tabs(tabs)
    , m_store(store)
    , m_generated(std::move(generated))
    , m_clock([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    for (qint16 index : m_tabs.indices())
        watch(m_tabs.page(index));
    connect(&m_tabs, &TabSet::inserted, this, [this](qint16 index, int) { watch(m_tabs.page(index)); });
    connect(&m_tabs, &TabSet::removed, this, [this](qint16, platform::WebBrowser *page) { m_typed.remove(page); });
}

bool HistoryRecorder::recordable(const QString &url) const
{
    const QString trimmed = url.trimmed();
    if (trimmed.isEmpty() || (m_generated && m_generated(trimmed)))
        return false;
    const QString scheme = QUrl(trimmed).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("file")
        || scheme == QLatin1String("ftp");
}

void HistoryRecorder::markTyped(platform::WebBrowser *page)
{
    if (page)
        m_typed.insert(page);
}

void HistoryRecorder::watch(platform::WebBrowser *page)
{
    if (!page)
        return;
    connect(page, &platform::WebBrowser::NavigateComplete2, this, [this, page](const QString &url) {
        const bool typed = m_typed.remove(page);
        const QString at = page->LocationURL().isEmpty() ? url : page->LocationURL();
        if (!recordable(at))
            return;
        m_store.add(Visit{0, at, page->DocumentTitle(), m_clock(), typed});
    });
    connect(page, &platform::WebBrowser::TitleChange, this, [this, page](const QString &) {
        const QString at = page->LocationURL();
        if (recordable(at))
            m_store.retitle(at, page->DocumentTitle());
    });
    connect(page, &QObject::destroyed, this, [this, page] { m_typed.remove(page); });
}
