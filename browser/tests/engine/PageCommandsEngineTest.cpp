// Find, zoom, PDF, the PDF viewer and downloads on the real engine, on pages
// and servers of the test's own.
#include "RealBrowserFixture.h"

#include "browser/downloads/frmDownloads.h"
#include "browser/downloads/DownloadLog.h"
#include "browser/find/FindBar.h"
#include "browser/fullscreen/FullScreen.h"
#include "browser/find/FindCommands.h"
#include "browser/tests/BrowserFixture.h"
#include "platform/tests/engine/LocalServer.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>

using enginetest::waitUntil;

namespace {

// Sends a large file slowly, so that a download can be watched and cancelled.
class SlowFileServer
{
public:
    static constexpr qint64 kSize = 8 * 1024 * 1024;

    SlowFileServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                ++m_connections;
                socket->setParent(&m_server);
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                    if (socket->property("answered").toBool())
                        return;
                    socket->readAll();
                    socket->setProperty("answered", true);
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
                                  "Content-Disposition: attachment; filename=\"slow-file.bin\"\r\n"
                                  "Content-Length: "
                                  + QByteArray::number(kSize) + "\r\n\r\n");
                    auto *timer = new QTimer(socket);
                    auto sent = std::make_shared<qint64>(0);
                    QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, sent] {
                        const qint64 chunk = qMin<qint64>(32 * 1024, kSize - *sent);
                        socket->write(QByteArray(chunk, 'v'));
                        *sent += chunk;
                        if (*sent >= kSize)
                            timer->stop();
                    });
                    timer->start(100);
                });
            }
        });
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/slow-file.bin").arg(m_server.serverPort()); }
    int connections() const { return m_connections; }

private:
    QTcpServer m_server;
    int m_connections = 0;
};

class PageCommandsEngine : public RealBrowserTest
{
protected:
    void activate()
    {
        form().show();
        QApplication::setActiveWindow(&form());
    }
};

} // namespace

TEST_F(PageCommandsEngine, FindCountsTheMatchesAndStepsThroughThem)
{
    const QString url = page("find.html", "<html><body><p>apple banana Apple</p><p>apple</p><p>pineapple APPLE</p>"
                                          "</body></html>");
    ASSERT_NO_FATAL_FAILURE(startOn(url));
    activate();
    app->commands().run(Command::FindInPage);
    FindBar *bar = findCommands::barOf(*form().browser(0));
    ASSERT_NE(bar, nullptr);
    QTest::keyClicks(bar->FindTextField, "apple");
    ASSERT_TRUE(waitUntil([&] { return bar->ResultLabel->text() == "1/5"; })) << bar->ResultLabel->text().toStdString();
    QTest::keyClick(bar->FindTextField, Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return bar->ResultLabel->text() == "2/5"; })) << bar->ResultLabel->text().toStdString();
    QTest::keyClick(bar->FindTextField, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(bar->FindTextField, Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_TRUE(waitUntil([&] { return bar->ResultLabel->text() == "5/5"; })) << bar->ResultLabel->text().toStdString();

    bar->MatchCaseCheck->click();
    ASSERT_TRUE(waitUntil([&] { return bar->ResultLabel->text().endsWith("/3"); }))
        << bar->ResultLabel->text().toStdString();

    QTest::keyClicks(bar->FindTextField, "zz");
    ASSERT_TRUE(waitUntil([&] { return bar->notFound(); }));
    EXPECT_EQ(bar->ResultLabel->text(), "찾는 문자열이 없습니다.");
}

TEST_F(PageCommandsEngine, ZoomChangesTheFactorAndComesBackForTheSiteAfterARestart)
{
    enginetest::LocalServer server;
    ASSERT_TRUE(server.listening());
    server.setPage("a.html", "<html><head><title>A</title></head><body>a</body></html>");
    ASSERT_NO_FATAL_FAILURE(startOn(server.url("a.html")));
    app->commands().run(Command::ZoomIn);
    app->commands().run(Command::ZoomIn);
    ASSERT_TRUE(waitUntil([&] { return qFuzzyCompare(engine(0)->page()->zoomFactor(), 1.25); }));

    // A new run on an engine profile of its own: only the browser's file remembers.
    app.reset();
    auto otherEngine = std::make_unique<platform::QtWebBrowserFactory>(dir.file("engine2"), fake.dialogs());
    platform::Platform otherContext{fake.environment(), fake.registry(), fake.system(), fake.processes(),
                                    fake.dialogs(), *otherEngine};
    // Another site first: the engine's own memory of a level is per host.
    const QString other = page("other.html", "<html><head><title>B</title></head><body>b</body></html>");
    fake.registry().setStartPage(other);
    app = std::make_unique<BrowserAssembly>(otherContext);
    modSubMain::Start(*app);
    ASSERT_TRUE(waitUntil([&] { return form().browser(0)->LocationURL() == other && !form().browser(0)->Busy(); }));
    EXPECT_TRUE(qFuzzyCompare(engine(0)->page()->zoomFactor(), 1.0));
    form().browser(0)->Navigate(server.url("a.html"));
    ASSERT_TRUE(waitUntil([&] {
        return form().browser(0)->LocationURL() == server.url("a.html") && !form().browser(0)->Busy()
               && qFuzzyCompare(engine(0)->page()->zoomFactor(), 1.25);
    })) << engine(0)->page()->zoomFactor();
    app.reset();
    otherEngine.reset();
    enginetest::waitForStorageToSettle(dir.file("engine2"));
}

TEST_F(PageCommandsEngine, SaveAsPdfWritesAPdfThatOpensInTheTab)
{
    const QString url = page("doc.html", "<html><head><title>문서</title></head><body><h1>PDF</h1></body></html>");
    ASSERT_NO_FATAL_FAILURE(startOn(url));
    const QString pdf = dir.file("out.pdf");
    fake.dialogs().queueFileName(pdf);
    app->commands().run(Command::SavePdf);
    ASSERT_TRUE(waitUntil([&] { return !fake.dialogs().notices().isEmpty(); }));
    EXPECT_EQ(fake.dialogs().notices().last().text, "PDF 파일로 저장했습니다.\n" + pdf);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(4), "%PDF");
    file.close();

    // The PDF shows in the tab; nothing asks to download it.
    enginetest::LocalServer server;
    QFile again(pdf);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    server.setPage("doc.pdf", again.readAll(), "application/pdf");
    const int questions = int(fake.dialogs().messageBoxes().size());
    form().browser(0)->Navigate(server.url("doc.pdf"));
    ASSERT_TRUE(waitUntil([&] {
        return form().browser(0)->LocationURL() == server.url("doc.pdf") && !form().browser(0)->Busy();
    })) << form().browser(0)->LocationURL().toStdString();
    // The viewer lays the document out a moment after the load ends; on a busy
    // machine that moment is longer.
    EXPECT_TRUE(waitUntil([&] { return !engine(0)->page()->contentsSize().isEmpty(); })) << "the PDF shows";
    EXPECT_EQ(fake.dialogs().messageBoxes().size(), questions) << "no download question";
}

