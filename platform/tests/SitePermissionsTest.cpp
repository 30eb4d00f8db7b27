// The decisions users made for sites, in their small file.
#include "TempDir.h"
#include "platform/SitePermissions.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using platform::SiteDecision;
using platform::SiteFeature;
using platform::SitePermissions;

namespace {

const QString kSite = QStringLiteral("http://127.0.0.1:8080");
const QString kOther = QStringLiteral("https://b.test");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(SitePermissions, DecisionsSurviveAReopenPerOriginAndFeature)
{
    TestFolder dir;
    const QString path = dir.file("SitePermissions.txt");
    {
        SitePermissions store(path);
        EXPECT_EQ(store.decision(kSite, SiteFeature::Camera), SiteDecision::Ask);
        EXPECT_TRUE(store.remember(kSite, SiteFeature::Camera, SiteDecision::Allow));
        EXPECT_TRUE(store.remember(kSite, SiteFeature::Notifications, SiteDecision::Block));
        EXPECT_TRUE(store.remember(kOther, SiteFeature::Location, SiteDecision::Block));
    }
    SitePermissions again(path);
    EXPECT_EQ(again.loaded(), SitePermissions::Loaded::NotYet);
    EXPECT_EQ(again.decision(kSite, SiteFeature::Camera), SiteDecision::Allow);
    EXPECT_EQ(again.loaded(), SitePermissions::Loaded::Read);
    EXPECT_EQ(again.decision(kSite, SiteFeature::Notifications), SiteDecision::Block);
    EXPECT_EQ(again.decision(kSite, SiteFeature::Microphone), SiteDecision::Ask);
    EXPECT_EQ(again.decision(kSite, SiteFeature::Location), SiteDecision::Ask);
    EXPECT_EQ(again.decision(kOther, SiteFeature::Location), SiteDecision::Block);
    // Only the origin, not a page of it, is a key.
    EXPECT_EQ(again.decision(kSite + QStringLiteral("/page"), SiteFeature::Camera), SiteDecision::Ask);
    EXPECT_TRUE(readAll(path).startsWith("vorlen-site-permissions 1\n"));
}

TEST(SitePermissions, ClearingAnOriginForgetsItAloneOnDiskToo)
{
    TestFolder dir;
    const QString path = dir.file("SitePermissions.txt");
    SitePermissions store(path);
    store.remember(kSite, SiteFeature::Camera, SiteDecision::Allow);
    store.remember(kSite, SiteFeature::MouseLock, SiteDecision::Block);
    store.remember(kOther, SiteFeature::Camera, SiteDecision::Allow);
    ASSERT_TRUE(store.hasDecisions(kSite));
    EXPECT_TRUE(store.clear(kSite));
    EXPECT_FALSE(store.hasDecisions(kSite));
    EXPECT_TRUE(store.hasDecisions(kOther));
    SitePermissions again(path);
    EXPECT_EQ(again.decision(kSite, SiteFeature::Camera), SiteDecision::Ask);
    EXPECT_EQ(again.decision(kOther, SiteFeature::Camera), SiteDecision::Allow);
    // Ask forgets one decision the same way.
    EXPECT_TRUE(again.remember(kOther, SiteFeature::Camera, SiteDecision::Ask));
    EXPECT_FALSE(again.hasDecisions(kOther));
}

TEST(SitePermissions, AGarbledFileIsMovedAsideAndTheStoreStartsEmpty)
{
    const QList<QByteArray> garbled = {
        "",                                                          // empty
        "not a permissions file\n",                                  // no header
        "vorlen-site-permissions 1\nhttp://a\tcamera\n",            // a field short
        "vorlen-site-permissions 1\nhttp://a\tcamera\tmaybe\n",     // no such decision
        "vorlen-site-permissions 1\n\xff\xfe\tcamera\tallow\n",     // not UTF-8
        "vorlen-site-permissions 9\nhttp://a\tcamera\tallow\n",     // an unknown version
        QByteArray("vorlen-site-permissions 1\n\0\0\0", 29),
    };
    for (const QByteArray &bytes : garbled) {
        SCOPED_TRACE(bytes.toStdString());
        TestFolder dir;
        const QString path = dir.write("SitePermissions.txt", bytes);
        SitePermissions store(path);
        EXPECT_EQ(store.decision(QStringLiteral("http://a"), SiteFeature::Camera), SiteDecision::Ask);
        EXPECT_EQ(store.loaded(), SitePermissions::Loaded::Garbled);
        EXPECT_EQ(readAll(path + QStringLiteral(".garbled")), bytes);
        EXPECT_FALSE(QFileInfo::exists(path));
        // The next decision makes a sound file again.
        EXPECT_TRUE(store.remember(QStringLiteral("http://a"), SiteFeature::Camera, SiteDecision::Block));
        EXPECT_EQ(SitePermissions(path).decision(QStringLiteral("http://a"), SiteFeature::Camera),
                  SiteDecision::Block);
    }
}

TEST(SitePermissions, ToleratesWhatANewerVersionOrAnotherSystemMayWrite)
{
    TestFolder dir;
    const QString path = dir.write("SitePermissions.txt",
                                   "vorlen-site-permissions 1\r\n"
                                   "http://a\tcamera\tallow\r\n"
                                   "\n"
                                   "http://a\tteleport\tallow\n"
                                   "http://b\tnotifications\tblock");
    SitePermissions store(path);
    EXPECT_EQ(store.decision(QStringLiteral("http://a"), SiteFeature::Camera), SiteDecision::Allow);
    EXPECT_EQ(store.decision(QStringLiteral("http://b"), SiteFeature::Notifications), SiteDecision::Block);
    EXPECT_EQ(store.loaded(), SitePermissions::Loaded::Read);
}

TEST(SitePermissions, AnOriginThatWouldBreakTheFileIsNotKept)
{
    TestFolder dir;
    SitePermissions store(dir.file("SitePermissions.txt"));
    EXPECT_FALSE(store.remember(QStringLiteral("http://a\tcamera\tallow\nhttp://b"), SiteFeature::Camera,
                                SiteDecision::Allow));
    EXPECT_FALSE(store.remember(QString(), SiteFeature::Camera, SiteDecision::Allow));
    EXPECT_EQ(store.decision(QStringLiteral("http://b"), SiteFeature::Camera), SiteDecision::Ask);
}

TEST(SitePermissions, AFailedWriteIsReportedButTheDecisionHoldsForTheRun)
{
    TestFolder dir;
    // A folder where the file should be: no rename can replace it.
    const QString path = dir.file("SitePermissions.txt");
    dir.write("SitePermissions.txt/inside", "x");
    SitePermissions store(path);
    EXPECT_FALSE(store.remember(kSite, SiteFeature::Camera, SiteDecision::Allow));
    EXPECT_EQ(store.decision(kSite, SiteFeature::Camera), SiteDecision::Allow);
}

TEST(SitePermissions, WithoutAFileDecisionsLastAsLongAsTheStore)
{
    SitePermissions store;
    EXPECT_TRUE(store.remember(kSite, SiteFeature::Location, SiteDecision::Allow));
    EXPECT_EQ(store.decision(kSite, SiteFeature::Location), SiteDecision::Allow);
}

TEST(SitePermissions, TheQuestionNamesTheSiteAndTheFeature)
{
    EXPECT_EQ(platform::permissionQuestion(QStringLiteral("127.0.0.1"), SiteFeature::Camera),
              QStringLiteral("127.0.0.1에서 카메라 사용 권한을 요청합니다."));
    EXPECT_EQ(platform::siteFeatureName(SiteFeature::Notifications), QStringLiteral("알림"));
}
