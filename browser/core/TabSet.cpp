#include "TabSet.h"

#include "platform/WebBrowser.h"

#include <QStringList>

#include <algorithm>

TabSet::TabSet(QObject *parent)
    : QObject(parent)
{
}

QString TabSet::keyOf(qint16 index)
{
    return index == 0 ? QString() : QStringLiteral("ID%1").arg(index);
}

qint16 TabSet::indexOf(const QString &key)
{
    if (key.isEmpty() || !key.startsWith(QLatin1String("ID")))
        return 0;
    bool ok = false;
    const int value = key.mid(2).toInt(&ok);
    if (!ok || value < 0 || value > kMaxInstance)
        return 0;
    return static_cast<qint16>(value);
}

const TabSet::Tab *TabSet::find(qint16 index) const
{
    auto it = std::find_if(m_tabs.begin(), m_tabs.end(), [index](const Tab &t) { return t.index == index; });
    return it == m_tabs.end() ? nullptr : &*it;
}

bool TabSet::contains(qint16 index) const
{
    return find(index) != nullptr;
}

void TabSet::addStartTab(platform::WebBrowser *page)
{
    if (contains(0))
        return;
    m_tabs.insert(m_tabs.begin(), Tab{0, page, {}});
    Q_EMIT inserted(0, 1);
    selectIndex(0);
}

qint16 TabSet::takeNextIndex()
{
    if (!canMakeTab())
        return -1;
    return ++m_counter;
}

void TabSet::insert(int position, qint16 index, platform::WebBrowser *page)
{
    if (contains(index) || index < 0)
        return;
    position = std::clamp(position, 1, count() + 1);
    m_tabs.insert(m_tabs.begin() + (position - 1), Tab{index, page, {}});
    m_counter = std::max(m_counter, index);
    Q_EMIT inserted(index, position);
}

void TabSet::remove(qint16 index)
{
    const int position = positionOf(index);
    if (position == 0)
        return;
    const bool wasCurrent = index == m_current;
    platform::WebBrowser *page = m_tabs[position - 1].page;
    m_tabs.erase(m_tabs.begin() + (position - 1));
    Q_EMIT removed(index, page);
    if (wasCurrent && !m_tabs.empty()) {
        const int next = std::min(position, count());
        m_current = -1;
        select(next);
    }
}

void TabSet::select(int position)
{
    if (position < 1 || position > count())
        return;
    const qint16 index = m_tabs[position - 1].index;
    if (index == m_current)
        return;
    m_current = index;
    Q_EMIT currentChanged(index);
}

bool TabSet::selectBeside(int step)
{
    const int n = count();
    if (n == 0)
        return false;
    const int position = ((currentPosition() - 1 + step) % n + n) % n + 1;
    const qint16 before = m_current;
    select(position);
    return m_current != before;
}

void TabSet::selectIndex(qint16 index)
{
    select(positionOf(index));
}

int TabSet::positionOf(qint16 index) const
{
    for (size_t i = 0; i < m_tabs.size(); ++i) {
        if (m_tabs[i].index == index)
            return int(i) + 1;
    }
    return 0;
}

qint16 TabSet::indexAt(int position) const
{
    if (position < 1 || position > count())
        return -1;
    return m_tabs[position - 1].index;
}

platform::WebBrowser *TabSet::page(qint16 index) const
{
    const Tab *tab = find(index);
    return tab ? tab->page : nullptr;
}

std::vector<qint16> TabSet::indices() const
{
    std::vector<qint16> out;
    out.reserve(m_tabs.size());
    for (const Tab &t : m_tabs)
        out.push_back(t.index);
    return out;
}

qint16 TabSet::indexOfPage(const platform::WebBrowser *page) const
{
    for (const Tab &t : m_tabs) {
        if (t.page == page)
            return t.index;
    }
    return -1;
}

TabSet::History TabSet::history(qint16 index) const
{
    const Tab *tab = find(index);
    return tab ? tab->history : History{};
}

bool TabSet::setHistory(qint16 index, int command, bool enable)
{
    auto it = std::find_if(m_tabs.begin(), m_tabs.end(), [index](const Tab &t) { return t.index == index; });
    if (it == m_tabs.end())
        return false;
    bool *flag = nullptr;
    if (command == platform::CSC_NAVIGATEBACK)
        flag = &it->history.canGoBack;
    else if (command == platform::CSC_NAVIGATEFORWARD)
        flag = &it->history.canGoForward;
    if (!flag || *flag == enable)
        return false;
    *flag = enable;
    return true;
}

QString TabSet::stateString() const
{
    QStringList parts;
    for (const Tab &t : m_tabs) {
        QString key = t.index == 0 ? QStringLiteral("start") : keyOf(t.index);
        if (t.index == m_current)
            key += QLatin1Char('*');
        parts << key;
    }
    return parts.join(QLatin1Char(' '));
}
