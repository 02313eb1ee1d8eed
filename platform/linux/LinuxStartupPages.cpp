#include "platform/linux/LinuxStartupPages.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

// Bits of an entry of /proc/self/pagemap.
constexpr uint64_t PagePresent = uint64_t{1} << 63;
constexpr uint64_t PageOfFile = uint64_t{1} << 61;   // a file page, not a private copy

// Entries read from the page map at a time.
constexpr size_t EntriesPerRead = 512;

class TPageMap {
public:
    TPageMap() : FFile(open("/proc/self/pagemap", O_RDONLY | O_CLOEXEC)) {}
    ~TPageMap()
    {
        if (FFile >= 0)
            close(FFile);
    }
    TPageMap(const TPageMap&) = delete;
    TPageMap& operator=(const TPageMap&) = delete;

    bool IsOpen() const { return FFile >= 0; }

    // Reads the entries of Count pages from the page at Address on; false when the map
    // cannot be read there.
    bool Read(uintptr_t Address, size_t PageSize, uint64_t* Entries, size_t Count) const
    {
        const off_t offset = static_cast<off_t>(Address / PageSize * sizeof(uint64_t));
        const ssize_t wanted = static_cast<ssize_t>(Count * sizeof(uint64_t));
        return pread(FFile, Entries, static_cast<size_t>(wanted), offset) == wanted;
    }

private:
    int FFile;
};

void DropRun(uintptr_t Start, uintptr_t End)
{
    if (End > Start)
        madvise(reinterpret_cast<void*>(Start), End - Start, MADV_DONTNEED);
}

// Unmaps the present file pages of Mapping, run by run. A page the process copied to change
// it is anonymous memory now: dropping it would lose the change, so it ends a run.
void DropFilePages(const TMappedFile& Mapping, const TPageMap& PageMap, size_t PageSize)
{
    std::vector<uint64_t> entries(EntriesPerRead);
    uintptr_t runStart = 0;
    for (uintptr_t block = Mapping.Start; block < Mapping.End; block += EntriesPerRead * PageSize) {
        const size_t count = std::min<size_t>(EntriesPerRead, (Mapping.End - block) / PageSize);
        if (!PageMap.Read(block, PageSize, entries.data(), count)) {
            DropRun(runStart, block);
            return;
        }
        for (size_t i = 0; i < count; ++i) {
            const uintptr_t page = block + i * PageSize;
            const bool drop = (entries[i] & (PagePresent | PageOfFile)) == (PagePresent | PageOfFile);
            if (drop && runStart == 0)
                runStart = page;
            if (!drop && runStart != 0) {
                DropRun(runStart, page);
                runStart = 0;
            }
        }
    }
    if (runStart != 0)
        DropRun(runStart, Mapping.End);
}

}  // namespace

bool ParseMapsLine(const std::string& Line, TMappedFile& Mapping)
{
    uintmax_t start = 0, end = 0;
    char perms[5] = {};
    int pathAt = 0;
    if (std::sscanf(Line.c_str(), "%jx-%jx %4s %*s %*s %*s %n", &start, &end, perms, &pathAt) < 3 || end <= start)
        return false;
    Mapping.Start = static_cast<uintptr_t>(start);
    Mapping.End = static_cast<uintptr_t>(end);
    Mapping.Writable = perms[1] == 'w';
    Mapping.Private = perms[3] == 'p';
    Mapping.Path = pathAt > 0 ? Line.substr(static_cast<size_t>(pathAt)) : std::string();
    while (!Mapping.Path.empty() && (Mapping.Path.back() == '\n' || Mapping.Path.back() == ' '))
        Mapping.Path.pop_back();
    return true;
}

bool HoldsFilePages(const TMappedFile& Mapping)
{
    return Mapping.Private && !Mapping.Writable && !Mapping.Path.empty() && Mapping.Path.front() == '/';
}

bool ReleaseFilePages()
{
    FILE* maps = std::fopen("/proc/self/maps", "re");
    const TPageMap pageMap;
    if (!maps || !pageMap.IsOpen()) {
        if (maps)
            std::fclose(maps);
        return false;
    }
    std::vector<TMappedFile> mappings;
    char line[4096 + 256];
    while (std::fgets(line, sizeof line, maps)) {
        TMappedFile mapping;
        if (ParseMapsLine(line, mapping) && HoldsFilePages(mapping))
            mappings.push_back(mapping);
    }
    std::fclose(maps);
    const auto pageSize = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    for (const TMappedFile& mapping : mappings)
        DropFilePages(mapping, pageMap, pageSize);
    return true;
}
