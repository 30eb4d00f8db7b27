#include "platform/linux/QtDialogs.h"
#include "platform/testing/FakeDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::toQtFileFilter;

namespace {

// ---- filter conversion -----------------------------------------------------------

TEST(FileFilter, PairsBecomeQtFilters)
{
    EXPECT_EQ(toQtFileFilter("GIF 그림|*.gif|비트맵|*.bmp;*.dib|"), "GIF 그림 (*.gif);;비트맵 (*.bmp *.dib)");
    EXPECT_EQ(toQtFileFilter("모든 파일|*.*"), "모든 파일 (*.*)");
    EXPECT_EQ(toQtFileFilter(""), "");
}

TEST(FileFilter, PatternAlreadyInTheDescriptionIsNotRepeated)
{
    EXPECT_EQ(toQtFileFilter("그래픽 인터체인지 포맷(*.gif)|*.gif|"), "그래픽 인터체인지 포맷(*.gif)");
    // Qt splits the patterns in parentheses at blanks, not at ';'.
    EXPECT_EQ(toQtFileFilter("그림 (*.gif;*.bmp)|*.bmp;*.gif|"), "그림 (*.bmp *.gif)");
    // Parentheses that are not the patterns would be read as patterns: add the real ones.
    EXPECT_EQ(toQtFileFilter("그림 (GIF)|*.gif|"), "그림 (GIF) (*.gif)");
    EXPECT_EQ(toQtFileFilter("GIF(*.GIF)|*.gif|"), "GIF(*.GIF) (*.gif)");
}

TEST(FileFilter, MissingPiecesStillGiveAUsableFilter)
{
    EXPECT_EQ(toQtFileFilter("모든 파일|"), "모든 파일 (*)");
    EXPECT_EQ(toQtFileFilter("|*.iti|"), "(*.iti)");
    EXPECT_EQ(toQtFileFilter("A|*.a||*.b|"), "A (*.a);;(*.b)");
}

// ---- the real message box, answered by a timer while it runs ----------------------------

// Runs act on the message box as soon as one is shown by the call that follows.
void whenBoxShows(std::function<void(QMessageBox *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box && box->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(box);
                return;
            }
        }
    });
    timer->start();
}

QStringList buttonTexts(QMessageBox *box)
{
    QStringList texts;
    for (QAbstractButton *button : box->buttons())
        texts.append(button->text());
    texts.sort();
    return texts;
}

QAbstractButton *buttonWithText(QMessageBox *box, const QString &text)
{
    for (QAbstractButton *button : box->buttons()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

TEST(QtDialogs, YesNoBoxShowsKoreanButtonsAndAnswersYes)
{
    QString title, text;
    QStringList texts;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    whenBoxShows([&](QMessageBox *box) {
        title = box->windowTitle();
        text = box->text();
        texts = buttonTexts(box);
        icon = box->icon();
        format = box->textFormat();
        if (QAbstractButton *yes = buttonWithText(box, "예"))
            yes->click();
        else
            box->close();
    });
    platform::QtDialogs dialogs;
    const MsgResult answer = dialogs.messageBox(nullptr, "<b>첫 줄</b>\n둘째 줄", "Windows 방화벽 설정",
                                                MsgButtons::YesNo, MsgIcon::Critical);
    EXPECT_EQ(answer, MsgResult::Yes);
    EXPECT_EQ(title, "Windows 방화벽 설정");
    EXPECT_EQ(text, "<b>첫 줄</b>\n둘째 줄");
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(texts, (QStringList{"아니요", "예"}));
    EXPECT_EQ(icon, QMessageBox::Critical);
}

TEST(QtDialogs, ClosingWithoutAButtonGivesTheSafeAnswer)
{
    platform::QtDialogs dialogs;
    auto escape = [](QMessageBox *box) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &press);
        if (box->isVisible())
            box->close();
    };
    auto closeWindow = [](QMessageBox *box) { box->close(); };

    whenBoxShows(escape);
    EXPECT_EQ(dialogs.messageBox(nullptr, "t", "x", MsgButtons::YesNo, MsgIcon::Question), MsgResult::No);
    whenBoxShows(closeWindow);
    EXPECT_EQ(dialogs.messageBox(nullptr, "t", "x", MsgButtons::YesNo, MsgIcon::Question), MsgResult::No);
    whenBoxShows(escape);
    EXPECT_EQ(dialogs.messageBox(nullptr, "t", "x", MsgButtons::OKCancel, MsgIcon::Exclamation), MsgResult::Cancel);
    whenBoxShows(closeWindow);
    EXPECT_EQ(dialogs.messageBox(nullptr, "t", "x", MsgButtons::OK, MsgIcon::Information), MsgResult::OK);
    whenBoxShows(escape);
    EXPECT_EQ(dialogs.messageBox(nullptr, "t", "x", MsgButtons::SaveCancel, MsgIcon::Question), MsgResult::Cancel);
}

