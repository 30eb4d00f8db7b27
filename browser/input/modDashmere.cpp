#include "modDashmere.h"

#include <QLineEdit>

namespace modDashmere {

std::optional<Command> RunAddressCommand(const QString &text)
{
    if (text == QLatin1String("s:qp"))
        return Command::Hotkeys;
    if (text == QLatin1String("s:about"))
        return Command::About;
    return std::nullopt;
}

bool RunQuickCommand(Commands &commands, QLineEdit &box, const QString &pageAddress)
{
    const std::optional<Command> command = RunAddressCommand(box.text());
    if (!command)
        return false;
    box.setText(pageAddress);
    box.setFocus();
    box.selectAll();
    commands.run(*command);
    return true;
}

} // namespace modDashmere
