#pragma once

#include <functional>
#include <sys/types.h>

// Some refusals cannot be seen as root: root may write a read-only file and open
// any folder. runAsPlainUser runs a check in a child process that, when the tests
// run as root, first becomes the unprivileged user kPlainUid; as any other user it
// runs as that user. The check reports through its return value (0 = passed, any
// other number names the step that failed), because nothing of GoogleTest may run
// in the child. Returns the child's exit code, or -1 when no child could run it.
namespace plainuser {

constexpr uid_t kPlainUid = 65534;  // "nobody" on Debian
constexpr gid_t kPlainGid = 65534;  // "nogroup"

// The uid the check runs under.
uid_t checkUid();

int runAsPlainUser(const std::function<int()> &check);

// As root: hands path to the plain user (owner and group) and sets its mode, so
// the child can use it. Does nothing to a path as any other user but set the mode.
bool handOver(const char *path, mode_t mode);

} // namespace plainuser