TEST(QtDialogs, SaveAnswersSave)
{
    platform::QtDialogs dialogs;
    whenBoxShows([](QMessageBox *box) {
        if (QAbstractButton *save = buttonWithText(box, "저장"))
            save->click();
        else
            box->close();
    });
    EXPECT_EQ(dialogs.messageBox(nullptr, "파일", "내려받기", MsgButtons::SaveCancel, MsgIcon::Question), MsgResult::Save);
}

TEST(QtDialogs, NoticeReturnsAtOnceAndGoesWhenClosed)
{
    platform::QtDialogs dialogs;
    QWidget window;
    QPointer<QObject> handle = dialogs.notice(&window, "<i>파일을</i> 내려받았습니다.\n/x", "내려받기", MsgIcon::Information);
    auto *box = qobject_cast<QMessageBox *>(handle.data());
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(box->windowTitle(), "내려받기");
    EXPECT_EQ(box->text(), "<i>파일을</i> 내려받았습니다.\n/x");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    EXPECT_EQ(buttonTexts(box), QStringList{"확인"});
    EXPECT_EQ(box->parentWidget(), &window);

    buttonWithText(box, "확인")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(handle.isNull());
}

TEST(QtDialogs, TextInputAsksInKoreanAndCanBeCancelled)
{
    platform::QtDialogs dialogs;
    auto whenInputShows = [](std::function<void(QInputDialog *)> act) {
        auto *timer = new QTimer;
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *dialog = qobject_cast<QInputDialog *>(w); dialog && dialog->isVisible()) {
                    timer->stop();
                    timer->deleteLater();
                    act(dialog);
                    return;
                }
            }
        });
        timer->start();
    };
    QString title, label, initial;
    QStringList buttons;
    whenInputShows([&](QInputDialog *dialog) {
        title = dialog->windowTitle();
        label = dialog->labelText();
        initial = dialog->textValue();
        for (QAbstractButton *button : dialog->findChildren<QDialogButtonBox *>().value(0)->buttons())
            buttons << button->text();
        buttons.sort();
        dialog->setTextValue("홍길동");
        dialog->accept();
    });
    EXPECT_EQ(dialogs.textInput(nullptr, "이름은?", "웹 페이지 메시지", "손님"), std::optional<QString>("홍길동"));
    EXPECT_EQ(title, "웹 페이지 메시지");
    EXPECT_EQ(label, "이름은?");
    EXPECT_EQ(initial, "손님");
    EXPECT_EQ(buttons, (QStringList{"취소", "확인"}));

    whenInputShows([](QInputDialog *dialog) { dialog->reject(); });
    EXPECT_EQ(dialogs.textInput(nullptr, "이름은?", "t", "손님"), std::nullopt);
}

TEST(QtDialogs, ButtonsAndIconsOfEveryKind)
{
    struct Case { MsgButtons buttons; MsgIcon icon; QStringList texts; QMessageBox::Icon qtIcon; };
    const QList<Case> cases = {
        {MsgButtons::OK, MsgIcon::Information, {"확인"}, QMessageBox::Information},
        {MsgButtons::OKCancel, MsgIcon::Exclamation, {"취소", "확인"}, QMessageBox::Warning},
        {MsgButtons::YesNoCancel, MsgIcon::Question, {"아니요", "예", "취소"}, QMessageBox::Question},
        {MsgButtons::YesNo, MsgIcon::None, {"아니요", "예"}, QMessageBox::NoIcon},
        {MsgButtons::SaveCancel, MsgIcon::Question, {"저장", "취소"}, QMessageBox::Question},
    };
    for (const Case &c : cases) {
        QMessageBox box;
        platform::prepareMessageBox(box, "text", "title", c.buttons, c.icon);
        QStringList texts = buttonTexts(&box);
        QStringList expected = c.texts;
        expected.sort();
        EXPECT_EQ(texts, expected);
        EXPECT_EQ(box.icon(), c.qtIcon);
    }
}

// ---- the recording fake --------------------------------------------------------

