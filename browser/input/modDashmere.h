#pragma once

#include "browser/core/Commands.h"

#include <QString>

class QLineEdit;

#include <optional>

// The quick commands typed into the address bar: the command runs while the
// whole text equals it ("s:qp" switches the shortcuts, "s:about" shows the
// about box). Any other text, one that merely contains a command included,
// is an address being typed.
namespace modDashmere {

std::optional<Command> RunAddressCommand(const QString &text);

// Runs the quick command the address box holds, after putting the page's
// address back into the box, selected; false when the text is no command.
bool RunQuickCommand(Commands &commands, QLineEdit &box, const QString &pageAddress);

} // namespace modDashmere
