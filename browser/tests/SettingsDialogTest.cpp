// The settings dialog, the one-replace settings write, and the first-run
// system check with its grading.
#include "BrowserFixture.h"

#include "browser/app/SessionWindows.h"
#include "browser/startup/frmSetting.h"
#include "browser/startup/modSettingsStore.h"
#include "browser/tools/SystemGrade.h"
#include "browser/tools/Progressbar.h"
#include "browser/tools/frmSystemScan.h"
#include "platform/Folders.h"
#include "platform/Settings.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using K = settings::Key;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct BoxKey
{
    const char *box;
    K key;
};
const BoxKey kBoxes[] = {
    {"chkAmbrelUseChoose", K::AmbrelUseValue},
    {"chkKeyflint", K::KeyflintValue},
    {"chkVitrelSetting", K::VitrelUseValue},
    {"chkFadeEffect", K::FadeEffectValue},
    {"chkPurgel", K::PurgelValue},
    {"chkGestra", K::GestraValue},
    {"chkAlwaysShowWebBrowserPlusTool", K::AlwaysShowWebBrowserPlusToolValue},
    {"chkResetEngine", K::ResetEngineValue},
    {"chkPanovelSetting", K::PanovelValue},
    {"chkNewWindowCheckOpen", K::NewWindowOpenValue},
    {"chkSystemCheck", K::SystemCheckValue},
};

} // namespace

class SettingsDialogTest : public BrowserTest
{
protected:
    frmSetting &open()
    {
        start();
        app().commands().run(Command::Settings);
        frmSetting *dialog = app().windows().setting();
        EXPECT_NE(dialog, nullptr);
        return *dialog;
    }
    QCheckBox *box(frmSetting &d, const char *name) { return d.findChild<QCheckBox *>(name); }
    QString value(K key) { return platform::setting::text(fake().environment(), key); }
};

TEST_F(SettingsDialogTest, LoadsOnlyZeroOrOneIntoEachBox)
{
    // Alternate 1 and 0 over the boxes; one value out of range.
    for (size_t i = 0; i < std::size(kBoxes); ++i)
        setSetting(kBoxes[i].key, i % 2 ? "0" : "1");
    setSetting(K::KeyflintValue, "7");
    frmSetting &d = open();
    for (size_t i = 0; i < std::size(kBoxes); ++i) {
        const bool expected = kBoxes[i].key != K::KeyflintValue && i % 2 == 0;
        EXPECT_EQ(box(d, kBoxes[i].box)->isChecked(), expected) << kBoxes[i].box;
    }
    EXPECT_EQ(d.txtStartPage->text(), "http://start.example/");
    EXPECT_FALSE(form().isEnabled()) << "the dialog keeps the main window";
    EXPECT_EQ(app().commands().run(Command::NewTab), Commands::State::WindowLocked);
}

TEST_F(SettingsDialogTest, RecoveryPairByValue)
{
    struct Case
    {
        const char *value;
        bool first, second, secondEnabled;
    };
    const Case cases[] = {
        {"0", false, false, false}, {"1", true, false, true}, {"2", true, true, true}, {"5", false, false, false}};
    for (const Case &c : cases) {
        m_app.reset();
        setSetting(K::RestoriaValue, c.value);
        frmSetting &d = open();
        EXPECT_EQ(d.chkRestoriaSetting->isChecked(), c.first) << c.value;
        EXPECT_EQ(d.chkRestoriaAutoRecover->isChecked(), c.second) << c.value;
        EXPECT_EQ(d.chkRestoriaAutoRecover->isEnabled(), c.secondEnabled) << c.value;
    }
    EXPECT_EQ(frmSetting::restoriaValue(false, true), 0);
    EXPECT_EQ(frmSetting::restoriaValue(true, false), 1);
    EXPECT_EQ(frmSetting::restoriaValue(true, true), 2);
}

TEST_F(SettingsDialogTest, TheFirstRecoveryBoxEnablesTheSecondAndKeepsItsMark)
{
    setSetting(K::RestoriaValue, "2");
    frmSetting &d = open();
    QTest::mouseClick(d.chkRestoriaSetting, Qt::LeftButton);
    EXPECT_FALSE(d.chkRestoriaAutoRecover->isEnabled());
    EXPECT_TRUE(d.chkRestoriaAutoRecover->isChecked());
    QTest::mouseClick(d.cmdApply, Qt::LeftButton);
    EXPECT_EQ(value(K::RestoriaValue), "0");
}

