#pragma once

namespace platform {
struct Platform;
}

namespace modSystemCheck {

bool IsInternetConnected(platform::Platform &platform);
void SetFirewallEnabled(platform::Platform &platform, bool enabled);

// The picture (1..5) and tooltip for a state; picture 0 leaves the icon alone.
struct SystemStatePicture
{
    int picture = 0;
    const char *tooltip = nullptr;
};
SystemStatePicture systemStatePicture(int systemCheckValue, bool firewallOn, bool connected);

// The system state icon for SystemCheckValue, the firewall and the connection
// now. A firewall whose state no tool can tell leaves the icon as it is.
SystemStatePicture currentSystemState(platform::Platform &platform);

} // namespace modSystemCheck
