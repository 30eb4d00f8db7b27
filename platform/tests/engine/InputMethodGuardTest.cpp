// The input-method guard on the real engine, with input-method events sent the
// way an input method's Qt module sends them (no input method runs here; the
// Hangul test under tests/ime types through a real one).

#include "EngineHarness.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QMouseEvent>
#include <QWebEngineView>

#include <gtest/gtest.h>

using namespace enginetest;

namespace {

const QByteArray kFields = R"(<!doctype html><meta charset="utf-8"><title>fields</title>
<style>body { margin: 0 } input { display: block; margin: 10px; width: 200px; height: 30px }</style>
<input id="a"><input id="b"><input id="e"><input id="r">
<script>
 const e = document.getElementById('e');
 e.addEventListener('input', () => { if (e.value === '안녕') document.getElementById('b').focus(); });
 const r = document.getElementById('r');
 r.addEventListener('input', () => { if (r.value === '안녕') r.remove(); });
</script>)";

class InputMethodGuardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        b = engine.create();
        ASSERT_TRUE(navigateAndWait(b, engine.page("fields.html", kFields)));
        engine.host->activateWindow();
        b->widget()->setFocus();
        ASSERT_TRUE(waitUntil([&] { return b->widget()->focusProxy() && b->widget()->focusProxy()->hasFocus(); }, 5000));
    }

    QString value(const char *id)
    {
        return runJs(b->page(), QStringLiteral("(() => { const f = document.getElementById('%1'); return f ? f.value : '<gone>'; })()")
                                    .arg(QLatin1String(id)))
            .toString();
    }
    QString focused() { return runJs(b->page(), "document.activeElement ? document.activeElement.id : ''").toString(); }

    void focusField(const char *id)
    {
        runJs(b->page(), QStringLiteral("document.getElementById('%1').focus()").arg(QLatin1String(id)));
        ASSERT_TRUE(waitUntil([&] { return focused() == QLatin1String(id); }, 5000));
    }

    // What an input method's Qt module sends: a commit and/or the open syllable.
    static void send(const QString &commit, const QString &preedit)
    {
        QList<QInputMethodEvent::Attribute> attributes;
        if (!preedit.isEmpty())
            attributes << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, preedit.size(), 1);
        QInputMethodEvent event(preedit, attributes);
        event.setCommitString(commit);
        QCoreApplication::sendEvent(QGuiApplication::focusObject(), &event);
    }

    // 안녕 with 녕 still open, in the focused field.
    void composeAnnyeong(const char *id)
    {
        send(QString(), QStringLiteral("안"));
        send(QStringLiteral("안"), QStringLiteral("ㄴ"));
        send(QString(), QStringLiteral("녕"));
        ASSERT_TRUE(waitUntil([&] { return value(id) == QStringLiteral("안녕") || value(id) == "<gone>" || focused() != id; }, 5000))
            << value(id).toStdString();
    }

    void clickField(const char *id)
    {
        const QVariantList r = runJs(b->page(), QStringLiteral("(() => { const r = document.getElementById('%1')"
                                                               ".getBoundingClientRect(); return [r.left + 20, r.top + 10]; })()")
                                                    .arg(QLatin1String(id)))
                                   .toList();
        ASSERT_EQ(r.size(), 2);
        QWidget *target = b->widget()->focusProxy();
        const QPoint at(int(r[0].toDouble()), int(r[1].toDouble()));
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &event);
        }
        ASSERT_TRUE(waitUntil([&] { return focused() == QLatin1String(id); }, 5000));
    }

    Engine engine;
    platform::QtWebBrowser *b = nullptr;
};

TEST_F(InputMethodGuardTest, aClickWhileComposingKeepsTheSyllableInItsFieldAndDropsTheCopyOnce)
{
    ASSERT_NO_FATAL_FAILURE(focusField("a"));
    ASSERT_NO_FATAL_FAILURE(composeAnnyeong("a"));
    ASSERT_NO_FATAL_FAILURE(clickField("b"));
    EXPECT_EQ(value("a"), QStringLiteral("안녕"));

    // The input method's own copy of 녕 comes in the next field: dropped, once.
    send(QStringLiteral("녕"), QString());
    send(QString(), QStringLiteral("나"));
    send(QStringLiteral("나"), QString());
    ASSERT_TRUE(waitUntil([&] { return value("b") == QStringLiteral("나"); }, 5000)) << value("b").toStdString();
    EXPECT_EQ(value("a"), QStringLiteral("안녕"));

    // Later the same syllable is ordinary typing again.
    send(QStringLiteral("녕"), QString());
    EXPECT_TRUE(waitUntil([&] { return value("b") == QStringLiteral("나녕"); }, 5000)) << value("b").toStdString();
}

