// Hangul typed through a real input method (fcitx5 with its Hangul engine) into
// pages of the whole browser on the real engine. Keys and clicks are real X
// events sent with xdotool; tests/ime/run_hangul_tests.sh starts the X display,
// the window manager, a private D-Bus session and fcitx5 around this binary.
//
// 2-beolsik keys: d k s s u d types 안녕 (녕 stays open until the next key or a
// move), s k types 나, g k s r m f types 한글.

#include "browser/core/Commands.h"
#include "browser/tests/engine/RealBrowserFixture.h"
#include "browser/window/AddressInput.h"
#include "browser/frame/LabelControl.h"
#include "browser/input/modKeyflint.h"

#include <QKeyEvent>
#include <QProcess>
#include <QWebEngineView>

namespace {

const QString kAnnyeong = QStringLiteral("안녕");
const QString kNa = QStringLiteral("나");

const char *kFieldsPage = R"(<!doctype html><meta charset="utf-8"><title>fields</title>
<style>
 body { margin: 0; font: 20px sans-serif; }
 input { display: block; margin: 16px; width: 320px; height: 32px; font-size: 20px; }
 #blank { height: 160px; }
</style>
<input id="a"><input id="b"><input id="c"><input id="e">
<div id="blank"></div>
<a id="link" href="#moved">moved</a>
<script>
 // The page ends the composition in c by itself: it removes the field as soon
 // as 안녕 stands in it, while 녕 is still open.
 const c = document.getElementById('c');
 c.addEventListener('input', () => {
   if (c.value === '안녕') setTimeout(() => { window.removedWith = c.value; c.remove(); }, 200);
 });
 // And in e it moves the focus on to b, as forms that jump to the next field do.
 const e = document.getElementById('e');
 e.addEventListener('input', () => {
   if (e.value === '안녕') setTimeout(() => document.getElementById('b').focus(), 200);
 });
</script>)";

const char *kOtherPage = R"(<!doctype html><meta charset="utf-8"><title>other</title>
<style>input { display: block; margin: 16px; width: 320px; height: 32px; font-size: 20px; }</style>
<input id="d">)";

// Records the address box's text at the moment Enter reaches it, and keeps the
// Enter from it, so that no page is loaded for the address.
class EnterWatch : public QObject
{
public:
    QString textAtEnter;
    bool seen = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                textAtEnter = static_cast<AddressInput *>(watched)->text();
                seen = true;
                return true;
            }
        }
        return false;
    }
};

