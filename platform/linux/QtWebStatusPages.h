#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QSslCertificate>
#include <QString>
#include <QUrl>
#include <QWebEngineCertificateError>

namespace platform {

// The pages a tab shows in place of a page that could not be shown: the
// crashed-tab page and the certificate-error page. They are the program's own
// and carry no script: their buttons are links to actions of the program's
// scheme (see statusActionOf), which the control carries out and never loads.
enum class StatusAction { None, Reload, GoBack, Proceed };

// The action an address names, None for every other address.
StatusAction statusActionOf(const QUrl &url);
QUrl statusActionUrl(StatusAction action);

// Text made safe inside HTML, element content and quoted attributes alike.
QString htmlText(const QString &text);

QString crashedPageHtml(const QString &address);

// What is wrong with a certificate, in plain words.
QString certificateProblem(QWebEngineCertificateError::Type type, const QList<QSslCertificate> &chain);
// The certificate page for host; the way on past the warning only when overridable.
QString certificatePageHtml(const QString &host, const QString &problem, bool overridable);

inline constexpr char kCrashedText[] = "이 탭의 문서를 표시하는 중 문제가 생겼습니다.";
inline constexpr char kCertificateText[] = "이 사이트의 보안 인증서를 신뢰할 수 없습니다.";

// The certificates the user chose to trust despite an error, for one host
// each, until the program ends. Never written anywhere.
class CertificateExceptions
{
public:
    void allow(const QUrl &url, const QSslCertificate &certificate);
    bool isAllowed(const QUrl &url, const QSslCertificate &certificate) const;
    // Whether some certificate of url's host was trusted so: the engine then
    // takes the host's connections without asking again in any tab.
    bool hasHost(const QUrl &url) const;
    int count() const { return int(m_allowed.size()); }

private:
    static QString hostOf(const QUrl &url);
    static QString keyOf(const QUrl &url, const QSslCertificate &certificate);
    QSet<QString> m_allowed;
    QSet<QString> m_hosts;
};

} // namespace platform
