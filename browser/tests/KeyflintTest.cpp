// The shortcuts and the quick commands on a whole browser, driven by real key
// events sent to the page's widget, as when the page has the keyboard focus.
#include "BrowserFixture.h"

#include "browser/input/modKeyflint.h"
#include "browser/panels/FavoriteStore.h"

#include "browser/app/SessionWindows.h"
#include "browser/tools/frmNotice.h"
#include "browser/window/AddressInput.h"
#include "platform/Folders.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

using K = settings::Key;

// A window of another kind that counts the key presses it gets.
class KeySink : public QWidget
{
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() != Qt::Key_Control && event->key() != Qt::Key_Alt)
            keys << event->key();
        event->accept();
    }
};

class KeyflintTest : public BrowserTest
{
protected:
    void startWith(const char *keyflint)
    {
        setSetting(K::KeyflintValue, QString::fromUtf8(keyflint));
        start();
        activate(&form());
    }
    static void activate(QWidget *window)
    {
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window);
    }
    // A key as the page's widget receives it while the page has the focus.
    bool pressOnPage(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *pageWidget = selectedPage()->widget();
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(pageWidget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(pageWidget, &release);
        return press.isAccepted();
    }
    void typeAddress(const QString &text)
    {
        form().WebAdressBar_DblClick();
        form().WebAdressInputBar->setText(text);
    }
};

