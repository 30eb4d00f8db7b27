#pragma once

#include "browser/core/Commands.h"

#include <QString>

#include <optional>

// The quick commands typed into the address bar: the command runs while the
// whole text equals it ("s:qp" switches the shortcuts, "s:about" shows the
// about box). Any other text, one that merely contains a command included,
// is an address being typed.
namespace modDashmere {

std::optional<Command> RunAddressCommand(const QString &text);

} // namespace modDashmere