class HangulInputTest : public RealBrowserTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(startOn(page("fields.htm", kFieldsPage)));
        form().activateWindow();
        form().raise();
        ASSERT_TRUE(enginetest::waitUntil([&] { return form().isActiveWindow(); }, 5000))
            << "the window manager did not activate the browser window";
    }

    QWebEnginePage *pageOf(qint16 tab) { return engine(tab)->page(); }

    static void xdotool(const QStringList &args)
    {
        ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), args), 0) << args.join(' ').toStdString();
    }

    // Presses the keys one by one, each by its X key name.
    static void keys(const QString &names)
    {
        QStringList args{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60")};
        args += names.split(' ', Qt::SkipEmptyParts);
        xdotool(args);
    }

    void clickAtGlobal(QPoint global, int clicks = 1)
    {
        // One xdotool run, so that the click follows the move in order. (A
        // synchronous move to where the pointer already is waits for nothing.)
        xdotool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y()),
                 QStringLiteral("sleep"), QStringLiteral("0.05"), QStringLiteral("click"), QStringLiteral("--repeat"),
                 QString::number(clicks), QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
    }

    // Clicks inside the element with the given id, near its right end (so the
    // caret lands after a field's text).
    void clickElement(qint16 tab, const QString &id)
    {
        const QVariantList r =
            enginetest::runJs(pageOf(tab), QStringLiteral("(() => { const r = document.getElementById('%1')"
                                                          ".getBoundingClientRect(); return [r.right - 6, r.top + r.height / 2]; })()")
                                               .arg(id))
                .toList();
        ASSERT_EQ(r.size(), 2) << "no element " << id.toStdString();
        QWidget *view = engine(tab)->widget();
        clickAtGlobal(view->mapToGlobal(QPoint(int(r[0].toDouble()), int(r[1].toDouble()))));
    }

    void clickBlank(qint16 tab)
    {
        QWidget *view = engine(tab)->widget();
        const QVariantList r = enginetest::runJs(pageOf(tab), QStringLiteral("(() => { const r = document.getElementById"
                                                                            "('blank').getBoundingClientRect(); return [r.left + 200, r.top + 80]; })()"))
                                   .toList();
        ASSERT_EQ(r.size(), 2);
        clickAtGlobal(view->mapToGlobal(QPoint(int(r[0].toDouble()), int(r[1].toDouble()))));
    }

    QString value(qint16 tab, const QString &id)
    {
        return enginetest::runJs(pageOf(tab), QStringLiteral("(() => { const e = document.getElementById('%1');"
                                                            " return e ? e.value : '<gone>'; })()")
                                                  .arg(id))
            .toString();
    }

    QString focusedId(qint16 tab)
    {
        return enginetest::runJs(pageOf(tab), QStringLiteral("document.activeElement ? document.activeElement.id : ''"))
            .toString();
    }

    bool waitValue(qint16 tab, const QString &id, const QString &expected)
    {
        return enginetest::waitUntil([&] { return value(tab, id) == expected; }, 5000);
    }

    // Clicks into a field and waits until the page has focused it.
    void focusField(qint16 tab, const QString &id)
    {
        ASSERT_NO_FATAL_FAILURE(clickElement(tab, id));
        ASSERT_TRUE(enginetest::waitUntil([&] { return focusedId(tab) == id; }, 5000)) << id.toStdString();
    }

    // Types 안녕 into the field and leaves 녕 composing.
    void typeAnnyeong(qint16 tab, const QString &id)
    {
        ASSERT_NO_FATAL_FAILURE(focusField(tab, id));
        keys(QStringLiteral("d k s s u d"));
        ASSERT_TRUE(waitValue(tab, id, kAnnyeong))
            << "the input method did not compose 안녕; the field holds \"" << value(tab, id).toStdString() << '"';
    }

    // Gives a stray commit the time to arrive before the final values are read.
    static void letInputMethodSettle() { enginetest::settle(400); }

    // Types 나 and Enter into the focused field, which must then hold exactly
    // expected, also once a late commit would have arrived.
    void typeNa(qint16 tab, const QString &id, const QString &expected)
    {
        keys(QStringLiteral("s k Return"));
        EXPECT_TRUE(waitValue(tab, id, expected));
        letInputMethodSettle();
        EXPECT_EQ(value(tab, id), expected) << id.toStdString();
    }
};

TEST_F(HangulInputTest, enterInAPageFieldCommitsTheSyllableOnce)
{
    ASSERT_NO_FATAL_FAILURE(typeAnnyeong(0, "a"));
    keys(QStringLiteral("Return"));
    letInputMethodSettle();
    EXPECT_EQ(value(0, "a"), kAnnyeong);

    typeNa(0, "a", kAnnyeong + kNa);
}

TEST_F(HangulInputTest, clickIntoAnotherFieldLeavesEachFieldItsOwnText)
{
    ASSERT_NO_FATAL_FAILURE(typeAnnyeong(0, "a"));
    ASSERT_NO_FATAL_FAILURE(focusField(0, "b"));
    typeNa(0, "b", kNa);
    EXPECT_EQ(value(0, "a"), kAnnyeong);
}

TEST_F(HangulInputTest, clickOnBlankPageAreaAndBackKeepsTheSyllableOnce)
{
    ASSERT_NO_FATAL_FAILURE(typeAnnyeong(0, "a"));
    ASSERT_NO_FATAL_FAILURE(clickBlank(0));
    ASSERT_TRUE(enginetest::waitUntil([&] { return focusedId(0) != "a"; }, 5000));
    letInputMethodSettle();
    EXPECT_EQ(value(0, "a"), kAnnyeong);

    ASSERT_NO_FATAL_FAILURE(focusField(0, "a"));
    typeNa(0, "a", kAnnyeong + kNa);
}

TEST_F(HangulInputTest, clickOnALinkKeepsTheSyllableOnceAndOutOfTheNextField)
{
    ASSERT_NO_FATAL_FAILURE(typeAnnyeong(0, "a"));
    ASSERT_NO_FATAL_FAILURE(clickElement(0, "link"));
    ASSERT_TRUE(enginetest::waitUntil([&] { return engine(0)->LocationURL().endsWith("#moved"); }, 5000));
    ASSERT_NO_FATAL_FAILURE(focusField(0, "b"));
    typeNa(0, "b", kNa);
    EXPECT_EQ(value(0, "a"), kAnnyeong);
}

