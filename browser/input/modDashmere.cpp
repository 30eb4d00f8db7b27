#include "modDashmere.h"

namespace modDashmere {

std::optional<Command> RunAddressCommand(const QString &text)
{
    if (text == QLatin1String("s:qp"))
        return Command::Hotkeys;
    if (text == QLatin1String("s:about"))
        return Command::About;
    return std::nullopt;
}

} // namespace modDashmere
