#include "PlainUser.h"

#include <cerrno>
#include <cstdio>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace plainuser {

uid_t checkUid()
{
    return ::geteuid() == 0 ? kPlainUid : ::geteuid();
}

int runAsPlainUser(const std::function<int()> &check)
{
    std::fflush(nullptr); // nothing buffered is written twice
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (::geteuid() == 0) {
            // Groups and group id first: once the user id is dropped they can no
            // longer be changed.
            if (::setgroups(0, nullptr) != 0 || ::setgid(kPlainGid) != 0 || ::setuid(kPlainUid) != 0)
                ::_exit(120);
            if (::geteuid() == 0 || ::setuid(0) == 0)
                ::_exit(121); // still privileged: the check would prove nothing
        }
        int code = 122;
        try {
            code = check();
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool handOver(const char *path, mode_t mode)
{
    if (::geteuid() == 0 && ::chown(path, kPlainUid, kPlainGid) != 0)
        return false;
    return ::chmod(path, mode) == 0;
}

} // namespace plainuser
