#include "themebuilder/PackWriter.h"
#include "themebuilder/PictureButton.h"
#include "themebuilder/PicturePreview.h"
#include "themebuilder/frmMain.h"
#include "themepack/ThemePack.h"

#include "platform/testing/FakePlatform.h"

#include "GifData.h"
#include "TempDir.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace prismel;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

class WizardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_form = std::make_unique<frmMain>(m_fake.platform());
        m_form->show();
    }

    // The visible page and, after a '+', each panel shown over it.
    QString state() const
    {
        QStringList parts;
        const frmMain &f = *m_form;
        for (QWidget *page : {f.StartBox, f.OneBox, f.TwoBox, f.ThreeBox, f.FourBox, f.InputYourInfoBox, f.ThankYouBox}) {
            if (page->isHidden())
                continue;
            QString part = page->objectName();
            for (QWidget *panel : {f.TwoBoxPlus1, f.SystemImageBox, f.HelpTheme, f.ThreeBoxPlus1, f.FourBoxPlus1}) {
                if (page->isAncestorOf(panel) && !panel->isHidden())
                    part += '+' + panel->objectName();
            }
            parts << part;
        }
        return parts.join(' ');
    }

    QString gif(const QString &name, QSize size = QSize(10, 10), int seed = 0)
    {
        return gifdata::writeGif(m_pictures.file(name), size, seed);
    }

    void pick(const QString &slot, const QString &path)
    {
        m_fake.dialogs().queueFileName(path);
        m_form->slotPicker(slot)->click();
    }

    void fillAllSlotsExcept(const QStringList &skipped = {})
    {
        int seed = 0;
        for (std::string_view s : kWriteOrder) {
            const QString slot = themepack::tableText(s);
            if (!skipped.contains(slot))
                pick(slot, gif(slot + ".gif", QSize(12, 12), seed++));
        }
    }

    void goToInformationPage()
    {
        m_form->cmdNext[0]->click();
        m_form->cmdAgree->click();
        m_form->cmdNext[2]->click();
        m_form->cmdNext[3]->click();
        m_form->cmdNext[4]->click();
    }

    void type(QLineEdit *edit, const QString &text)
    {
        // Korean text arrives through the input method, not as key presses.
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(edit, &event);
    }

    QString app() { return m_fake.environment().applicationFolder(); }

    TestFolder m_root;
    TestFolder m_pictures;
    platform::testing::FakePlatform m_fake{m_root.path()};
    std::unique_ptr<frmMain> m_form;
};

} // namespace

TEST_F(WizardTest, WalksThroughThePagesAndBack)
{
    frmMain &f = *m_form;
    EXPECT_EQ(state(), "StartBox");
    f.cmdNext[0]->click();
    EXPECT_EQ(state(), "OneBox");
    f.cmdAgree->click();
    EXPECT_EQ(state(), "TwoBox");
    f.cmdNext[2]->click();
    EXPECT_EQ(state(), "ThreeBox");
    f.cmdNext[3]->click();
    EXPECT_EQ(state(), "FourBox");
    f.cmdNext[4]->click();
    EXPECT_EQ(state(), "InputYourInfoBox");
    f.cmdBack[2]->click();
    EXPECT_EQ(state(), "FourBox");
    f.cmdBack[1]->click();
    EXPECT_EQ(state(), "ThreeBox");
    f.cmdBack[0]->click();
    EXPECT_EQ(state(), "TwoBox");
    // There is no way back from the frame page to the licence.
    EXPECT_TRUE(f.TwoBox->findChildren<QPushButton *>("cmdBack").isEmpty());
}

