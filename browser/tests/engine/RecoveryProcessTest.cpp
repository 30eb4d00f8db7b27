// The real program killed while a page is open, then started again: the page
// comes back. Pages come from a server on 127.0.0.1 that the test runs.
#include "TempDir.h"
#include "browser/sessions/SessionFile.h"
#include "platform/tests/engine/EngineHarness.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

using enginetest::waitUntil;

namespace {

// Answers every GET with a small page titled after its path, and notes the paths.
class PageServer : public QObject
{
public:
    PageServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QByteArray request = socket->readAll();
                    const QList<QByteArray> words = request.left(request.indexOf('\n')).split(' ');
                    const QByteArray path = words.value(1);
                    if (path.isEmpty() || path == "/favicon.ico") {
                        socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                    } else {
                        m_paths << QString::fromLatin1(path);
                        const QByteArray body = "<html><head><title>page" + path + "</title></head><body>" + path
                                                + "</body></html>";
                        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: "
                                      + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                    }
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    QString url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    int count(const QString &path) const { return int(m_paths.count(path)); }

private:
    QTcpServer m_server;
    QStringList m_paths;
};

class RecoveryProcess : public ::testing::Test
{
protected:
    RecoveryProcess()
    {
        // The program keeps its profile beside itself, so it runs from a copy
        // in the test's folder.
        QDir().mkpath(dir.file("app"));
        program = dir.file("app/vorlen");
        QFile::copy(QStringLiteral(VORLEN_BINARY), program);
        const passwd *user = getpwuid(getuid());
        profile = dir.file("app/UserData/") + QString::fromLocal8Bit(user ? user->pw_name : "user");
        QDir().mkpath(profile);
    }

    ~RecoveryProcess() override
    {
        if (process && process->state() != QProcess::NotRunning) {
            ::kill(pid_t(process->processId()), SIGKILL);
            process->waitForFinished(10000);
        }
    }

    void setStartPage(const QString &url)
    {
        dir.write("config/vorlen/registry.ini",
                  "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main]\r\nStart Page=" + url.toUtf8()
                      + "\r\n");
    }

    void run()
    {
        process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir.file("home"));
        env.insert("XDG_CONFIG_HOME", dir.file("config"));
        env.insert("XDG_DATA_HOME", dir.file("data"));
        env.insert("XDG_CACHE_HOME", dir.file("cache"));
        env.insert("TEMP", dir.file("temp"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
        QDir().mkpath(dir.file("temp"));
        process->setProcessEnvironment(env);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start(program, {});
        ASSERT_TRUE(process->waitForStarted(10000));
    }

    void killHard()
    {
        ASSERT_EQ(::kill(pid_t(process->processId()), SIGKILL), 0);
        ASSERT_TRUE(process->waitForFinished(10000));
        EXPECT_EQ(process->exitStatus(), QProcess::CrashExit);
    }

    QString record() const { return profile + "/Temp/lastdocinfo.sfm"; }

    TestFolder dir;
    PageServer server;
    QString program;
    QString profile;
    std::unique_ptr<QProcess> process;
};

} // namespace

TEST_F(RecoveryProcess, AKilledRunsPageComesBackAtTheNextStart)
{
    dir.write("app/UserData/" + QFileInfo(profile).fileName() + "/Setting.ini",
              "[Vorlen Setting]\r\nRestoriaValue=2\r\nLastWindowMode=0\r\nLastWindowWidth=16500\r\n"
              "LastWindowHeight=11400\r\n");
    setStartPage(server.url("/first"));
    run();
    // The record names the page once its title arrives.
    ASSERT_TRUE(waitUntil(
        [&] {
            QFile f(record());
            return f.open(QIODevice::ReadOnly) && f.readAll().contains(server.url("/first").toUtf8());
        },
        60000))
        << "no session record";
    killHard();
    ASSERT_TRUE(QFileInfo::exists(record())) << "a killed run leaves its record";

    // The next run starts elsewhere and brings the killed run's page back.
    setStartPage(server.url("/second"));
    const int before = server.count("/first");
    run();
    ASSERT_TRUE(waitUntil([&] { return server.count("/second") >= 1 && server.count("/first") > before; }, 60000))
        << "the page of the killed run was not opened again";
    killHard();
}

namespace {

std::optional<sessionFile::Session> newestSession(const QString &profile)
{
    std::optional<sessionFile::Found> found = sessionFile::readNewest(profile);
    return found ? std::optional(found->session) : std::nullopt;
}

} // namespace

TEST_F(RecoveryProcess, WithSessionRestoreValueTwoEveryTabComesBackAfterAKillAndOnlyTheSelectedOneLoads)
{
    dir.write("app/UserData/" + QFileInfo(profile).fileName() + "/Setting.ini",
              "[Vorlen Setting]\r\nSessionRestoreValue=2\r\nLastWindowMode=0\r\nLastWindowWidth=16500\r\n"
              "LastWindowHeight=11400\r\n");
    setStartPage(server.url("/start"));
    sessionFile::Session saved;
    for (const char *path : {"/one", "/two", "/three"})
        saved.tabs.append(sessionFile::Tab{server.url(QString::fromLatin1(path)), QStringLiteral("page") + path, {}});
    saved.selected = 1;
    ASSERT_TRUE(sessionFile::write(profile, saved));

    for (int round = 0; round < 2; ++round) {
        run();
        // The selected tab loads and the restored session is written again.
        ASSERT_TRUE(waitUntil(
            [&] {
                const std::optional<sessionFile::Session> now = newestSession(profile);
                return server.count("/two") > round && now && now->tabs.size() == 3
                       && now->tabs.at(1).title == "page/two" && !now->cleanExit;
            },
            60000))
            << "round " << round;
        killHard();
        const std::optional<sessionFile::Session> now = newestSession(profile);
        ASSERT_TRUE(now);
        ASSERT_EQ(now->tabs.size(), 3);
        EXPECT_EQ(now->tabs.at(0).url, server.url("/one"));
        EXPECT_EQ(now->tabs.at(2).url, server.url("/three")) << "a tab never loaded keeps its address";
        EXPECT_EQ(now->selected, 1);
    }
    EXPECT_EQ(server.count("/one"), 0) << "tabs that were not selected wait";
    EXPECT_EQ(server.count("/three"), 0);
}
