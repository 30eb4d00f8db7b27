// The recovery page on the real engine: a hostile title is shown as text, and
// its restore button brings the checked tabs back.
#include "RealBrowserFixture.h"

#include "browser/sessions/RecoveryPage.h"
#include "browser/sessions/RestoreRecord.h"
#include "browser/sessions/SessionFile.h"
#include "browser/sessions/SessionKeeper.h"

#include <QDateTime>

using enginetest::runJs;
using enginetest::waitUntil;

TEST_F(RealBrowserTest, TheRecoveryPageShowsAHostileTitleAsTextAndItsRestoreButtonActs)
{
    const QString folder = platform::folders::profileFolder(fake.environment());
    const QString hostile = QStringLiteral("<img src=x onerror=\"document.title='pwned'\"><script>document.title='pwned'</script>");
    sessionFile::Session saved;
    saved.tabs = {{page("a.html", "<title>A</title>A"), hostile, {}},
                  {page("b.html", "<title>B</title>B"), QStringLiteral("B"), {}},
                  {page("c.html", "<title>C</title>C"), QStringLiteral("C"), {}}};
    ASSERT_TRUE(sessionFile::write(folder, saved));
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    ASSERT_TRUE(restoreRecord::write(folder, {{now - 9000, now - 8000, false}, {now - 5000, now - 4000, false}}));
    platform::setting::write(fake.environment(), settings::Key::SessionRestoreValue, "2");
    fake.registry().setStartPage(page("start.html", "<title>start</title>start"));

    app = std::make_unique<BrowserAssembly>(context);
    modSubMain::Start(*app);
    const QString recovery = QUrl::fromLocalFile(recoveryPage::filePath(fake.environment().tempFolder())).toString();
    ASSERT_TRUE(waitUntil([&] { return form().browser(0)->LocationURL() == recovery && !form().browser(0)->Busy(); }))
        << form().browser(0)->LocationURL().toStdString();
    EXPECT_EQ(form().browser(0)->DocumentTitle(), "탭 복구");
    QWebEnginePage *engine0 = engine(0)->page();
    EXPECT_EQ(runJs(engine0, "document.querySelectorAll('tr').length").toInt(), 3);
    EXPECT_EQ(runJs(engine0, "document.querySelectorAll('img, body script').length").toInt(), 0);
    EXPECT_EQ(runJs(engine0, "document.querySelector('label').textContent").toString(), hostile);

    // B is left out; the button submits the checked places.
    runJs(engine0, "document.getElementById('tab1').checked = false;"
                   "document.querySelector('button:not(.fresh)').click(); true");
    ASSERT_TRUE(waitUntil([&] { return form().tabs().count() == 2 && form().browser(0)->LocationURL() == saved.tabs.at(0).url; }))
        << form().tabs().count() << " " << form().browser(0)->LocationURL().toStdString();
    SessionKeeper *keeper = app->sessions();
    EXPECT_FALSE(keeper->recoveryPending());
    ASSERT_EQ(keeper->closedTabs().size(), 1);
    EXPECT_EQ(keeper->closedTabs().at(0).tab.url, saved.tabs.at(1).url);
    EXPECT_NE(form().browser(0)->DocumentTitle(), "pwned");

    // C waits: it stands for its address and title, and the engine has loaded nothing for it.
    EXPECT_EQ(form().browser(1)->LocationURL(), saved.tabs.at(2).url);
    EXPECT_EQ(form().browser(1)->DocumentTitle(), "C");
    EXPECT_NE(engine(1)->page()->url().toString(), saved.tabs.at(2).url);
    form().tabs().select(2);
    EXPECT_TRUE(waitUntil([&] { return engine(1)->page()->url().toString() == saved.tabs.at(2).url; }))
        << "selected, it loads";
}
