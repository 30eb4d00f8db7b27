// Sites' notifications reach the notice, naming the site, while the relay lives.
#include "TempDir.h"
#include "browser/core/VorlenApp.h"
#include "browser/tests/FakeShell.h"
#include "browser/trust/NotificationRelay.h"
#include "platform/testing/FakePlatform.h"
#include "platform/testing/FakeWebBrowser.h"

#include <gtest/gtest.h>

TEST(NotificationRelay, ShowsASitesNotificationInTheNoticeUntilItGoes)
{
    TestFolder dir;
    platform::testing::FakePlatform fake(dir.path());
    FakeShell shell;
    VorlenApp app(fake.platform(), shell);
    auto relay = std::make_unique<NotificationRelay>(app, nullptr);

    ASSERT_TRUE(fake.browsers().simulateNotification({QStringLiteral("127.0.0.1"), QStringLiteral("새 편지"),
                                                      QStringLiteral("편지 한 통이 왔습니다.")}));
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls.at(0), QStringLiteral("notice 새 편지 | 127.0.0.1에서 보낸 알림입니다.\n편지 한 통이 왔습니다."));

    // The site's texts are cut to what a notice can show; a missing title gets one.
    shell.calls.clear();
    fake.browsers().simulateNotification({QStringLiteral("a.test"), QString(), QString(100000, QLatin1Char('x'))});
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_TRUE(shell.calls.at(0).startsWith(QStringLiteral("notice 웹 사이트 알림 | a.test에서")));
    EXPECT_LT(shell.calls.at(0).size(), 400);

    relay.reset();
    EXPECT_FALSE(fake.browsers().simulateNotification({QStringLiteral("a.test"), QStringLiteral("t"), QString()}));
}
