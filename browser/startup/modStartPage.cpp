#include "modStartPage.h"

#include "platform/Platform.h"

#include <QRegularExpression>
#include <QUrl>

namespace modStartPage {

namespace {

// The scheme the user wrote, lower case; empty for an address without one,
// including "host:port/..." which is a web address to the user.
QString writtenScheme(const QString &text)
{
    static const QRegularExpression withScheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(.*)$"),
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression port(QStringLiteral("^[0-9]+(/.*)?$"),
                                         QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = withScheme.match(text);
    if (!m.hasMatch() || port.match(m.captured(2)).hasMatch())
        return QString();
    return m.captured(1).toLower();
}

} // namespace

State classify(const QString &address)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return State::Missing;
    if (text.compare(QLatin1String("about:blank"), Qt::CaseInsensitive) == 0)
        return State::Usable;
    QString scheme = writtenScheme(text);
    if (scheme.isEmpty())
        scheme = QUrl::fromUserInput(text).scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("file"))
        return State::Usable;
    return State::Refused;
}

StartPage read(const platform::Platform &platform)
{
    StartPage page;
    page.address = platform.registry.read(QString::fromLatin1(platform::kStartPageKey),
                                          QString::fromLatin1(platform::kStartPageValue));
    page.state = classify(page.address);
    return page;
}

QString usable(const platform::Platform &platform)
{
    const StartPage page = read(platform);
    return page.state == State::Usable ? page.address.trimmed() : QString();
}

QString refusedText(const QString &address)
{
    return QStringLiteral("시작 페이지로 지정된 주소를 열 수 없습니다.\n%1\n"
                          "웹 주소(http, https)나 파일만 시작 페이지로 쓸 수 있습니다. 새 탭 문서를 대신 엽니다.")
        .arg(address.left(200));
}

} // namespace modStartPage
