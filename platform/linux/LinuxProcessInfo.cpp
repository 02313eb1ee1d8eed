#include "platform/linux/LinuxProcessInfo.h"

#include <unistd.h>

#include <vector>

#include "platform/linux/LinuxServices.h"

std::string TLinuxProcessInfo::ExecutablePath() const
{
    // The link's length is not known beforehand; grow the buffer until the whole target fits.
    for (size_t size = 256; size <= 65536; size *= 2) {
        std::vector<char> buffer(size);
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<size_t>(n));
    }
    return {};
}

std::string TLinuxProcessInfo::ExecutableDirectory() const
{
    const std::string path = ExecutablePath();
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

IProcessInfo* LinuxProcessInfo()
{
    static TLinuxProcessInfo process;
    return &process;
}
