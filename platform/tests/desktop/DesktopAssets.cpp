// The build's assets (spell-check dictionaries, font aliases) handed to this
// process as prepareWebEngine hands an installed copy's, before main makes the
// application: fontconfig must see them before it first loads.
#include "platform/linux/LinuxWebPlatform.h"

#include <cstdlib>

namespace {

const bool kAssetsHandedOver = [] {
    const auto current = [](const char *name) { return qgetenv(name); };
    for (const platform::ProcessVariable &variable : platform::engineVariables(QStringLiteral(VORLEN_BUILD_BIN), current))
        ::setenv(variable.name.constData(), variable.value.constData(), 1);
    return true;
}();

} // namespace
