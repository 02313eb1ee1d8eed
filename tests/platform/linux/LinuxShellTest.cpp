#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/linux/LinuxShell.h"
#include "tests/support/TempDir.h"

namespace {

// Puts a recording opener first on the PATH for the lifetime of the object: it writes the
// number of its arguments and then each argument on a line of its own.
class TRecordingOpener {
public:
    TRecordingOpener() : FSavedPath(std::getenv("PATH") ? std::getenv("PATH") : "")
    {
        FFolder.Write("xdg-open", "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done; } > \"" +
                                      FFolder.File("record.tmp") + "\"\nmv \"" + FFolder.File("record.tmp") + "\" \"" +
                                      FFolder.File("record") + "\"\n");
        chmod(FFolder.File("xdg-open").c_str(), 0755);
        setenv("PATH", (FFolder.Path() + ":" + FSavedPath).c_str(), 1);
    }
    ~TRecordingOpener() { setenv("PATH", FSavedPath.c_str(), 1); }

    // What the opener recorded, once it has run; nothing when it did not run within the time.
    std::optional<std::string> Record(std::chrono::milliseconds Limit) const
    {
        const auto end = std::chrono::steady_clock::now() + Limit;
        do {
            if (auto record = FFolder.Read("record"))
                return record;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        } while (std::chrono::steady_clock::now() < end);
        return std::nullopt;
    }

private:
    TTempDir FFolder;
    std::string FSavedPath;
};

}  // namespace

// The address reaches the opener as one argument exactly as given, characters a command
// interpreter would act on included.
TEST(LinuxShell, OpenerGetsTheAddressAsItsOneArgument)
{
    TRecordingOpener opener;
    TLinuxShell shell;
    const std::string address = "https://example.org/a b;touch x&y|z`id`$(id) 'q\"";
    ASSERT_TRUE(shell.OpenDocument(address));
    EXPECT_EQ(opener.Record(std::chrono::milliseconds(3000)), "1\n" + address + "\n");
}

TEST(LinuxShell, RefusedAddressesStartNothing)
{
    TRecordingOpener opener;
    TLinuxShell shell;
    for (const char* address : {"", "/usr/bin/xterm", "javascript:alert(1)", "ftp://example.org", "http://a\nb"})
        EXPECT_FALSE(shell.OpenDocument(address)) << address;
    EXPECT_FALSE(opener.Record(std::chrono::milliseconds(200))) << "an opener was started";
}

TEST(LinuxShell, MissingOpenerIsReported)
{
    const std::string saved = std::getenv("PATH") ? std::getenv("PATH") : "";
    TTempDir empty;
    setenv("PATH", empty.Path().c_str(), 1);
    TLinuxShell shell;
    EXPECT_FALSE(shell.OpenDocument("http://example.org/"));
    setenv("PATH", saved.c_str(), 1);
}
