#include "modLocalPages.h"

#include "Version.h"
#include "modStartPage.h"

#include "platform/FileIO.h"
#include "platform/Platform.h"
#include "platform/Settings.h"
#include "platform/WebAddress.h"
#include "platform/WebBrowser.h"

#include <QDir>
#include <QFile>
#include <QUrl>

namespace modLocalPages {

namespace {

QString maker()
{
    return QString::fromUtf8(version::kMakerName);
}

QString offlineNotice()
{
    return QStringLiteral("<p align='center'><font face='굴림' size='3' color='red'>"
                          "<b>시스템이 인터넷에 연결 되어있지 않습니다.</b></font></p>");
}

constexpr auto kDaumAddress = "http://www.daum.net/";

// The head every page shares, up to and including the page's own head lines.
QStringList head(const PageInputs &in, const QString &title, const QStringList &extraHead,
                 bool declareCharset = false)
{
    QStringList lines{QStringLiteral("<html>"), QString(), QStringLiteral("<head>")};
    if (declareCharset)
        lines << QStringLiteral("<meta http-equiv='content-type' content='text/html; charset=utf-8'>");
    lines << QStringLiteral("<title>") + title + QStringLiteral("</title>");
    // This line closes the head a first time; the second "</head>" below is
    // harmless and kept so that every page has the same shape.
    lines << QStringLiteral("<meta name='copyright' content='") + attributeText(maker())
                 + QStringLiteral("'></head>");
    if (in.fade) {
        lines << QStringLiteral("<meta http-equiv='Page-Enter' content='blendTrans(Duration=1)'>")
              << QStringLiteral("<meta http-equiv='Page-Exit' content='blendTrans(Duration=1)'>");
    }
    lines << extraHead;
    return lines;
}

// The body and the end of the document.
QStringList body(const QString &bodyTag, const QStringList &bodyLines)
{
    QStringList lines{QStringLiteral("</head>"), bodyTag};
    lines << bodyLines;
    lines << QStringLiteral("</body>") << QString() << QStringLiteral("</html>");
    return lines;
}

QStringList linkStyle()
{
    return {QStringLiteral("<style>"), QStringLiteral("a:link {text-decoration:none}"),
            QStringLiteral("a:visited {text-decoration:none}"), QStringLiteral("</style>")};
}

QString red(const QString &letter)
{
    return QStringLiteral("<font color='red'>") + letter + QStringLiteral("</font>");
}

QStringList banner(const PageInputs &in, bool withVersion)
{
    QStringList lines{QStringLiteral("<p align='center'><font face='굴림' style='font-size:10pt'>")};
    const QString name = red(QStringLiteral("B")) + QStringLiteral("renmor® ") + red(QStringLiteral("V"))
                         + QStringLiteral("orlen™ ") + red(QStringLiteral("W")) + QStringLiteral("eb ")
                         + red(QStringLiteral("B")) + QStringLiteral("rowser ") + red(QStringLiteral("S"))
                         + QStringLiteral("ystem");
    if (withVersion) {
        lines << name + QStringLiteral("<br>");
        lines << QStringLiteral("Version : ") + in.version;
    } else {
        lines << name;
    }
    lines << QStringLiteral("</font></p>");
    return lines;
}

QStringList footer()
{
    return {QStringLiteral("<p align='center'><font face='굴림' size='1' color='gray'>Copyright ⓒ ") + maker()
            + QStringLiteral(". All rights reserved.</font></p>")};
}

QString bigHeading(const QString &text)
{
    return QStringLiteral("<p align='center'><font face='굴림' style='font-size:18pt'><b>") + text
           + QStringLiteral("</b></font></p>");
}

QString writePage(const platform::Platform &platform, Page page, const QStringList &lines)
{
    // Without a TEMP folder the path would land in the root folder.
    if (platform.environment.tempFolder().isEmpty())
        return QString();
    const QString path = pagePath(platform, page);
    return platform::writeFileAtomically(path, encodePage(lines)) ? path : QString();
}

PageInputs commonInputs(const platform::Platform &platform)
{
    PageInputs in;
    in.fade = platform::setting::int16(platform.environment, settings::Key::FadeEffectValue) == 1;
    in.version = version::text();
    return in;
}

// Only a start page that may be opened goes into a generated page, and as a
// whole address: a path or a bare host would be taken relative to the
// generated page itself.
QString startPage(const platform::Platform &platform)
{
    const QString address = modStartPage::usable(platform);
    if (address.isEmpty() || address.contains(QLatin1String("://"))
        || address.compare(QLatin1String("about:blank"), Qt::CaseInsensitive) == 0)
        return address;
    const QUrl url = platform::urlFromAddress(address, QDir::currentPath());
    return url.isValid() ? url.toString() : address;
}

} // namespace

QString fileName(Page page)
{
    switch (page) {
    case Page::Error:
        return QStringLiteral("Error.htm");
    case Page::NewTab:
        return QStringLiteral("NewTab.htm");
    case Page::StartPage:
        return QStringLiteral("StartPage.htm");
    case Page::Loading:
        return QStringLiteral("Loading.htm");
    case Page::Ending:
        return QStringLiteral("Ending.htm");
    }
    return QString();
}

QString pagePath(const platform::Platform &platform, Page page)
{
    return platform.environment.tempFolder() + u'/' + fileName(page);
}

QString attributeText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QStringLiteral("&amp;");
            break;
        case '\'':
            out += QStringLiteral("&#39;");
            break;
        case '"':
            out += QStringLiteral("&quot;");
            break;
        case '<':
            out += QStringLiteral("&lt;");
            break;
        case '>':
            out += QStringLiteral("&gt;");
            break;
        case '\r':
            out += QStringLiteral("&#13;");
            break;
        case '\n':
            out += QStringLiteral("&#10;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QByteArray encodePage(const QStringList &lines)
{
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

QStringList errorPageLines(const PageInputs &in)
{
    const QString title = QStringLiteral("페이지에 오류가 있습니다.");
    QStringList b = banner(in, true);
    b << QStringLiteral("<p align='center'><font face='굴림' size='5'><b>") + title
             + QStringLiteral("</b></font></p>");
    if (!in.connected)
        b << offlineNotice();
    b << QStringLiteral("<p><font face='굴림' size='3'><b>원인</b></font><br>")
      << QStringLiteral("<font face='굴림' size='2'>")
      << QStringLiteral("사용자 컴퓨터의 인터넷 설정이 올바르지 않거나,")
      << QStringLiteral("네트워크로부터 해당 페이지를 불러 올 수 없기 때문입니다.")
      << QStringLiteral("</font></p>")
      << QStringLiteral("<p><font face='굴림' size='3'><b>방안</b></font><br>")
      << QStringLiteral("<font face='굴림' size='2'>")
      << QStringLiteral(" 사용자 컴퓨터의 인터넷을 올바르게 설정 하고, LAN 또는 모뎀이 올바르게")
      << QStringLiteral("연결 되어 있는지 확인 하십시오.<br>")
      << QStringLiteral("그럼에도 불구하고 해당 웹 페이지가 열리지 않는다면, 해당 네트워크 관리자에게")
      << QStringLiteral("문의 하십시오.<hr>")
      << QStringLiteral("</font></p>");
    b << footer();
    return head(in, title, linkStyle()) + body(QStringLiteral("<body bgcolor='#FFEEED'>"), b);
}

QStringList newTabPageLines(const PageInputs &in)
{
    const QString title = QStringLiteral("새로운 Tab을 생성 했습니다.");
    const QString mark = QStringLiteral("<font color='red'><u><b>");
    const QString markEnd = QStringLiteral("</b></u></font>");
    QStringList b = banner(in, true);
    b << bigHeading(title);
    if (!in.connected)
        b << offlineNotice();
    b << QStringLiteral("<p align='center'><font face='굴림' size='2'>")
      << QStringLiteral("이동하실 <sup>1</sup>") + mark + QStringLiteral("웹 사이트(또는 페이지)의 주소를 입력")
             + markEnd + QStringLiteral(" 하셔서, ")
      << QStringLiteral("<sup>2</sup>") + mark + QStringLiteral("페이지 탐색을")
      << QStringLiteral("시작") + markEnd + QStringLiteral(" 하시기 바랍니다.")
      << QStringLiteral("</font></p>");
    b << QStringLiteral("<p align='center'><font face='굴림' size='2'>::: 링크 :::<br>")
      << QStringLiteral("<a href='") + attributeText(in.homeLink)
             + QStringLiteral("' title='홈 페이지로 이동 합니다.' target='_parent'>☞ 홈 페이지로 이동</a><br>")
      << QStringLiteral("<a href='") + QLatin1String(kDaumAddress)
             + QStringLiteral("' title='Daum 으로 이동 합니다.' target='_parent'>☞ <font color='blue'>Daum</font> 으로 이동</a>")
      << QStringLiteral("</font></p>");
    b << footer();
    return head(in, title, linkStyle()) + body(QStringLiteral("<body bgcolor='#EFFEFF'>"), b);
}

QStringList startPageFrameLines(const PageInputs &in)
{
    const QStringList style{QStringLiteral("<style type='text/css'>"), QStringLiteral("<!--"),
                            QStringLiteral("body { overflow:hidden; }"), QStringLiteral("-->"),
                            QStringLiteral("</style>")};
    const QStringList b{
        QStringLiteral("<p>"),
        QStringLiteral("<iframe name='DaumInsidePage' src='") + attributeText(in.startPage)
            + QStringLiteral("' frameborder='0' width='100%' height='100%' vspace='0' hspace='0'"
                             " marginwidth='0' marginheight='0' align='middle'></iframe>"),
        QStringLiteral("</p>")};
    return head(in, QStringLiteral("Vorlen™ 시작 페이지"), style, true)
           + body(QStringLiteral("<body bgcolor='white' topmargin='0' leftmargin='0' rightmargin='0'"
                                 " bottommargin='0' marginwidth='0' marginheight='0'>"),
                  b);
}

QStringList loadingPageLines(const PageInputs &in)
{
    // Without a start page there is nowhere to go: an empty refresh address
    // would reload this page over and over.
    QStringList refresh;
    if (!in.startPage.trimmed().isEmpty())
        refresh << QStringLiteral("<meta http-equiv='refresh' content='1;url=") + attributeText(in.startPage)
                       + QStringLiteral("'>");
    QStringList b = banner(in, true);
    b << bigHeading(QStringLiteral("웹 브라우저 엔진을 초기화 하고 있습니다.<br>잠시만 기다리십시오..."));
    b << footer();
    return head(in, QStringLiteral("Vorlen™ 웹 브라우저 엔진 초기화..."), refresh)
           + body(QStringLiteral("<body bgcolor='#EFFEFF'>"), b);
}

QStringList endingPageLines(const PageInputs &in)
{
    QStringList b = banner(in, false);
    b << bigHeading(QStringLiteral("웹 브라우저를 종료하고 있습니다..."));
    b << footer();
    return head(in, QStringLiteral("Vorlen™ 웹 브라우저 종료 중..."), {})
           + body(QStringLiteral("<body bgcolor='#FFEEED'>"), b);
}

QStringList pageLines(const platform::Platform &platform, Page page)
{
    PageInputs in = commonInputs(platform);
    switch (page) {
    case Page::Error:
        in.connected = platform.system.isInternetConnected();
        return errorPageLines(in);
    case Page::NewTab: {
        in.connected = platform.system.isInternetConnected();
        in.startPage = startPage(platform);
        const bool ownHome = platform::setting::int16(platform.environment, settings::Key::StartPageUseValue) == 1;
        in.homeLink = ownHome ? platform::setting::text(platform.environment, settings::Key::StartPageAdressValue)
                              : in.startPage;
        return newTabPageLines(in);
    }
    case Page::StartPage:
        in.startPage = startPage(platform);
        return startPageFrameLines(in);
    case Page::Loading:
        in.startPage = startPage(platform);
        return loadingPageLines(in);
    case Page::Ending:
        return endingPageLines(in);
    }
    return {};
}

bool Open(const platform::Platform &platform, Page page, platform::WebBrowser *target)
{
    const QStringList lines = pageLines(platform, page);
    const bool written = !writePage(platform, page, lines).isEmpty();
    if (!target)
        return written;
    if (written)
        target->Navigate(pagePath(platform, page));
    else
        target->Navigate(QStringLiteral("about:") + lines.join(QLatin1Char('\n')));
    return written;
}

QString MakeErrorPage(const platform::Platform &platform)
{
    PageInputs in = commonInputs(platform);
    in.connected = platform.system.isInternetConnected();
    return writePage(platform, Page::Error, errorPageLines(in));
}

QString MakeNewTabPage(const platform::Platform &platform)
{
    PageInputs in = commonInputs(platform);
    in.connected = platform.system.isInternetConnected();
    in.startPage = startPage(platform);
    const bool ownHome = platform::setting::int16(platform.environment, settings::Key::StartPageUseValue) == 1;
    in.homeLink = ownHome ? platform::setting::text(platform.environment, settings::Key::StartPageAdressValue)
                          : in.startPage;
    return writePage(platform, Page::NewTab, newTabPageLines(in));
}

QString MakeStartPageFrame(const platform::Platform &platform)
{
    PageInputs in = commonInputs(platform);
    in.startPage = startPage(platform);
    return writePage(platform, Page::StartPage, startPageFrameLines(in));
}

QString MakeLoadingPage(const platform::Platform &platform)
{
    PageInputs in = commonInputs(platform);
    in.startPage = startPage(platform);
    return writePage(platform, Page::Loading, loadingPageLines(in));
}

QString MakeEndingPage(const platform::Platform &platform)
{
    return writePage(platform, Page::Ending, endingPageLines(commonInputs(platform)));
}

void DeleteGeneratedPages(const platform::Platform &platform)
{
    // QFile::remove unlinks; a link planted under one of the names is removed
    // itself, never what it points to.
    for (Page page : {Page::Loading, Page::NewTab, Page::Error, Page::Ending})
        QFile::remove(pagePath(platform, page));
}

} // namespace modLocalPages