TEST_F(WizardTest, NavigationButtonsSitOnTheirPagesWithTheirCaptions)
{
    frmMain &f = *m_form;
    const struct
    {
        QMap<int, QPushButton *> &array;
        QList<int> indices;
        QList<QWidget *> pages;
        QString caption;
    } arrays[] = {
        {f.cmdNext, {0, 2, 3, 4}, {f.StartBox, f.TwoBox, f.ThreeBox, f.FourBox}, "다음"},
        {f.cmdBack, {0, 1, 2}, {f.ThreeBox, f.FourBox, f.InputYourInfoBox}, "이전"},
        {f.cmdCancel, {0, 2, 3, 4, 5}, {f.StartBox, f.TwoBox, f.ThreeBox, f.FourBox, f.InputYourInfoBox}, "취소"},
        {f.cmdOK, {6}, {f.ThankYouBox}, "확인"},
    };
    for (const auto &a : arrays) {
        ASSERT_EQ(a.array.keys(), a.indices) << a.caption.toStdString();
        for (int i = 0; i < a.indices.size(); ++i) {
            QPushButton *button = a.array.value(a.indices[i]);
            EXPECT_TRUE(a.pages[i]->isAncestorOf(button)) << a.caption.toStdString() << a.indices[i];
            EXPECT_EQ(button->text(), a.caption);
            EXPECT_EQ(button->property("index").toInt(), a.indices[i]);
        }
    }
    EXPECT_TRUE(f.InputYourInfoBox->isAncestorOf(f.cmdMake));
    EXPECT_EQ(f.cmdMake->text(), QStringLiteral("만들기"));
    EXPECT_EQ(f.imgAmbrelLogo.size(), 3);
    EXPECT_FALSE(f.imgAmbrelLogo.value(0)->pixmap().isNull());
    EXPECT_TRUE(f.txtLicence->toPlainText().contains(QStringLiteral("사용권")));
    EXPECT_EQ(f.ProgramTitleBar->text(), QStringLiteral("Brenmor® Prismel™"));
}

TEST_F(WizardTest, FramePagePanelsFollowTheirButtons)
{
    frmMain &f = *m_form;
    f.showPage(f.TwoBox);
    f.cmdTwoBoxSystemThemeMakeGuide->click();
    EXPECT_EQ(state(), "TwoBox+TwoBoxPlus1");
    f.cmdThemePreview->click();
    EXPECT_EQ(state(), "TwoBox+SystemImageBox");
    f.cmdThemeHelp->click();
    EXPECT_EQ(state(), "TwoBox+HelpTheme");
    f.cmdThemePreview->click();
    EXPECT_EQ(state(), "TwoBox+SystemImageBox+HelpTheme");
    // The panel opened last lies on top, so the preview is not hidden behind the help.
    EXPECT_EQ(f.SystemImageBox->parentWidget()->children().last(), f.SystemImageBox);
    f.cmdThemeHelp->click();
    EXPECT_EQ(state(), "TwoBox");

    f.cmdTwoBoxSystemThemeMakeGuide->click();
    f.cmdThemeHelp->click();
    EXPECT_EQ(state(), "TwoBox+TwoBoxPlus1+HelpTheme");
    f.cmdThemeHelp->click();
    f.cmdThemePreview->click();
    f.cmdSystemImageGoBack->click();
    EXPECT_EQ(state(), "TwoBox");

    f.cmdThemeHelp->click();
    EXPECT_FALSE(f.InHelpTwoBox1->isHidden());
    EXPECT_TRUE(f.InHelpTwoBox2->isHidden());
    f.cmdTwoBoxHelp2->click();
    EXPECT_TRUE(f.InHelpTwoBox1->isHidden());
    EXPECT_FALSE(f.InHelpTwoBox2->isHidden());
    EXPECT_TRUE(f.cmdTwoBoxHelp2->property("selected").toBool());
    EXPECT_FALSE(f.cmdTwoBoxHelp1->property("selected").toBool());
    f.cmdTwoBoxHelp1->click();
    EXPECT_FALSE(f.InHelpTwoBox1->isHidden());
    EXPECT_TRUE(f.cmdTwoBoxHelp1->property("selected").toBool());

    f.showPage(f.ThreeBox);
    f.cmdThreeBoxSystemThemeMakeGuide->click();
    EXPECT_EQ(state(), "ThreeBox+ThreeBoxPlus1");
    f.cmdThreeBoxSystemThemeMakeGuide->click();
    EXPECT_EQ(state(), "ThreeBox");
    f.showPage(f.FourBox);
    f.cmdFourBoxSystemThemeMakeGuide->click();
    EXPECT_EQ(state(), "FourBox+FourBoxPlus1");
}

