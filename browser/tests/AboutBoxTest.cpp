// The about box: what it shows, the detail view, the label buttons and the
// system-information tool.
#include "BrowserFixture.h"
#include "browser/frame/LabelControl.h"
#include "browser/tools/frmAbout.h"
#include "browser/tools/modSystemInfo.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QApplication>
#include <QTest>

#include <QThread>

using platform::MsgIcon;

class AboutBoxTest : public BrowserTest
{
protected:
    void open()
    {
        start();
        form().show();
        ASSERT_EQ(app().commands().run(Command::About), Commands::State::Enabled);
        box = toolWindow<frmAbout>();
        ASSERT_NE(box, nullptr);
        box->setToolSearchPath({m_dir.file("no-tools")});
    }
    // Clicks a label button the way a user does: press on it, release at `at`.
    void clickLabel(QWidget *label, QPoint at = {})
    {
        QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
        QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, at.isNull() ? label->rect().center() : at);
    }
    void gone() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    frmAbout *box = nullptr;
};

TEST_F(AboutBoxTest, SummaryShowsVersionSystemAndNetwork)
{
    fake().system().setOs(QStringLiteral("Debian GNU/Linux"), QStringLiteral("12 (bookworm)"));
    fake().system().setHost(QStringLiteral("desk"), QStringLiteral("192.0.2.7"));
    open();
    EXPECT_EQ(box->windowTitle(), "프로그램 정보...");
    EXPECT_EQ(box->lblVersion->text(), "Version : 1.0.0");
    // "Debian GNU/Linux 12 (bookworm)" is longer than 14 characters.
    EXPECT_EQ(box->lblUserOperatingSystemInfo->text(), "Debian GNU/Linu... 기반에서 실행 중");
    EXPECT_EQ(box->lblUserComputerNetworkInfo->text(),
              "사용자 컴퓨터 네트워크 정보\n[ 도메인 이름 : desk ] [ IP 주소 : 192.0.2.7 ] \n");
    EXPECT_TRUE(box->lblUserSystemInfo->text().startsWith("Debian GNU/Linux 12 (bookworm) (Build : "));
    EXPECT_TRUE(box->lblUserSystemInfo->text().contains("Processor : Quad Core"));
    EXPECT_TRUE(box->lblUserSystemInfo->text().endsWith("System Memory : 4096MB"));
    EXPECT_FALSE(form().isEnabled());
}

TEST_F(AboutBoxTest, DetailViewTogglesWithTheArrow)
{
    open();
    box->show();
    EXPECT_TRUE(box->lblUserSystemInfo->isHidden());
    EXPECT_EQ(box->cmdMoreUserOperatingSystemInfo->text(), "▼");

    QTest::mouseClick(box->cmdMoreUserOperatingSystemInfo, Qt::LeftButton);
    EXPECT_TRUE(box->lblUserSystemInfo->isVisible());
    EXPECT_TRUE(box->lblUserComputerNetworkInfo->isHidden());
    EXPECT_TRUE(box->lblDisclaimer->isHidden());
    EXPECT_TRUE(box->lblCopyright->isHidden());
    EXPECT_EQ(box->cmdMoreUserOperatingSystemInfo->text(), "▲");
    EXPECT_EQ(box->cmdMoreUserOperatingSystemInfo->toolTip(), "상세한 시스템 정보 닫기");

    QTest::mouseClick(box->cmdMoreUserOperatingSystemInfo, Qt::LeftButton);
    EXPECT_TRUE(box->lblUserSystemInfo->isHidden());
    EXPECT_TRUE(box->lblUserComputerNetworkInfo->isVisible());
    EXPECT_TRUE(box->lblDisclaimer->isVisible());
    EXPECT_EQ(box->cmdMoreUserOperatingSystemInfo->text(), "▼");
    EXPECT_EQ(box->cmdMoreUserOperatingSystemInfo->toolTip(), "상세한 시스템 정보 열기");
}

TEST_F(AboutBoxTest, LabelButtonsActOnReleaseUnlessRightOfAndBelow)
{
    open();
    box->show();
    LabelButton *button = box->cmdCopyrightButton;
    const int narrow = box->width();

    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    EXPECT_TRUE(button->pressed());
    EXPECT_TRUE(button->text().contains("color:#ff0000"));
    // Released right of and below the label: nothing happens.
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(button->width() + 5, button->height() + 5));
    EXPECT_FALSE(button->pressed());
    EXPECT_FALSE(button->text().contains("color:#ff0000"));
    EXPECT_TRUE(box->famCopyrightMaker->isHidden());

    // Released above or left of it: the action still runs.
    clickLabel(button, QPoint(-5, -5));
    EXPECT_TRUE(box->famCopyrightMaker->isVisible());
    EXPECT_EQ(button->caption(), "저작권 및 제작자 <");
    EXPECT_EQ(button->toolTip(), "저작권 및 제작자 정보 닫기");
    EXPECT_EQ(box->width(), 558);   // 8370 twips
    EXPECT_EQ(narrow, 382);         // 5730 twips

    clickLabel(button, QPoint(button->width() + 5, -5));
    EXPECT_TRUE(box->famCopyrightMaker->isHidden());
    EXPECT_EQ(button->caption(), "저작권 및 제작자 >");
    EXPECT_EQ(button->toolTip(), "저작권 및 제작자 정보 열기");
    EXPECT_EQ(box->width(), narrow);
}

TEST_F(AboutBoxTest, OkClosesAndGivesTheMainWindowBack)
{
    open();
    box->show();
    EXPECT_EQ(box->cmdOK->caption(), "확인(&O)");
    clickLabel(box->cmdOK);
    gone();
    EXPECT_EQ(toolWindow<frmAbout>(), nullptr);
    EXPECT_TRUE(form().isEnabled());
    EXPECT_EQ(app().commands().run(Command::About), Commands::State::Enabled);
    EXPECT_NE(toolWindow<frmAbout>(), nullptr);
}

TEST_F(AboutBoxTest, WithoutAToolTheUserIsTold)
{
    open();
    box->show();
    clickLabel(box->cmdSysInfo);
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    const auto &message = fake().dialogs().messageBoxes().first();
    EXPECT_EQ(message.text, "이 버전의 Microsoft Windows 는 이 응용 프로그램을 지원하지 않습니다.\n확인 후 다시시도 하십시오.");
    EXPECT_EQ(message.icon, MsgIcon::Critical);
    EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(AboutBoxTest, ToolPathWithBlanksAndQuotesIsStartedWithoutAShell)
{
    // Through a shell this path would split at the blank and trip over the quotes.
    const QString marker = m_dir.file("started");
    const QString tool = m_dir.write("My Tools/it's \"info\"; touch x",
                                     "#!/bin/sh\necho ran > \"$(dirname \"$0\")/../started\"\n");
    QFile::setPermissions(tool, QFile::permissions(tool) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    fake().registry().set(QString::fromUtf8(modSystemInfo::kMsInfoKey), QString::fromUtf8(modSystemInfo::kMsInfoValue),
                          tool);
    open();
    box->show();
    clickLabel(box->cmdSysInfo);
    EXPECT_TRUE(fake().dialogs().messageBoxes().isEmpty());
    QDeadlineTimer deadline(20000);
    while (!QFile::exists(marker) && !deadline.hasExpired())
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(marker));
    EXPECT_FALSE(QFile::exists(m_dir.file("My Tools/x")));
    EXPECT_FALSE(QFile::exists(m_dir.file("x")));
}
