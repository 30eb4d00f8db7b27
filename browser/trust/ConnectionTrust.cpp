#include "ConnectionTrust.h"

#include "browser/core/TabSet.h"
#include "platform/WebBrowser.h"

#include <QWidget>

namespace {

constexpr char kUnsafeToolTip[] = "이 사이트의 보안 인증서를 신뢰할 수 없습니다.";

} // namespace

ConnectionTrust::ConnectionTrust(TabSet &tabs, std::function<void(int)> setPicture, QWidget *icon)
    : QObject(&tabs)
    , m_tabs(tabs)
    , m_setPicture(std::move(setPicture))
    , m_icon(icon)
{
    // The start tab is there before anyone can listen to inserted.
    for (qint16 index : m_tabs.indices())
        watch(m_tabs.page(index));
    connect(&m_tabs, &TabSet::inserted, this, [this](qint16 index, int) { watch(m_tabs.page(index)); });
    connect(&m_tabs, &TabSet::currentChanged, this, [this](qint16) { show(); });
    // The page of a closed tab is gone by now (its maker deletes it first);
    // its connections went with it.
    connect(&m_tabs, &TabSet::removed, this, [this](qint16, platform::WebBrowser *) { show(); });
    show();
}

void ConnectionTrust::watch(platform::WebBrowser *page)
{
    if (!page)
        return;
    using W = platform::WebBrowser;
    // Every event after which the window sets the picture, of any tab (a
    // background tab's load sets it as well).
    connect(page, &W::SecurityStateChange, this, [this](bool) { show(); });
    connect(page, &W::BeforeNavigate2, this, [this](const QString &) { show(); });
    connect(page, &W::DownloadBegin, this, [this] { show(); });
    connect(page, &W::DownloadComplete, this, [this] { show(); });
    connect(page, &W::NavigateComplete2, this, [this](const QString &) { show(); });
    connect(page, &W::DocumentComplete, this, [this](const QString &) { show(); });
    connect(page, &W::NavigateError, this, [this](const QString &, int) { show(); });
}

void ConnectionTrust::show()
{
    const platform::WebBrowser *page = m_tabs.currentPage();
    if (page && page->isUnsafe()) {
        m_showing = true;
        m_setPicture(kUnsafePicture);
        if (m_icon)
            m_icon->setToolTip(QString::fromUtf8(kUnsafeToolTip));
        return;
    }
    if (!m_showing)
        return;
    // The warning goes; the picture tells what the page does now.
    m_showing = false;
    m_setPicture(page && page->Busy() ? kLoadingPicture : kDonePicture);
    if (m_icon)
        m_icon->setToolTip(QString());
}
