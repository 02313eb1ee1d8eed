#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "framework/HandOverQueue.h"
#include "framework/Thread.h"
#include "platform/core/Exception.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

THandOverQueue& Queue() { return THandOverQueue::Instance(); }

// Waits (in real time) until a worker is blocked in a hand-over.
void AwaitPending(size_t Count)
{
    for (int i = 0; i < 5000 && Queue().Pending() < Count; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(Queue().Pending(), Count) << "the worker never handed its call over";
}

// What an interval timer does with its worker: the worker waits, then hands a tick to the main
// thread; destroying the ticker gives up the pending hand-over and waits for the worker while
// serving hand-overs, so it cannot deadlock.
class TTicker {
public:
    std::atomic<int> Ticks{0};

    explicit TTicker(std::atomic<bool>& HandlerCalledAfterStop) : FCalledAfterStop(HandlerCalledAfterStop)
    {
        FWorker = std::thread([this] {
            while (!FStop) {
                Queue().Run(
                    [this] {
                        if (FStop)
                            FCalledAfterStop = true;
                        ++Ticks;
                    },
                    &FChannel);
                std::this_thread::yield();
            }
            FEnded = true;
            Queue().Notify();
        });
    }
    ~TTicker()
    {
        FStop = true;
        FChannel.Close();
        Queue().WaitServing([this] { return FEnded.load(); });
        FWorker.join();
    }

private:
    std::atomic<bool>& FCalledAfterStop;
    THandOverChannel FChannel;
    std::atomic<bool> FStop{false};
    std::atomic<bool> FEnded{false};
    std::thread FWorker;
};

}  // namespace

using HandOver = FrameworkTest;

TEST_F(HandOver, CallRunsOnTheMainThreadWhileTheCallerWaits)
{
    const auto mainThread = std::this_thread::get_id();
    std::thread::id ranOn;
    std::atomic<bool> returned{false};
    bool result = false;
    std::thread worker([&] {
        result = Queue().Run([&] {
            ranOn = std::this_thread::get_id();
            EXPECT_FALSE(returned) << "the caller went on before its call had run";
        });
        returned = true;
        Queue().Notify();
    });
    Queue().WaitServing([&] { return returned.load(); });
    worker.join();
    EXPECT_TRUE(result);
    EXPECT_EQ(ranOn, mainThread);
}

TEST_F(HandOver, MessageLoopRunsHandedOverCalls)
{
    auto* form = App.CreateForm<TTestForm>();
    std::thread worker([&] { Queue().Run([&] { form->Close(); }); });
    App.Run();   // waits for messages; the hand-over wakes it and closes the main form
    worker.join();
    EXPECT_TRUE(App.Terminated());
}

TEST_F(HandOver, ClosedChannelReleasesTheWaitingCallerWithoutRunningTheCall)
{
    THandOverChannel channel;
    std::atomic<bool> ran{false};
    std::atomic<int> result{-1};
    std::thread worker([&] { result = Queue().Run([&] { ran = true; }, &channel); });
    AwaitPending(1);
    channel.Close();
    worker.join();
    App.ProcessMessages();
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(Queue().Run([&] { ran = true; }, &channel)) << "a closed channel refuses later calls";
    EXPECT_FALSE(ran);
}

TEST_F(HandOver, DestroyingAWorkerOwnerWhileItsCallWaitsCompletesWithoutTheHandler)
{
    std::atomic<bool> calledAfterStop{false};
    auto ticker = std::make_unique<TTicker>(calledAfterStop);
    while (ticker->Ticks < 3)
        Queue().WaitServing([&] { return ticker->Ticks >= 3; });
    AwaitPending(1);
    ticker.reset();   // must not deadlock with the waiting hand-over
    EXPECT_FALSE(calledAfterStop);
}

TEST_F(HandOver, ErrorInAHandedOverCallIsShownAndTheCallerReleased)
{
    std::atomic<bool> returned{false};
    bool result = false;
    std::thread worker([&] {
        result = Queue().Run([] { throw Exception("Tick failed"); });
        returned = true;
        Queue().Notify();
    });
    Queue().WaitServing([&] { return returned.load(); });
    worker.join();
    EXPECT_TRUE(result);
    ASSERT_EQ(Screen.ErrorBoxes().size(), 1u);
    EXPECT_EQ(Screen.ErrorBoxes()[0].Text, "Tick failed.");
}

TEST_F(HandOver, NothingIsHandedOverOnceTheApplicationEnds)
{
    std::atomic<int> result{-1};
    std::atomic<bool> ran{false};
    std::thread worker([&] { result = Queue().Run([&] { ran = true; }); });
    AwaitPending(1);
    App.Terminate();
    worker.join();
    EXPECT_EQ(result, 0);
    std::thread late([&] { result = Queue().Run([&] { ran = true; }); });
    late.join();
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(ran);
}

TEST_F(HandOver, CallFromTheMainThreadRunsAtOnce)
{
    bool ran = false;
    EXPECT_TRUE(Queue().Run([&] { ran = true; }));
    EXPECT_TRUE(ran);
}

namespace {

// A thread that hands a count to the main thread on every round.
class TCountingThread : public TThread {
public:
    std::atomic<int> Count{0};
    ~TCountingThread() override
    {
        Terminate();
        Resume();
        WaitFor();
    }

protected:
    void Execute() override
    {
        while (!Terminated()) {
            CheckPaused();
            if (!Terminated())
                Synchronize([this] { ++Count; });
        }
    }
};

}  // namespace

TEST_F(HandOver, ThreadStartsPausedRunsWhenResumedAndEndsWhileItsHandOverWaits)
{
    TCountingThread thread;
    EXPECT_TRUE(thread.Suspended());
    EXPECT_EQ(Queue().Pending(), 0u) << "a paused thread does nothing";
    thread.Resume();
    Queue().WaitServing([&] { return thread.Count >= 3; });
    AwaitPending(1);
    thread.Suspend();
    Queue().RunPending();   // the round in progress finishes, then the body stops
    const int paused = thread.Count;
    for (int i = 0; i < 20; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        Queue().RunPending();
    }
    EXPECT_LE(thread.Count, paused + 1) << "a paused thread goes at most to its next pause point";
    thread.Resume();
    AwaitPending(1);
    thread.Terminate();
    thread.WaitFor();   // serves the waiting hand-over, so the body can see the mark and end
    EXPECT_TRUE(thread.Finished());
}