TEST_F(SettingsDialogTest, ConfirmWritesExactlyTheBoxesAndTheStartPage)
{
    setSetting(K::KeyflintValue, "7");
    frmSetting &d = open();
    for (const BoxKey &b : kBoxes)
        box(d, b.box)->setChecked(b.key == K::GestraValue || b.key == K::PurgelValue);
    QTest::mouseClick(d.chkRestoriaSetting, Qt::LeftButton);
    QTest::mouseClick(d.chkRestoriaAutoRecover, Qt::LeftButton);
    QTest::mouseClick(d.cmdStartPageWithDaumSetting, Qt::LeftButton);
    EXPECT_EQ(d.txtStartPage->text(), "https://www.daum.net/");
    QPointer<QWidget> window = &d;
    QTest::mouseClick(d.cmdApply, Qt::LeftButton);

    for (const BoxKey &b : kBoxes)
        EXPECT_EQ(value(b.key), (b.key == K::GestraValue || b.key == K::PurgelValue) ? "1" : "0") << b.box;
    EXPECT_EQ(value(K::RestoriaValue), "2");
    EXPECT_EQ(fake().registry().startPage(), "https://www.daum.net/");
    EXPECT_TRUE(fake().dialogs().messageBoxes().isEmpty()) << "no theme message with the theme box off";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(form().isEnabled());
}

TEST_F(SettingsDialogTest, ConfirmWithThemesOnTellsOfTheNextStart)
{
    frmSetting &d = open();
    d.chkAmbrelUseChoose->setChecked(true);
    QSignalSpy menu(&d, &frmSetting::ambrelMenuEnabled);
    QTest::mouseClick(d.cmdApply, Qt::LeftButton);
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    EXPECT_EQ(fake().dialogs().messageBoxes().first().text, "변경된 Ambrel™ 설정은 다음번 Vorlen™ 실행 부터 적용됩니다.");
    EXPECT_EQ(fake().dialogs().messageBoxes().first().title, "Ambrel™ 테마 관리자");
    ASSERT_EQ(menu.count(), 1);
    EXPECT_TRUE(menu.first().first().toBool());
}

TEST_F(SettingsDialogTest, CancelAndCloseWriteNothing)
{
    for (const char *button : {"cmdCancel", "cmdExit"}) {
        m_app.reset();
        const QByteArray before = fileBytes(platform::folders::settingsFile(fake().environment()));
        frmSetting &d = open();
        d.chkKeyflint->setChecked(true);
        QTest::mouseClick(d.cmdStartPageWithDaumSetting, Qt::LeftButton);
        QTest::mouseClick(d.findChild<QPushButton *>(button), Qt::LeftButton);
        EXPECT_EQ(fileBytes(platform::folders::settingsFile(fake().environment())), before) << button;
        EXPECT_TRUE(fake().registry().writes().isEmpty()) << button;
        EXPECT_TRUE(form().isEnabled()) << button;
    }
}

TEST_F(SettingsDialogTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheDialogStays)
{
    frmSetting &d = open();
    // Something that is not a file stands where the settings file goes.
    const QString path = platform::folders::settingsFile(fake().environment());
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path));
    QTest::mouseClick(d.cmdApply, Qt::LeftButton);
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    const auto box = fake().dialogs().messageBoxes().first();
    EXPECT_EQ(box.title, "환경 설정");
    EXPECT_TRUE(box.text.contains("Setting.ini")) << box.text.toStdString();
    EXPECT_TRUE(d.isVisible()) << "nothing was stored, so the dialog stays";
    EXPECT_TRUE(fake().registry().writes().isEmpty());
}

TEST_F(SettingsDialogTest, HelpShowsOnlyWhileItsButtonIsHeld)
{
    frmSetting &d = open();
    d.show();
    for (QLabel *help : {d.hlpVitrel, d.hlpKeyflint, d.hlpPurgel, d.hlpGestra, d.hlpAmbrel}) {
        const QString frameName = help->objectName() + "HelpFrame";
        auto *frame = d.findChild<QGroupBox *>(frameName);
        ASSERT_NE(frame, nullptr) << frameName.toStdString();
        EXPECT_EQ(help->toolTip(), "도움말을 보시려면 여기를 누르십시오.");
        EXPECT_FALSE(frame->isVisible());
        QTest::mousePress(help, Qt::LeftButton);
        EXPECT_TRUE(frame->isVisible()) << frameName.toStdString();
        QTest::mouseRelease(help, Qt::LeftButton);
        EXPECT_FALSE(frame->isVisible());
    }
    EXPECT_EQ(d.findChild<QLabel *>("hlpimgGestraUp")->toolTip(), "창을 위쪽으로 이동 시킬 경우 새 탭이 생성 됩니다.");
}

