#include "RecoveryPage.h"

#include "browser/startup/modLocalPages.h"
#include "platform/WebBrowser.h"

#include <QUrl>
#include <QUrlQuery>

#include <algorithm>

namespace recoveryPage {

namespace {

constexpr char kRestoreAction[] = "recovery-restore";
constexpr char kFreshAction[] = "recovery-fresh";

QString actionUrl(const char *action)
{
    return QLatin1String(platform::kPageActionPrefix) + QLatin1String(action);
}

QString text(const QString &value)
{
    return modLocalPages::attributeText(value);
}

} // namespace

QString filePath(const QString &tempFolder)
{
    return tempFolder + u'/' + QLatin1String(kFileName);
}

QStringList lines(const sessionFile::Session &session)
{
    QStringList out;
    out << QStringLiteral("<!DOCTYPE html>")
        << QStringLiteral("<html lang='ko'><head><meta charset='utf-8'><title>탭 복구</title>")
        << QStringLiteral("<style>"
                          "body{font-family:'NanumGothic','Noto Sans CJK KR',sans-serif;background:#F4F6FA;"
                          "color:#222;margin:0;padding:40px 8%}"
                          "h1{font-size:18pt;margin:0 0 12px}p{font-size:10.5pt;line-height:1.6}"
                          "table{border-collapse:collapse;width:100%;background:white;margin:16px 0}"
                          "td{border-bottom:1px solid #DDE4EE;padding:7px 8px;font-size:10pt;vertical-align:top}"
                          "td.check{width:24px}td.title{font-weight:bold;word-break:break-all;width:40%}"
                          "td.address{color:#555;word-break:break-all}"
                          "button{padding:8px 22px;margin:4px 8px 0 0;border:0;border-radius:4px;"
                          "background:#2b5797;color:white;font-size:10.5pt;cursor:pointer}"
                          "button.fresh{background:#6b7280}"
                          "</style></head>")
        << QStringLiteral("<body>")
        << QStringLiteral("<h1>탭을 자동으로 복원하지 않았습니다.</h1>")
        << QStringLiteral("<p>지난번에 탭을 복원한 뒤 웹 브라우저가 두 번 연달아 비정상적으로 종료되었습니다.<br>"
                          "다시 열 탭을 골라 주십시오. 고르지 않은 탭은 \"닫은 탭 다시 열기\"에 남습니다.</p>")
        << QStringLiteral("<form method='get' action='") + text(actionUrl(kRestoreAction)) + QStringLiteral("'>")
        << QStringLiteral("<table>");
    for (int i = 0; i < session.tabs.size(); ++i) {
        const sessionFile::Tab &tab = session.tabs.at(i);
        const QString id = QStringLiteral("tab") + QString::number(i);
        out << QStringLiteral("<tr><td class='check'><input type='checkbox' name='tab' value='%1' id='%2' checked></td>")
                   .arg(i)
                   .arg(id)
            << QStringLiteral("<td class='title'><label for='") + id + QStringLiteral("'>")
                   + text(tab.title.isEmpty() ? QStringLiteral("(제목 없음)") : tab.title)
                   + QStringLiteral("</label></td>")
            << QStringLiteral("<td class='address'>") + text(tab.url) + QStringLiteral("</td></tr>");
    }
    out << QStringLiteral("</table>")
        << QStringLiteral("<button type='submit'>") + QString::fromUtf8(kRestoreText) + QStringLiteral("</button>")
        << QStringLiteral("<button type='submit' class='fresh' formaction='") + text(actionUrl(kFreshAction))
               + QStringLiteral("'>") + QString::fromUtf8(kFreshText) + QStringLiteral("</button>")
        << QStringLiteral("</form>")
        << QStringLiteral("<p><small>") + QString::fromUtf8(kAboutFooter) + QStringLiteral("</small></p>")
        << QStringLiteral("</body></html>");
    return out;
}

std::optional<Action> actionOf(const QString &url, int tabCount)
{
    const QUrl address(url);
    const QUrl prefix(QString::fromLatin1(platform::kPageActionPrefix));
    if (address.scheme() != prefix.scheme() || address.host() != prefix.host())
        return std::nullopt;
    const QString path = address.path();
    Action action;
    if (path == prefix.path() + QLatin1String(kFreshAction)) {
        action.kind = Action::Kind::Fresh;
        return action;
    }
    if (path != prefix.path() + QLatin1String(kRestoreAction))
        return std::nullopt;
    action.kind = Action::Kind::Restore;
    const QStringList values = QUrlQuery(address).allQueryItemValues(QStringLiteral("tab"));
    for (const QString &value : values) {
        bool number = false;
        const int place = value.toInt(&number);
        if (number && place >= 0 && place < tabCount && !action.tabs.contains(place))
            action.tabs.append(place);
    }
    std::sort(action.tabs.begin(), action.tabs.end());
    return action;
}

} // namespace recoveryPage
