// The task manager: opened from the side bar, the list, force quit and its
// report, refresh, and the main window's lock.
#include "BrowserFixture.h"
#include "browser/frame/PictureControl.h"
#include "browser/tools/frmTaskManager.h"
#include "platform/linux/LinuxProcesses.h"
#include "platform/testing/FakeProcesses.h"

#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QApplication>
#include <QTest>

using platform::MsgIcon;

TEST(TaskManagerReport, EndedAndNotEndedAreNamedApart)
{
    platform::testing::FakeProcesses processes;
    processes.setNames({"bash", "editor", "sshd", "editor", "player"});
    processes.protect("sshd");

    const taskmanager::QuitReport report = taskmanager::forceQuit(processes, {"editor", "sshd", "editor", "gone"});
    EXPECT_EQ(report.ended, QStringList({"editor"}));
    EXPECT_EQ(report.notEnded, QStringList({"sshd", "gone"}));
    // A name selected twice is ended once; its first end took every process.
    EXPECT_EQ(processes.terminated(), QStringList({"editor", "sshd", "gone"}));
    EXPECT_EQ(processes.names(), QStringList({"bash", "sshd", "player"}));

    EXPECT_EQ(taskmanager::reportText(report),
              "editor가 종료되었습니다.\n종료하지 못한 프로세스: sshd, gone (이미 끝났거나 종료할 권한이 없습니다.)");
    EXPECT_EQ(taskmanager::reportText({{"a", "b"}, {}}), "a, b가 종료되었습니다.");
    EXPECT_EQ(taskmanager::reportText({{}, {"c"}}), "종료하지 못한 프로세스: c (이미 끝났거나 종료할 권한이 없습니다.)");
}

class TaskManagerTest : public BrowserTest
{
protected:
    void openFromSidebar()
    {
        start();
        form().show();
        form().TaskManagerButton->show();
        clickOn("TaskManagerButton");
        window = toolWindow<frmTaskManager>();
        ASSERT_NE(window, nullptr);
    }
    QStringList listed() const
    {
        QStringList names;
        for (int row = 0; row < window->ProcesList->count(); ++row)
            names << window->ProcesList->item(row)->text();
        return names;
    }
    void selectRows(std::initializer_list<int> rows)
    {
        window->ProcesList->clearSelection();
        for (int row : rows)
            window->ProcesList->item(row)->setSelected(true);
    }
    void forceQuit() { QTest::mouseClick(window->cmdProcesExit, Qt::LeftButton); }

    frmTaskManager *window = nullptr;
};

TEST_F(TaskManagerTest, SidebarButtonOpensOneWindowThatLocksTheMainWindow)
{
    fake().processes().setNames({"bash", "editor", "editor"});
    openFromSidebar();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "작업 관리자");
    EXPECT_EQ(listed(), QStringList({"bash", "editor", "editor"}));
    EXPECT_EQ(window->ProcesList->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_FALSE(form().isEnabled());
    EXPECT_EQ(app().commands().state(Command::TaskManager), Commands::State::WindowLocked);

    // The X button closes it, and the main window comes back.
    QTest::mouseClick(window->cmdExit, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(toolWindow<frmTaskManager>(), nullptr);
    EXPECT_TRUE(form().isEnabled());

    // Opened again, it is a fresh window with a fresh list.
    fake().processes().setNames({"bash"});
    clickOn("TaskManagerButton");
    window = toolWindow<frmTaskManager>();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(listed(), QStringList({"bash"}));
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form().isEnabled());
}

TEST_F(TaskManagerTest, NoSelectionIsAnErrorAndEndsNothing)
{
    fake().processes().setNames({"bash", "editor"});
    openFromSidebar();
    forceQuit();
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    const auto &box = fake().dialogs().messageBoxes().first();
    EXPECT_EQ(box.text, "종료할 프로세스를 선택하십시오.");
    EXPECT_EQ(box.title, "작업 관리자");
    EXPECT_EQ(box.icon, MsgIcon::Critical);
    EXPECT_TRUE(fake().processes().terminated().isEmpty());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(TaskManagerTest, ForceQuitEndsTheSelectedNamesAndRefreshes)
{
    fake().processes().setNames({"bash", "editor", "player", "editor", "sshd"});
    fake().processes().protect("sshd");
    openFromSidebar();
    const int listsBefore = fake().processes().listCount();

    selectRows({1, 3, 4});
    forceQuit();
    EXPECT_EQ(fake().processes().terminated(), QStringList({"editor", "sshd"}));
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    const auto &box = fake().dialogs().messageBoxes().first();
    EXPECT_EQ(box.text, "editor가 종료되었습니다.\n종료하지 못한 프로세스: sshd (이미 끝났거나 종료할 권한이 없습니다.)");
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    // The list shows what still runs.
    EXPECT_EQ(fake().processes().listCount(), listsBefore + 1);
    EXPECT_EQ(listed(), QStringList({"bash", "player", "sshd"}));
    // It is back on top of the main window after the message.
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form().isEnabled());

    selectRows({1});
    forceQuit();
    EXPECT_EQ(fake().dialogs().messageBoxes().last().text, "player가 종료되었습니다.");
    EXPECT_EQ(fake().dialogs().messageBoxes().last().icon, MsgIcon::Information);
    EXPECT_FALSE(form().isEnabled());
}

TEST_F(TaskManagerTest, RefreshRebuildsTheList)
{
    fake().processes().setNames({"bash"});
    openFromSidebar();
    fake().processes().setNames({"bash", "editor"});
    QTest::mouseClick(window->cmdReload, Qt::LeftButton);
    EXPECT_EQ(listed(), QStringList({"bash", "editor"}));
    EXPECT_TRUE(fake().processes().terminated().isEmpty());
}

TEST_F(TaskManagerTest, EndsARealProcessItStartedByItsName)
{
    // A copy of sleep under a name nothing else on the machine has.
    const QString name = QStringLiteral("vtm%1").arg(QCoreApplication::applicationPid());
    const QString program = m_dir.file(name);
    ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), program));
    QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
    QProcess child;
    child.start(program, {QStringLiteral("600")});
    ASSERT_TRUE(child.waitForStarted());

    platform::LinuxProcesses real;
    platform::Platform mixed{fake().environment(), fake().registry(), fake().system(), real, fake().dialogs(),
                             fake().browsers()};
    BrowserAssembly own(mixed);
    auto *manager = new frmTaskManager(own.context(), nullptr);
    manager->setAttribute(Qt::WA_DeleteOnClose);
    QListWidget *list = manager->ProcesList;
    const auto rows = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(rows.size(), 1);
    rows.first()->setSelected(true);

    QTest::mouseClick(manager->cmdProcesExit, Qt::LeftButton);
    EXPECT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(fake().dialogs().messageBoxes().last().text, name + "가 종료되었습니다.");
    QTest::mouseClick(manager->cmdReload, Qt::LeftButton);
    EXPECT_TRUE(list->findItems(name, Qt::MatchExactly).isEmpty());
    manager->close();
    if (child.state() != QProcess::NotRunning) {
        child.kill();
        child.waitForFinished();
    }
}
