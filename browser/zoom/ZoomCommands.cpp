#include "ZoomCommands.h"

#include "ZoomLadder.h"
#include "ZoomStore.h"
#include "browser/core/TabSet.h"
#include "browser/core/VorlenApp.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "platform/WebBrowser.h"

#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace {

constexpr int kNoticeMs = 2000;

class Zoom : public QObject
{
public:
    Zoom(VorlenApp &app, const ZoomTargets &targets)
        : QObject(&targets.tabs)
        , m_app(app)
        , m_tabs(targets.tabs)
        , m_statusText(&targets.statusText)
    {
        connect(&m_tabs, &TabSet::inserted, this, [this](qint16 index) { follow(m_tabs.page(index)); });
        for (qint16 index : m_tabs.indices())
            follow(m_tabs.page(index));
        m_noticeTimer.setSingleShot(true);
        connect(&m_noticeTimer, &QTimer::timeout, this, &Zoom::endNotice);
    }

    void step(int direction)
    {
        platform::WebBrowser *page = m_tabs.currentPage();
        if (!page)
            return;
        const int now = zoomLadder::percentOf(page->zoomFactor());
        const int next = direction == 0 ? defaultLevel() : zoomLadder::step(now, direction);
        page->setZoomFactor(next / 100.0);
        const QString site = ZoomStore::siteOf(page->LocationURL());
        bool kept = true;
        if (!site.isEmpty()) {
            // The default needs no line of its own: it follows the setting.
            kept = store().setLevel(site, next == defaultLevel() ? 0 : next);
            for (qint16 index : m_tabs.indices()) {
                platform::WebBrowser *other = m_tabs.page(index);
                if (other && other != page && ZoomStore::siteOf(other->LocationURL()) == site)
                    other->setZoomFactor(next / 100.0);
            }
        }
        showNotice(kept ? zoomLadder::noticeText(next)
                        : zoomLadder::noticeText(next) + QStringLiteral(" (이 수준을 저장하지 못했습니다.)"));
    }

private:
    ZoomStore store() const
    {
        return ZoomStore(QDir(platform::folders::profileFolder(m_app.environment())).filePath(QStringLiteral("Zoom.txt")));
    }

    int defaultLevel() const
    {
        const int value = platform::setting::int16(m_app.environment(), settings::Key::DefaultZoomValue);
        return value >= zoomLadder::kMinimum && value <= zoomLadder::kMaximum ? value : zoomLadder::kNormal;
    }

    void follow(platform::WebBrowser *page)
    {
        if (!page)
            return;
        // The engine may reset the zoom on a new document: the level goes on
        // again once the page has arrived, and when its address commits.
        QPointer<platform::WebBrowser> guard(page);
        auto apply = [this, guard] {
            if (guard)
                applyTo(*guard);
        };
        connect(page, &platform::WebBrowser::NavigateComplete2, this, apply);
        connect(page, &platform::WebBrowser::DocumentComplete, this, apply);
        applyTo(*page);
    }

    void applyTo(platform::WebBrowser &page)
    {
        const QString site = ZoomStore::siteOf(page.LocationURL());
        const int kept = store().level(site);
        const int level = kept > 0 ? kept : defaultLevel();
        if (zoomLadder::percentOf(page.zoomFactor()) != level)
            page.setZoomFactor(level / 100.0);
    }

    void showNotice(const QString &text)
    {
        if (!m_statusText)
            return;
        if (!m_noticeTimer.isActive())
            m_before = m_statusText->text();
        m_notice = text;
        m_statusText->setText(text);
        m_noticeTimer.start(kNoticeMs);
    }

    void endNotice()
    {
        // What the page put there meanwhile stays.
        if (m_statusText && m_statusText->text() == m_notice)
            m_statusText->setText(m_before);
    }

    VorlenApp &m_app;
    TabSet &m_tabs;
    QPointer<QLabel> m_statusText;
    QTimer m_noticeTimer;
    QString m_before;
    QString m_notice;
};

} // namespace

void installZoomCommands(VorlenApp &app, const ZoomTargets &targets)
{
    auto *zoom = new Zoom(app, targets);
    QPointer<Zoom> guard(zoom);
    Commands &commands = app.commands();
    commands.define(Command::ZoomIn, [guard] {
        if (guard)
            guard->step(+1);
    });
    commands.define(Command::ZoomOut, [guard] {
        if (guard)
            guard->step(-1);
    });
    commands.define(Command::ZoomReset, [guard] {
        if (guard)
            guard->step(0);
    });
}
