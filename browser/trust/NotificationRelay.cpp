#include "NotificationRelay.h"

#include "browser/core/Shell.h"
#include "browser/core/VorlenApp.h"
#include "platform/Platform.h"
#include "platform/WebBrowser.h"

#include <QPointer>

namespace {

// Sites choose the texts; a notice shows no more than a few lines of them.
constexpr qsizetype kMaxTitle = 80;
constexpr qsizetype kMaxMessage = 300;

QString cut(const QString &text, qsizetype length)
{
    return text.size() <= length ? text : text.left(length) + QStringLiteral("…");
}

} // namespace

NotificationRelay::NotificationRelay(VorlenApp &app, QObject *parent)
    : QObject(parent)
    , m_app(app)
{
    QPointer<NotificationRelay> self(this);
    m_app.platform().browsers.setNotificationSink([self](const platform::SiteNotification &notification) {
        if (self)
            self->m_app.shell().notice(titleOf(notification), contentsOf(notification), true, 5000);
    });
}

NotificationRelay::~NotificationRelay()
{
    m_app.platform().browsers.setNotificationSink({});
}

QString NotificationRelay::titleOf(const platform::SiteNotification &notification)
{
    const QString title = notification.title.simplified();
    return title.isEmpty() ? QStringLiteral("웹 사이트 알림") : cut(title, kMaxTitle);
}

QString NotificationRelay::contentsOf(const platform::SiteNotification &notification)
{
    return QStringLiteral("%1에서 보낸 알림입니다.\n%2")
        .arg(notification.site, cut(notification.message.trimmed(), kMaxMessage));
}
