#include "platform/linux/StartupWatchdog.h"

#include <unistd.h>

TStartupWatchdog::TStartupWatchdog(std::chrono::milliseconds Limit, std::string Message)
{
    FThread = std::thread([this, Limit, Message = std::move(Message)] {
        std::unique_lock<std::mutex> lock(FLock);
        if (FDone.wait_for(lock, Limit, [this] { return FFinished; }))
            return;
        // The stuck step holds locks of its own (the display connection's among them), so
        // nothing but a plain write and an immediate end is safe here.
        const std::string line = Message + "\n";
        if (::write(STDERR_FILENO, line.data(), line.size()) < 0) {
            // Nothing more can be said when standard error is gone.
        }
        ::_exit(1);
    });
}

TStartupWatchdog::~TStartupWatchdog()
{
    {
        std::lock_guard<std::mutex> lock(FLock);
        FFinished = true;
    }
    FDone.notify_one();
    FThread.join();
}
