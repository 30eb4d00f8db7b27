#pragma once

// The prismel program: the application object, the platform services and the
// wizard window, for the lifetime of the process.
namespace prismel {

int run(int argc, char **argv);

} // namespace prismel
