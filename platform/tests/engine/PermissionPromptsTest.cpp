// Sites asking for features: the bar in the page, decisions kept per site, on
// the real engine with a server of the test's own on 127.0.0.1.
#include "EngineHarness.h"
#include "LocalServer.h"
#include "platform/SitePermissions.h"
#include "platform/linux/QtWebPermissionBar.h"
#include "platform/linux/QtWebPermissionPrompts.h"

#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace enginetest;
using platform::QtWebBrowser;
using platform::SiteDecision;
using platform::SiteFeature;

namespace {

constexpr char kPage[] = "<html><head><title>asks</title></head><body>p</body></html>";

class PermissionPrompts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.listening());
        server.setPage("ask.html", kPage);
        engine.factory->setNotificationSink([this](const platform::SiteNotification &n) {
            notifications << n.site + QLatin1Char('|') + n.title + QLatin1Char('|') + n.message;
        });
        browser = engine.create();
        ASSERT_TRUE(navigateAndWait(browser, server.url("ask.html")));
    }
    platform::QtWebPermissionBar *bar() { return browser->permissionBar(); }
    bool barAsks(const QString &question)
    {
        return waitUntil([&] { return bar()->isVisible() && bar()->question() == question; });
    }
    // Runs script in the page; its outcome lands in window.outcome.
    void run(const QString &script) { runJs(browser->page(), script); }
    QString outcome() { return runJs(browser->page(), "String(window.outcome)").toString(); }
    bool outcomeIs(const QString &expected)
    {
        return waitUntil([&] { return outcome() == expected; });
    }
    QString origin() const { return server.origin(); }

    LocalServer server;
    Engine engine;
    QtWebBrowser *browser = nullptr;
    QStringList notifications;
};

} // namespace

TEST_F(PermissionPrompts, NotificationsAskNameTheSiteAndWhenAllowedReachTheNotice)
{
    run("window.outcome = 'waiting'; Notification.requestPermission().then(p => window.outcome = p);");
    ASSERT_TRUE(barAsks(QStringLiteral("127.0.0.1에서 알림 사용 권한을 요청합니다.")));
    EXPECT_EQ(bar()->allowButton()->text(), QStringLiteral("허용"));
    EXPECT_EQ(bar()->blockButton()->text(), QStringLiteral("차단"));
    EXPECT_EQ(bar()->onceButton()->text(), QStringLiteral("이번만 허용"));
    EXPECT_EQ(bar()->geometry().top(), 0);
    EXPECT_EQ(bar()->width(), browser->widget()->width());
    bar()->allowButton()->click();
    ASSERT_TRUE(outcomeIs("granted"));
    EXPECT_FALSE(bar()->isVisible());
    EXPECT_EQ(engine.factory->sitePermissions()->decision(origin(), SiteFeature::Notifications), SiteDecision::Allow);

    run("new Notification('새 편지', {body: '한 통이 왔습니다.'});");
    ASSERT_TRUE(waitUntil([&] { return !notifications.isEmpty(); }));
    EXPECT_EQ(notifications.first(), QStringLiteral("127.0.0.1|새 편지|한 통이 왔습니다."));

    // A page notifying in a loop gets a few through.
    run("for (let i = 0; i < 200; ++i) new Notification('n' + i);");
    settle(1000);
    EXPECT_LE(notifications.size(), 1 + platform::QtWebBrowserFactory::kNotificationsPerMinute);
}

TEST_F(PermissionPrompts, ABlockedSiteIsRefusedFromThenOnWithoutAsking)
{
    run("window.outcome = 'waiting'; navigator.geolocation.getCurrentPosition("
        "() => window.outcome = 'position', e => window.outcome = 'error ' + e.code);");
    ASSERT_TRUE(barAsks(QStringLiteral("127.0.0.1에서 위치 정보 사용 권한을 요청합니다.")));
    bar()->blockButton()->click();
    ASSERT_TRUE(outcomeIs("error 1"));

    // Another tab, another page of the site: the decision holds without a word.
    QtWebBrowser *other = engine.create();
    ASSERT_TRUE(navigateAndWait(other, server.url("ask.html")));
    runJs(other->page(), "window.outcome = 'waiting'; navigator.geolocation.getCurrentPosition("
                         "() => window.outcome = 'position', e => window.outcome = 'error ' + e.code);");
    EXPECT_TRUE(waitUntil([&] { return runJs(other->page(), "String(window.outcome)").toString() == "error 1"; }));
    EXPECT_FALSE(other->permissionBar()->isVisible());
}

