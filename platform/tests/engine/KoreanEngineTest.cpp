// The engine speaks Korean with the rest of the program: what it asks servers
// for, its own messages, its context menu and the pages' script dialogs.

#include "EngineHarness.h"
#include "LocalServer.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QWebEngineView>

#include <gtest/gtest.h>

using namespace enginetest;
using platform::MsgButtons;
using platform::MsgResult;
using platform::QtWebBrowser;

namespace {

const QByteArray kForm = "<html><head><meta charset='utf-8'><title>form</title></head><body style='margin:0'>"
                         "<input id='name' required><p id='text' style='height:400px'>글</p></body></html>";

QMenu *visibleMenu()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *menu = qobject_cast<QMenu *>(w); menu && menu->isVisible())
            return menu;
    }
    return nullptr;
}

void sendMouse(QWidget *target, QEvent::Type type, Qt::MouseButton button, const QPoint &at)
{
    QMouseEvent event(type, at, target->mapToGlobal(at), button, type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

TEST(EngineKorean, ServersAreAskedForKoreanAndTheEngineSpeaksIt)
{
    Engine engine;
    auto *b = engine.create();
    LocalServer server;
    server.setPage("form", kForm);

    ASSERT_TRUE(navigateAndWait(b, server.url("form")));
    ASSERT_EQ(server.requestsFor("form").size(), 1);
    EXPECT_TRUE(server.requestsFor("form").first().headers.value("accept-language").startsWith("ko-KR,ko"))
        << server.requestsFor("form").first().headers.value("accept-language").constData();
    EXPECT_EQ(runJs(b->page(), "navigator.language").toString(), "ko-KR");
    // The engine's own texts, such as a form's validation message.
    EXPECT_EQ(runJs(b->page(), "document.getElementById('name').validationMessage").toString(),
              "이 입력란을 작성하세요.");
}

TEST(EngineKorean, TheContextMenuHasKoreanCaptions)
{
    Engine engine;
    auto *b = engine.create();
    ASSERT_TRUE(navigateAndWait(b, engine.page("form.html", kForm)));
    for (QWebEnginePage::WebAction action : {QWebEnginePage::Back, QWebEnginePage::Forward, QWebEnginePage::Reload,
                                             QWebEnginePage::Copy, QWebEnginePage::Paste, QWebEnginePage::SelectAll,
                                             QWebEnginePage::ViewSource, QWebEnginePage::SavePage,
                                             QWebEnginePage::OpenLinkInNewTab, QWebEnginePage::CopyLinkToClipboard}) {
        EXPECT_EQ(b->page()->action(action)->text(), QtWebBrowser::actionCaption(action)) << int(action);
    }

    // The menu a right click opens: every entry in Korean.
    QWidget *input = b->widget()->focusProxy() ? b->widget()->focusProxy() : b->widget();
    const QPoint at(200, 200);
    sendMouse(input, QEvent::MouseButtonPress, Qt::RightButton, at);
    sendMouse(input, QEvent::MouseButtonRelease, Qt::RightButton, at);
    ASSERT_TRUE(waitUntil([] { return visibleMenu() != nullptr; }, 5000));
    QMenu *menu = visibleMenu();
    QStringList captions;
    for (QAction *action : menu->actions()) {
        if (!action->isSeparator())
            captions << action->text();
    }
    menu->close();
    ASSERT_FALSE(captions.isEmpty());
    EXPECT_TRUE(captions.contains("뒤로")) << captions.join(", ").toStdString();
    const QRegularExpression latin("[A-Za-z]");
    for (const QString &caption : captions)
        EXPECT_FALSE(caption.contains(latin)) << caption.toStdString();
}

TEST(EngineKorean, ScriptDialogsAskThroughTheProgramsDialogs)
{
    Engine engine;
    auto *b = engine.create();
    LocalServer server;
    ASSERT_TRUE(navigateAndWait(b, server.url("page")));
    const QString title = "127.0.0.1 웹 페이지 메시지";

    runJs(b->page(), "alert('안녕하세요'); true");
    ASSERT_EQ(engine.dialogs.messageBoxes().size(), 1);
    EXPECT_EQ(engine.dialogs.messageBoxes().last().text, "안녕하세요");
    EXPECT_EQ(engine.dialogs.messageBoxes().last().title, title);
    EXPECT_EQ(engine.dialogs.messageBoxes().last().buttons, MsgButtons::OK);
    EXPECT_EQ(engine.dialogs.messageBoxes().last().parent, b->widget());

    engine.dialogs.queueAnswer(MsgResult::OK);
    EXPECT_EQ(runJs(b->page(), "confirm('계속할까요?')").toBool(), true);
    EXPECT_EQ(runJs(b->page(), "confirm('계속할까요?')").toBool(), false); // closed: cancelled
    EXPECT_EQ(engine.dialogs.messageBoxes().last().buttons, MsgButtons::OKCancel);
    EXPECT_EQ(engine.dialogs.messageBoxes().last().title, title);

    engine.dialogs.queueTextInput(QStringLiteral("홍길동"));
    EXPECT_EQ(runJs(b->page(), "prompt('이름은?', '손님')").toString(), "홍길동");
    EXPECT_TRUE(runJs(b->page(), "prompt('이름은?', '손님') === null").toBool());
    ASSERT_EQ(engine.dialogs.textInputs().size(), 2);
    EXPECT_EQ(engine.dialogs.textInputs().first().text, "이름은?");
    EXPECT_EQ(engine.dialogs.textInputs().first().initial, "손님");
    EXPECT_EQ(engine.dialogs.textInputs().first().title, title);

    // A page from disk has no host to name.
    ASSERT_TRUE(navigateAndWait(b, engine.page("local.html", "<html><body>x</body></html>")));
    runJs(b->page(), "alert('x'); true");
    EXPECT_EQ(engine.dialogs.messageBoxes().last().title, "웹 페이지 메시지");
}
