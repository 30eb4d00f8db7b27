#pragma once

// What every engine test needs: a factory with its own storage folder, a host
// widget that owns the controls the way a form does, an event recorder, and
// waiting that lets the engine run (QTest::qWaitFor sleeps between polls and
// slows the engine down badly).

#include "TempDir.h"
#include "platform/linux/QtWebBrowser.h"
#include "platform/linux/QtWebBrowserFactory.h"
#include "platform/testing/FakeDialogs.h"

#include <QBuffer>
#include <QColor>
#include <QDirIterator>
#include <QImage>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <memory>
#include <type_traits>

namespace enginetest {

constexpr int kLoadTimeout = 15000;

// Runs the event loop until pred holds or timeoutMs passed; returns pred().
inline bool waitUntil(const std::function<bool()> &pred, int timeoutMs = kLoadTimeout)
{
    if (pred())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (pred())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(10);
    loop.exec();
    return pred();
}

// The engine writes the last of a profile's files on its own threads shortly
// after the profile is gone; a test folder removed before that stays behind.
// Waits until nothing below folder has changed for 100 ms (2 s at most).
inline void waitForStorageToSettle(const QString &folder)
{
    auto snapshot = [&] {
        QStringList entries;
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            entries << info.filePath() + QLatin1Char(':') + QString::number(info.size());
        }
        entries.sort();
        return entries;
    };
    QStringList last = snapshot();
    int quietTicks = 0;
    waitUntil([&] {
        const QStringList now = snapshot();
        quietTicks = now == last ? quietTicks + 1 : 0;
        last = now;
        return quietTicks >= 10;
    }, 2000);
}

// Lets the engine run for ms (to see that something does NOT happen).
inline void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Records each emission of one signal with its arguments (the test binaries
// do not link Qt Test, so this stands in for QSignalSpy).
class SignalSpy
{
public:
    template<typename Obj, typename Sender, typename... Args>
    SignalSpy(Obj *sender, void (Sender::*signal)(Args...))
    {
        QObject::connect(sender, signal, &m_context, [this](Args... args) {
            m_calls.append(QVariantList{QVariant::fromValue(std::decay_t<Args>(args))...});
        });
    }
    // Waits for the next emission; false when none came within timeoutMs.
    bool wait(int timeoutMs = kLoadTimeout)
    {
        const qsizetype before = m_calls.size();
        return waitUntil([&] { return m_calls.size() > before; }, timeoutMs);
    }
    int count() const { return int(m_calls.size()); }
    const QVariantList &at(int i) const { return m_calls.at(i); }
    const QVariantList &last() const { return m_calls.last(); }
    void clear() { m_calls.clear(); }

private:
    QObject m_context;
    QList<QVariantList> m_calls;
};

// An 8 x 8 PNG picture of one colour.
inline QByteArray png(const QColor &colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

inline QVariant runJs(QWebEnginePage *page, const QString &script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant &v) {
        result = v;
        done = true;
    });
    waitUntil([&] { return done; }, 5000);
    return result;
}

inline QString fileUrl(const QString &path)
{
    return QUrl::fromLocalFile(path).toString();
}

// Every event of one control, in order: "Name" in names, "Name arguments" in entries.
struct EventRecorder
{
    QStringList names;
    QStringList entries;
    QList<bool> busyAt;        // Busy() at each event
    QStringList locationAt;    // LocationURL() at each event

