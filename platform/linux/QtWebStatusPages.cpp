#include "QtWebStatusPages.h"

#include "platform/linux/QtWebGeneratedPages.h"

#include <QCryptographicHash>

namespace platform {

namespace {

QString actionName(StatusAction action)
{
    switch (action) {
    case StatusAction::Reload:
        return QStringLiteral("reload");
    case StatusAction::GoBack:
        return QStringLiteral("back");
    case StatusAction::Proceed:
        return QStringLiteral("proceed");
    case StatusAction::None:
        break;
    }
    return QString();
}

QString page(const QString &title, const QString &colour, const QString &body)
{
    return QStringLiteral("<!DOCTYPE html><html lang='ko'><head><meta charset='utf-8'><title>") + htmlText(title)
           + QStringLiteral("</title><style>"
                            "body{font-family:'NanumGothic','Noto Sans CJK KR',sans-serif;background:")
           + colour
           + QStringLiteral(";color:#222;margin:0;padding:48px 10%}"
                            "h1{font-size:20pt;margin:0 0 16px}p{font-size:11pt;line-height:1.6}"
                            ".host{font-weight:bold;word-break:break-all}"
                            "a.button{display:inline-block;padding:8px 22px;margin:12px 8px 0 0;border-radius:4px;"
                            "background:#2b5797;color:white;text-decoration:none;font-size:11pt}"
                            "a.button.risk{background:#b03030}"
                            "summary{cursor:pointer;margin-top:24px;color:#555}"
                            "</style></head><body>")
           + body + QStringLiteral("</body></html>");
}

} // namespace

StatusAction statusActionOf(const QUrl &url)
{
    if (url.scheme() != QLatin1String(kGeneratedPageScheme) || url.host() != QLatin1String(kGeneratedPageHost))
        return StatusAction::None;
    for (StatusAction action : {StatusAction::Reload, StatusAction::GoBack, StatusAction::Proceed}) {
        if (url.path() == QLatin1String("/action/") + actionName(action))
            return action;
    }
    return StatusAction::None;
}

QUrl statusActionUrl(StatusAction action)
{
    QUrl url;
    url.setScheme(QString::fromLatin1(kGeneratedPageScheme));
    url.setHost(QString::fromLatin1(kGeneratedPageHost));
    url.setPath(QLatin1String("/action/") + actionName(action));
    return url;
}

QString htmlText(const QString &text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\''), QLatin1String("&#39;"));
}

QString crashedPageHtml(const QString &address)
{
    const QString title = QString::fromUtf8(kCrashedText);
    return page(title, QStringLiteral("#f4f5f7"),
                QStringLiteral("<h1>") + htmlText(title) + QStringLiteral("</h1>")
                    + QStringLiteral("<p>페이지를 표시하던 프로세스가 끝났습니다. 다시 읽기를 누르면 페이지를 다시 엽니다.</p>")
                    + QStringLiteral("<p class='host'>") + htmlText(address.left(300)) + QStringLiteral("</p>")
                    + QStringLiteral("<a class='button' id='reload' autofocus href='")
                    + statusActionUrl(StatusAction::Reload).toString() + QStringLiteral("'>다시 읽기</a>"));
}

QString certificateProblem(QWebEngineCertificateError::Type type, const QList<QSslCertificate> &chain)
{
    using E = QWebEngineCertificateError;
    switch (type) {
    case E::CertificateCommonNameInvalid:
        return QStringLiteral("인증서의 이름이 이 사이트의 주소와 맞지 않습니다.");
    case E::CertificateDateInvalid:
        return QStringLiteral("인증서의 유효 기간이 지났거나 아직 시작되지 않았습니다.");
    case E::CertificateAuthorityInvalid:
        if (chain.size() <= 1 && (chain.isEmpty() || chain.first().isSelfSigned()))
            return QStringLiteral("사이트가 스스로 서명한 인증서입니다. 누가 발급했는지 확인할 수 없습니다.");
        return QStringLiteral("인증서를 발급한 기관을 알 수 없습니다.");
    case E::CertificateRevoked:
        return QStringLiteral("인증서가 폐기되었습니다.");
    case E::CertificateWeakKey:
    case E::CertificateWeakSignatureAlgorithm:
        return QStringLiteral("인증서의 암호화가 너무 약합니다.");
    default:
        return QStringLiteral("인증서에 문제가 있습니다.");
    }
}

QString certificatePageHtml(const QString &host, const QString &problem, bool overridable)
{
    const QString title = QString::fromUtf8(kCertificateText);
    QString body = QStringLiteral("<h1>") + htmlText(title) + QStringLiteral("</h1>")
                   + QStringLiteral("<p class='host'>") + htmlText(host) + QStringLiteral("</p>")
                   + QStringLiteral("<p id='problem'>") + htmlText(problem) + QStringLiteral("</p>")
                   + QStringLiteral("<p>누군가 이 사이트인 것처럼 꾸며 정보를 가로채려는 것일 수 있습니다.</p>")
                   + QStringLiteral("<a class='button' id='back' autofocus href='")
                   + statusActionUrl(StatusAction::GoBack).toString() + QStringLiteral("'>돌아가기</a>");
    if (overridable) {
        body += QStringLiteral("<details><summary id='advanced'>고급</summary>"
                               "<p>이 인증서를 믿을 만한 이유가 있을 때만 계속하십시오.</p>"
                               "<a class='button risk' id='proceed' href='")
                + statusActionUrl(StatusAction::Proceed).toString()
                + QStringLiteral("'>위험을 감수하고 계속</a></details>");
    }
    return page(title, QStringLiteral("#fbeeee"), body);
}

QString CertificateExceptions::hostOf(const QUrl &url)
{
    return url.host().toLower() + QLatin1Char(':') + QString::number(url.port(443));
}

QString CertificateExceptions::keyOf(const QUrl &url, const QSslCertificate &certificate)
{
    const QByteArray digest = QCryptographicHash::hash(certificate.toDer(), QCryptographicHash::Sha256).toHex();
    return hostOf(url) + QLatin1Char(' ') + QString::fromLatin1(digest);
}

void CertificateExceptions::allow(const QUrl &url, const QSslCertificate &certificate)
{
    m_allowed.insert(keyOf(url, certificate));
    m_hosts.insert(hostOf(url));
}

bool CertificateExceptions::hasHost(const QUrl &url) const
{
    return m_hosts.contains(hostOf(url));
}

bool CertificateExceptions::isAllowed(const QUrl &url, const QSslCertificate &certificate) const
{
    return m_allowed.contains(keyOf(url, certificate));
}

} // namespace platform
