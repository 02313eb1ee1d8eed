#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/linux/LinuxStartupPages.h"
#include "tests/support/TempDir.h"

namespace {

struct TMapsCase {
    const char* Line;
    bool Parsed;
    bool Candidate;
    const char* Path;
};

TEST(LinuxStartupPages, ChoosesPrivateReadOnlyMappingsOfFiles)
{
    const TMapsCase cases[] = {
        {"7f0000000000-7f0000010000 r-xp 00001000 08:01 1234   /usr/lib/libc.so.6\n", true, true, "/usr/lib/libc.so.6"},
        {"7f0000010000-7f0000020000 r--p 00000000 08:01 1234   /usr/lib/libc.so.6\n", true, true, "/usr/lib/libc.so.6"},
        {"7f0000020000-7f0000030000 rw-p 00010000 08:01 1234   /usr/lib/libc.so.6\n", true, false, "/usr/lib/libc.so.6"},
        {"7f0000030000-7f0000040000 rw-s 00000000 00:01 42     /SYSV00000000 (deleted)\n", true, false,
         "/SYSV00000000 (deleted)"},
        {"7f0000040000-7f0000050000 r--s 00000000 08:01 77     /var/cache/fonts.cache\n", true, false,
         "/var/cache/fonts.cache"},
        {"55d000000000-55d000100000 rw-p 00000000 00:00 0      [heap]\n", true, false, "[heap]"},
        {"7f0000050000-7f0000060000 r--p 00000000 00:00 0\n", true, false, ""},
        {"7f0000060000-7f0000070000 r--p 00000000 08:01 99     /opt/a b/c.so\n", true, true, "/opt/a b/c.so"},
        {"not a mapping\n", false, false, ""},
        {"7f0000070000-7f0000060000 r--p 00000000 08:01 99     /backwards\n", false, false, ""},
    };
    for (const TMapsCase& c : cases) {
        SCOPED_TRACE(c.Line);
        TMappedFile mapping;
        ASSERT_EQ(ParseMapsLine(c.Line, mapping), c.Parsed);
        if (!c.Parsed)
            continue;
        EXPECT_EQ(mapping.Path, c.Path);
        EXPECT_EQ(HoldsFilePages(mapping), c.Candidate);
    }
}

// A file of a few pages, each filled with its own byte, mapped the ways a loader maps a library.
class LinuxStartupPagesMapping : public testing::Test {
protected:
    static constexpr size_t Pages = 8;

    void SetUp() override
    {
        FPageSize = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        std::string bytes;
        for (size_t p = 0; p < Pages; ++p)
            bytes.append(FPageSize, static_cast<char>('a' + p));
        FDir.Write("lib.so", bytes);
        FFile = open(FDir.File("lib.so").c_str(), O_RDONLY);
        ASSERT_GE(FFile, 0);
    }

    void TearDown() override
    {
        for (auto [address, size] : FMapped)
            munmap(address, size);
        if (FFile >= 0)
            close(FFile);
    }

    unsigned char* Map(int Protection)
    {
        void* address = mmap(nullptr, Pages * FPageSize, Protection, MAP_PRIVATE, FFile, 0);
        EXPECT_NE(address, MAP_FAILED);
        FMapped.emplace_back(address, Pages * FPageSize);
        return static_cast<unsigned char*>(address);
    }

    bool Present(const unsigned char* Page) const
    {
        const int pagemap = open("/proc/self/pagemap", O_RDONLY);
        uint64_t entry = 0;
        const off_t offset = static_cast<off_t>(reinterpret_cast<uintptr_t>(Page) / FPageSize * sizeof entry);
        const bool read = pread(pagemap, &entry, sizeof entry, offset) == static_cast<ssize_t>(sizeof entry);
        close(pagemap);
        return read && (entry >> 63) != 0;
    }

    size_t FPageSize = 0;
    TTempDir FDir;
    int FFile = -1;
    std::vector<std::pair<void*, size_t>> FMapped;
};

TEST_F(LinuxStartupPagesMapping, DropsReadPagesAndTheyReadTheSameAfterwards)
{
    const unsigned char* data = Map(PROT_READ);
    unsigned sum = 0;
    for (size_t p = 0; p < Pages; ++p)
        sum += data[p * FPageSize];
    ASSERT_GT(sum, 0u);
    ASSERT_TRUE(Present(data));

    ASSERT_TRUE(ReleaseFilePages());

    EXPECT_FALSE(Present(data));
    EXPECT_FALSE(Present(data + (Pages - 1) * FPageSize));
    for (size_t p = 0; p < Pages; ++p)
        EXPECT_EQ(data[p * FPageSize + FPageSize / 2], 'a' + p) << "page " << p;
}

// What the loader does to a library's relocated pointers: written in a private copy of the
// file's page, then made read-only. Dropping such a page would bring the file's bytes back.
TEST_F(LinuxStartupPagesMapping, KeepsPagesTheProcessChangedBeforeMakingThemReadOnly)
{
    unsigned char* data = Map(PROT_READ | PROT_WRITE);
    data[2 * FPageSize] = 'X';
    data[5 * FPageSize + 7] = 'Y';
    (void)data[3 * FPageSize];
    ASSERT_EQ(mprotect(data, Pages * FPageSize, PROT_READ), 0);

    ASSERT_TRUE(ReleaseFilePages());

    EXPECT_TRUE(Present(data + 2 * FPageSize));
    EXPECT_EQ(data[2 * FPageSize], 'X');
    EXPECT_EQ(data[5 * FPageSize + 7], 'Y');
    EXPECT_EQ(data[2 * FPageSize + 1], 'c');
    EXPECT_EQ(data[3 * FPageSize], 'd');
}

}  // namespace
