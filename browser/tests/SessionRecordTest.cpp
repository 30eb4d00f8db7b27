// The session record kept while the browser runs, and the recovery at the
// next start after a run that did not end cleanly.
#include "BrowserFixture.h"

#include "browser/app/SessionWindows.h"
#include "browser/startup/modLocalPages.h"
#include "browser/startup/frmRestoria.h"
#include "browser/tools/frmNotice.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/Settings.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using K = settings::Key;
namespace record = modSessionRecord;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Lets the recorder's pending write run.
void waitForPendingWrite(SessionRecorder &recorder)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!recorder.writePending())
            loop.quit();
    });
    poll.start(20);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

TEST_F(BrowserTest, TitleChangeRecordsTheSelectedTabsTitleAndAddress)
{
    start();
    auto *first = page(0);
    first->setLocationURL("http://one.example/");
    first->simulateTitleChange("첫 문서");
    ASSERT_TRUE(record::exists(fake().environment()));
    record::Record r = record::read(fake().environment());
    EXPECT_EQ(r.title, "첫 문서");
    EXPECT_EQ(r.url, "http://one.example/");
    EXPECT_FALSE(r.date.isEmpty());
    const QByteArray bytes = fileBytes(record::recordPath(fake().environment()));
    EXPECT_TRUE(bytes.startsWith("[Vorlen Temp Tab Info]\r\nDate="));
    EXPECT_TRUE(bytes.contains("\r\nTemp Tab Title=첫 문서\r\nTemp Tab URL=http://one.example/\r\n"));
}

TEST_F(BrowserTest, ABackgroundTitleChangeNeverPairsItsTitleWithTheSelectedAddress)
{
    start();
    page(0)->setLocationURL("http://selected.example/");
    page(0)->setDocumentTitle("보이는 문서");
    form().modRecvNewWindow("http://background.example/");
    clickTab(1); // the start tab is selected again; ID1 lies in the background
    ASSERT_EQ(tabs(), "start* ID1");
    page(1)->setLocationURL("http://background.example/");
    page(1)->simulateTitleChange("숨은 문서");
    waitForPendingWrite(app().windows().recorder());
    const record::Record r = record::read(fake().environment());
    EXPECT_EQ(r.url, "http://selected.example/");
    EXPECT_EQ(r.title, "보이는 문서") << "the title of the same tab as the address";
}

TEST_F(BrowserTest, ManyTitleChangesWriteAboutOnceASecondAndKeepTheLastTitle)
{
    start();
    SessionRecorder &recorder = app().windows().recorder();
    page(0)->setLocationURL("http://busy.example/");
    const int before = recorder.writes();
    for (int i = 0; i < 50; ++i)
        page(0)->simulateTitleChange(QStringLiteral("제목 %1").arg(i));
    EXPECT_EQ(recorder.writes() - before, 1) << "the first change writes, the rest wait";
    EXPECT_TRUE(recorder.writePending());
    waitForPendingWrite(recorder);
    EXPECT_EQ(recorder.writes() - before, 2);
    EXPECT_EQ(record::read(fake().environment()).title, "제목 49");
}

TEST_F(BrowserTest, ACleanExitLeavesNoRecordEvenWithAWritePending)
{
    start();
    SessionRecorder &recorder = app().windows().recorder();
    page(0)->simulateTitleChange("하나");
    page(0)->simulateTitleChange("둘");
    ASSERT_TRUE(recorder.writePending());
    form().close();
    ASSERT_TRUE(app().ended());
    EXPECT_FALSE(record::exists(fake().environment()));
    QTest::qWait(SessionRecorder::kMinIntervalMs + 200);
    EXPECT_FALSE(record::exists(fake().environment())) << "no write after the record was cleared";

    m_app.reset();
    start();
    EXPECT_EQ(app().windows().restoria(), nullptr);
    EXPECT_TRUE(form().isVisible());
}

