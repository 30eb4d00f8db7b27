#include "QtWebPermissionPrompts.h"

#include "platform/Dialogs.h"

namespace platform {

std::optional<SiteFeature> siteFeatureOf(QWebEnginePage::Feature feature)
{
    using P = QWebEnginePage;
    switch (feature) {
    case P::Geolocation: return SiteFeature::Location;
    case P::MediaVideoCapture: return SiteFeature::Camera;
    case P::MediaAudioCapture: return SiteFeature::Microphone;
    case P::MediaAudioVideoCapture: return SiteFeature::CameraAndMicrophone;
    case P::DesktopVideoCapture:
    case P::DesktopAudioVideoCapture: return SiteFeature::ScreenCapture;
    case P::MouseLock: return SiteFeature::MouseLock;
    case P::Notifications: return SiteFeature::Notifications;
    }
    return std::nullopt;
}

QString originKey(const QUrl &origin)
{
    return origin.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::RemoveUserInfo)
        .toString(QUrl::FullyEncoded);
}

QString siteName(const QUrl &origin)
{
    if (origin.isLocalFile() || origin.scheme() == QLatin1String("file"))
        return QStringLiteral("이 컴퓨터");
    const QString host = origin.host(QUrl::FullyDecoded);
    return host.isEmpty() ? originKey(origin) : host;
}

QtWebPermissionPrompts::QtWebPermissionPrompts(QWebEnginePage *page, QWidget *view, SitePermissions *store,
                                               Dialogs &dialogs)
    : QObject(page)
    , m_page(page)
    , m_bar(new QtWebPermissionBar(view))
    , m_store(store)
    , m_dialogs(dialogs)
{
    connect(page, &QWebEnginePage::featurePermissionRequested, this, &QtWebPermissionPrompts::requested);
    connect(page, &QWebEnginePage::featurePermissionRequestCanceled, this, &QtWebPermissionPrompts::canceled);
    connect(m_bar, &QtWebPermissionBar::answered, this, &QtWebPermissionPrompts::answered);
}

void QtWebPermissionPrompts::requested(const QUrl &origin, QWebEnginePage::Feature feature)
{
    const std::optional<SiteFeature> asked = siteFeatureOf(feature);
    if (!asked) {
        reply({origin, feature}, false);
        return;
    }
    const SiteDecision known = m_store ? m_store->decision(originKey(origin), *asked) : SiteDecision::Ask;
    if (known != SiteDecision::Ask) {
        reply({origin, feature}, known == SiteDecision::Allow);
        return;
    }
    for (const Request &waiting : std::as_const(m_queue)) {
        if (waiting.origin == origin && waiting.feature == feature)
            return; // one answer serves both
    }
    if (m_queue.size() >= kMaxWaiting) {
        reply({origin, feature}, false);
        return;
    }
    m_queue.append({origin, feature});
    if (m_queue.size() == 1)
        showNext();
}

void QtWebPermissionPrompts::canceled(const QUrl &origin, QWebEnginePage::Feature feature)
{
    for (qsizetype i = 0; i < m_queue.size(); ++i) {
        if (m_queue.at(i).origin == origin && m_queue.at(i).feature == feature) {
            m_queue.removeAt(i);
            if (i == 0)
                showNext();
            return;
        }
    }
}

void QtWebPermissionPrompts::answered(QtWebPermissionBar::Answer answer)
{
    if (m_queue.isEmpty())
        return;
    const Request request = m_queue.takeFirst();
    const bool grant = answer != QtWebPermissionBar::Answer::Block;
    if (answer == QtWebPermissionBar::Answer::AllowOnce) {
        m_onceGranted.append(request);
    } else if (m_store) {
        const std::optional<SiteFeature> feature = siteFeatureOf(request.feature);
        if (feature
            && !m_store->remember(originKey(request.origin), *feature,
                                  grant ? SiteDecision::Allow : SiteDecision::Block)
            && !m_saveFailureShown) {
            m_saveFailureShown = true;
            m_dialogs.notice(m_bar->parentWidget(),
                             QStringLiteral("사이트 권한 설정을 저장하지 못했습니다.\n%1\n\n"
                                            "이번 실행 동안에만 기억합니다.")
                                 .arg(m_store->path()),
                             QStringLiteral("사이트 권한"), MsgIcon::Exclamation);
        }
    }
    reply(request, grant);
    showNext();
}

void QtWebPermissionPrompts::showNext()
{
    if (m_queue.isEmpty()) {
        m_bar->hide();
        return;
    }
    const Request &next = m_queue.first();
    const std::optional<SiteFeature> feature = siteFeatureOf(next.feature);
    m_bar->ask(permissionQuestion(siteName(next.origin), feature.value_or(SiteFeature::Location)));
}

void QtWebPermissionPrompts::reply(const Request &request, bool grant)
{
    if (m_page)
        m_page->setFeaturePermission(request.origin, request.feature,
                                     grant ? QWebEnginePage::PermissionGrantedByUser
                                           : QWebEnginePage::PermissionDeniedByUser);
}

void QtWebPermissionPrompts::documentChanged()
{
    m_queue.clear();
    m_bar->hide();
    if (!m_page)
        return;
    // The engine keeps some grants (location, notifications) for the site
    // until told otherwise.
    for (const Request &granted : std::as_const(m_onceGranted))
        m_page->setFeaturePermission(granted.origin, granted.feature, QWebEnginePage::PermissionUnknown);
    m_onceGranted.clear();
}

void QtWebPermissionPrompts::clearSite(const QUrl &origin)
{
    const QString key = originKey(origin);
    if (m_store && !m_store->clear(key) && !m_saveFailureShown) {
        m_saveFailureShown = true;
        m_dialogs.notice(m_bar->parentWidget(),
                         QStringLiteral("사이트 권한 설정을 저장하지 못했습니다.\n%1").arg(m_store->path()),
                         QStringLiteral("사이트 권한"), MsgIcon::Exclamation);
    }
    if (!m_page)
        return;
    using P = QWebEnginePage;
    for (P::Feature feature : {P::Notifications, P::Geolocation, P::MediaAudioCapture, P::MediaVideoCapture,
                               P::MediaAudioVideoCapture, P::MouseLock, P::DesktopVideoCapture,
                               P::DesktopAudioVideoCapture})
        m_page->setFeaturePermission(origin, feature, P::PermissionUnknown);
}

} // namespace platform
