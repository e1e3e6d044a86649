#include "ProcessStart.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sysexits.h>
#include <unistd.h>

namespace vorsa
{

namespace
{

// Caught rather than ignored: an ignored signal stays ignored in the
// programs this one starts (the web browser), a caught one does not.
extern "C" void DoNothing(int) {}

} // namespace

void PrepareProcess()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lower numbers are all open by now, so this one is the lowest free.
        const int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened != fd)
            std::_Exit(EX_OSERR);
    }
    struct sigaction action = {};
    action.sa_handler = DoNothing;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGPIPE, &action, nullptr);
    sigaction(SIGXFSZ, &action, nullptr);
}

} // namespace vorsa