TEST_F(KeyflintTest, ShortcutsActWhileThePageHasTheFocus)
{
    startWith("1");
    ASSERT_TRUE(app().keyflint().hooked());
    page(0)->simulateNavigation("http://one.example/", "One");
    page(0)->clearLog();

    pressOnPage(Qt::Key_N, Qt::ControlModifier);
    pressOnPage(Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(page(0)->log(), (QStringList{"GoForward", "GoBack"}));

    pressOnPage(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(tabs(), "start ID1*");
    EXPECT_TRUE(selectedPage()->log().join(',').contains("http://one.example/")) << selectedPage()->log().join(',').toStdString();

    // Alt+Left and Alt+Right wrap around.
    pressOnPage(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(tabs(), "start* ID1");
    pressOnPage(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(tabs(), "start ID1*");
    pressOnPage(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(tabs(), "start* ID1");

    pressOnPage(Qt::Key_W, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs(), "start* ID1") << "not a shortcut";
    selectedPage()->clearLog();
}

TEST_F(KeyflintTest, CtrlWOnTheLastTabGivesTheErrorBoxAndClosesNothing)
{
    startWith("1");
    pressOnPage(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(tabs(), "start*");
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    EXPECT_EQ(fake().dialogs().messageBoxes()[0].title, "Keyflint™ 오류");
    EXPECT_FALSE(app().ended());

    pressOnPage(Qt::Key_T, Qt::ControlModifier);
    pressOnPage(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(tabs(), "start*");
    EXPECT_EQ(fake().dialogs().messageBoxes().size(), 1);
}

TEST_F(KeyflintTest, KeysOfAnotherWindowPassUntouched)
{
    startWith("1");
    KeySink other;
    activate(&other);
    ASSERT_NE(QApplication::activeWindow(), &form());
    // The window in front gets its keys, and the browser does nothing.
    QTest::keyClick(&other, Qt::Key_T, Qt::ControlModifier);
    QTest::keyClick(&other, Qt::Key_A, Qt::AltModifier);
    QTest::keyClick(&other, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(other.keys, (QList<int>{Qt::Key_T, Qt::Key_A, Qt::Key_W}));
    EXPECT_EQ(tabs(), "start*");
    EXPECT_TRUE(fake().dialogs().messageBoxes().isEmpty());
    EXPECT_TRUE(QDir(platform::folders::favoriteFolder(fake().environment())).entryList(QDir::Files).isEmpty());
    // Nor does a key that reaches the browser's page while it is not in front.
    pressOnPage(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(tabs(), "start*");

    // In front again, the same key is the browser's and goes no further.
    activate(&form());
    EXPECT_TRUE(pressOnPage(Qt::Key_T, Qt::ControlModifier));
    EXPECT_EQ(tabs(), "start ID1*");
}

TEST_F(KeyflintTest, OffAtStartUnlessTheSettingIsOne)
{
    for (const char *value : {"0", "2", ""}) {
        startWith(value);
        EXPECT_FALSE(app().keyflint().hooked()) << value;
        pressOnPage(Qt::Key_T, Qt::ControlModifier);
        EXPECT_EQ(tabs(), "start*") << value;
        m_app.reset();
    }
}

TEST_F(KeyflintTest, QuickCommandSwitchesTheShortcutsOffAndOn)
{
    startWith("1");
    page(0)->simulateNavigation("http://one.example/", "One");
    typeAddress("s:qp");
    EXPECT_FALSE(app().keyflint().hooked());
    EXPECT_EQ(form().WebAdressInputBar->text(), "http://one.example/") << "the address comes back";
    EXPECT_EQ(form().WebAdressInputBar->selectedText(), "http://one.example/");
    pressOnPage(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(tabs(), "start*");

    typeAddress("s:qp");
    EXPECT_TRUE(app().keyflint().hooked());
    EXPECT_TRUE(fake().dialogs().messageBoxes().isEmpty());
    EXPECT_EQ(app().windows().notice(), nullptr) << "no message either way";

    // A text that merely contains the command is an address being typed.
    typeAddress("s:qpx");
    EXPECT_TRUE(app().keyflint().hooked());
    EXPECT_EQ(form().WebAdressInputBar->text(), "s:qpx");
}

TEST_F(KeyflintTest, QuickCommandWithTheFeatureOffOnlyShowsTheNotice)
{
    startWith("0");
    typeAddress("s:qp");
    EXPECT_FALSE(app().keyflint().hooked());
    ASSERT_NE(app().windows().notice(), nullptr);
    EXPECT_EQ(app().windows().notice()->lblNoticeTitle->text(), "기능 사용안함");
    EXPECT_EQ(app().windows().notice()->lblNoticeContents->text(), "환경 설정에서 Keyflint™ 을 사용하도록 설정 하십시오.");
}

TEST_F(KeyflintTest, AboutQuickCommandPutsTheAddressBackWhateverTheAboutBoxDoes)
{
    startWith("1");
    page(0)->simulateNavigation("http://one.example/", "One");
    typeAddress("s:about");
    EXPECT_EQ(form().WebAdressInputBar->text(), "http://one.example/");
}

TEST_F(KeyflintTest, ShortcutsGoOnBothWaysOut)
{
    setSetting(K::FadeEffectValue, "0");
    startWith("1");
    fake().dialogs().queueAnswer(platform::MsgResult::Yes);
    form().modRecvCloseWindow(0);
    EXPECT_TRUE(app().ended());
    EXPECT_FALSE(app().keyflint().hooked());
    m_app.reset();

    setSetting(K::FadeEffectValue, "1");
    startWith("1");
    app().setOpacityShows(false);
    app().commands().run(Command::Exit);
    EXPECT_TRUE(app().ended());
    EXPECT_FALSE(app().keyflint().hooked());
}

TEST_F(KeyflintTest, AltAWritesTheQuickFavoriteInsideTheFolder)
{
    startWith("1");
    page(0)->simulateNavigation("http://host.example/p", "../../x");
    pressOnPage(Qt::Key_A, Qt::AltModifier);
    const QString folder = platform::folders::favoriteFolder(fake().environment());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"x.sfm"});
    EXPECT_TRUE(QDir(platform::folders::profileFolder(fake().environment())).entryList({"*.sfm"}, QDir::Files).isEmpty());

    page(0)->simulateNavigation("http://host.example/q", "");
    pressOnPage(Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), (QStringList{"host.example.sfm", "x.sfm"}));
}

TEST_F(KeyflintTest, AHeldShortcutActsOnceNotOnEveryRepeat)
{
    startWith("1");
    QWidget *pageWidget = selectedPage()->widget();
    auto hold = [&pageWidget](Qt::Key key, int repeats) {
        for (int i = 0; i <= repeats; ++i) {
            // The first press, then what the keyboard repeats while held.
            QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier, QString(), i > 0);
            QApplication::sendEvent(pageWidget, &press);
        }
        QKeyEvent release(QEvent::KeyRelease, key, Qt::ControlModifier);
        QApplication::sendEvent(pageWidget, &release);
    };
    hold(Qt::Key_T, 5);
    EXPECT_EQ(tabs(), "start ID1*");
    pageWidget = selectedPage()->widget();
    hold(Qt::Key_T, 0);
    EXPECT_EQ(tabs(), "start ID1 ID2*");
    pageWidget = selectedPage()->widget();
    hold(Qt::Key_W, 8);
    EXPECT_EQ(tabs(), "start ID1*") << "one tab closed, however long the key was held";
}

TEST_F(KeyflintTest, AltAWithALongTitleWritesAFileNamedWithinTheLimit)
{
    startWith("1");
    const QString folder = platform::folders::favoriteFolder(fake().environment());
    const QString latin(300, u'x');
    QString hangul;
    for (int i = 0; i < 100; ++i)
        hangul += QChar(0xAC00 + i);   // 가, 각, 갂 ...
    for (const QString &title : {latin, hangul}) {
        SCOPED_TRACE(title.left(3).toStdString());
        QDir(folder).removeRecursively();
        page(0)->simulateNavigation("http://long.example/", title);
        pressOnPage(Qt::Key_A, Qt::AltModifier);
        const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        ASSERT_EQ(files.size(), 1) << "a favorite is written";
        const QString base = files.first().chopped(4);
        EXPECT_TRUE(files.first().endsWith(".sfm"));
        EXPECT_LE(files.first().toUtf8().size(), 255);
        EXPECT_TRUE(title.startsWith(base)) << "cut at a whole syllable, never inside one";
        EXPECT_GT(base.size(), 50);
        // The favorite keeps the whole title.
        const auto favorite = FavoriteStore(folder).read(base);
        ASSERT_TRUE(favorite.has_value());
        EXPECT_EQ(favorite->title, title);
    }
    EXPECT_TRUE(fake().dialogs().messageBoxes().isEmpty());
}

TEST_F(KeyflintTest, AltAThatCannotWriteSaysSoNamingTheFile)
{
    startWith("1");
    const QString folder = platform::folders::favoriteFolder(fake().environment());
    page(0)->simulateNavigation("http://blocked.example/", "막힌 문서");
    // A folder where the favorite's file would go: it cannot be replaced.
    ASSERT_TRUE(QDir().mkpath(folder + "/막힌 문서.sfm"));
    pressOnPage(Qt::Key_A, Qt::AltModifier);
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    const auto box = fake().dialogs().messageBoxes().first();
    EXPECT_EQ(box.title, "Vorlen™ 바로가기 관리자");
    EXPECT_EQ(box.icon, platform::MsgIcon::Critical);
    EXPECT_TRUE(box.text.startsWith("바로가기 파일을 저장하지 못했습니다.\n"));
    EXPECT_TRUE(box.text.endsWith("막힌 문서.sfm")) << box.text.toStdString();
}

TEST_F(KeyflintTest, FunctionKeysOpenTheSidePanels)
{
    startWith("1");
    ASSERT_FALSE(form().panels().favoriteOpen);
    pressOnPage(Qt::Key_F3);
    EXPECT_TRUE(form().panels().favoriteOpen);
    pressOnPage(Qt::Key_F3);
    EXPECT_FALSE(form().panels().favoriteOpen);
    const bool notepad = form().panels().notepadOpen;
    pressOnPage(Qt::Key_F6);
    EXPECT_NE(form().panels().notepadOpen, notepad);
    pressOnPage(Qt::Key_F6);
    EXPECT_EQ(form().panels().notepadOpen, notepad);
    pressOnPage(Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(form().panels().searchOpen);
}

TEST_F(KeyflintTest, AltSpacePutsTheAddressBarIntoEditing)
{
    startWith("1");
    ASSERT_FALSE(form().addressEditing());
    pressOnPage(Qt::Key_Space, Qt::AltModifier);
    EXPECT_TRUE(form().addressEditing());
}

} // namespace
