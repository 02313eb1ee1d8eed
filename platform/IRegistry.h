#pragma once
#include <cstdint>
#include <memory>
#include <string>

// The system registry, reduced to what the program uses: keys below a root, opened with an
// access mask, holding typed values. On Windows it is the real registry; on Linux a typed key
// store on disk with the same semantics; in tests a directory or a map the test chooses.
//
// Names and paths are UTF-8. Value data are the bytes the registry keeps: a number type in
// little-endian order, a string type as UTF-16LE with its terminating null character, so a
// value has the same size on every backend.

enum class RegRoot { LocalMachine, CurrentUser };

// Access masks as the system defines them.
constexpr uint32_t KEY_READ_MASK = 0x20019;
constexpr uint32_t KEY_ALL_ACCESS_MASK = 0xF003F;

// Value types with the system's numbers. Other numbers may occur in a store and pass through
// unchanged.
enum class RegValueType : uint32_t {
    None = 0, String = 1, ExpandString = 2, Binary = 3, Dword = 4, DwordBigEndian = 5,
    Link = 6, MultiString = 7, Qword = 11,
};

// The outcome of reading a value into a caller's buffer. Ok is false when the value is
// missing, cannot be read, or holds more bytes than the buffer takes; Type and Size then
// still tell what is known.
struct RegQueryResult {
    bool Ok = false;
    RegValueType Type = RegValueType::None;
    uint32_t Size = 0;
};

// An open key. Destroying the object closes the key.
class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;
    virtual RegQueryResult QueryValue(const std::string& Name, void* Buffer, uint32_t BufferSize) = 0;
    // Stores Size bytes of Data as a value of the given type; false when the store refuses.
    virtual bool SetValue(const std::string& Name, RegValueType Type, const void* Data, uint32_t Size) = 0;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // Opens Path (relative, "\"-separated) below Root with the access mask; with Create the key
    // is created when missing, together with the keys above it. Null when the key does not
    // exist (and Create is false), or cannot be opened or created with that access.
    virtual std::unique_ptr<IRegistryKey> OpenKey(RegRoot Root, const std::string& Path, uint32_t Access, bool Create) = 0;
};
