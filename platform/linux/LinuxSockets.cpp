#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/ISockets.h"
#include "platform/linux/LinuxServices.h"

namespace {

// The C library's resolver. It needs no start-up, so the library always loads; the look-up
// asks for IPv4 addresses and the canonical name, which is the host's official name.
class TLinuxSockets : public ISockets {
public:
    bool Startup(uint16_t) override { return true; }
    void Cleanup() override {}

    bool HostName(char* Buffer, size_t Length) override
    {
        if (!Buffer || Length == 0 || gethostname(Buffer, Length) != 0)
            return false;
        // A name that was cut short may come without its terminating zero.
        return std::memchr(Buffer, 0, Length) != nullptr;
    }

    bool LookUp(const std::string& Name, THostEntry& Entry) override
    {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_CANONNAME;
        addrinfo* found = nullptr;
        if (Name.empty() || getaddrinfo(Name.c_str(), nullptr, &hints, &found) != 0 || !found)
            return false;
        Entry = THostEntry{};
        Entry.OfficialName = found->ai_canonname ? found->ai_canonname : Name;
        for (const addrinfo* a = found; a; a = a->ai_next) {
            if (a->ai_family != AF_INET || !a->ai_addr)
                continue;
            const auto* in = reinterpret_cast<const sockaddr_in*>(a->ai_addr);
            TIPv4Address address{};
            std::memcpy(address.data(), &in->sin_addr.s_addr, 4);
            Entry.Addresses.push_back(address);
        }
        freeaddrinfo(found);
        return true;
    }
};

}  // namespace

ISockets* LinuxSockets()
{
    static TLinuxSockets sockets;
    return &sockets;
}