TEST_F(PageCommandsEngine, ADownloadShowsProgressCancelsAndLeavesNoPartialFile)
{
    SlowFileServer server;
    const QString url = page("links.html", "<html><body>download</body></html>");
    ASSERT_NO_FATAL_FAILURE(startOn(url));
    activate();
    app->commands().run(Command::Downloads);
    frmDownloads *window = toolWindow<frmDownloads>();
    ASSERT_NE(window, nullptr);

    fake.dialogs().queueAnswer(platform::MsgResult::Save);
    form().browser(0)->Navigate(server.url());
    ASSERT_TRUE(waitUntil([&] { return window->rows().size() == 1; }));
    DownloadRow *row = window->rows()[0];
    ASSERT_TRUE(waitUntil([&] { return row->ProgressBar->value() > 0; })) << row->DetailLabel->text().toStdString();
    EXPECT_TRUE(row->DetailLabel->text().contains(" / 8.0 MB")) << row->DetailLabel->text().toStdString();
    const QString path = row->download()->path();
    EXPECT_EQ(QFileInfo(path).fileName(), "slow-file.bin");
    // The engine writes the part beside the file, under a name of its own.
    const QDir folder = QFileInfo(path).dir();
    auto parts = [&] {
        return folder.entryList({QStringLiteral("slow-file*")}, QDir::Files | QDir::Hidden | QDir::System);
    };
    ASSERT_TRUE(waitUntil([&] { return !parts().isEmpty(); })) << "the part being written";
    const QStringList written = parts();

    row->CancelButton->click();
    ASSERT_TRUE(waitUntil([&] { return row->download()->state() == platform::Download::State::Cancelled; }));
    EXPECT_FALSE(row->RetryButton->isHidden());
    QTest::qWait(1500);
    EXPECT_EQ(parts(), QStringList{}) << "written while running: " << written.join(' ').toStdString();
    EXPECT_TRUE(fake.dialogs().notices().isEmpty()) << "the window is open: no notice";
}

TEST_F(PageCommandsEngine, FullScreenFromAClickIsAcceptedAndFromATimerRefused)
{
    const QString url = page("video.html",
                             "<html><head><title>video</title></head><body style='margin:0'>"
                             "<div id='player' style='width:100%;height:100%;background:#123'"
                             " onclick=\"this.requestFullscreen().then(() => document.title = 'full')"
                             ".catch(e => document.title = 'refused')\">play</div>"
                             "<script>function byTimer() { setTimeout(() => document.getElementById('player')"
                             ".requestFullscreen().then(() => document.title = 'full')"
                             ".catch(e => document.title = 'refused'), 10); }</script></body></html>");
    ASSERT_NO_FATAL_FAILURE(startOn(url));
    activate();
    FullScreen *full = form().findChild<FullScreen *>();
    ASSERT_NE(full, nullptr);
    const QRect frame = form().geometry();
    const Qt::WindowStates state = form().windowState();

    // No user gesture: the page is refused, the window stays.
    enginetest::runJs(engine(0)->page(), "byTimer()");
    ASSERT_TRUE(waitUntil([&] { return form().browser(0)->DocumentTitle() == "refused"; }))
        << form().browser(0)->DocumentTitle().toStdString();
    EXPECT_EQ(full->window(), nullptr);

    // A click is a gesture.
    QWidget *view = form().browser(0)->widget();
    QWidget *input = view->focusProxy() ? view->focusProxy() : view;
    const QPoint at(40, 40);
    QMouseEvent press(QEvent::MouseButtonPress, at, input->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(input, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, input->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(input, &release);
    ASSERT_TRUE(waitUntil([&] { return form().browser(0)->DocumentTitle() == "full"; }))
        << form().browser(0)->DocumentTitle().toStdString();
    ASSERT_NE(full->window(), nullptr);
    EXPECT_TRUE(full->window()->isFullScreen());
    EXPECT_EQ(view->window(), full->window());

    // Escape leaves, the page hears of it, and the window is as it was.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(input, &escape);
    EXPECT_EQ(full->window(), nullptr);
    ASSERT_TRUE(waitUntil([&] {
        return enginetest::runJs(engine(0)->page(), "document.fullscreenElement === null").toBool();
    }));
    EXPECT_EQ(view->window(), &form());
    EXPECT_EQ(form().geometry(), frame);
    EXPECT_EQ(form().windowState(), state);
}
