#include "TrustInstall.h"

#include "ConnectionTrust.h"
#include "browser/core/TabSet.h"
#include "browser/core/VorlenApp.h"

void installTrust(VorlenApp &app, TrustTargets targets)
{
    Q_UNUSED(app);
    new ConnectionTrust(targets.tabs, std::move(targets.setConnectionPicture), targets.connectionIcon);
}
