#pragma once

class VorlenApp;

namespace modSystemCheck {

bool IsInternetConnected(VorlenApp &app);
void SetFirewallEnabled(VorlenApp &app, bool enabled);

// Shows the system state picture and tooltip for SystemCheckValue, the firewall
// and the connection; the picture is only replaced when it changes.
void UpdateSystemStateIcon(VorlenApp &app);

// The picture (1..5) and tooltip for a state; picture 0 leaves the icon alone.
struct SystemStatePicture
{
    int picture = 0;
    const char *tooltip = nullptr;
};
SystemStatePicture systemStatePicture(int systemCheckValue, bool firewallOn, bool connected);

} // namespace modSystemCheck