TEST_F(BrowserTest, AWrongNewWindowValueLeadsToTheSettingsDialog)
{
    start();
    setSetting(K::NewWindowOpenValue, "7");
    const platform::NewWindowRequest request = openPopup(0);
    EXPECT_TRUE(request.Cancel);
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    EXPECT_EQ(fake().dialogs().messageBoxes().first().title, "설정 오류");
    ASSERT_NE(app().windows().setting(), nullptr);
    EXPECT_TRUE(app().windows().setting()->isVisible());
    EXPECT_FALSE(form().isEnabled());
}

TEST_F(BrowserTest, SettingsWriteIsAllOrNothing)
{
    const auto &env = fake().environment();
    setSetting(K::KeyflintValue, "1");
    setSetting(K::GestraValue, "1");
    const QString path = platform::folders::settingsFile(env);
    const QByteArray before = fileBytes(path);
    const modSettingsStore::Values values = {
        {K::KeyflintValue, "0"}, {K::GestraValue, "0"}, {K::PanovelValue, "1"}, {K::RestoriaValue, "2"}};
    // Interrupted after each possible step: the file is exactly the old one.
    for (int stop = 1; stop <= int(values.size()); ++stop) {
        EXPECT_FALSE(modSettingsStore::writeSettings(env, values, [stop](int n) { return n == stop; }));
        EXPECT_EQ(fileBytes(path), before) << stop;
    }
    const QStringList leftovers = QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : leftovers)
        EXPECT_FALSE(name.contains(".batch-")) << name.toStdString();

    ASSERT_TRUE(modSettingsStore::writeSettings(env, values));
    EXPECT_EQ(platform::setting::text(env, K::KeyflintValue), "0");
    EXPECT_EQ(platform::setting::text(env, K::GestraValue), "0");
    EXPECT_EQ(platform::setting::text(env, K::PanovelValue), "1");
    EXPECT_EQ(platform::setting::text(env, K::RestoriaValue), "2");
    EXPECT_TRUE(fileBytes(path).contains("LastWindowMode=0")) << "other keys stay";
}

TEST(SystemGrade, ScoresAndBandsAtTheirEdges)
{
    using namespace systemgrade;
    constexpr double MB = 1024.0 * 1024.0;
    EXPECT_EQ(processorScore(1), 1);
    EXPECT_EQ(processorScore(2), 2);
    EXPECT_EQ(processorScore(0), 2);
    EXPECT_EQ(versionScore(5.1), 2);
    EXPECT_EQ(versionScore(5.2), 3);
    EXPECT_EQ(virtualMemoryScore(2048 * MB), 1);
    EXPECT_EQ(virtualMemoryScore(2048.4 * MB), 1) << "rounded to whole megabytes";
    EXPECT_EQ(virtualMemoryScore(2048.6 * MB), 2);
    EXPECT_EQ(physicalMemoryScore(512 * MB), 1);
    EXPECT_EQ(physicalMemoryScore(513 * MB), 2);
    EXPECT_EQ(band(5), Band::Low);
    EXPECT_EQ(band(6), Band::Medium);
    EXPECT_EQ(band(8), Band::Medium);
    EXPECT_EQ(band(9), Band::High);
    EXPECT_DOUBLE_EQ(majorMinor("6.1.0-18-amd64"), 6.1);
    EXPECT_DOUBLE_EQ(majorMinor("5.10.0"), 5.10);
    EXPECT_DOUBLE_EQ(majorMinor("4"), 4.0);
    EXPECT_DOUBLE_EQ(majorMinor("junk"), 0.0);
    // The smallest machine: 1 + 2 + 1 + 1.
    EXPECT_EQ(band(processorScore(1) + versionScore(5.1) + virtualMemoryScore(2048 * MB)
                   + physicalMemoryScore(512 * MB)),
              Band::Low);
}

TEST(SystemGrade, TheBandColumns)
{
    using namespace systemgrade;
    auto column = [](Band b) {
        QStringList values;
        for (const auto &[key, value] : bandSettings(b))
            values << value;
        return values.join("");
    };
    EXPECT_EQ(column(Band::Low), "011000002000");
    EXPECT_EQ(column(Band::Medium), "110110111100");
    EXPECT_EQ(column(Band::High), "110111111101");
    EXPECT_EQ(bandSettings(Band::Low).size(), 12);
    EXPECT_EQ(bandSettings(Band::Low).first().first, K::AmbrelUseValue);
    EXPECT_EQ(bandSettings(Band::Low).last().first, K::SystemCheckValue);
}