TEST_F(WizardTest, PickerDialogsAreTitledBySlotLabel)
{
    for (std::string_view s : kWriteOrder) {
        m_fake.dialogs().queueFileName(QString());  // cancelled
        m_form->slotPicker(themepack::tableText(s))->click();
    }
    const auto &calls = m_fake.dialogs().fileDialogs();
    ASSERT_EQ(calls.size(), 25);
    QStringList titles;
    for (const auto &call : calls) {
        titles << call.title;
        EXPECT_EQ(call.filter, QStringLiteral("그래픽 인터체인지 포맷(*.gif)|*.gif|"));
    }
    EXPECT_EQ(titles.first(), QStringLiteral("뒤로 버튼 (일반) 이미지 열기"));
    EXPECT_TRUE(titles.contains(QStringLiteral("상단 좌측 모서리 이미지 열기")));
    // The picker says "버튼", the slot label does not.
    EXPECT_EQ(m_form->cmdThreeBoxRefreshButton->text(), QStringLiteral("다시 불러오기 버튼 (일반)"));
    EXPECT_TRUE(titles.contains(QStringLiteral("다시 불러오기 (일반) 이미지 열기")));
    EXPECT_TRUE(titles.contains(QStringLiteral("Vitrel™ 이미지 열기")));
    EXPECT_TRUE(titles.contains(QStringLiteral("Panovel™ 모드 이미지 열기")));
    EXPECT_TRUE(titles.contains(QStringLiteral("도구상자 배경 이미지 열기")));
    for (std::string_view s : kWriteOrder)
        EXPECT_FALSE(m_form->slotPreview(themepack::tableText(s))->hasPicture());
}

TEST_F(WizardTest, ACancelledOrUnreadablePickKeepsTheSlot)
{
    const QString first = gif("first.gif", QSize(9, 25));
    pick("TopLeftEdge", first);
    PicturePreview *preview = m_form->imgTopLeftEdge;
    ASSERT_TRUE(preview->hasPicture());

    pick("TopLeftEdge", QString());
    EXPECT_EQ(preview->picture().sourcePath, first);
    pick("TopLeftEdge", m_pictures.write("notes.gif", "just text"));
    EXPECT_EQ(preview->picture().sourcePath, first);
    pick("TopLeftEdge", m_pictures.file("deleted.gif"));
    EXPECT_EQ(preview->picture().sourcePath, first);

    const QString second = gif("second.gif", QSize(9, 25), 1);
    pick("TopLeftEdge", second);
    EXPECT_EQ(preview->picture().sourcePath, second);
    EXPECT_TRUE(m_fake.dialogs().messageBoxes().isEmpty());
}

TEST_F(WizardTest, PicturesSurvivePageChangesInBothDirections)
{
    frmMain &f = *m_form;
    f.cmdNext[0]->click();
    f.cmdAgree->click();
    pick("TopLeftEdge", gif("corner.gif"));
    f.cmdNext[2]->click();
    pick("BackButton", gif("back.gif"));
    f.cmdNext[3]->click();
    pick("NotepadButton", gif("note.gif"));
    f.cmdBack[1]->click();
    f.cmdBack[0]->click();
    f.cmdNext[2]->click();
    f.cmdNext[3]->click();
    f.cmdNext[4]->click();
    f.cmdBack[2]->click();
    EXPECT_EQ(state(), "FourBox");
    EXPECT_EQ(f.imgTopLeftEdge->picture().sourcePath, m_pictures.file("corner.gif"));
    EXPECT_EQ(f.imgBackButton->picture().sourcePath, m_pictures.file("back.gif"));
    EXPECT_EQ(f.imgNotepadButton->picture().sourcePath, m_pictures.file("note.gif"));
}

