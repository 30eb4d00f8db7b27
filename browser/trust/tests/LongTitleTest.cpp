// A page's megabyte title reaches no widget and no record whole.
#include "browser/frame/LabelControl.h"
#include "browser/startup/modSessionRecord.h"
#include "browser/tests/BrowserFixture.h"
#include "browser/window/TabStrip.h"
#include "platform/PageTitle.h"

#include "browser/window/AddressInput.h"
#include "browser/window/StatusBar.h"

#include "browser/app/SessionWindows.h"

#include <QEventLoop>
#include <QLabel>
#include <QTimer>

TEST_F(BrowserTest, AMegabyteTitleIsCutForEveryWidgetThatShowsIt)
{
    start();
    auto *tab = static_cast<platform::testing::FakeWebBrowser *>(form().modRecvNewWindow("http://long.test/"));
    ASSERT_TRUE(tab);
    tab->simulateNavigation(QStringLiteral("http://long.test/"), QString());
    const QString huge(1024 * 1024, QLatin1Char('t'));
    tab->simulateTitleChange(huge);

    // The window's own words around the title are a few dozen characters.
    const qsizetype bound = platform::kMaxTitleLength + 64;
    EXPECT_TRUE(form().windowTitle().startsWith(QStringLiteral("ttt")));
    EXPECT_LE(form().windowTitle().size(), bound);
    EXPECT_LE(form().ProgramTitleBar->text().size(), bound);
    EXPECT_LE(form().WebTabStrip->caption(TabSet::keyOf(1)).size(), bound);
    EXPECT_LE(form().ProgramStatusBar->ProgramStatusTextLabel->text().size(), bound);
    EXPECT_LE(form().WebAdressInputBar->text().size(), bound);
    SessionRecorder &recorder = app().windows().recorder();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!recorder.writePending())
            loop.quit();
    });
    poll.start(20);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_TRUE(modSessionRecord::exists(fake().environment()));
    const modSessionRecord::Record record = modSessionRecord::read(fake().environment());
    EXPECT_TRUE(record.title.startsWith(QStringLiteral("ttt")));
    EXPECT_LE(record.title.size(), platform::kMaxTitleLength);
}
