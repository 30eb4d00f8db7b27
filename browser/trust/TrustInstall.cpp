#include "TrustInstall.h"

#include "ConnectionTrust.h"
#include "NotificationRelay.h"
#include "browser/core/TabSet.h"
#include "browser/core/VorlenApp.h"

void installTrust(VorlenApp &app, TrustTargets targets)
{
    new NotificationRelay(app, &targets.tabs);
    new ConnectionTrust(targets.tabs, std::move(targets.setConnectionPicture), targets.connectionIcon);
}