TEST_F(BrowserTest, TheRecordReadsWholeBesideAWriteThatWasKilled)
{
    const auto &env = fake().environment();
    ASSERT_TRUE(record::write(env, {"2026-01-02 오후 3:04:05", "온전한 제목", "http://whole.example/"}));
    // What a writer killed before its rename leaves: a part of a new record
    // beside the old one.
    const QString leftover = platform::folders::profileTempFolder(env) + "/.lastdocinfo.sfm.tmp-999999-0001";
    QFile part(leftover);
    ASSERT_TRUE(part.open(QIODevice::WriteOnly));
    part.write("[Vorlen Temp Tab Info]\r\nDate=2026-01-02 오후 3:04:06\r\nTemp Tab Title=반쪽");
    part.close();
    const record::Record r = record::read(env);
    EXPECT_EQ(r.title, "온전한 제목");
    EXPECT_EQ(r.url, "http://whole.example/");
    EXPECT_EQ(r.date, "2026-01-02 오후 3:04:05");
    // Line breaks in a title cannot split the record.
    ASSERT_TRUE(record::write(env, {"d", "둘째\r\n[Other]\nTemp Tab URL=http://evil/", "http://right.example/"}));
    EXPECT_EQ(record::read(env).url, "http://right.example/");
}

class RecoveryTest : public BrowserTest
{
protected:
    void leaveRecord()
    {
        ASSERT_TRUE(record::write(fake().environment(),
                                  {"2026-01-02 오후 3:04:05", "남은 문서", "http://left.example/page"}));
    }
};

TEST_F(RecoveryTest, AskingWizardShowsTheRecordAndYesOpensItRightOfTheStartTab)
{
    setSetting(K::RestoriaValue, "1");
    leaveRecord();
    start();
    frmRestoria *wizard = app().windows().restoria();
    ASSERT_NE(wizard, nullptr);
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(wizard->windowTitle(), " Restoria™ 문서 복구 마법사");
    EXPECT_EQ(wizard->lblProgramLastTabDate->text(), "2026-01-02 오후 3:04:05");
    EXPECT_EQ(wizard->lblProgramLastTabTitle->text(), "남은 문서");
    EXPECT_EQ(wizard->lblProgramLastTabURL->text(), "http://left.example/page");
    EXPECT_FALSE(app().hasMainForm() && form().isVisible()) << "the main window waits";

    QTest::mouseClick(wizard->cmdYes, Qt::LeftButton);
    EXPECT_EQ(tabs(), "start ID1*");
    EXPECT_EQ(page(1)->navigated().value(0), "http://left.example/page");
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(form().isEnabled());
    EXPECT_EQ(platform::setting::text(fake().environment(), K::RestoriaValue), "1");
}

TEST_F(RecoveryTest, TheCheckBoxStoresTwoWithYesAndZeroWithNo)
{
    struct Case
    {
        const char *button;
        bool checked;
        const char *stored;
        const char *tabs;
    };
    const Case cases[] = {
        {"cmdYes", true, "2", "start ID1*"},
        {"cmdCancel", true, "0", "start*"},
        {"cmdCancel", false, "1", "start*"},
    };
    for (const Case &c : cases) {
        m_app.reset();
        setSetting(K::RestoriaValue, "1");
        leaveRecord();
        start();
        frmRestoria *wizard = app().windows().restoria();
        ASSERT_NE(wizard, nullptr);
        wizard->chkRestoriaAutoRecover->setChecked(c.checked);
        QTest::mouseClick(wizard->findChild<QPushButton *>(c.button), Qt::LeftButton);
        EXPECT_EQ(platform::setting::text(fake().environment(), K::RestoriaValue), c.stored) << c.button;
        EXPECT_EQ(tabs(), c.tabs) << c.button;
        EXPECT_TRUE(form().isEnabled());
    }
}

TEST_F(RecoveryTest, ValueTwoRecoversWithoutAskingAndTellsSo)
{
    setSetting(K::RestoriaValue, "2");
    leaveRecord();
    start();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(app().windows().restoria(), nullptr) << "no wizard";
    EXPECT_EQ(tabs(), "start ID1*");
    EXPECT_EQ(page(1)->navigated().value(0), "http://left.example/page");
    frmNotice *notice = app().windows().notice();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->lblNoticeTitle->text(), "문서 복구");
    EXPECT_EQ(notice->lblNoticeContents->text(), "마지막으로 탐색 중이던 문서가 복구 되었습니다.");
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(form().isEnabled());
}

TEST_F(RecoveryTest, ValueZeroAnnouncesNothingWasRecovered)
{
    setSetting(K::RestoriaValue, "0");
    leaveRecord();
    start();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(app().windows().restoria(), nullptr);
    EXPECT_EQ(tabs(), "start*");
    frmNotice *notice = app().windows().notice();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->lblNoticeTitle->text(), "문서 복구 안함");
    EXPECT_EQ(notice->lblNoticeContents->text(), "마지막으로 탐색 중이던 문서가 복구 되지 않았습니다.");
    EXPECT_TRUE(form().isVisible());
}