TEST_F(WizardTest, PreviewsHaveTheElementSizeAndFormAFrame)
{
    frmMain &f = *m_form;
    // Button previews: the element's size inside a one-pixel border.
    EXPECT_EQ(f.imgBackButton->size(), QSize(47, 41));
    EXPECT_EQ(f.imgRefreshButton->size(), QSize(31, 27));
    EXPECT_EQ(f.imgFavoriteButton->size(), QSize(27, 27));
    EXPECT_EQ(f.imgToolbarBackground->height(), 41);

    // Frame pieces joined as on a window: 437 x 86 in all.
    const struct
    {
        PicturePreview *preview;
        QRect geometry;
    } frame[] = {
        {f.imgTopLeftEdge, {0, 0, 9, 25}},     {f.imgTopLine, {9, 0, 419, 25}},
        {f.imgTopRightEdge, {428, 0, 9, 25}},  {f.imgLeftLine, {0, 25, 7, 53}},
        {f.imgRightLine, {430, 25, 7, 53}},    {f.imgBottomLeftEdge, {0, 78, 9, 8}},
        {f.imgBottomLine, {9, 78, 419, 8}},    {f.imgBottomRightEdge, {428, 78, 9, 8}},
    };
    for (const auto &piece : frame) {
        EXPECT_EQ(piece.preview->geometry(), piece.geometry) << piece.preview->objectName().toStdString();
        EXPECT_TRUE(f.SystemImageBox->isAncestorOf(piece.preview));
    }

    // A picture of another size is taken without a word and squeezed into the box.
    pick("TopLeftEdge", gif("big.gif", QSize(100, 100)));
    EXPECT_EQ(f.imgTopLeftEdge->size(), QSize(9, 25));
    EXPECT_EQ(f.imgTopLeftEdge->picture().image.size(), QSize(100, 100));
    EXPECT_TRUE(m_fake.dialogs().messageBoxes().isEmpty());
    const QImage shown = f.imgTopLeftEdge->grab().toImage();
    EXPECT_EQ(shown.size(), QSize(9, 25) * f.imgTopLeftEdge->devicePixelRatioF());

    gifdata::Params moving;
    moving.frames = 3;
    pick("VitrelButton", gifdata::writeGif(m_pictures.file("moving.gif"), moving));
    EXPECT_TRUE(f.imgVitrelButton->isAnimating());
}

