#include "PrintCommands.h"

#include "browser/core/TabSet.h"
#include "browser/core/VorlenApp.h"
#include "browser/panels/FavoriteStore.h"
#include "platform/FileIO.h"
#include "platform/WebBrowser.h"

#include <QDir>
#include <QPointer>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

namespace pagePrint {

namespace {

QString ruled(QString text)
{
    text.remove(QChar(u'\0'));
    text = favoriteTitleRule(text).simplified();
    // No hidden file, no name that walks out of the folder.
    qsizetype start = 0;
    while (start < text.size() && (text[start] == u'.' || text[start] == u'-' || text[start].isSpace()))
        ++start;
    text = text.mid(start).trimmed().left(120);
    return platform::isSafeFileName(text) ? text : QString();
}

} // namespace

QString pdfFileName(const QString &title, const QString &address)
{
    QString base = ruled(title);
    if (base.isEmpty())
        base = ruled(QUrl(address).host());
    if (base.isEmpty())
        base = QStringLiteral("페이지");
    return base + QStringLiteral(".pdf");
}

QString pdfFolder()
{
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return downloads.isEmpty() ? QDir::homePath() : downloads;
}

} // namespace pagePrint

namespace {

constexpr const char *kPrintTitle = "인쇄";
constexpr const char *kPdfTitle = "PDF로 저장";

class PagePrint : public QObject
{
public:
    PagePrint(VorlenApp &app, TabSet &tabs, QWidget &main)
        : QObject(&main)
        , m_app(app)
        , m_tabs(tabs)
        , m_main(&main)
    {
        connect(&m_tabs, &TabSet::inserted, this, [this](qint16 index) { follow(m_tabs.page(index)); });
        for (qint16 index : m_tabs.indices())
            follow(m_tabs.page(index));
    }

    void print(platform::WebBrowser *page)
    {
        if (page)
            page->print();
    }

    void savePdf(platform::WebBrowser *page)
    {
        if (!page)
            return;
        const QString offered =
            QDir(pagePrint::pdfFolder()).filePath(pagePrint::pdfFileName(page->DocumentTitle(), page->LocationURL()));
        QPointer<platform::WebBrowser> guard(page);
        QString path = m_app.platform().dialogs.saveFileName(m_main, QString::fromUtf8(kPdfTitle),
                                                             QStringLiteral("PDF 문서|*.pdf|"), offered);
        if (path.isEmpty() || !guard)
            return;
        if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            path += QStringLiteral(".pdf");
        page->printToPdf(path);
    }

private:
    void follow(platform::WebBrowser *page)
    {
        if (!page)
            return;
        QPointer<platform::WebBrowser> guard(page);
        connect(page, &platform::WebBrowser::PrintRequested, this, [this, guard] { print(guard); });
        connect(page, &platform::WebBrowser::PrintingFinished, this, [this](bool success, bool cancelled) {
            if (!success && !cancelled)
                tell(QStringLiteral("이 페이지를 인쇄하지 못했습니다."), kPrintTitle, platform::MsgIcon::Exclamation);
        });
        connect(page, &platform::WebBrowser::PdfPrintingFinished, this, [this](const QString &path, bool success) {
            if (success)
                tell(QStringLiteral("PDF 파일로 저장했습니다.\n%1").arg(QDir::toNativeSeparators(path)), kPdfTitle,
                     platform::MsgIcon::Information);
            else
                tell(QStringLiteral("PDF 파일을 저장하지 못했습니다.\n%1").arg(QDir::toNativeSeparators(path)), kPdfTitle,
                     platform::MsgIcon::Exclamation);
        });
    }

    void tell(const QString &text, const char *title, platform::MsgIcon icon)
    {
        m_app.platform().dialogs.notice(m_main, text, QString::fromUtf8(title), icon);
    }

    VorlenApp &m_app;
    TabSet &m_tabs;
    QPointer<QWidget> m_main;
};

} // namespace

void installPrintCommands(VorlenApp &app, TabSet &tabs, QWidget &mainWindow)
{
    QPointer<PagePrint> print(new PagePrint(app, tabs, mainWindow));
    app.commands().define(Command::Print, [print, &tabs] {
        if (print)
            print->print(tabs.currentPage());
    });
    app.commands().define(Command::SavePdf, [print, &tabs] {
        if (print)
            print->savePdf(tabs.currentPage());
    });
}
