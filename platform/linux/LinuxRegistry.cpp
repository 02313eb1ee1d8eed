#include <pwd.h>
#include <unistd.h>

#include "platform/linux/LinuxKeyStore.h"
#include "platform/linux/LinuxServices.h"

namespace {

// The user's own keys live in their home folder, found from the user database rather than
// from the environment.
std::string CurrentUserFolder()
{
    const passwd* user = ::getpwuid(::getuid());
    if (!user || !user->pw_dir || !*user->pw_dir)
        return {};
    return std::string(user->pw_dir) + "/.config/quorvel/hkcu";
}

}  // namespace

// The local machine's keys are shared by every user and belong to root, as they belong to the
// administrators elsewhere.
IRegistry* LinuxRegistry()
{
    static TLinuxKeyStore store("/etc/quorvel/hklm", CurrentUserFolder());
    return &store;
}