TEST_F(WizardTest, MakeWritesThePackBesideExistingFilesAndShowsTheEnd)
{
    const QString name = QStringLiteral("가을 하늘");
    m_root.write(QDir(m_root.path()).relativeFilePath(themepack::packFolder(app(), name) + "/mine.txt"), "keep");
    fillAllSlotsExcept();
    goToInformationPage();
    type(m_form->txtboxThemeName, name);
    type(m_form->txtboxThemeMakerName, QStringLiteral("김 작가"));
    m_form->txtboxThemeMakerHomePage->setText("http://example.org");
    m_form->cmdMake->click();

    EXPECT_EQ(state(), "ThankYouBox");
    EXPECT_TRUE(m_fake.dialogs().messageBoxes().isEmpty());
    const QString pack = themepack::packFolder(app(), name);
    EXPECT_TRUE(m_form->lblThemePackFolder->text().endsWith(pack));
    EXPECT_EQ(m_form->lblThemePackName->text(), QStringLiteral("테마팩 이름 : ") + name);
    EXPECT_EQ(QDir(pack).entryList(QDir::Files).size(), 27);  // 25 pictures, information file, mine.txt
    EXPECT_TRUE(themepack::missingCountedFiles(pack).isEmpty());
    const themepack::PackInfo info = themepack::readInfo(themepack::infoFile(app(), name));
    EXPECT_EQ(info.name, name);
    EXPECT_EQ(info.makerName, QStringLiteral("김 작가"));
    EXPECT_EQ(info.makerUrl, "http://example.org");

    QSignalSpy ended(m_form.get(), &frmMain::programEnded);
    m_form->cmdOK[6]->click();
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(WizardTest, AnEmptySlotIsNamedAndItsPageShown)
{
    fillAllSlotsExcept({"NotepadButton"});
    goToInformationPage();
    m_form->txtboxThemeName->setText("Half");
    m_form->cmdMake->click();

    ASSERT_EQ(m_fake.dialogs().messageBoxes().size(), 1);
    const auto box = m_fake.dialogs().messageBoxes().first();
    EXPECT_EQ(box.text, QStringLiteral("이미지가 등록되어 있지 않은 부분 : 메모장\n해당 부분으로 이동 합니다."));
    EXPECT_EQ(box.title, QStringLiteral("Prismel™ 생성 관리자"));
    EXPECT_EQ(box.icon, MsgIcon::Information);
    EXPECT_EQ(box.buttons, MsgButtons::OK);
    EXPECT_EQ(state(), "FourBox");
    EXPECT_FALSE(themepack::fileExists(themepack::infoFile(app(), "Half")));

    // Filling the slot and making again completes the pack.
    pick("NotepadButton", gif("note.gif"));
    m_form->cmdNext[4]->click();
    m_form->cmdMake->click();
    EXPECT_EQ(state(), "ThankYouBox");
    EXPECT_TRUE(themepack::fileExists(themepack::infoFile(app(), "Half")));
}

TEST_F(WizardTest, TheFirstEmptySlotOfTheOrderDecidesThePage)
{
    // Nothing picked on the frame page and no back button: the order names the
    // back button first, so the toolbar page is shown.
    fillAllSlotsExcept({"BackButton", "TopLeftEdge", "TopLine"});
    goToInformationPage();
    m_form->txtboxThemeName->setText("New");
    m_form->cmdMake->click();
    ASSERT_EQ(m_fake.dialogs().messageBoxes().size(), 1);
    EXPECT_TRUE(m_fake.dialogs().messageBoxes().first().text.contains(QStringLiteral(": 뒤로 버튼 (일반)\n")));
    EXPECT_EQ(state(), "ThreeBox");
    EXPECT_TRUE(QDir(themepack::packFolder(app(), "New")).entryList(QDir::Files).isEmpty());
}

TEST_F(WizardTest, AnUnusableNameIsRefusedBeforeAnythingIsWritten)
{
    using themepack::PackNameProblem;
    fillAllSlotsExcept();
    goToInformationPage();
    const std::pair<QString, PackNameProblem> cases[] = {
        {QStringLiteral(".."), PackNameProblem::Hidden},
        {QStringLiteral("../../outside"), PackNameProblem::PathCharacter},
        {QStringLiteral(".숨은 테마"), PackNameProblem::Hidden},
        {QStringLiteral("   "), PackNameProblem::OnlyBlanks},
        {QStringLiteral(" 앞 공백"), PackNameProblem::EdgeBlanks},
        {QStringLiteral("뒤 공백 "), PackNameProblem::EdgeBlanks},
        {QStringLiteral("탭\t이름"), PackNameProblem::ControlCharacter},
        {QString(80, QChar(0xAC00)), PackNameProblem::TooLong},
    };
    for (const auto &[bad, problem] : cases) {
        m_fake.dialogs().clear();
        m_form->txtboxThemeName->setText(bad);
        m_form->cmdMake->click();
        ASSERT_EQ(m_fake.dialogs().messageBoxes().size(), 1) << bad.toStdString();
        const auto box = m_fake.dialogs().messageBoxes().first();
        EXPECT_EQ(box.title, QStringLiteral("Prismel™ 생성 관리자"));
        EXPECT_EQ(box.text, unusableNameMessage(problem)) << bad.toStdString();
        EXPECT_EQ(box.icon, MsgIcon::Exclamation);
        EXPECT_EQ(state(), "InputYourInfoBox");
        EXPECT_EQ(m_form->txtboxThemeName->selectedText(), bad);  // ready to be typed over
    }
    EXPECT_FALSE(QFileInfo::exists(themepack::themeFolder(app())));
    EXPECT_FALSE(QFileInfo::exists(m_root.file("outside")));
}

TEST_F(WizardTest, AnEmptyNameMakesADefaultPackThatTheEndPageNames)
{
    // The information page promises its boxes may stay empty.
    QDir().mkpath(themepack::packFolder(app(), QStringLiteral("새 테마팩")));
    fillAllSlotsExcept();
    goToInformationPage();
    m_form->cmdMake->click();

    EXPECT_TRUE(m_fake.dialogs().messageBoxes().isEmpty());
    EXPECT_EQ(state(), "ThankYouBox");
    const QString name = QStringLiteral("새 테마팩 2");
    EXPECT_EQ(m_form->lblThemePackName->text(), QStringLiteral("테마팩 이름 : ") + name);
    EXPECT_TRUE(m_form->lblThemePackName->isVisible());
    EXPECT_TRUE(m_form->lblThemePackFolder->text().endsWith(themepack::packFolder(app(), name)));
    EXPECT_EQ(themepack::readInfo(themepack::infoFile(app(), name)).name, name);
    EXPECT_TRUE(themepack::missingCountedFiles(themepack::packFolder(app(), name)).isEmpty());
}

TEST_F(WizardTest, APackFolderLinkedElsewhereIsReportedAndLeftAlone)
{
    TestFolder elsewhere;
    QDir().mkpath(themepack::themeFolder(app()));
    ASSERT_TRUE(QFile::link(elsewhere.path(), themepack::packFolder(app(), "Blue")));
    fillAllSlotsExcept();
    goToInformationPage();
    m_form->txtboxThemeName->setText("Blue");
    m_form->cmdMake->click();

    ASSERT_EQ(m_fake.dialogs().messageBoxes().size(), 1);
    const auto box = m_fake.dialogs().messageBoxes().first();
    EXPECT_EQ(box.title, QStringLiteral("Prismel™ 생성 관리자"));
    EXPECT_EQ(box.icon, MsgIcon::Critical);
    EXPECT_TRUE(box.text.contains(themepack::packFolder(app(), "Blue")));
    EXPECT_TRUE(box.text.contains(QStringLiteral("링크")));
    EXPECT_EQ(state(), "InputYourInfoBox");
    EXPECT_TRUE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST_F(WizardTest, AFailedWriteIsReportedInsteadOfTheCompletionPage)
{
    const QString blocker = themepack::picturePath(app(), "Blue", "TopLine.gif");
    QDir().mkpath(blocker);
    fillAllSlotsExcept();
    goToInformationPage();
    m_form->txtboxThemeName->setText("Blue");
    m_form->cmdMake->click();

    ASSERT_EQ(m_fake.dialogs().messageBoxes().size(), 1);
    const auto box = m_fake.dialogs().messageBoxes().first();
    EXPECT_EQ(box.title, QStringLiteral("Prismel™ 생성 관리자"));
    EXPECT_TRUE(box.text.contains(blocker));
    EXPECT_EQ(box.icon, MsgIcon::Critical);
    EXPECT_EQ(state(), "InputYourInfoBox");
    EXPECT_FALSE(themepack::fileExists(themepack::infoFile(app(), "Blue")));
    // What was written before the failure stays.
    EXPECT_TRUE(themepack::fileExists(themepack::picturePath(app(), "Blue", "BackButton.gif")));
}

TEST_F(WizardTest, EveryWayOutEndsTheProgram)
{
    const QList<std::function<void(frmMain &)>> ways = {
        [](frmMain &f) { f.cmdCancel[0]->click(); },
        [](frmMain &f) { f.showPage(f.TwoBox); f.cmdCancel[2]->click(); },
        [](frmMain &f) { f.showPage(f.ThreeBox); f.cmdCancel[3]->click(); },
        [](frmMain &f) { f.showPage(f.FourBox); f.cmdCancel[4]->click(); },
        [](frmMain &f) { f.showPage(f.InputYourInfoBox); f.cmdCancel[5]->click(); },
        [](frmMain &f) { f.showPage(f.OneBox); f.cmdDisagree->click(); },
        [](frmMain &f) { f.showPage(f.OneBox); QTest::mouseClick(f.SystemExitButton, Qt::LeftButton); },
    };
    for (int i = 0; i < ways.size(); ++i) {
        frmMain form(m_fake.platform());
        form.show();
        QSignalSpy ended(&form, &frmMain::programEnded);
        ways[i](form);
        EXPECT_EQ(ended.count(), 1) << i;
        EXPECT_FALSE(form.isVisible()) << i;
    }
}

TEST_F(WizardTest, CaptionButtonsActOnReleaseUnlessSlidOffRightAndBelow)
{
    EXPECT_TRUE(releaseTriggers(5, 5, 30, 22));
    EXPECT_TRUE(releaseTriggers(40, 5, 30, 22));    // right only
    EXPECT_TRUE(releaseTriggers(5, 40, 30, 22));    // below only
    EXPECT_TRUE(releaseTriggers(-9, -9, 30, 22));   // left and above
    EXPECT_FALSE(releaseTriggers(31, 23, 30, 22));  // right and below

    PictureButton *exit = m_form->SystemExitButton;
    QSignalSpy clicked(exit, &PictureButton::clicked);
    QSignalSpy ended(m_form.get(), &frmMain::programEnded);
    QTest::mousePress(exit, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(exit->isDown());
    QTest::mouseRelease(exit, Qt::LeftButton, {}, QPoint(exit->width() + 4, exit->height() + 4));
    EXPECT_FALSE(exit->isDown());
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(ended.count(), 0);

    QTest::mouseClick(m_form->SystemMinButton, Qt::LeftButton);
    EXPECT_TRUE(m_form->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(ended.count(), 0);
}

TEST_F(WizardTest, TheTitleStripMovesTheWindow)
{
    m_form->move(100, 100);
    const QPoint start = m_form->pos();
    QLabel *title = m_form->ProgramTitleBar;
    // Without a window manager the system move is refused and the drag is ours.
    m_form->ProgramTitleBar_MouseDown(Qt::LeftButton, title->mapToGlobal(QPoint(200, 10)));
    m_form->ProgramTitleBar_MouseMove(title->mapToGlobal(QPoint(260, 50)));
    m_form->ProgramTitleBar_MouseUp(Qt::LeftButton);
    EXPECT_EQ(m_form->pos(), start + QPoint(60, 40));
    m_form->ProgramTitleBar_MouseMove(title->mapToGlobal(QPoint(0, 0)));
    EXPECT_EQ(m_form->pos(), start + QPoint(60, 40));  // the drag ended with the release

    m_form->ProgramTitleBar_MouseDown(Qt::RightButton, title->mapToGlobal(QPoint(200, 10)));
    m_form->ProgramTitleBar_MouseMove(title->mapToGlobal(QPoint(300, 10)));
    EXPECT_EQ(m_form->pos(), start + QPoint(60, 40));  // only the left button drags
}

TEST_F(WizardTest, WindowIsBorderlessWithRoundedCorners)
{
    EXPECT_TRUE(m_form->windowFlags() & Qt::FramelessWindowHint);
    const QRegion mask = m_form->mask();
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_FALSE(mask.contains(QPoint(m_form->width() - 1, m_form->height() - 1)));
    EXPECT_TRUE(mask.contains(QPoint(m_form->width() / 2, 0)));
    EXPECT_TRUE(mask.contains(m_form->rect().center()));
}

// Every text on every page and panel fits its control at the window's fixed size.
TEST_F(WizardTest, NoTextIsClipped)
{
    frmMain &f = *m_form;
    const QList<std::pair<QWidget *, QWidget *>> views = {
        {f.StartBox, nullptr},      {f.OneBox, nullptr},          {f.TwoBox, nullptr},
        {f.TwoBox, f.TwoBoxPlus1},  {f.TwoBox, f.SystemImageBox}, {f.TwoBox, f.HelpTheme},
        {f.ThreeBox, nullptr},      {f.ThreeBox, f.ThreeBoxPlus1}, {f.FourBox, nullptr},
        {f.FourBox, f.FourBoxPlus1}, {f.InputYourInfoBox, nullptr}, {f.ThankYouBox, nullptr},
    };
    // A control must be as large as its text asks and lie wholly inside the page
    // or panel: a layout that runs out of room pushes controls past the edge.
    auto checkVisibleTexts = [&](QWidget *root, const QString &where) {
        const QRect area(root->mapTo(&f, QPoint(0, 0)), root->size());
        int checked = 0;
        for (QWidget *w : root->findChildren<QWidget *>()) {
            auto *button = qobject_cast<QPushButton *>(w);
            auto *label = qobject_cast<QLabel *>(w);
            if (!w->isVisibleTo(&f) || (!button && !label))
                continue;
            const std::string what = where.toStdString() + " " + w->objectName().toStdString() + " "
                + (button ? button->text() : label->text()).toStdString();
            EXPECT_TRUE(area.contains(QRect(w->mapTo(&f, QPoint(0, 0)), w->size()))) << what;
            if (button || !label->wordWrap())
                EXPECT_GE(w->width(), w->sizeHint().width()) << what;
            else
                EXPECT_GE(w->height(), label->heightForWidth(w->width())) << what;
            ++checked;
        }
        EXPECT_GT(checked, 1) << where.toStdString();
    };
    for (const auto &[page, panel] : views) {
        f.showPage(page);
        for (QWidget *p : {f.TwoBoxPlus1, f.SystemImageBox, f.HelpTheme, f.ThreeBoxPlus1, f.FourBoxPlus1})
            p->setVisible(p == panel);
        QApplication::processEvents();
        checkVisibleTexts(panel ? panel : page, page->objectName() + (panel ? "+" + panel->objectName() : ""));
    }
    f.showPage(f.TwoBox);
    f.HelpTheme->show();
    f.cmdTwoBoxHelp2_Click();
    QApplication::processEvents();
    checkVisibleTexts(f.InHelpTwoBox2, "InHelpTwoBox2");
}