class SystemScanTest : public BrowserTest
{
protected:
    frmSystemScan &firstStartWithCheck()
    {
        QFile::remove(platform::folders::settingsFile(fake().environment()));
        fake().dialogs().queueAnswer(platform::MsgResult::Yes);
        start();
        frmSystemScan *scan = app().windows().systemScan();
        EXPECT_NE(scan, nullptr);
        return *scan;
    }
};

TEST_F(SystemScanTest, RunToTheEndWritesTheBandAndShowsTheMainWindow)
{
    fake().system().setProcessorCount(1);
    fake().system().setMemory({quint64(512) * 1024 * 1024, 0, 0, 0});
    frmSystemScan &scan = firstStartWithCheck();
    scan.SystemScanTimer->stop();
    QStringList statuses;
    for (int tick = 0; tick < 101 && !scan.graded(); ++tick) {
        scan.SystemScanTimer_Timer();
        if (!scan.graded() && (statuses.isEmpty() || statuses.last() != scan.ProgramTitleText->text()))
            statuses << scan.ProgramTitleText->text();
    }
    ASSERT_TRUE(scan.graded());
    EXPECT_EQ(statuses,
              QStringList({"잠시만 기다려 주십시오...", "CPU 정보 불러오는 중...", "Windows® 정보 불러오는 중...",
                           "가상 메모리 정보 불러오는 중...", "실제 메모리 정보 불러오는 중...",
                           "모든 점수를 합산하는 중...(1/4)", "모든 점수를 합산하는 중...(2/4)",
                           "모든 점수를 합산하는 중...(3/4)", "모든 점수를 합산하는 중...(4/4)",
                           "점수를 계산하는 중..."}));
    // One processor and 512 MB: 1 + 3 + 2 + 1 on a 64-bit system with a new kernel.
    EXPECT_EQ(scan.total(), 7);
    const auto &env = fake().environment();
    for (const auto &[key, text] : systemgrade::bandSettings(systemgrade::Band::Medium))
        EXPECT_EQ(platform::setting::text(env, key), text) << settings::info(key).name;
    EXPECT_EQ(platform::setting::int32(env, K::LastWindowWidth), 8235);
    EXPECT_EQ(platform::setting::int32(env, K::LastWindowHeight), 5565);
    EXPECT_EQ(fake().registry().startPage(), "https://www.daum.net/");
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(form().isEnabled());
    EXPECT_EQ(form().width(), 8235 / 15);
    EXPECT_EQ(page(0)->navigated().last(), "http://start.example/") << "the start page from before the check";
    EXPECT_EQ(fake().dialogs().messageBoxes().size(), 1) << "only the welcome question";
}

TEST_F(SystemScanTest, ClosingEarlyWritesNothingAndOpensTheSettings)
{
    frmSystemScan &scan = firstStartWithCheck();
    scan.SystemScanTimer->stop();
    for (int tick = 0; tick < 40; ++tick)
        scan.SystemScanTimer_Timer();
    EXPECT_EQ(scan.SystemScanProgressbar->Value(), 40);
    QTest::mouseClick(scan.cmdExit, Qt::LeftButton);
    EXPECT_FALSE(platform::setting::fileExists(fake().environment()));
    EXPECT_TRUE(fake().registry().writes().isEmpty());
    ASSERT_NE(app().windows().setting(), nullptr);
    EXPECT_TRUE(app().windows().setting()->isVisible());
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(form().isEnabled()) << "the settings dialog holds the main window";
    EXPECT_TRUE(page(0)->navigated().last().startsWith("about:환경 설정 창이 열려져 있습니다."));
}

TEST_F(SystemScanTest, TheStripSlidesAndComesBackFromTheLeft)
{
    frmSystemScan &scan = firstStartWithCheck();
    scan.ImageMoveTimer->stop();
    QWidget *strip = scan.ProgramBottomMoveImage;
    const int start = strip->x();
    EXPECT_EQ(start, -strip->width());
    scan.ImageMoveTimer_Timer();
    EXPECT_EQ(strip->x(), start + 2);
    strip->move(scan.width(), strip->y());
    scan.ImageMoveTimer_Timer();
    EXPECT_EQ(strip->x(), -strip->width());
}