TEST_F(RecoveryTest, AWrongValueIsReportedAndTheStartGoesOn)
{
    setSetting(K::RestoriaValue, "7");
    leaveRecord();
    start();
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    const auto box = fake().dialogs().messageBoxes().first();
    EXPECT_EQ(box.title, "Restoria™ 관리자");
    EXPECT_EQ(box.text, "Restoria™ 설정이 잘못 되었습니다.\n확인 후 다시 시도 하십시오.");
    EXPECT_EQ(box.icon, platform::MsgIcon::Critical);
    EXPECT_EQ(tabs(), "start*");
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(form().isEnabled());
}

TEST(RecordedAddress, OnlyAddressesTheStartPageRuleOpensAreRecovered)
{
    struct Case
    {
        const char *url;
        bool recoverable;
        const char *scheme;
    };
    const Case cases[] = {
        {"http://left.example/page", true, ""},
        {"https://left.example/", true, ""},
        {"file:///home/u/page.html", true, ""},
        {"/home/u/page.html", true, ""},
        {"left.example", true, ""},
        {"localhost:8080/x", true, ""},
        {"about:blank", true, ""},
        {"", true, ""},
        {"javascript:alert(document.cookie)", false, "javascript"},
        {"  JavaScript:alert(1)", false, "javascript"},
        {"data:text/html,<script>alert(1)</script>", false, "data"},
        {"about:<img src=http://evil.example/x>", false, "about"},
        {"vbscript:msgbox", false, "vbscript"},
        {"<b>bold</b>:x", false, "알 수 없음"},
        {"aVeryLongSchemeNameThatGoesOnAndOn:x", false, "averylongschemenamet"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(record::isRecoverable(QString::fromUtf8(c.url)), c.recoverable);
        if (!c.recoverable) {
            EXPECT_EQ(record::refusedScheme(QString::fromUtf8(c.url)), QString::fromUtf8(c.scheme));
        }
    }
}

TEST_F(RecoveryTest, ARecordOfAScriptDataOrMarkupAddressOpensTheNewTabPageWithOneNotice)
{
    for (const char *url : {"javascript:alert(1)", "data:text/html,<script>alert(1)</script>",
                            "about:<img src=http://evil.example/x>"}) {
        SCOPED_TRACE(url);
        m_app.reset();
        setSetting(K::RestoriaValue, "2");
        ASSERT_TRUE(record::write(fake().environment(), {"2026-01-02 오후 3:04:05", "남은 문서", QString::fromUtf8(url)}));
        start();
        EXPECT_EQ(tabs(), "start ID1*");
        const QStringList opened = page(1)->navigated();
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened.first(), modLocalPages::pagePath(fake().platform(), modLocalPages::Page::NewTab));
        EXPECT_TRUE(QFile::exists(opened.first()));
        frmNotice *notice = app().windows().notice();
        ASSERT_NE(notice, nullptr);
        EXPECT_EQ(notice->lblNoticeTitle->text(), "문서 복구 안함");
        const QString scheme = QString::fromUtf8(url).section(':', 0, 0);
        EXPECT_EQ(notice->lblNoticeContents->text(),
                  "마지막으로 탐색 중이던 문서의 주소(" + scheme + ":)는 열 수 없어 복구하지 않았습니다. 새 탭 문서를 대신 엽니다.");
        EXPECT_EQ(notice->lblNoticeContents->textFormat(), Qt::PlainText);
        EXPECT_FALSE(notice->lblNoticeContents->text().contains('<'));
    }

    // Asked first, the answer Yes does the same.
    m_app.reset();
    setSetting(K::RestoriaValue, "1");
    ASSERT_TRUE(record::write(fake().environment(), {"d", "t", "javascript:alert(1)"}));
    start();
    frmRestoria *wizard = app().windows().restoria();
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(wizard->lblProgramLastTabURL->textFormat(), Qt::PlainText);
    QTest::mouseClick(wizard->cmdYes, Qt::LeftButton);
    EXPECT_EQ(page(1)->navigated().value(0), modLocalPages::pagePath(fake().platform(), modLocalPages::Page::NewTab));
}
