#include <mntent.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string_view>
#include <vector>

#include "platform/IHostEnvironment.h"
#include "platform/linux/LinuxServices.h"

extern char** environ;

namespace {

// File systems that hold no files of the user's: the kernel's views of itself and the like.
bool IsPseudoFileSystem(std::string_view Type)
{
    static const std::set<std::string_view> pseudo = {
        "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "securityfs", "pstore", "bpf", "debugfs",
        "tracefs", "mqueue", "hugetlbfs", "configfs", "fusectl", "binfmt_misc", "autofs", "rpc_pipefs", "nsfs",
        "efivarfs", "selinuxfs", "tmpfs", "ramfs", "squashfs", "overlay"};
    return pseudo.count(Type) != 0;
}

// The kind of drive a file system type stands for.
uint32_t DriveTypeOf(std::string_view Type)
{
    if (Type == "iso9660" || Type == "udf")
        return DRIVE_TYPE_CDROM;
    if (Type == "nfs" || Type == "nfs4" || Type == "cifs" || Type == "smb3" || Type == "smbfs" || Type == "fuse.sshfs")
        return DRIVE_TYPE_REMOTE;
    if (Type == "tmpfs" || Type == "ramfs")
        return DRIVE_TYPE_RAMDISK;
    if (Type == "vfat" || Type == "exfat" || Type == "fuseblk")
        return DRIVE_TYPE_REMOVABLE;
    return DRIVE_TYPE_FIXED;
}

struct TMount {
    std::string Folder;
    std::string Type;
};

std::vector<TMount> Mounts()
{
    std::vector<TMount> mounts;
    FILE* table = setmntent("/proc/self/mounts", "r");
    if (!table)
        return mounts;
    mntent entry{};
    char buffer[4096];
    while (getmntent_r(table, &entry, buffer, sizeof buffer))
        mounts.push_back({entry.mnt_dir, entry.mnt_type});
    endmntent(table);
    return mounts;
}

std::string WithoutTrailingSlash(std::string Path)
{
    while (Path.size() > 1 && Path.back() == '/')
        Path.pop_back();
    return Path;
}

// The process environment, the current directory, mkstemp in the temporary folder, and drives
// as the mount table lists them: a drive root is a mount point, and the roots listed are those
// of file systems that hold files (the root's own and every disk, network share or medium
// mounted), in the order of the table.
class TLinuxHostEnvironment : public IHostEnvironment {
public:
    std::vector<std::string> EnvironmentBlock() const override
    {
        std::vector<std::string> block;
        for (char** entry = environ; entry && *entry; ++entry)
            block.emplace_back(*entry);
        return block;
    }

    // %NAME% of a variable that is set is replaced; anything else stays as written.
    std::string ExpandEnvironment(const std::string& Text) const override
    {
        std::string out;
        size_t pos = 0;
        while (pos < Text.size()) {
            const size_t open = Text.find('%', pos);
            const size_t close = open == std::string::npos ? std::string::npos : Text.find('%', open + 1);
            if (close == std::string::npos) {
                out += Text.substr(pos);
                break;
            }
            out += Text.substr(pos, open - pos);
            const std::string name = Text.substr(open + 1, close - open - 1);
            const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
            if (value) {
                out += value;
                pos = close + 1;
            } else {
                out += Text.substr(open, close - open);
                pos = close;
            }
        }
        return out;
    }

    bool SetVariable(const std::string& Name, const std::string& Value) override
    {
        return !Name.empty() && Name.find('=') == std::string::npos && setenv(Name.c_str(), Value.c_str(), 1) == 0;
    }

    std::string CurrentDirectory() const override
    {
        std::vector<char> buffer(4096);
        while (!getcwd(buffer.data(), buffer.size())) {
            if (errno != ERANGE || buffer.size() > (1u << 20))
                return {};
            buffer.resize(buffer.size() * 2);
        }
        return buffer.data();
    }

    std::optional<std::string> CreateTempFile(const std::string& Folder, const std::string& Prefix) override
    {
        if (Folder.empty())
            return std::nullopt;
        std::string name = Folder + (Folder.back() == '/' ? "" : "/") + Prefix + "XXXXXX";
        const int fd = mkstemp(name.data());
        if (fd < 0)
            return std::nullopt;
        close(fd);
        return name;
    }

    std::string LogicalDriveStrings(uint32_t Limit) const override
    {
        std::string list;
        std::set<std::string> seen;
        for (const TMount& mount : Mounts()) {
            if ((IsPseudoFileSystem(mount.Type) && mount.Folder != "/") || !seen.insert(mount.Folder).second)
                continue;
            list += mount.Folder;
            list += '\0';
        }
        list += '\0';
        return list.size() > Limit ? std::string() : list;
    }

    // statvfs takes any path of a file system, so a path is its own drive root.
    std::string DriveRootOf(const std::string& Path) const override { return Path; }

    uint32_t DriveType(const std::string& Root) const override
    {
        const std::string folder = WithoutTrailingSlash(Root);
        uint32_t type = DRIVE_TYPE_NO_ROOT_DIR;
        for (const TMount& mount : Mounts())   // the last mount on a folder is the one in use
            if (mount.Folder == folder)
                type = DriveTypeOf(mount.Type);
        return type;
    }

    std::optional<TDiskSpace> DiskSpace(const std::string& Root) const override
    {
        struct statvfs figures {};
        if (Root.empty() || statvfs(Root.c_str(), &figures) != 0)
            return std::nullopt;
        const uint64_t unit = figures.f_frsize ? figures.f_frsize : figures.f_bsize;
        return TDiskSpace{static_cast<int64_t>(figures.f_blocks * unit), static_cast<int64_t>(figures.f_bavail * unit)};
    }

    // A file system's fragment is its cluster, counted in sectors of 512 bytes.
    std::optional<TClusterFigures> ClusterFigures(const std::string& Root) const override
    {
        struct statvfs figures {};
        if (Root.empty() || statvfs(Root.c_str(), &figures) != 0)
            return std::nullopt;
        const uint64_t unit = figures.f_frsize ? figures.f_frsize : figures.f_bsize;
        return TClusterFigures{static_cast<uint32_t>(unit >= 512 ? unit / 512 : 1), 512};
    }
};

}  // namespace

IHostEnvironment* LinuxHostEnvironment()
{
    static TLinuxHostEnvironment environment;
    return &environment;
}
