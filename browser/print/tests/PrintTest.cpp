// Printing and "PDF로 저장" over a fake page: the name offered, the file the
// user picks, and what the user is told when it fails.
#include "browser/tests/BrowserFixture.h"

#include "browser/print/PrintCommands.h"

namespace {

TEST(PdfFileName, TheTitleStaysInsideTheFolder)
{
    EXPECT_EQ(pagePrint::pdfFileName("보고서", "http://a.example/"), "보고서.pdf");
    EXPECT_FALSE(pagePrint::pdfFileName("a/b\\c", "").contains('/'));
    EXPECT_FALSE(pagePrint::pdfFileName("a/b\\c", "").contains('\\'));
    const QString dots = pagePrint::pdfFileName("../../.bashrc", "");
    EXPECT_FALSE(dots.startsWith('.')) << dots.toStdString();
    EXPECT_FALSE(dots.contains('/'));
    EXPECT_EQ(pagePrint::pdfFileName("", "http://host.example/x"), "host.example.pdf");
    EXPECT_EQ(pagePrint::pdfFileName("  ", "about:blank"), "페이지.pdf");
    EXPECT_EQ(pagePrint::pdfFileName(QString(QChar(0)) + "..", ""), "페이지.pdf");
    EXPECT_LE(pagePrint::pdfFileName(QString(500, 'x'), "").size(), 130);
}

class PrintCommandsTest : public BrowserTest
{
};

TEST_F(PrintCommandsTest, SavePdfWritesWhereTheUserSaidAndTellsHowItWent)
{
    start();
    page(0)->simulateNavigation("http://a.example/", "월간 보고서");
    fake().dialogs().queueFileName(m_dir.file("out/report"));
    app().commands().run(Command::SavePdf);
    ASSERT_EQ(fake().dialogs().fileDialogs().size(), 1);
    EXPECT_EQ(fake().dialogs().fileDialogs()[0].title, "PDF로 저장");
    EXPECT_TRUE(fake().dialogs().fileDialogs()[0].folder.endsWith("/월간 보고서.pdf"))
        << fake().dialogs().fileDialogs()[0].folder.toStdString();
    EXPECT_EQ(page(0)->pdfPrints(), QStringList{m_dir.file("out/report.pdf")});

    Q_EMIT page(0)->PdfPrintingFinished(m_dir.file("out/report.pdf"), false);
    ASSERT_EQ(fake().dialogs().notices().size(), 1);
    EXPECT_EQ(fake().dialogs().notices()[0].text, "PDF 파일을 저장하지 못했습니다.\n" + m_dir.file("out/report.pdf"));
    Q_EMIT page(0)->PdfPrintingFinished(m_dir.file("out/report.pdf"), true);
    EXPECT_EQ(fake().dialogs().notices()[1].text, "PDF 파일로 저장했습니다.\n" + m_dir.file("out/report.pdf"));

    // Cancelled: nothing is written.
    app().commands().run(Command::SavePdf);
    EXPECT_EQ(page(0)->pdfPrints().size(), 1);
}

TEST_F(PrintCommandsTest, ThePagesOwnPrintAsksForItsPageAndAFailureIsTold)
{
    start();
    app().commands().run(Command::NewTabPage);
    Q_EMIT page(0)->PrintRequested();
    EXPECT_EQ(page(0)->prints(), 1) << "the page that asked, not the selected one";
    EXPECT_EQ(selectedPage()->prints(), 0);
    app().commands().run(Command::Print);
    EXPECT_EQ(selectedPage()->prints(), 1);

    Q_EMIT selectedPage()->PrintingFinished(false, true);
    EXPECT_TRUE(fake().dialogs().notices().isEmpty()) << "the user cancelled";
    Q_EMIT selectedPage()->PrintingFinished(false, false);
    ASSERT_EQ(fake().dialogs().notices().size(), 1);
    EXPECT_EQ(fake().dialogs().notices()[0].text, "이 페이지를 인쇄하지 못했습니다.");
}

} // namespace
