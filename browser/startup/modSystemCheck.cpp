#include "modSystemCheck.h"

#include "platform/Platform.h"
#include "platform/Settings.h"

namespace modSystemCheck {

bool IsInternetConnected(platform::Platform &platform)
{
    return platform.system.isInternetConnected();
}

void SetFirewallEnabled(platform::Platform &platform, bool enabled)
{
    platform.system.setFirewallEnabled(enabled);
}

SystemStatePicture systemStatePicture(int systemCheckValue, bool firewallOn, bool connected)
{
    if (systemCheckValue == 0)
        return {1, "이 기능은 사용하지 않도록 설정되어 있습니다."};
    if (systemCheckValue != 1)
        return {};
    if (firewallOn)
        return connected ? SystemStatePicture{2, "시스템 상태는 안전 합니다."}
                         : SystemStatePicture{3, "인터넷에 연결되어 있지 않습니다."};
    return connected ? SystemStatePicture{4, "방화벽이 켜져 있지 않습니다."}
                     : SystemStatePicture{5, "인터넷에 연결이 되어 있지않고, 방화벽이 켜져 있지 않습니다."};
}

SystemStatePicture currentSystemState(platform::Platform &platform)
{
    const int value = platform::setting::int16(platform.environment, settings::Key::SystemCheckValue);
    if (value != 1)
        return systemStatePicture(value, false, false);
    const std::optional<bool> firewall = platform.system.firewallEnabled();
    if (!firewall.has_value())
        return {};
    return systemStatePicture(value, *firewall, IsInternetConnected(platform));
}

} // namespace modSystemCheck
