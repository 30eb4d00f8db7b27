// The notepad in a whole browser on fakes, driven by real mouse and key
// events.
#include "PanelTestSupport.h"

#include "browser/panels/FavoritePanel.h"
#include "browser/panels/NotepadPanel.h"
#include "platform/Folders.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

namespace {

class NotepadTest : public BrowserTest
{
protected:
    void SetUp() override
    {
        start();
        QApplication::setActiveWindow(&form());
        notices = std::make_unique<QSignalSpy>(panel(), &NotepadPanel::notice);
    }
    NotepadPanel *panel() { return form().ntpdNotepadBox; }
    QString folder() { return platform::folders::notepadFolder(fake().environment()); }
    void openNotepad()
    {
        clickOn(QStringLiteral("NotepadButton"));
        ASSERT_TRUE(panel()->isVisible());
        ASSERT_TRUE(panel()->isEnabled());
    }
    // Title strip, menu item (0 open, 1 save), the name, the open/save button.
    void openOrSave(int item, const QString &name)
    {
        clickOn(QStringLiteral("ntpdTitleBar"));
        clickOn(QStringLiteral("ntpdMenuButton%1").arg(item));
        panel()->ntpdOpenSaveTextBox->setEditText(QString());
        commitText(panel()->ntpdOpenSaveTextBox->lineEdit(), name);
        clickOn(QStringLiteral("ntpdCmdOpenSave"));
    }
    QString lastNotice() const
    {
        return notices->isEmpty() ? QString()
                                  : notices->last().at(0).toString() + u'|' + notices->last().at(1).toString();
    }
    std::unique_ptr<QSignalSpy> notices;
};

TEST_F(NotepadTest, ThreeLinesSavedClearedAndOpenedAgain)
{
    openNotepad();
    typeOn(QStringLiteral("ntpdTextBox"), QStringLiteral("one"));
    keyOn(QStringLiteral("ntpdTextBox"), Qt::Key_Return);
    commitText(panel()->ntpdTextBox, QStringLiteral("둘째 줄"));
    keyOn(QStringLiteral("ntpdTextBox"), Qt::Key_Return);
    typeOn(QStringLiteral("ntpdTextBox"), QStringLiteral("three"));

    openOrSave(1, QStringLiteral("기록"));
    EXPECT_EQ(lastNotice(), QStringLiteral("문서 저장|Vorlen™ 메모장에서 문서를 저장했습니다."));
    EXPECT_FALSE(panel()->ntpdOpenSaveBox->isVisible());
    EXPECT_TRUE(panel()->ntpdTextBox->isEnabled());
    QFile file(folder() + QStringLiteral("/기록.stf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QStringLiteral("one\r\n둘째 줄\r\nthree\r\n").toUtf8());

    panel()->ntpdTextBox->clear();
    openOrSave(0, QStringLiteral("기록"));
    EXPECT_EQ(lastNotice(), QStringLiteral("문서 열기|Vorlen™ 메모장에서 문서를 열었습니다."));
    EXPECT_EQ(panel()->ntpdTextBox->toPlainText(), QStringLiteral("one\n둘째 줄\nthree"));
    EXPECT_EQ(panel()->mode(), NotepadPanel::Mode::Idle);
    EXPECT_TRUE(fake().dialogs().messageBoxes().isEmpty());
}

TEST_F(NotepadTest, OverwritingReplacesWithoutAsking)
{
    openNotepad();
    panel()->ntpdTextBox->setPlainText(QStringLiteral("first"));
    openOrSave(1, QStringLiteral("n"));
    panel()->ntpdTextBox->setPlainText(QStringLiteral("second"));
    openOrSave(1, QStringLiteral("n"));
    EXPECT_TRUE(fake().dialogs().messageBoxes().isEmpty());
    panel()->ntpdTextBox->clear();
    openOrSave(0, QStringLiteral("n"));
    EXPECT_EQ(panel()->ntpdTextBox->toPlainText(), QStringLiteral("second"));
    EXPECT_EQ(panel()->ntpdOpenSaveTextBox->findText(QStringLiteral("n")), 0) << "the list shows the document";
}

TEST_F(NotepadTest, MissingEmptyAndHostileNamesGiveTheirNotices)
{
    openNotepad();
    clickOn(QStringLiteral("ntpdTitleBar"));
    clickOn(QStringLiteral("ntpdMenuButton0"));
    panel()->ntpdOpenSaveTextBox->setEditText(QStringLiteral("nothing"));
    clickOn(QStringLiteral("ntpdCmdRemoveFile"));
    EXPECT_EQ(lastNotice(), QStringLiteral("존재하지 않는 문서|Vorlen 메모장 폴더에 해당 문서가 존재하지 않습니다."));
    // The notice window shows it.
    QLabel *noticeTitle = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *label = top->findChild<QLabel *>(QStringLiteral("lblNoticeTitle")); label && top->isVisible())
            noticeTitle = label;
    }
    ASSERT_NE(noticeTitle, nullptr);
    EXPECT_EQ(noticeTitle->text(), QStringLiteral("존재하지 않는 문서"));
    clickOn(QStringLiteral("ntpdCmdOpenSave"));
    EXPECT_EQ(lastNotice(), QStringLiteral("존재하지 않는 문서|Vorlen 메모장 폴더에 해당 문서가 존재하지 않습니다."));

    const QString hostile[] = {QString(), QStringLiteral(".."), QStringLiteral("../outside"), QStringLiteral("a/b")};
    for (const QString &name : hostile) {
        SCOPED_TRACE(name.toStdString());
        openOrSave(1, name);
        EXPECT_EQ(lastNotice(), QStringLiteral("문서 이름 입력|저장할 문서 이름을 입력 하십시오."));
        panel()->ntpdOpenSaveTextBox->setEditText(name);
        clickOn(QStringLiteral("ntpdCmdRemoveFile"));
        EXPECT_EQ(lastNotice(), QStringLiteral("문서 이름 입력|삭제할 문서 이름을 입력 하십시오."));
        openOrSave(0, name);
        EXPECT_EQ(lastNotice(), QStringLiteral("문서 이름 입력|불러올 문서 이름을 입력 하십시오."));
    }
    EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("/../outside.stf")));
    EXPECT_TRUE(QDir(folder()).entryList(QDir::Files).isEmpty());
}

