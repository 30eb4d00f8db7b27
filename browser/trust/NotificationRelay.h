#pragma once

#include <QObject>

class VorlenApp;

namespace platform {
struct SiteNotification;
}

// Shows the notifications of sites the user allowed in the program's notice,
// naming the site. While it lives it is the page engines' notification sink.
class NotificationRelay : public QObject
{
    Q_OBJECT
public:
    NotificationRelay(VorlenApp &app, QObject *parent);
    ~NotificationRelay() override;

    // The notice's title and contents for a notification.
    static QString titleOf(const platform::SiteNotification &notification);
    static QString contentsOf(const platform::SiteNotification &notification);

private:
    VorlenApp &m_app;
};