TEST(FakeDialogs, AnswersFromTheQueueThenTheDefault)
{
    platform::testing::FakeDialogs dialogs;
    dialogs.queueAnswer(MsgResult::Yes);
    EXPECT_EQ(dialogs.messageBox(nullptr, "a", "t", MsgButtons::YesNo, MsgIcon::Critical), MsgResult::Yes);
    // Empty queue, no default: as if the user closed the box.
    EXPECT_EQ(dialogs.messageBox(nullptr, "b", "t", MsgButtons::YesNo, MsgIcon::Question), MsgResult::No);
    EXPECT_EQ(dialogs.messageBox(nullptr, "c", "t", MsgButtons::OK, MsgIcon::Information), MsgResult::OK);

    // A default the box does not offer is not used.
    dialogs.setDefaultAnswer(MsgResult::Yes);
    EXPECT_EQ(dialogs.messageBox(nullptr, "d", "t", MsgButtons::YesNo, MsgIcon::Question), MsgResult::Yes);
    EXPECT_EQ(dialogs.messageBox(nullptr, "e", "t", MsgButtons::OKCancel, MsgIcon::Question), MsgResult::Cancel);

    ASSERT_EQ(dialogs.messageBoxes().size(), 5);
    EXPECT_EQ(dialogs.messageTexts(), (QStringList{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(dialogs.messageBoxes()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.messageBoxes()[4].buttons, MsgButtons::OKCancel);
    EXPECT_EQ(dialogs.messageBoxes()[4].answer, MsgResult::Cancel);
}

TEST(FakeDialogs, NoticesStayOpenUntilClosedAndPromptsAnswerFromTheQueue)
{
    platform::testing::FakeDialogs dialogs;
    QPointer<QObject> first = dialogs.notice(nullptr, "a", "t", MsgIcon::Information);
    QPointer<QObject> second = dialogs.notice(nullptr, "b", "t", MsgIcon::Exclamation);
    EXPECT_EQ(dialogs.noticeTexts(), (QStringList{"a", "b"}));
    EXPECT_EQ(dialogs.openNoticeCount(), 2);
    EXPECT_TRUE(dialogs.messageBoxes().isEmpty());
    dialogs.closeNotice(0);
    EXPECT_TRUE(first.isNull());
    EXPECT_FALSE(second.isNull());
    EXPECT_EQ(dialogs.openNoticeCount(), 1);
    dialogs.closeNotices();
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(dialogs.notices().size(), 2);

    dialogs.queueTextInput(QStringLiteral("답"));
    EXPECT_EQ(dialogs.textInput(nullptr, "질문", "t", "처음"), std::optional<QString>("답"));
    EXPECT_EQ(dialogs.textInput(nullptr, "질문", "t", "처음"), std::nullopt);
    ASSERT_EQ(dialogs.textInputs().size(), 2);
    EXPECT_EQ(dialogs.textInputs()[0].initial, "처음");

    // Save is an answer only where a Save button is offered.
    dialogs.setDefaultAnswer(MsgResult::Save);
    EXPECT_EQ(dialogs.messageBox(nullptr, "f", "t", MsgButtons::SaveCancel, MsgIcon::Question), MsgResult::Save);
    EXPECT_EQ(dialogs.messageBox(nullptr, "g", "t", MsgButtons::OKCancel, MsgIcon::Question), MsgResult::Cancel);
    dialogs.setDefaultAnswer(std::nullopt);
    EXPECT_EQ(dialogs.messageBox(nullptr, "h", "t", MsgButtons::SaveCancel, MsgIcon::Question), MsgResult::Cancel);
}

TEST(FakeDialogs, FileAndFontDialogs)
{
    platform::testing::FakeDialogs dialogs;
    dialogs.queueFileName("/x/a.gif");
    EXPECT_EQ(dialogs.openFileName(nullptr, "열기", "GIF|*.gif|", "/x"), "/x/a.gif");
    EXPECT_TRUE(dialogs.openFileName(nullptr, "열기", "GIF|*.gif|").isEmpty());
    ASSERT_EQ(dialogs.fileDialogs().size(), 2);
    EXPECT_EQ(dialogs.fileDialogs()[0].filter, "GIF|*.gif|");
    EXPECT_EQ(dialogs.fileDialogs()[0].folder, "/x");

    QFont font("Serif", 14);
    dialogs.queueFont(font);
    EXPECT_EQ(dialogs.chooseFont(nullptr, QFont()), font);
    EXPECT_EQ(dialogs.chooseFont(nullptr, font), std::nullopt);
    EXPECT_EQ(dialogs.fontDialogs()[1].initial, font);
}

} // namespace