TEST_F(InputMethodGuardTest, whatComposesAfterTheClickIsNeverTakenForTheCopy)
{
    ASSERT_NO_FATAL_FAILURE(focusField("a"));
    ASSERT_NO_FATAL_FAILURE(composeAnnyeong("a"));
    ASSERT_NO_FATAL_FAILURE(clickField("b"));
    // 녕 typed anew in b: it shows while composing, then commits.
    send(QString(), QStringLiteral("녕"));
    send(QStringLiteral("녕"), QString());
    EXPECT_TRUE(waitUntil([&] { return value("b") == QStringLiteral("녕"); }, 5000)) << value("b").toStdString();
    EXPECT_EQ(value("a"), QStringLiteral("안녕"));
}

TEST_F(InputMethodGuardTest, aSyllableTakenBackByTheInputMethodStaysOutOfTheNextField)
{
    // ibus at times takes the open syllable out of the page with an empty
    // update while it still holds it, and commits it at the next reset.
    ASSERT_NO_FATAL_FAILURE(focusField("a"));
    ASSERT_NO_FATAL_FAILURE(composeAnnyeong("a"));
    send(QString(), QString());
    ASSERT_TRUE(waitUntil([&] { return value("a") == QStringLiteral("안"); }, 5000)) << value("a").toStdString();
    ASSERT_NO_FATAL_FAILURE(clickField("b"));
    send(QStringLiteral("녕"), QString());
    send(QStringLiteral("나"), QString());
    ASSERT_TRUE(waitUntil([&] { return value("b") == QStringLiteral("나"); }, 5000)) << value("b").toStdString();
    EXPECT_EQ(value("a"), QStringLiteral("안"));
}

TEST_F(InputMethodGuardTest, aCommitWithoutAnyMoveIsLeftAlone)
{
    ASSERT_NO_FATAL_FAILURE(focusField("a"));
    ASSERT_NO_FATAL_FAILURE(composeAnnyeong("a"));
    send(QStringLiteral("녕"), QString()); // Enter: the input method commits 녕
    send(QString(), QStringLiteral("녕"));
    send(QStringLiteral("녕"), QString());
    EXPECT_TRUE(waitUntil([&] { return value("a") == QStringLiteral("안녕녕"); }, 5000)) << value("a").toStdString();
}

TEST_F(InputMethodGuardTest, thePageMovingTheFocusOrRemovingTheFieldEndsTheSyllableThere)
{
    // A script moves the focus from e to b as soon as 안녕 stands in e.
    ASSERT_NO_FATAL_FAILURE(focusField("e"));
    ASSERT_NO_FATAL_FAILURE(composeAnnyeong("e"));
    ASSERT_TRUE(waitUntil([&] { return focused() == QStringLiteral("b"); }, 5000));
    settle(200); // the watcher's word travels through the console
    send(QStringLiteral("녕"), QString());
    send(QStringLiteral("나"), QString());
    ASSERT_TRUE(waitUntil([&] { return value("b") == QStringLiteral("나"); }, 5000)) << value("b").toStdString();
    EXPECT_EQ(value("e"), QStringLiteral("안녕"));

    // A script removes r while 녕 is open in it.
    ASSERT_NO_FATAL_FAILURE(focusField("a"));
    ASSERT_NO_FATAL_FAILURE(focusField("r"));
    ASSERT_NO_FATAL_FAILURE(composeAnnyeong("r"));
    ASSERT_TRUE(waitUntil([&] { return value("r") == "<gone>"; }, 5000));
    // An input method queries the page after every change of its input state.
    QInputMethodQueryEvent query(Qt::ImEnabled | Qt::ImSurroundingText);
    QCoreApplication::sendEvent(QGuiApplication::focusObject(), &query);
    settle(200);
    ASSERT_NO_FATAL_FAILURE(focusField("a"));
    send(QStringLiteral("녕"), QString());
    send(QStringLiteral("다"), QString());
    EXPECT_TRUE(waitUntil([&] { return value("a") == QStringLiteral("다"); }, 5000)) << value("a").toStdString();
}

} // namespace