TEST_F(NotepadTest, DeletingRemovesTheDocumentAndTheListEntry)
{
    openNotepad();
    openOrSave(1, QStringLiteral("gone"));
    clickOn(QStringLiteral("ntpdTitleBar"));
    clickOn(QStringLiteral("ntpdMenuButton0"));
    panel()->ntpdOpenSaveTextBox->setEditText(QStringLiteral("gone"));
    clickOn(QStringLiteral("ntpdCmdRemoveFile"));
    EXPECT_EQ(lastNotice(), QStringLiteral("문서 삭제|Vorlen™ 메모장에서 문서를 삭제 했습니다."));
    EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("/gone.stf")));
    EXPECT_EQ(panel()->ntpdOpenSaveTextBox->count(), 0);
}

TEST_F(NotepadTest, AFailedSaveNamesTheFileAndIsNotReportedAsSaved)
{
    QDir().mkpath(folder() + QStringLiteral("/blocked.stf"));
    openNotepad();
    openOrSave(1, QStringLiteral("blocked"));
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    EXPECT_TRUE(fake().dialogs().messageBoxes().last().text.contains(folder() + QStringLiteral("/blocked.stf")));
    EXPECT_EQ(fake().dialogs().messageBoxes().last().icon, platform::MsgIcon::Critical);
    EXPECT_TRUE(notices->isEmpty());
    EXPECT_TRUE(panel()->ntpdOpenSaveBox->isVisible()) << "the box stays for another try";
}

TEST_F(NotepadTest, TheMenuPaintsItsLabelsAndTheFontChooserSetsTheFont)
{
    openNotepad();
    clickOn(QStringLiteral("ntpdTitleBar"));
    ASSERT_TRUE(panel()->ntpdMenuBox->isVisible());
    EXPECT_FALSE(panel()->ntpdTextBox->isEnabled());
    pressOn(QStringLiteral("ntpdMenuButton2"));
    EXPECT_TRUE(panel()->ntpdMenuButton[2]->styleSheet().contains(QStringLiteral("#ff0000")));
    QFont chosen(QStringLiteral("Serif"), 21);
    chosen.setItalic(true);
    fake().dialogs().queueFont(chosen);
    releaseOn(QStringLiteral("ntpdMenuButton2"));
    EXPECT_TRUE(panel()->ntpdMenuButton[2]->styleSheet().contains(QStringLiteral("#000000")));
    EXPECT_EQ(panel()->ntpdTextBox->font().pointSize(), 21);
    EXPECT_TRUE(panel()->ntpdTextBox->font().italic());
    EXPECT_FALSE(panel()->ntpdMenuBox->isVisible());
    EXPECT_TRUE(panel()->ntpdTextBox->isEnabled());
}

