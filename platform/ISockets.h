#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// An IPv4 address, its four bytes in network order (the first byte is the leftmost of the
// dotted form).
using TIPv4Address = std::array<uint8_t, 4>;

// What the name service knows about a host.
struct THostEntry {
    // The host's official name, which may differ from the name asked for (for example by a
    // domain suffix).
    std::string OfficialName;
    // The host's IPv4 addresses in the order the name service gives them; may be empty when
    // the host has addresses of other families only.
    std::vector<TIPv4Address> Addresses;
};

// The socket library and the name service. The library must be started before any other
// call and, after a successful start, cleaned up once when the caller is done. The real
// backends ask the system's resolver; the headless backend answers what a test scripted.
class ISockets {
public:
    virtual ~ISockets() = default;
    // Starts the library for the version asked for (major in the low byte, minor in the high
    // byte: 0x0101 is 1.1). False when the library cannot be loaded.
    virtual bool Startup(uint16_t Version) = 0;
    virtual void Cleanup() = 0;
    // Writes the local host's name with a terminating zero byte into Buffer of Length bytes.
    // False when the name cannot be told or does not fit; the buffer's contents are then
    // unspecified.
    virtual bool HostName(char* Buffer, size_t Length) = 0;
    // Looks up a host by name. False when the name service does not know it.
    virtual bool LookUp(const std::string& Name, THostEntry& Entry) = 0;
};
