#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/linux/LinuxWindowSystem.h"
#include "platform/linux/StartupWatchdog.h"

extern char** environ;

namespace {

// A listening socket on the first free X display number from 150 on, over TCP on the loopback
// address: the kernel completes a client's connection, but nothing ever answers it.
class TSilentServer {
public:
    TSilentServer()
    {
        FSocket = ::socket(AF_INET, SOCK_STREAM, 0);
        for (FNumber = 150; FNumber < 200; ++FNumber) {
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_port = htons(static_cast<uint16_t>(6000 + FNumber));
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            if (::bind(FSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ::listen(FSocket, 4) == 0)
                return;
        }
    }
    ~TSilentServer() { ::close(FSocket); }
    std::string Display() const { return "127.0.0.1:" + std::to_string(FNumber); }

private:
    int FSocket = -1;
    int FNumber = 0;
};

// A virtual X server with one screen of the given depth, on the first free display number from
// 150 on; it ends with the object.
class TVirtualScreen {
public:
    explicit TVirtualScreen(int Depth)
    {
        for (FNumber = 150; FNumber < 200; ++FNumber) {
            struct stat info;
            const std::string lock = "/tmp/.X" + std::to_string(FNumber) + "-lock";
            if (::stat(lock.c_str(), &info) != 0 && ::stat(Socket().c_str(), &info) != 0)
                break;
        }
        const std::string display = ":" + std::to_string(FNumber), screen = "640x480x" + std::to_string(Depth);
        const char* argv[] = {"Xvfb", display.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-noreset", nullptr};
        if (::posix_spawnp(&FPid, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
            FPid = 0;
        for (int i = 0; FPid && i < 100 && !Ready(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ~TVirtualScreen()
    {
        if (FPid) {
            ::kill(FPid, SIGTERM);
            ::waitpid(FPid, nullptr, 0);
        }
    }
    bool Ready() const
    {
        struct stat info;
        return FPid && ::stat(Socket().c_str(), &info) == 0;
    }
    std::string Display() const { return ":" + std::to_string(FNumber); }

private:
    std::string Socket() const { return "/tmp/.X11-unix/X" + std::to_string(FNumber); }
    pid_t FPid = 0;
    int FNumber = 0;
};

// What a piece of start-up did in a child process of its own: its exit status (-1 when it did
// not exit) and what it wrote to standard error. A fork, not a death test, so that the child
// starts no second server of its own.
struct TChildOutcome {
    int Status = -1;
    std::string Errors;
};

template <typename F>
TChildOutcome InChild(F Work)
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipe[1], STDERR_FILENO);
        ::close(pipe[0]);
        ::close(pipe[1]);
        ::_exit(Work());
    }
    ::close(pipe[1]);
    TChildOutcome outcome;
    char chunk[512];
    for (ssize_t n; (n = ::read(pipe[0], chunk, sizeof chunk)) > 0;)
        outcome.Errors.append(chunk, static_cast<size_t>(n));
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    outcome.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

}  // namespace

TEST(StartupWatchdog, EndsTheProcessWithItsMessageOnlyWhenTheLimitPasses)
{
    const TChildOutcome late = InChild([] {
        TStartupWatchdog watchdog(std::chrono::milliseconds(50), "start-up took too long");
        std::this_thread::sleep_for(std::chrono::seconds(5));
        return 0;
    });
    EXPECT_EQ(late.Status, 1);
    EXPECT_EQ(late.Errors, "start-up took too long\n");
    const TChildOutcome inTime = InChild([] {
        { TStartupWatchdog watchdog(std::chrono::milliseconds(500), "start-up took too long"); }
        std::this_thread::sleep_for(std::chrono::seconds(1));
        return 0;
    });
    EXPECT_EQ(inTime.Status, 0);
    EXPECT_EQ(inTime.Errors, "");
}

// Opens the display of the environment in a process of its own, as the program does at
// start-up: a fresh process, since GTK may already be set up on a display in this one. The test
// program runs again with only the helper below, which is disabled in an ordinary run.
TChildOutcome OpenInFreshProcess(const std::string& Display)
{
    return InChild([&] {
        ::setenv("DISPLAY", Display.c_str(), 1);
        ::unsetenv("GTEST_OUTPUT");   // the report is this run's, not the helper's
        ::dup2(::open("/dev/null", O_WRONLY), STDOUT_FILENO);
        ::execl("/proc/self/exe", "test_platform_linux", "--gtest_also_run_disabled_tests",
                "--gtest_filter=LinuxWindowSystemStart.DISABLED_OpenTheDisplay", nullptr);
        return 127;
    });
}

TEST(LinuxWindowSystemStart, DISABLED_OpenTheDisplay)
{
    std::exit(TLinuxWindowSystem::Open() ? 2 : 3);
}

TEST(LinuxWindowSystemStart, AServerThatNeverAnswersEndsTheProgramWithAMessage)
{
    const TSilentServer server;
    const TChildOutcome outcome = OpenInFreshProcess(server.Display());
    EXPECT_EQ(outcome.Status, 1);
    EXPECT_NE(outcome.Errors.find("the X display \"" + server.Display() + "\" did not answer within 10 seconds"), std::string::npos)
        << outcome.Errors;
}

TEST(LinuxWindowSystemStart, AnEightBitScreenIsRefusedWithWhatTheProgramNeeds)
{
    const TVirtualScreen screen(8);
    if (!screen.Ready())
        GTEST_SKIP() << "no virtual X server (Xvfb) could be started";
    const TChildOutcome outcome = OpenInFreshProcess(screen.Display());
    EXPECT_EQ(outcome.Status, 3) << "the display was not refused";
    EXPECT_NE(outcome.Errors.find("shows 8-bit colour; the program needs a screen of 24-bit colour"), std::string::npos)
        << outcome.Errors;
}
