// The pages a tab shows when its page cannot be shown: a crashed renderer and
// a certificate nobody vouches for, on the real engine with servers of the
// test's own on 127.0.0.1.

#include "EngineHarness.h"
#include "LocalServer.h"
#include "platform/linux/QtWebStatusPages.h"

#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <csignal>

using namespace enginetest;
using platform::QtWebBrowser;
using platform::WebBrowser;

namespace {

// A TLS server on 127.0.0.1 with a certificate the test makes itself; it
// answers every request with one small page.
class TlsServer : public QTcpServer
{
public:
    TlsServer(const QSslCertificate &certificate, const QSslKey &key)
        : m_certificate(certificate)
        , m_key(key)
    {
        listen(QHostAddress::LocalHost);
    }
    QString url(const QString &path) const { return QStringLiteral("https://127.0.0.1:%1/%2").arg(serverPort()).arg(path); }
    int served = 0;

protected:
    void incomingConnection(qintptr handle) override
    {
        auto *socket = new QSslSocket(this);
        if (!socket->setSocketDescriptor(handle)) {
            delete socket;
            return;
        }
        socket->setLocalCertificate(m_certificate);
        socket->setPrivateKey(m_key);
        QObject::connect(socket, &QSslSocket::readyRead, socket, [this, socket] {
            m_buffers[socket] += socket->readAll();
            if (!m_buffers[socket].contains("\r\n\r\n"))
                return;
            ++served;
            const QByteArray body = "<html><head><title>secured</title></head><body>s</body></html>";
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size())
                          + "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
            m_buffers.remove(socket);
        });
        QObject::connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
        socket->startServerEncryption();
    }

private:
    QSslCertificate m_certificate;
    QSslKey m_key;
    QHash<QSslSocket *, QByteArray> m_buffers;
};

// A self-signed certificate for 127.0.0.1, made by openssl in folder.
bool makeCertificate(const TestFolder &folder, QSslCertificate &certificate, QSslKey &key)
{
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1",
                   "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", folder.file("key.pem"), "-out",
                   folder.file("cert.pem")});
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0)
        return false;
    certificate = QSslCertificate(folder.read("cert.pem"));
    key = QSslKey(folder.read("key.pem"), QSsl::Rsa);
    return !certificate.isNull() && !key.isNull();
}

bool clickLink(QtWebBrowser *b, const QString &id)
{
    return runJs(b->page(), "(() => { const a = document.getElementById('" + id
                                + "'); if (!a) return false; a.click(); return true; })()")
        .toBool();
}

} // namespace

TEST(EngineStatusPages, ACrashedTabShowsItsPageAndReadsAgainWhileOtherTabsGoOn)
{
    Engine engine;
    LocalServer server;
    ASSERT_TRUE(server.listening());
    server.setPage("a.html", "<html><head><title>first</title></head><body>a</body></html>");
    auto *crashing = engine.create();
    auto *other = engine.create();
    ASSERT_TRUE(navigateAndWait(crashing, server.url("a.html")));
    // Another site, so another renderer process.
    ASSERT_TRUE(navigateAndWait(other, QStringLiteral("http://localhost:%1/b.html").arg(server.port())));
    const qint64 pid = crashing->page()->renderProcessPid();
    ASSERT_GT(pid, 0);
    ASSERT_NE(pid, other->page()->renderProcessPid()) << "the tabs must not share a process for this test";

    EventRecorder rec(crashing);
    ASSERT_EQ(::kill(pid_t(pid), SIGKILL), 0);
    ASSERT_TRUE(waitUntil([&] { return crashing->DocumentTitle() == QString::fromUtf8(platform::kCrashedText); }));
    EXPECT_EQ(crashing->LocationURL(), server.url("a.html")) << "the tab still names its page";
    EXPECT_EQ(rec.count("NavigateError"), 0);
    EXPECT_TRUE(runJs(crashing->page(), "document.getElementById('reload').textContent").toString() == "다시 읽기");
    EXPECT_EQ(runJs(other->page(), "document.title").toString(), "served") << "the other tab lives on";

    const int before = server.requestsFor("a.html").size();
    ASSERT_TRUE(clickLink(crashing, "reload"));
    ASSERT_TRUE(waitUntil([&] { return crashing->DocumentTitle() == "first" && !crashing->Busy(); }));
    EXPECT_EQ(server.requestsFor("a.html").size(), before + 1);
    EXPECT_EQ(crashing->LocationURL(), server.url("a.html"));
}

TEST(EngineStatusPages, OnlyTheStatusPageOnShowMayAskForItsActions)
{
    Engine engine;
    LocalServer server;
    server.setPage("evil.html", "<html><head><title>evil</title></head><body>"
                                "<a id='proceed' href='vorlen://local/action/proceed'>p</a></body></html>");
    auto *b = engine.create();
    ASSERT_TRUE(navigateAndWait(b, server.url("evil.html")));
    ASSERT_TRUE(clickLink(b, "proceed"));
    settle(400);
    EXPECT_EQ(b->DocumentTitle(), "evil");
    EXPECT_EQ(engine.factory->certificateExceptions().count(), 0);
}

