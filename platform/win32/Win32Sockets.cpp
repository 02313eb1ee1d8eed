#include <cstring>
#include <winsock2.h>

#include "platform/ISockets.h"
#include "platform/win32/Win32Services.h"

namespace {

// Windows Sockets: the library is started and cleaned up by the caller, host names are told
// and looked up by the library's own calls.
class TWin32Sockets : public ISockets {
public:
    bool Startup(uint16_t Version) override
    {
        WSADATA data{};
        return WSAStartup(Version, &data) == 0;
    }
    void Cleanup() override { WSACleanup(); }

    bool HostName(char* Buffer, size_t Length) override
    {
        if (!Buffer || Length == 0 || gethostname(Buffer, static_cast<int>(Length)) != 0)
            return false;
        return std::memchr(Buffer, 0, Length) != nullptr;
    }

    bool LookUp(const std::string& Name, THostEntry& Entry) override
    {
        const hostent* host = gethostbyname(Name.c_str());
        if (!host)
            return false;
        Entry = THostEntry{};
        Entry.OfficialName = host->h_name ? host->h_name : Name;
        if (host->h_addrtype == AF_INET && host->h_length == 4 && host->h_addr_list) {
            for (char** a = host->h_addr_list; *a; ++a) {
                TIPv4Address address{};
                std::memcpy(address.data(), *a, 4);
                Entry.Addresses.push_back(address);
            }
        }
        return true;
    }
};

}  // namespace

ISockets* Win32Sockets()
{
    static TWin32Sockets sockets;
    return &sockets;
}