TEST_F(NotepadTest, TheFontChoiceCarriesTheColourToo)
{
    openNotepad();
    auto chooseFont = [this](std::optional<QFont> font, std::optional<QColor> colour) {
        panel()->ntpdTitleBar_Click();
        fake().dialogs().queueFont(font);
        fake().dialogs().queueColor(colour);
        pressOn(QStringLiteral("ntpdMenuButton2"));
        releaseOn(QStringLiteral("ntpdMenuButton2"));
    };
    chooseFont(QFont(QStringLiteral("Serif"), 14), QColor(0x20, 0x60, 0xc0));
    EXPECT_EQ(panel()->textColour(), QColor(0x20, 0x60, 0xc0));
    EXPECT_EQ(panel()->ntpdTextBox->font().pointSize(), 14);
    ASSERT_EQ(fake().dialogs().colorDialogs().size(), 1);

    // The colour chooser starts from the colour the text has; cancelling it
    // keeps that colour and the font still applies.
    chooseFont(QFont(QStringLiteral("Serif"), 18), std::nullopt);
    ASSERT_EQ(fake().dialogs().colorDialogs().size(), 2);
    EXPECT_EQ(fake().dialogs().colorDialogs()[1].initial, QColor(0x20, 0x60, 0xc0));
    EXPECT_EQ(panel()->textColour(), QColor(0x20, 0x60, 0xc0));
    EXPECT_EQ(panel()->ntpdTextBox->font().pointSize(), 18);

    // A cancelled font asks no colour.
    chooseFont(std::nullopt, QColor(Qt::red));
    EXPECT_EQ(fake().dialogs().colorDialogs().size(), 2);
    EXPECT_EQ(panel()->textColour(), QColor(0x20, 0x60, 0xc0));
}

TEST_F(NotepadTest, CtrlASelectsTheWholeText)
{
    openNotepad();
    panel()->ntpdTextBox->setPlainText(QStringLiteral("첫 줄\n둘째 줄"));
    QTest::keyClick(panel()->ntpdTextBox, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(panel()->ntpdTextBox->textCursor().selectedText(), QStringLiteral("첫 줄\u2029둘째 줄"));
}

TEST_F(NotepadTest, TheOpenSaveButtonWithoutAModeOnlyRebuildsTheList)
{
    openNotepad();
    panel()->ntpdTextBox->setPlainText(QStringLiteral("keep"));
    QDir().mkpath(folder());
    QFile f(folder() + QStringLiteral("/later.stf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    panel()->ntpdCmdOpenSave_Click();
    EXPECT_EQ(panel()->ntpdTextBox->toPlainText(), QStringLiteral("keep"));
    EXPECT_EQ(panel()->ntpdOpenSaveTextBox->findText(QStringLiteral("later")), 0);
    EXPECT_TRUE(notices->isEmpty());
}

TEST_F(NotepadTest, TheSizeRuleClosesTheNotepadWhileASidePanelIsOpen)
{
    openNotepad();
    clickOn(QStringLiteral("FavoriteButton"));
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_FALSE(panel()->isEnabled());
    EXPECT_EQ(form().ProgramStatusTextLabel->text(),
              QStringLiteral("바로가기 목록 또는 인터넷 검색을 닫은 후 다시 시도 하십시오."));
    EXPECT_EQ(form().connectionPicture(), 2);
    // Opened while the list is open it lasts only until the pass.
    clickOn(QStringLiteral("NotepadButton"));
    EXPECT_FALSE(panel()->isVisible());
    // Too narrow a window.
    clickOn(QStringLiteral("FavoriteButton"));
    form().setSizeTwips(7000, 9000);
    form().ArrangeMainWindow();
    clickOn(QStringLiteral("NotepadButton"));
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_EQ(form().ProgramStatusTextLabel->text(), QStringLiteral("메모장을 표시할 수 있는 최소 크기보다 작습니다."));
}

TEST_F(NotepadTest, TheButtonAndTheCrossCloseIt)
{
    openNotepad();
    clickOn(QStringLiteral("ntpdCmdExit"));
    EXPECT_FALSE(panel()->isVisible());
    openNotepad();
    clickOn(QStringLiteral("NotepadButton"));
    EXPECT_FALSE(panel()->isVisible());
}

} // namespace