TEST_F(HangulInputTest, fieldRemovedByThePageWhileComposingLeavesNothingBehind)
{
    ASSERT_NO_FATAL_FAILURE(typeAnnyeong(0, "c"));
    ASSERT_TRUE(enginetest::waitUntil([&] { return value(0, "c") == "<gone>"; }, 5000));
    EXPECT_EQ(enginetest::runJs(pageOf(0), "window.removedWith").toString(), kAnnyeong);

    ASSERT_NO_FATAL_FAILURE(focusField(0, "b"));
    typeNa(0, "b", kNa);
    EXPECT_EQ(value(0, "a"), QString());
}

TEST_F(HangulInputTest, focusMovedByThePageToAnotherFieldLeavesEachFieldItsOwnText)
{
    ASSERT_NO_FATAL_FAILURE(typeAnnyeong(0, "e"));
    ASSERT_TRUE(enginetest::waitUntil([&] { return focusedId(0) == "b"; }, 5000));
    typeNa(0, "b", kNa);
    EXPECT_EQ(value(0, "e"), kAnnyeong);
}

TEST_F(HangulInputTest, switchingTabsKeepsTheSyllableOnceAndOutOfTheOtherTab)
{
    app->commands().run(Command::NewTab);
    ASSERT_EQ(form().tabs().count(), 2);
    ASSERT_TRUE(enginetest::navigateAndWait(form().browser(1), page("other.htm", kOtherPage)));
    app->commands().run(Command::PreviousTab);
    ASSERT_EQ(form().tabs().currentPage(), form().browser(0));

    ASSERT_NO_FATAL_FAILURE(typeAnnyeong(0, "a"));
    app->commands().run(Command::NextTab);
    ASSERT_EQ(form().tabs().currentPage(), form().browser(1));
    ASSERT_NO_FATAL_FAILURE(focusField(1, "d"));
    typeNa(1, "d", kNa);
    EXPECT_EQ(value(0, "a"), kAnnyeong);
}

TEST_F(HangulInputTest, doubleClickOnTheAddressLabelKeepsTheSyllableOnceInThePage)
{
    ASSERT_NO_FATAL_FAILURE(typeAnnyeong(0, "a"));
    QWidget *label = form().WebAdressBar;
    clickAtGlobal(label->mapToGlobal(QPoint(label->width() / 2, label->height() / 2)), 2);
    ASSERT_TRUE(enginetest::waitUntil([&] { return form().WebAdressInputBar->hasFocus(); }, 5000));
    letInputMethodSettle();
    EXPECT_EQ(value(0, "a"), kAnnyeong);
    keys(QStringLiteral("Escape"));
    letInputMethodSettle();
    EXPECT_EQ(value(0, "a"), kAnnyeong);
}

TEST_F(HangulInputTest, addressBoxGetsExactlyTheTypedAddressAtEnter)
{
    QWidget *label = form().WebAdressBar;
    clickAtGlobal(label->mapToGlobal(QPoint(label->width() / 2, label->height() / 2)), 2);
    ASSERT_TRUE(enginetest::waitUntil([&] { return form().WebAdressInputBar->hasFocus(); }, 5000));
    keys(QStringLiteral("ctrl+a"));
    ASSERT_TRUE(enginetest::waitUntil(
        [&] { return form().WebAdressInputBar->selectedText() == form().WebAdressInputBar->text(); }, 5000));
    EnterWatch watch;
    form().WebAdressInputBar->installEventFilter(&watch);
    keys(QStringLiteral("g k s r m f Return"));
    ASSERT_TRUE(enginetest::waitUntil([&] { return watch.seen; }, 5000));
    form().WebAdressInputBar->removeEventFilter(&watch);
    EXPECT_EQ(watch.textAtEnter, QStringLiteral("한글"));
    keys(QStringLiteral("Escape"));
}

// The fifteen shortcuts in 한글 mode act on the key, not on what the input
// method would make of it, and the syllable being composed is committed once,
// where it was typed, before the shortcut acts.
class HangulShortcutTest : public HangulInputTest
{
protected:
    void SetUp() override
    {
        HangulInputTest::SetUp();
        if (HasFatalFailure())
            return;
        app->keyflint().hook();
    }

    qsizetype tabCount() { return form().tabs().count(); }

    void openAddressBox()
    {
        QWidget *label = form().WebAdressBar;
        clickAtGlobal(label->mapToGlobal(QPoint(label->width() / 2, label->height() / 2)), 2);
        ASSERT_TRUE(enginetest::waitUntil([&] { return form().WebAdressInputBar->hasFocus(); }, 5000));
    }
};

