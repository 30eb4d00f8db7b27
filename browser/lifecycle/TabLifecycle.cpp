#include "TabLifecycle.h"

#include "browser/core/TabSet.h"
#include "browser/core/VorlenApp.h"
#include "platform/WebBrowser.h"

#include <QElapsedTimer>
#include <QPointer>

#include <memory>

namespace {

// A restored tab that has not loaded stands for its address without a page
// (or shows an "about:" page of its title alone); its loading is the
// session's business.
bool isPlaceholder(const platform::WebBrowser &page)
{
    if (page.isPending())
        return true;
    const QString url = page.LocationURL();
    return url.isEmpty() || url.startsWith(QLatin1String("about:"), Qt::CaseInsensitive);
}

} // namespace

TabLifecycle::TabLifecycle(VorlenApp &app, TabSet &tabs, QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_tabs(tabs)
{
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    m_clock = [elapsed] { return elapsed->elapsed(); };

    for (qint16 index : m_tabs.indices())
        m_watch[index].hiddenSince = m_clock();
    if (m_tabs.count() > 0)
        shown(m_tabs.CurrentTab());

    connect(&m_tabs, &TabSet::inserted, this, [this](qint16 index, int) {
        Watch &watch = m_watch[index];
        watch = Watch{};
        watch.hiddenSince = m_clock();
    });
    connect(&m_tabs, &TabSet::removed, this, [this](qint16 index, platform::WebBrowser *) {
        m_watch.remove(index);
        if (m_lastSelected == index)
            m_lastSelected = -1;
        if (m_shown == index)
            m_shown = -1;
    });
    connect(&m_tabs, &TabSet::currentChanged, this, &TabLifecycle::shown);

    connect(&m_timer, &QTimer::timeout, this, &TabLifecycle::check);
    m_timer.start(lifecycle::checkIntervalMs(lifecycle::readPeriods(m_app.environment())));
}

void TabLifecycle::shown(qint16 index)
{
    if (index == m_shown)
        return;
    if (m_shown >= 0 && m_tabs.contains(m_shown)) {
        m_watch[m_shown].hiddenSince = m_clock();
        m_lastSelected = m_shown;
    }
    if (m_lastSelected == index)
        m_lastSelected = -1;
    m_shown = index;
    Watch &watch = m_watch[index];
    watch.hiddenSince = -1;
    ++watch.shownCount;
    // What the user does on the page from now on is not known to the answer.
    watch.formAnswer = -1;
    // The engine wakes a page once its view shows; asking first starts a
    // discarded page's reload before the view is even laid out.
    platform::WebBrowser *page = m_tabs.page(index);
    if (page && page->lifecycleState() != platform::PageLifecycle::Active)
        page->setLifecycleState(platform::PageLifecycle::Active);
}

lifecycle::TabFacts TabLifecycle::facts(qint16 index, const Watch &watch, bool formEdited) const
{
    const platform::WebBrowser *page = m_tabs.page(index);
    lifecycle::TabFacts facts;
    facts.hiddenMs = watch.hiddenSince < 0 ? 0 : m_clock() - watch.hiddenSince;
    facts.current = index == m_tabs.CurrentTab();
    facts.lastSelected = index == m_lastSelected;
    facts.formEdited = formEdited;
    if (page) {
        facts.audible = page->recentlyAudible();
        facts.placeholder = isPlaceholder(*page);
        facts.state = page->lifecycleState();
        facts.recommended = page->recommendedState();
    }
    return facts;
}

void TabLifecycle::check()
{
    if (m_trimDue) {
        m_trimDue = false;
        m_app.platform().system.trimWorkingSet();
    }
    const lifecycle::Periods periods = lifecycle::readPeriods(m_app.environment());
    for (qint16 index : m_tabs.indices())
        apply(index, periods);
    const int interval = lifecycle::checkIntervalMs(periods);
    if (interval != m_timer.interval())
        m_timer.setInterval(interval);
}

void TabLifecycle::apply(qint16 index, const lifecycle::Periods &periods)
{
    platform::WebBrowser *page = m_tabs.page(index);
    if (!page)
        return;
    Watch &watch = m_watch[index];
    const platform::PageLifecycle now = page->lifecycleState();
    if (now != platform::PageLifecycle::Active) {
        // A frozen page answers no question: without an earlier answer it
        // counts as edited and stays frozen.
        const platform::PageLifecycle next = lifecycle::target(facts(index, watch, watch.formAnswer != 0), periods);
        if (next != now)
            moveTo(*page, next);
        return;
    }
    // Only a tab due to leave Active is asked about its form.
    if (lifecycle::target(facts(index, watch, false), periods) == platform::PageLifecycle::Active || watch.asking)
        return;
    watch.asking = true;
    QPointer<platform::WebBrowser> asked(page);
    const int shownCount = watch.shownCount;
    page->askFormEdited(this, [this, index, asked, periods, shownCount](bool edited) {
        auto it = m_watch.find(index);
        if (it == m_watch.end())
            return;
        it->asking = false;
        if (!asked || m_tabs.page(index) != asked.data())
            return;
        // Shown again while the question ran: the answer may be old.
        if (it->shownCount != shownCount || it->hiddenSince < 0)
            return;
        it->formAnswer = edited ? 1 : 0;
        if (asked->lifecycleState() != platform::PageLifecycle::Active)
            return;
        const platform::PageLifecycle next = lifecycle::target(facts(index, *it, edited), periods);
        if (next != platform::PageLifecycle::Active)
            moveTo(*asked, next);
    });
}

void TabLifecycle::moveTo(platform::WebBrowser &page, platform::PageLifecycle state)
{
    page.setLifecycleState(state);
    if (state == platform::PageLifecycle::Discarded)
        m_trimDue = true;
}

TabLifecycle &installTabLifecycle(VorlenApp &app, TabSet &tabs)
{
    return *new TabLifecycle(app, tabs, &tabs);
}
