// The whole browser on Wayland (weston's headless back end, started around
// this binary by tests/wayland/run_weston_smoke.sh): it loads a page, opens and
// closes the settings dialog, answers the transparency command with a notice,
// and exits with the fade switched on, all without a warning from Qt.
#include "browser/app/SessionWindows.h"
#include "browser/startup/frmSetting.h"
#include "browser/tests/engine/RealBrowserFixture.h"
#include "browser/tools/frmNotice.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMutex>
#include <QPushButton>

namespace {

// The Qt warnings of the run, with the handler they displaced.
QMutex warningsLock;
QStringList *warnings = nullptr;
QtMessageHandler previousHandler = nullptr;

void recordWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg) {
        QMutexLocker lock(&warningsLock);
        if (warnings)
            warnings->append(message);
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

class WaylandSmokeTest : public RealBrowserTest
{
protected:
    void SetUp() override
    {
        {
            QMutexLocker lock(&warningsLock);
            warnings = &m_warnings;
        }
        previousHandler = qInstallMessageHandler(recordWarnings);
    }
    void TearDown() override
    {
        qInstallMessageHandler(previousHandler);
        QMutexLocker lock(&warningsLock);
        warnings = nullptr;
    }

    QStringList m_warnings;
};

TEST_F(WaylandSmokeTest, PageSettingsTransparencyAndExitWithoutWarnings)
{
    ASSERT_TRUE(QGuiApplication::platformName().startsWith("wayland")) << QGuiApplication::platformName().toStdString();
    platform::setting::write(fake.environment(), settings::Key::FadeEffectValue, "1");
    platform::setting::write(fake.environment(), settings::Key::VitrelUseValue, "1");
    ASSERT_NO_FATAL_FAILURE(startOn(page("hello.htm", "<!doctype html><meta charset='utf-8'><title>안녕</title>"
                                                      "<p>안녕하세요 Wayland</p>")));
    EXPECT_EQ(form().browser(0)->DocumentTitle(), "안녕");

    app->commands().run(Command::Settings);
    frmSetting *dialog = app->windows().setting();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(enginetest::waitUntil([&] { return dialog->isVisible(); }, 5000));
    dialog->cmdCancel->click();
    ASSERT_TRUE(enginetest::waitUntil([&] { return !app->windows().setting() || !app->windows().setting()->isVisible(); },
                                      5000));

    // No window opacity on Wayland: the command says so.
    app->commands().run(Command::Transparency);
    ASSERT_NE(app->windows().notice(), nullptr);
    EXPECT_EQ(app->windows().notice()->lblNoticeTitle->text(), "기능 사용안함");

    app->commands().run(Command::Exit);
    ASSERT_TRUE(enginetest::waitUntil([&] { return app->ended(); }, 10000));
    app.reset();
    enginetest::settle(300);
    EXPECT_TRUE(m_warnings.isEmpty()) << m_warnings.join("\n").toStdString();
}

} // namespace