TEST_F(HangulShortcutTest, ctrlTAltLeftAndCtrlWInAPageFieldActAndKeepTheSyllableOnce)
{
    ASSERT_NO_FATAL_FAILURE(typeAnnyeong(0, "a"));
    keys(QStringLiteral("ctrl+t"));
    ASSERT_TRUE(enginetest::waitUntil([&] { return tabCount() == 2; }, 5000)) << "Ctrl+T opened no tab";
    ASSERT_TRUE(enginetest::waitUntil([&] { return form().tabs().currentPage() == form().browser(1); }, 5000));
    letInputMethodSettle();
    EXPECT_EQ(value(0, "a"), kAnnyeong);

    // 나 stays open in the new tab's field while Alt+Left is pressed.
    ASSERT_TRUE(enginetest::navigateAndWait(form().browser(1), page("other.htm", kOtherPage)));
    ASSERT_NO_FATAL_FAILURE(focusField(1, "d"));
    keys(QStringLiteral("s k"));
    ASSERT_TRUE(waitValue(1, "d", kNa));
    keys(QStringLiteral("alt+Left"));
    ASSERT_TRUE(enginetest::waitUntil([&] { return form().tabs().currentPage() == form().browser(0); }, 5000))
        << "Alt+Left did not go back to the first tab";
    letInputMethodSettle();
    EXPECT_EQ(value(0, "a"), kAnnyeong);
    EXPECT_EQ(value(1, "d"), kNa);

    // And 하 stays open in it while Ctrl+W closes its tab.
    app->commands().run(Command::NextTab);
    ASSERT_EQ(form().tabs().currentPage(), form().browser(1));
    ASSERT_NO_FATAL_FAILURE(focusField(1, "d"));
    keys(QStringLiteral("g k"));
    ASSERT_TRUE(waitValue(1, "d", kNa + QStringLiteral("하")));
    keys(QStringLiteral("ctrl+w"));
    ASSERT_TRUE(enginetest::waitUntil([&] { return tabCount() == 1; }, 5000)) << "Ctrl+W closed no tab";
    letInputMethodSettle();
    EXPECT_EQ(value(0, "a"), kAnnyeong);
    EXPECT_TRUE(fake.dialogs().messageBoxes().isEmpty());
}

TEST_F(HangulShortcutTest, ctrlTAltLeftAndCtrlWInTheAddressBoxAct)
{
    // 한 stays open in the address box while Ctrl+T is pressed. (The
    // syllable being composed is not part of the box's text yet.)
    ASSERT_NO_FATAL_FAILURE(openAddressBox());
    keys(QStringLiteral("ctrl+a g k s"));
    letInputMethodSettle();
    keys(QStringLiteral("ctrl+t"));
    ASSERT_TRUE(enginetest::waitUntil([&] { return tabCount() == 2; }, 5000)) << "Ctrl+T opened no tab";
    ASSERT_TRUE(enginetest::waitUntil([&] { return form().tabs().currentPage() == form().browser(1); }, 5000));

    // 하 in the new tab's address box, then Alt+Left.
    ASSERT_NO_FATAL_FAILURE(openAddressBox());
    keys(QStringLiteral("ctrl+a g k"));
    letInputMethodSettle();
    keys(QStringLiteral("alt+Left"));
    ASSERT_TRUE(enginetest::waitUntil([&] { return form().tabs().currentPage() == form().browser(0); }, 5000))
        << "Alt+Left did not go back to the first tab";

    // A third tab, 하 in its address box, then Ctrl+W closes it.
    app->commands().run(Command::NewTab);
    ASSERT_TRUE(enginetest::waitUntil([&] { return tabCount() == 3; }, 5000));
    ASSERT_NO_FATAL_FAILURE(openAddressBox());
    keys(QStringLiteral("ctrl+a g k"));
    letInputMethodSettle();
    keys(QStringLiteral("ctrl+w"));
    ASSERT_TRUE(enginetest::waitUntil([&] { return tabCount() == 2; }, 5000)) << "Ctrl+W closed no tab";
    keys(QStringLiteral("Escape"));
    letInputMethodSettle();
    // Nothing of the syllables went into the first tab's page.
    EXPECT_EQ(value(0, "a"), QString());
    EXPECT_EQ(value(0, "b"), QString());
    EXPECT_TRUE(fake.dialogs().messageBoxes().isEmpty());
}

} // namespace
