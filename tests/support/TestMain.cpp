#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef VORLEN_TEST_WEB_ENGINE
#include "platform/linux/LinuxWebPlatform.h"
#endif

#include <cstdlib>
#include <unistd.h>

namespace {

// Points HOME and the XDG folders at a throw-away folder so that nothing a test
// does (engine profile, registry stand-in, downloads) reaches the real home.
void isolateHome(const QString &root)
{
    const QByteArray r = QFile::encodeName(root);
    for (const char *sub : {"home", "config", "data", "cache", "runtime", "tmp"})
        QDir().mkpath(root + '/' + QLatin1String(sub));
    setenv("HOME", (r + "/home").constData(), 1);
    setenv("XDG_CONFIG_HOME", (r + "/config").constData(), 1);
    setenv("XDG_DATA_HOME", (r + "/data").constData(), 1);
    setenv("XDG_CACHE_HOME", (r + "/cache").constData(), 1);
    setenv("XDG_RUNTIME_DIR", (r + "/runtime").constData(), 1);
    setenv("TEMP", (r + "/tmp").constData(), 1);
    QFile::setPermissions(root + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);

    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking --no-first-run", 0);

    QTemporaryDir root(QDir::tempPath() + "/vorlen-test-XXXXXX");
    if (!root.isValid())
        return 2;
    isolateHome(root.path());

#ifdef VORLEN_TEST_WEB_ENGINE
    // As the browser's main does: the generated pages' scheme and a Korean engine.
    platform::prepareWebEngine();
#endif
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
