// Leaving the program, and the address bar's two states.
#include "BrowserFixture.h"

#include "browser/frame/LabelControl.h"
#include "browser/window/AddressInput.h"
#include "browser/window/Design.h"
#include "browser/window/TabStrip.h"

#include <QDir>
#include <QFile>
#include <QLabel>

using platform::MsgResult;

namespace {

void touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

} // namespace

TEST_F(BrowserTest, ExitWithOneTabAsksNothingAndCleansTheGeneratedPages)
{
    start();
    const QString temp = fake().environment().tempFolder();
    for (const char *name : {"Loading.htm", "NewTab.htm", "Error.htm", "Ending.htm", "StartPage.htm"})
        touch(temp + "/" + name);
    form().close();
    EXPECT_TRUE(fake().dialogs().messageBoxes().isEmpty());
    EXPECT_TRUE(app().ended());
    EXPECT_EQ(QDir(temp).entryList(QDir::Files), QStringList{"StartPage.htm"});
    EXPECT_EQ(form().fadeSteps(), 0);
}

TEST_F(BrowserTest, ExitWithSeveralTabsAsksFirst)
{
    start();
    form().modRecvNewWindow("http://a/");
    fake().dialogs().queueAnswer(MsgResult::No);
    form().close();
    EXPECT_FALSE(app().ended());
    EXPECT_EQ(tabs(), "start ID1*");
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    const auto box = fake().dialogs().messageBoxes().first();
    EXPECT_EQ(box.title, "Vorlen™ 탭 관리자");
    EXPECT_EQ(box.text, "현재 여러개의 탭이 활성화 되어있습니다.\n"
                        "활성화 되어있는 탭을 모두 닫고 프로그램을 종료 하시겠습니까?");
    EXPECT_EQ(box.icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(box.buttons, platform::MsgButtons::YesNo);

    fake().dialogs().queueAnswer(MsgResult::Yes);
    form().close();
    EXPECT_TRUE(app().ended());
}

TEST_F(BrowserTest, ExitWithFadeShowsTheEndingPageAndFadesOut)
{
    setSetting(settings::Key::FadeEffectValue, "1");
    start();
    app().setOpacityShows(true);
    form().close();
    EXPECT_TRUE(app().ended());
    // Paced by the clock: a busy machine skips steps, never the last one.
    EXPECT_GE(form().fadeSteps(), 2);
    EXPECT_LE(form().fadeSteps(), 52);
    EXPECT_DOUBLE_EQ(form().windowOpacity(), 0.0);
    EXPECT_TRUE(page(0)->navigated().last().endsWith("/Ending.htm"));
    EXPECT_EQ(form().ProgramStatusTextLabel->text(), "Vorlen™ 작업 중 : 프로그램을 종료하고 있습니다.");
    EXPECT_EQ(form().WebAdressBar->text(), "웹 브라우저를 종료하고 있습니다...");
    EXPECT_FALSE(QFile::exists(fake().environment().tempFolder() + "/Ending.htm"));
}

TEST_F(BrowserTest, AddressBarEditAndNavigate)
{
    start();
    page(0)->simulateNavigation("http://one.example/", "One");
    form().WebAdressBar_DblClick();
    EXPECT_FALSE(form().WebAdressBar->isVisibleTo(&form()));
    EXPECT_TRUE(form().WebAdressInputBar->isVisibleTo(&form()));
    EXPECT_EQ(form().WebAdressInputBar->text(), "http://one.example/");

    // Enter on an empty box prompts and stays in editing.
    form().WebAdressInputBar->clear();
    form().WebAdressInputBar_KeyPress(13);
    EXPECT_EQ(form().WebAdressInputBar->text(), "여기를 (더블 클릭) 하셔서 주소를 입력 하십시오.");
    EXPECT_EQ(form().WebAdressInputBar->selectedText(), form().WebAdressInputBar->text());
    EXPECT_TRUE(form().WebAdressInputBar->isVisibleTo(&form()));

    // The text goes to the page exactly as typed.
    page(0)->clearLog();
    form().WebAdressInputBar->setText("  example.org ");
    form().WebAdressInputBar_KeyPress(13);
    EXPECT_EQ(page(0)->navigated().last(), "  example.org ");
    EXPECT_TRUE(form().WebAdressBar->isVisibleTo(&form()));
    EXPECT_FALSE(form().WebAdressInputBar->isVisibleTo(&form()));
}

TEST_F(BrowserTest, AddressBarEscapeAndFocusLossRestoreTheAddress)
{
    start();
    page(0)->simulateNavigation("http://one.example/", "One");
    form().WebAdressBar_DblClick();
    form().WebAdressInputBar->setText("typed");
    bool handled = false;
    form().WebAdressInputBar_KeyDown(27, Qt::NoModifier, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(form().WebAdressBar->text(), "http://one.example/");
    EXPECT_TRUE(form().WebAdressBar->isVisibleTo(&form()));

    form().WebAdressBar_DblClick();
    form().WebAdressInputBar->setText("other");
    form().WebAdressInputBar_LostFocus();
    EXPECT_EQ(form().WebAdressInputBar->text(), "http://one.example/");
    EXPECT_FALSE(form().WebAdressInputBar->isVisibleTo(&form()));
    EXPECT_EQ(page(0)->navigated().size(), 1) << "no navigation";
}

TEST_F(BrowserTest, AddressLabelClickTogglesTheToolBoxUnlessAlwaysShown)
{
    start();
    auto shown = [this] { return form().WebBrowserToolBox->isVisibleTo(&form()); };
    const int full = form().WebAdressBar->width();
    form().WebAdressBar_Click();
    EXPECT_TRUE(shown());
    EXPECT_NEAR(form().WebAdressBar->width(), full - form().WebBrowserToolBox->width(), 1);
    form().WebAdressBar_Click();
    EXPECT_FALSE(shown());
    EXPECT_EQ(form().WebAdressBar->width(), full);

    setSetting(settings::Key::AlwaysShowWebBrowserPlusToolValue, "1");
    form().WebAdressBar_Click();
    form().WebAdressBar_Click();
    EXPECT_TRUE(shown());
    Q_EMIT page(0)->DocumentComplete("http://x/");
    EXPECT_TRUE(shown()) << "the layout pass brings it back";
}

TEST_F(BrowserTest, WithoutACompositorTheEndingPageShowsAndTheWindowClosesWithoutFading)
{
    setSetting(settings::Key::FadeEffectValue, "1");
    start();
    app().setOpacityShows(false);
    form().close();
    EXPECT_TRUE(app().ended());
    EXPECT_EQ(form().fadeSteps(), 0);
    EXPECT_TRUE(page(0)->navigated().last().endsWith("/Ending.htm"));
    EXPECT_DOUBLE_EQ(form().windowOpacity(), 1.0);
}
