// The engine profile's storage folder, and the platform that carries the engine.

#include "EngineHarness.h"
#include "platform/Folders.h"
#include "platform/linux/LinuxWebPlatform.h"

#include <QWebEngineProfile>
#include <QWebEngineUrlScheme>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace enginetest;
using platform::QtWebBrowserFactory;

TEST(EngineProfile, AUsableFolderKeepsTheProfile)
{
    Engine engine;
    engine.create();
    EXPECT_TRUE(engine.factory->storageUsable());
    EXPECT_FALSE(engine.factory->profile()->isOffTheRecord());
    EXPECT_EQ(engine.factory->profile()->persistentStoragePath(), engine.folder.file("Profile/Engine"));
    EXPECT_TRUE(engine.dialogs.notices().isEmpty());
}

TEST(EngineProfile, AnUnusableFolderIsReportedOnceAndTheEngineGoesOn)
{
    // A regular file where a folder should be: no one can make the folder.
    Engine engine(QStringLiteral("blocker/Engine"));
    engine.folder.write("blocker", "a file");
    auto *b = engine.create();
    EXPECT_FALSE(engine.factory->storageUsable());
    EXPECT_TRUE(engine.factory->profile()->isOffTheRecord());

    ASSERT_EQ(engine.dialogs.notices().size(), 1);
    const auto &notice = engine.dialogs.notices().first();
    EXPECT_EQ(notice.title, "저장 폴더 오류");
    EXPECT_EQ(notice.text, "웹 브라우저 엔진의 저장 폴더를 사용할 수 없습니다.\n" + engine.folder.file("blocker/Engine")
                               + "\n\n이번 실행에서는 쿠키와 방문 기록이 저장되지 않습니다.");
    EXPECT_EQ(notice.icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(notice.parent, engine.host.get());

    engine.create();
    EXPECT_EQ(engine.dialogs.notices().size(), 1);
    ASSERT_TRUE(navigateAndWait(b, engine.page("p.html", "<html><head><title>works</title></head></html>")));
    EXPECT_EQ(b->DocumentTitle(), "works");
}

TEST(EngineProfile, FoldersAreUsableOnlyWhenFilesCanBeWrittenThere)
{
    TestFolder folder;
    EXPECT_TRUE(platform::isUsableFolder(folder.file("a/b")));
    EXPECT_TRUE(QFileInfo(folder.file("a/b")).isDir());
    EXPECT_EQ(QDir(folder.file("a/b")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    folder.write("file", "x");
    EXPECT_FALSE(platform::isUsableFolder(folder.file("file/sub")));
    EXPECT_FALSE(platform::isUsableFolder(QString()));
    if (::geteuid() != 0) { // permissions do not hold for root
        QDir().mkpath(folder.file("locked"));
        QFile::setPermissions(folder.file("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        EXPECT_FALSE(platform::isUsableFolder(folder.file("locked")));
        QFile::setPermissions(folder.file("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
}

TEST(WebPlatform, TheEngineFactoryIsWiredToTheServices)
{
    TestFolder dir;
    platform::LinuxEnvironment::Overrides overrides;
    overrides.applicationFolder = dir.file("app");
    overrides.tempVariable = dir.file("temp");
    platform::LinuxWebPlatform real(overrides);
    platform::Platform &p = real.platform();
    EXPECT_EQ(&p.browsers, static_cast<platform::WebBrowserFactory *>(&real.browsers()));
    EXPECT_EQ(real.browsers().storageFolder(), platform::folders::engineFolder(p.environment));
    EXPECT_EQ(real.browsers().generatedPages().folder(), dir.file("temp"));
    EXPECT_EQ(real.browsers().generatedPages().names(), QtWebBrowserFactory::generatedPageNames());
}

TEST(WebPlatform, PreparingTheProcessRegistersTheSchemeAndKorean)
{
    // The test main prepared the process as the browser's main does.
    const QWebEngineUrlScheme scheme = QWebEngineUrlScheme::schemeByName(platform::kGeneratedPageScheme);
    EXPECT_EQ(scheme.name(), QByteArray(platform::kGeneratedPageScheme));
    EXPECT_EQ(scheme.syntax(), QWebEngineUrlScheme::Syntax::Host);
    EXPECT_FALSE(scheme.flags() & QWebEngineUrlScheme::LocalScheme);
    EXPECT_FALSE(scheme.flags() & QWebEngineUrlScheme::SecureScheme);
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    EXPECT_TRUE(flags.contains("--lang=ko")) << flags.constData();
    // Once is enough, and a language given from outside is kept.
    platform::prepareWebEngine();
    EXPECT_EQ(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), flags);
}