TEST_F(PermissionPrompts, OnceAllowsWithoutRemembering)
{
    run("window.outcome = 'waiting'; Notification.requestPermission().then(p => window.outcome = p);");
    ASSERT_TRUE(barAsks(QStringLiteral("127.0.0.1에서 알림 사용 권한을 요청합니다.")));
    bar()->onceButton()->click();
    ASSERT_TRUE(outcomeIs("granted"));
    EXPECT_EQ(engine.factory->sitePermissions()->decision(origin(), SiteFeature::Notifications), SiteDecision::Ask);
    EXPECT_FALSE(engine.factory->sitePermissions()->hasDecisions(origin()));

    // The next document of the site asks again.
    ASSERT_TRUE(navigateAndWait(browser, server.url("ask.html")));
    run("window.outcome = 'waiting'; Notification.requestPermission().then(p => window.outcome = p);");
    EXPECT_TRUE(barAsks(QStringLiteral("127.0.0.1에서 알림 사용 권한을 요청합니다.")));
}

TEST_F(PermissionPrompts, AFloodOfRequestsGetsOneQuestionAtATime)
{
    run("window.outcome = 'waiting'; let answers = [];"
        "for (let i = 0; i < 50; ++i) Notification.requestPermission().then(p => answers.push(p));"
        "navigator.geolocation.getCurrentPosition(() => {}, () => {});"
        "window.answers = answers;");
    ASSERT_TRUE(barAsks(QStringLiteral("127.0.0.1에서 알림 사용 권한을 요청합니다.")));
    EXPECT_LE(browser->pendingPermissionRequests(), platform::QtWebPermissionPrompts::kMaxWaiting);
    // One bar, whatever was asked.
    EXPECT_EQ(browser->widget()->findChildren<platform::QtWebPermissionBar *>().size(), 1);
    bar()->blockButton()->click();
    // The next question takes the bar's place.
    EXPECT_TRUE(barAsks(QStringLiteral("127.0.0.1에서 위치 정보 사용 권한을 요청합니다.")));
    bar()->blockButton()->click();
    EXPECT_TRUE(waitUntil([&] { return !bar()->isVisible(); }));
}

TEST_F(PermissionPrompts, TheContextMenuClearsTheSitesDecisions)
{
    QMenu before;
    browser->addSiteActions(&before);
    QAction *clear = before.findChild<QAction *>(QStringLiteral("ClearSitePermissions"));
    ASSERT_TRUE(clear);
    EXPECT_EQ(clear->text(), QStringLiteral("이 사이트의 권한 설정 지우기"));
    EXPECT_FALSE(clear->isEnabled());

    run("Notification.requestPermission().then(p => window.outcome = p);");
    ASSERT_TRUE(barAsks(QStringLiteral("127.0.0.1에서 알림 사용 권한을 요청합니다.")));
    bar()->blockButton()->click();
    ASSERT_TRUE(outcomeIs("denied"));

    QMenu after;
    browser->addSiteActions(&after);
    clear = after.findChild<QAction *>(QStringLiteral("ClearSitePermissions"));
    ASSERT_TRUE(clear && clear->isEnabled());
    clear->trigger();
    EXPECT_FALSE(engine.factory->sitePermissions()->hasDecisions(origin()));

    // The site is asked again on its next document.
    ASSERT_TRUE(navigateAndWait(browser, server.url("ask.html")));
    run("window.outcome = 'waiting'; Notification.requestPermission().then(p => window.outcome = p);");
    EXPECT_TRUE(barAsks(QStringLiteral("127.0.0.1에서 알림 사용 권한을 요청합니다.")));
}

TEST_F(PermissionPrompts, DecisionsOutliveTheProgramInTheProfile)
{
    run("Notification.requestPermission().then(p => window.outcome = p);");
    ASSERT_TRUE(barAsks(QStringLiteral("127.0.0.1에서 알림 사용 권한을 요청합니다.")));
    bar()->allowButton()->click();
    ASSERT_TRUE(outcomeIs("granted"));
    const QString file = engine.factory->sitePermissions()->path();
    EXPECT_TRUE(file.startsWith(engine.factory->storageFolder()));
    platform::SitePermissions reread(file);
    EXPECT_EQ(reread.decision(origin(), SiteFeature::Notifications), SiteDecision::Allow);
}

TEST_F(PermissionPrompts, PagesCannotReadTheClipboard)
{
    run("window.outcome = 'waiting'; navigator.clipboard.readText()"
        ".then(t => window.outcome = 'read', e => window.outcome = 'refused');");
    EXPECT_TRUE(outcomeIs("refused"));
    EXPECT_EQ(runJs(browser->page(), "document.execCommand('paste')").toBool(), false);
    EXPECT_FALSE(bar()->isVisible());
}