TEST(EngineStatusPages, ACertificateNobodyVouchesForIsExplainedAndMayBeTrustedUntilTheEnd)
{
    Engine engine;
    QSslCertificate certificate;
    QSslKey key;
    ASSERT_TRUE(makeCertificate(engine.folder, certificate, key)) << "openssl must be installed";
    TlsServer server(certificate, key);
    ASSERT_TRUE(server.isListening());
    LocalServer plain;
    auto *b = engine.create();
    ASSERT_TRUE(navigateAndWait(b, plain.url("before.html")));

    SignalSpy unsafe(b, &QtWebBrowser::SecurityStateChange);
    b->Navigate(server.url("page.html"));
    ASSERT_TRUE(waitUntil([&] { return b->DocumentTitle() == QString::fromUtf8(platform::kCertificateText) && !b->Busy(); }));
    EXPECT_EQ(server.served, 0) << "nothing was asked of a server not trusted";
    EXPECT_EQ(b->LocationURL(), server.url("page.html"));
    const QString text = runJs(b->page(), "document.body.innerText").toString();
    EXPECT_TRUE(text.contains(QStringLiteral("127.0.0.1:%1").arg(server.serverPort()))) << text.toStdString();
    EXPECT_TRUE(text.contains("스스로 서명한 인증서")) << text.toStdString();
    EXPECT_EQ(runJs(b->page(), "document.activeElement.id").toString(), "back") << "going back is the default";
    EXPECT_EQ(runJs(b->page(), "document.getElementById('advanced').textContent").toString(), "고급");
    EXPECT_EQ(runJs(b->page(), "document.getElementById('proceed').textContent").toString(), "위험을 감수하고 계속");
    EXPECT_TRUE(b->isUnsafe());

    // Back leaves the page.
    ASSERT_TRUE(clickLink(b, "back"));
    ASSERT_TRUE(waitUntil([&] { return b->LocationURL() == plain.url("before.html") && !b->Busy(); }));
    EXPECT_FALSE(b->isUnsafe());

    // Going on past the warning trusts this certificate for this host.
    b->Navigate(server.url("page.html"));
    ASSERT_TRUE(waitUntil([&] { return b->DocumentTitle() == QString::fromUtf8(platform::kCertificateText) && !b->Busy(); }));
    ASSERT_TRUE(clickLink(b, "proceed"));
    ASSERT_TRUE(waitUntil([&] { return b->DocumentTitle() == "secured" && !b->Busy(); }));
    EXPECT_EQ(engine.factory->certificateExceptions().count(), 1);
    EXPECT_TRUE(b->isUnsafe()) << "the connection icon keeps warning";
    EXPECT_GE(unsafe.count(), 3);

    // Another tab goes straight there; nothing of it is on disk.
    auto *second = engine.create();
    ASSERT_TRUE(navigateAndWait(second, server.url("again.html")));
    EXPECT_EQ(second->DocumentTitle(), "secured");
    EXPECT_TRUE(second->isUnsafe());
    const QByteArray der = certificate.toDer().toHex();
    QDirIterator it(engine.folder.file("Profile"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_FALSE(file.readAll().toHex().contains(der.left(64))) << file.fileName().toStdString();
    }
}

TEST(StatusPages, TextsAreEscapedAndProblemsNamedPlainly)
{
    using E = QWebEngineCertificateError;
    const QString page = platform::certificatePageHtml("<b>host</b>", "x", false);
    EXPECT_TRUE(page.contains("&lt;b&gt;host&lt;/b&gt;"));
    EXPECT_FALSE(page.contains("proceed")) << "no way on past an error that cannot be overridden";
    EXPECT_TRUE(platform::certificatePageHtml("h", "x", true).contains("위험을 감수하고 계속"));
    EXPECT_TRUE(platform::crashedPageHtml("javascript:'<script>'").contains("&lt;script&gt;"));
    EXPECT_NE(platform::certificateProblem(E::CertificateDateInvalid, {}), platform::certificateProblem(E::CertificateCommonNameInvalid, {}));
    EXPECT_TRUE(platform::certificateProblem(E::CertificateDateInvalid, {}).contains("유효 기간"));
    EXPECT_TRUE(platform::certificateProblem(E::CertificateCommonNameInvalid, {}).contains("이름"));
    EXPECT_TRUE(platform::certificateProblem(E::CertificateAuthorityInvalid, {}).contains("스스로 서명"));
    EXPECT_EQ(platform::statusActionOf(QUrl("vorlen://local/action/reload")), platform::StatusAction::Reload);
    EXPECT_EQ(platform::statusActionOf(QUrl("vorlen://other/action/reload")), platform::StatusAction::None);
    EXPECT_EQ(platform::statusActionOf(QUrl("https://local/action/reload")), platform::StatusAction::None);
}

TEST(StatusPages, ATrustedCertificateHoldsForItsHostAndItAlone)
{
    TestFolder folder;
    QSslCertificate one;
    QSslCertificate two;
    QSslKey key;
    ASSERT_TRUE(makeCertificate(folder, one, key));
    TestFolder other;
    ASSERT_TRUE(makeCertificate(other, two, key));
    platform::CertificateExceptions exceptions;
    exceptions.allow(QUrl("https://127.0.0.1:8443/a"), one);
    EXPECT_TRUE(exceptions.isAllowed(QUrl("https://127.0.0.1:8443/b?x"), one));
    EXPECT_FALSE(exceptions.isAllowed(QUrl("https://127.0.0.1:8443/a"), two)) << "a new certificate asks again";
    EXPECT_FALSE(exceptions.isAllowed(QUrl("https://127.0.0.1:9443/a"), one));
    EXPECT_FALSE(exceptions.isAllowed(QUrl("https://localhost:8443/a"), one));
}
