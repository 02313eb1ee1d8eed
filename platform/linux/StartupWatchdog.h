#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

// Ends the process when a step of start-up that cannot be interrupted takes longer than a time
// limit: an X server that accepts the connection and never answers would otherwise keep the
// program waiting inside the display connection for ever. While the object lives, a thread
// waits for it to go; when the limit passes first, Message goes to standard error and the
// process ends with status 1.
class TStartupWatchdog {
public:
    TStartupWatchdog(std::chrono::milliseconds Limit, std::string Message);
    ~TStartupWatchdog();
    TStartupWatchdog(const TStartupWatchdog&) = delete;
    TStartupWatchdog& operator=(const TStartupWatchdog&) = delete;

private:
    std::mutex FLock;
    std::condition_variable FDone;
    bool FFinished = false;
    std::thread FThread;
};
