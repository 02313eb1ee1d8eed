#include "platform/linux/LinuxFiles.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a descriptor when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(int Fd) : FFd(Fd) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int Fd() const { return FFd; }
    bool Close()
    {
        const bool ok = FFd < 0 || ::close(FFd) == 0;
        FFd = -1;
        return ok;
    }

private:
    int FFd;
};

bool WriteAll(int Fd, const std::string& Bytes)
{
    size_t done = 0;
    while (done < Bytes.size()) {
        const ssize_t n = ::write(Fd, Bytes.data() + done, Bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The file a write to Path changes: the target of a symbolic link, or Path itself. Empty when
// Path is a link whose target cannot be resolved.
std::string WriteTarget(const std::string& Path)
{
    struct stat link;
    if (::lstat(Path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return Path;
    char resolved[PATH_MAX];
    return ::realpath(Path.c_str(), resolved) ? std::string(resolved) : std::string();
}

// A read-only file stays as it is, even though the folder would allow replacing it. The
// superuser passes every permission test, so a file that nobody may write counts as read-only
// for the superuser too, as a read-only file does for an administrator elsewhere.
bool MayChange(const std::string& Target, const struct stat& Info)
{
    return (Info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(Target.c_str(), W_OK) == 0;
}

std::string TemporaryName(const std::string& Target)
{
    static std::atomic<unsigned> counter{0};
    return Target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

std::string FolderOf(const std::string& Path)
{
    const size_t slash = Path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : Path.substr(0, slash);
}

FileReadResult ReadWholeFile(const std::string& Path, size_t MaxBytes)
{
    // Non-blocking, so that a pipe put where a file belongs cannot stall the reader.
    FileHandle file(::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.Fd() < 0)
        return {errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing : FileReadStatus::Unreadable, {}};
    struct stat info;
    if (::fstat(file.Fd(), &info) != 0 || !S_ISREG(info.st_mode) || static_cast<uint64_t>(info.st_size) > MaxBytes)
        return {FileReadStatus::Unreadable, {}};
    FileReadResult result{FileReadStatus::Ok, {}};
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(file.Fd(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {FileReadStatus::Unreadable, {}};
        if (n == 0)
            break;
        result.Bytes.append(chunk, static_cast<size_t>(n));
        if (result.Bytes.size() > MaxBytes)   // the file grew while it was read
            return {FileReadStatus::Unreadable, {}};
    }
    return result;
}

bool ReplaceFileAtomically(const std::string& Path, const std::string& Bytes)
{
    const std::string target = WriteTarget(Path);
    if (target.empty())
        return false;
    struct stat old;
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && (!S_ISREG(old.st_mode) || !MayChange(target, old)))
        return false;
    const std::string temporary = TemporaryName(target);
    FileHandle file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (file.Fd() < 0)
        return false;
    bool ok = WriteAll(file.Fd(), Bytes);
    if (ok && replacing) {
        ok = ::fchmod(file.Fd(), old.st_mode & 07777) == 0;
        if (::fchown(file.Fd(), old.st_uid, old.st_gid) != 0) {
            // Only the superuser may give a file away; an ordinary writer's copy stays theirs.
        }
    }
    ok = ok && ::fsync(file.Fd()) == 0;
    ok = file.Close() && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Flush the folder too, so the rename itself survives a crash.
    FileHandle folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Fd() >= 0)
        ::fsync(folder.Fd());
    return true;
}
