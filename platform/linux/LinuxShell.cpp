#include "platform/linux/LinuxShell.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include <thread>

#include "platform/core/DocumentAddress.h"
#include "platform/linux/LinuxServices.h"

extern char** environ;

bool TLinuxShell::OpenDocument(const std::string& Address)
{
    if (!IsOpenableAddress(Address))
        return false;
    std::string program = "xdg-open";
    std::string argument = Address;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0)
        return false;
    // The opener hands the address on and ends; a thread of its own reaps it, whatever the
    // program does with SIGCHLD meanwhile.
    std::thread([child] {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

IShell* LinuxShell()
{
    static TLinuxShell shell;
    return &shell;
}
