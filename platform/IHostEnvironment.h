#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Drive types with the system's numbers.
constexpr uint32_t DRIVE_TYPE_UNKNOWN = 0;
constexpr uint32_t DRIVE_TYPE_NO_ROOT_DIR = 1;
constexpr uint32_t DRIVE_TYPE_REMOVABLE = 2;
constexpr uint32_t DRIVE_TYPE_FIXED = 3;
constexpr uint32_t DRIVE_TYPE_REMOTE = 4;
constexpr uint32_t DRIVE_TYPE_CDROM = 5;
constexpr uint32_t DRIVE_TYPE_RAMDISK = 6;

// Sizes of a drive in bytes.
struct TDiskSpace {
    int64_t Total = 0;
    int64_t Free = 0;
};

// How a drive divides its space.
struct TClusterFigures {
    uint32_t SectorsPerCluster = 0;
    uint32_t BytesPerSector = 0;
};

// The running process's environment and the file system around it: environment variables,
// the current directory, temporary files and drives. Texts are in the system's narrow
// character set. The headless backend answers what a test set.
class IHostEnvironment {
public:
    virtual ~IHostEnvironment() = default;
    // Every "name=value" entry of the process environment, in the order the system keeps them.
    virtual std::vector<std::string> EnvironmentBlock() const = 0;
    // Text with every %NAME% of a defined variable replaced by its value, however long.
    virtual std::string ExpandEnvironment(const std::string& Text) const = 0;
    virtual bool SetVariable(const std::string& Name, const std::string& Value) = 0;
    // The current directory of the process; empty when the system cannot tell it.
    virtual std::string CurrentDirectory() const = 0;
    // Creates a new empty file with a unique name in Folder, its name starting with Prefix, and
    // returns the file's path; nothing when no file could be made.
    virtual std::optional<std::string> CreateTempFile(const std::string& Folder, const std::string& Prefix) = 0;
    // The roots of the drives, each followed by a NUL, the list by a second NUL; a list longer
    // than Limit characters is not given at all (the empty text).
    virtual std::string LogicalDriveStrings(uint32_t Limit) const = 0;
    // The root of the drive that holds Path, spelled as the drive queries below take it.
    virtual std::string DriveRootOf(const std::string& Path) const = 0;
    // The DRIVE_TYPE_ of a drive root; DRIVE_TYPE_NO_ROOT_DIR for a path that is no drive root.
    virtual uint32_t DriveType(const std::string& Root) const = 0;
    virtual std::optional<TDiskSpace> DiskSpace(const std::string& Root) const = 0;
    virtual std::optional<TClusterFigures> ClusterFigures(const std::string& Root) const = 0;
};