    explicit EventRecorder(platform::WebBrowser *b)
    {
        using W = platform::WebBrowser;
        auto add = [this, b](const QString &name, const QString &args = QString()) {
            names << name;
            entries << (args.isEmpty() ? name : name + QLatin1Char(' ') + args);
            busyAt << b->Busy();
            locationAt << b->LocationURL();
        };
        QObject::connect(b, &W::BeforeNavigate2, b, [add](const QString &u) { add("BeforeNavigate2", u); });
        QObject::connect(b, &W::NavigateComplete2, b, [add](const QString &u) { add("NavigateComplete2", u); });
        QObject::connect(b, &W::DocumentComplete, b, [add](const QString &u) { add("DocumentComplete", u); });
        QObject::connect(b, &W::DownloadBegin, b, [add] { add("DownloadBegin"); });
        QObject::connect(b, &W::DownloadComplete, b, [add] { add("DownloadComplete"); });
        QObject::connect(b, &W::TitleChange, b, [add](const QString &t) { add("TitleChange", t); });
        QObject::connect(b, &W::ProgressChange, b, [add](int p, int m) {
            add("ProgressChange", QString::number(p) + '/' + QString::number(m));
        });
        QObject::connect(b, &W::CommandStateChange, b, [add](int c, bool e) {
            add("CommandStateChange", QString::number(c) + (e ? " on" : " off"));
        });
        QObject::connect(b, &W::StatusTextChange, b, [add](const QString &t) { add("StatusTextChange", t); });
        QObject::connect(b, &W::WindowClosing, b, [add] { add("WindowClosing"); });
        QObject::connect(b, &W::NavigateError, b, [add](const QString &u, int code) {
            add("NavigateError", u + ' ' + QString::number(code));
        });
        QObject::connect(b, &W::FileDownload, b, [add](const QString &p) { add("FileDownload", p); });
    }

    int count(const QString &name) const { return int(names.count(name)); }
    // Arguments of the last event called name.
    QString lastArgs(const QString &name) const
    {
        for (qsizetype i = entries.size() - 1; i >= 0; --i) {
            if (names.at(i) == name)
                return entries.at(i).mid(name.size() + 1);
        }
        return QString();
    }
    QStringList argsOf(const QString &name) const
    {
        QStringList out;
        for (qsizetype i = 0; i < entries.size(); ++i) {
            if (names.at(i) == name)
                out << entries.at(i).mid(name.size() + 1);
        }
        return out;
    }
    void clear()
    {
        names.clear();
        entries.clear();
        busyAt.clear();
        locationAt.clear();
    }
};

// One factory on its own storage folder, asking through recording dialogs,
// with the generated pages in its own TEMP folder, and a host widget playing
// the form. The host goes first, as a window does before the program's
// platform context.
struct Engine
{
    TestFolder folder;
    platform::testing::FakeDialogs dialogs;
    std::unique_ptr<platform::QtWebBrowserFactory> factory;
    std::unique_ptr<QWidget> host;

    explicit Engine(const QString &storage = QStringLiteral("Profile/Engine"))
        : factory(std::make_unique<platform::QtWebBrowserFactory>(folder.file(storage), dialogs))
        , host(std::make_unique<QWidget>())
    {
        factory->setGeneratedPages(tempFolder(), platform::QtWebBrowserFactory::generatedPageNames());
        host->resize(800, 600);
        host->show();
    }
    ~Engine()
    {
        host.reset();
        factory.reset();
        waitForStorageToSettle(folder.path());
    }

    platform::QtWebBrowser *create()
    {
        auto *b = static_cast<platform::QtWebBrowser *>(factory->create(host.get()));
        b->widget()->resize(800, 600);
        b->widget()->show();
        return b;
    }

    QString page(const QString &name, const QByteArray &html) const
    {
        return folder.write("pages/" + name, html);
    }

    // The folder of the generated pages, and one of them written there.
    QString tempFolder() const { return folder.file("temp"); }
    QString generated(const QString &name, const QByteArray &html) const
    {
        return folder.write("temp/" + name, html);
    }
};

// Navigates and waits for the end of loading; false on timeout.
inline bool navigateAndWait(platform::WebBrowser *b, const QString &address)
{
    SignalSpy done(b, &platform::WebBrowser::DocumentComplete);
    b->Navigate(address);
    return done.wait(kLoadTimeout);
}

} // namespace enginetest
