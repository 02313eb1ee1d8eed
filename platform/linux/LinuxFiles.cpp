#include "platform/linux/LinuxFiles.h"

#include <atomic>
#include <cerrno>
#include <algorithm>
#include <climits>
#include <deque>
#include <cstdint>
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

// A link or folder that belongs to root or to the writing user; only those could have been
// put there by someone the writer trusts.
bool TrustedOwner(uid_t Owner) { return Owner == 0 || Owner == ::geteuid(); }

// Splits a path into its parts, in order, leaving out empty ones.
std::deque<std::string> PathParts(const std::string& Path)
{
    std::deque<std::string> parts;
    for (size_t begin = 0; begin <= Path.size();) {
        const size_t slash = std::min(Path.find('/', begin), Path.size());
        if (slash > begin)
            parts.push_back(Path.substr(begin, slash - begin));
        begin = slash + 1;
    }
    return parts;
}

// The file a write to Path changes: Path with every symbolic link on its way resolved. A link is
// followed only where it and the folder that holds it belong to root or to the writing user, so
// a link that another user planted cannot turn a write into a change of a file the writer never
// meant to touch. Empty when a link may not be followed, cannot be read, or links go round.
std::string WriteTarget(const std::string& Path)
{
    char cwd[PATH_MAX];
    if (Path.empty() || (Path.front() != '/' && !::getcwd(cwd, sizeof cwd)))
        return {};
    std::deque<std::string> parts = PathParts(Path.front() == '/' ? Path : std::string(cwd) + "/" + Path);
    std::string resolved;   // no links in it; empty stands for the root folder
    for (int links = 0; !parts.empty();) {
        const std::string part = std::move(parts.front());
        parts.pop_front();
        if (part == ".")
            continue;
        if (part == "..") {
            resolved = resolved.substr(0, resolved.find_last_of('/') == std::string::npos ? 0 : resolved.find_last_of('/'));
            continue;
        }
        const std::string candidate = resolved + "/" + part;
        struct stat link;
        if (::lstat(candidate.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
            resolved = candidate;   // a missing part is left to the write, which then fails or creates it
            continue;
        }
        struct stat holder;
        if (++links > 40 || !TrustedOwner(link.st_uid) || ::stat(resolved.empty() ? "/" : resolved.c_str(), &holder) != 0
            || !TrustedOwner(holder.st_uid))
            return {};
        char target[PATH_MAX];
        const ssize_t length = ::readlink(candidate.c_str(), target, sizeof target - 1);
        if (length <= 0)
            return {};
        const std::string text(target, static_cast<size_t>(length));
        if (text.front() == '/')
            resolved.clear();
        std::deque<std::string> inner = PathParts(text);
        parts.insert(parts.begin(), inner.begin(), inner.end());
    }
    return resolved.empty() ? "/" : resolved;
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
