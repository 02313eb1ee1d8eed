#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/HandOverQueue.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessProcessInfo.h"
#include "platform/headless/HeadlessWindows.h"
#include "widgets/TVrTimer.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

THandOverQueue& Queue() { return THandOverQueue::Instance(); }

const char* Name(TVrTimerType Type) { return Type == TVrTimerType::ttThread ? "thread mode" : "system mode"; }

// A headless window system whose window timers can be refused, as a system out of timers does.
class TRefusingWindows : public THeadlessWindows {
public:
    using THeadlessWindows::THeadlessWindows;
    bool RefuseTimers = false;
    bool StartTimer(TNativeWindow Window, uintptr_t Id, uint32_t Milliseconds) override
    {
        return !RefuseTimers && THeadlessWindows::StartTimer(Window, Id, Milliseconds);
    }
    int MessageWindows() const
    {
        const auto all = Windows();
        return static_cast<int>(std::count_if(all.begin(), all.end(), [&](TNativeWindow w) { return Window(w)->Params.MessageOnly; }));
    }
};

// Worker threads wait in real time; window timers fire on the headless clock. The loop helpers
// move both forward together, so either mechanism ticks about every Interval.
class VrTimer : public ::testing::Test {
protected:
    THeadlessClock HeadlessClock;
    TRefusingWindows Screen{HeadlessClock, 320, 240};
    THeadlessProcessInfo Process{"/opt/quorvel/Quorvel.scr"};
    ScopedPlatform Scope{Services()};
    TApplication App;
    std::atomic<int> Ticks{0};

    // Builds a timer as a stored layout does: settings while loading, then Loaded.
    std::unique_ptr<TVrTimer> MakeTimer(TVrTimerType Type, uint32_t Interval, TNotifyEvent Handler)
    {
        auto timer = std::make_unique<TVrTimer>(nullptr);
        timer->BeginLoading();
        timer->SetTimerType(Type);
        timer->SetInterval(Interval);
        timer->SetOnTimer(std::move(Handler));
        timer->Loaded();
        return timer;
    }
    TNotifyEvent Counter()
    {
        return [this](TObject*) { ++Ticks; };
    }

    // Runs the loop for about Milliseconds of real time; MoveClock false leaves window timers still.
    void RunFor(int Milliseconds, bool MoveClock = true)
    {
        const auto end = Clock::now() + std::chrono::milliseconds(Milliseconds);
        while (Clock::now() < end)
            Step(MoveClock);
    }
    // Runs the loop until Done holds or the generous limit has passed; false on the limit.
    bool RunUntil(const std::function<bool()>& Done, bool MoveClock = true)
    {
        const auto end = Clock::now() + 5s;
        while (!Done()) {
            if (Clock::now() > end)
                return false;
            Step(MoveClock);
        }
        return true;
    }
    bool TicksReach(int Count, bool MoveClock = true)
    {
        return RunUntil([&] { return Ticks >= Count; }, MoveClock);
    }

private:
    void Step(bool MoveClock)
    {
        if (MoveClock)
            HeadlessClock.Advance(2);
        App.ProcessMessages();
        std::this_thread::sleep_for(1ms);
    }
    Platform Services()
    {
        Platform p = CurrentPlatform();
        p.Clock = &HeadlessClock;
        p.Windows = &Screen;
        p.Process = &Process;
        return p;
    }
};

// Waits in real time, without serving hand-overs, until a worker is blocked in one.
bool AwaitHandOver()
{
    const auto end = Clock::now() + 5s;
    while (Queue().Pending() == 0 && Clock::now() < end)
        std::this_thread::sleep_for(1ms);
    return Queue().Pending() == 1;
}

}  // namespace

TEST_F(VrTimer, NoIntervalGivesNoTicksUntilAShortOneIsSet)
{
    const struct {
        TVrTimerType type;
        uint32_t interval;
    } cases[] = {
        {TVrTimerType::ttThread, 0}, {TVrTimerType::ttThread, 0xFFFFFFFF},
        {TVrTimerType::ttSystem, 0}, {TVrTimerType::ttSystem, 0xFFFFFFFF},
    };
    for (const auto& c : cases) {
        const std::string row = std::string(Name(c.type)) + ", interval " + std::to_string(c.interval);
        Ticks = 0;
        auto timer = MakeTimer(c.type, c.interval, Counter());
        RunFor(60);
        EXPECT_EQ(Ticks, 0) << row;
        timer->SetInterval(10);
        EXPECT_TRUE(TicksReach(3)) << row << ": a short interval set later starts the ticks";
    }
}

TEST_F(VrTimer, HandlerAssignedLateTakesEffectAtTheNextUpdate)
{
    const struct {
        TVrTimerType type;
        const char* trigger;
        std::function<void(TVrTimer&)> update;
        bool ticks;
    } cases[] = {
        {TVrTimerType::ttThread, "Enabled off and on", [](TVrTimer& t) { t.SetEnabled(false); t.SetEnabled(true); }, true},
        {TVrTimerType::ttThread, "Interval", [](TVrTimer& t) { t.SetInterval(11); }, true},
        {TVrTimerType::ttThread, "Priority", [](TVrTimer& t) { t.SetPriority(TThreadPriority::tpHigher); }, true},
        {TVrTimerType::ttThread, "TimerType", [](TVrTimer& t) { t.SetTimerType(TVrTimerType::ttSystem); }, true},
        {TVrTimerType::ttThread, "Loaded", [](TVrTimer& t) { t.Loaded(); }, true},
        {TVrTimerType::ttSystem, "Enabled off and on", [](TVrTimer& t) { t.SetEnabled(false); t.SetEnabled(true); }, true},
        {TVrTimerType::ttSystem, "TimerType", [](TVrTimer& t) { t.SetTimerType(TVrTimerType::ttThread); }, true},
        {TVrTimerType::ttSystem, "Priority, which system mode ignores", [](TVrTimer& t) { t.SetPriority(TThreadPriority::tpHigher); }, false},
    };
    for (const auto& c : cases) {
        const std::string row = std::string(Name(c.type)) + ", " + c.trigger;
        Ticks = 0;
        auto timer = MakeTimer(c.type, 10, nullptr);
        RunFor(40);
        timer->SetOnTimer(Counter());
        RunFor(60);
        EXPECT_EQ(Ticks, 0) << row << ": the new handler acted before the timer was updated";
        c.update(*timer);
        if (c.ticks) {
            EXPECT_TRUE(TicksReach(2)) << row;
        } else {
            RunFor(60);
            EXPECT_EQ(Ticks, 0) << row;
        }
    }
}

TEST_F(VrTimer, NoTickReachesTheHandlerWhileDisabled)
{
    for (const TVrTimerType type : {TVrTimerType::ttThread, TVrTimerType::ttSystem}) {
        Ticks = 0;
        auto timer = MakeTimer(type, 10, Counter());
        ASSERT_TRUE(TicksReach(2)) << Name(type);
        timer->SetEnabled(false);
        const int atDisable = Ticks;
        RunFor(80);
        EXPECT_EQ(Ticks, atDisable) << Name(type);
        timer->SetEnabled(true);
        EXPECT_TRUE(TicksReach(atDisable + 2)) << Name(type) << ": enabling again resumes the ticks";
    }
}

TEST_F(VrTimer, TypeChangeTearsTheOldMechanismDownBeforeTheNewOneStarts)
{
    auto timer = MakeTimer(TVrTimerType::ttThread, 10, Counter());
    ASSERT_TRUE(TicksReach(2));
    timer->SetTimerType(TVrTimerType::ttSystem);
    const int atChange = Ticks;
    RunFor(80, false);   // the window timer stands still, so only a worker left over could tick
    EXPECT_EQ(Ticks, atChange) << "the worker still ticks after the change to system mode";
    EXPECT_EQ(Screen.MessageWindows(), 1);
    EXPECT_TRUE(TicksReach(atChange + 2)) << "system mode ticks on the window timer";

    int hiddenWindowsAtFirstThreadTick = -1;
    timer->SetOnTimer([&](TObject*) {
        if (hiddenWindowsAtFirstThreadTick < 0)
            hiddenWindowsAtFirstThreadTick = Screen.MessageWindows();
        ++Ticks;
    });
    timer->SetTimerType(TVrTimerType::ttThread);
    EXPECT_EQ(Screen.MessageWindows(), 0) << "the hidden window outlived the change to thread mode";
    const int atSecondChange = Ticks;
    EXPECT_TRUE(TicksReach(atSecondChange + 2, false)) << "thread mode ticks without the window timers";
    EXPECT_EQ(hiddenWindowsAtFirstThreadTick, 0);
}

TEST_F(VrTimer, DestroyingWhileTheWorkerWaitsInAHandOverCompletesWithoutTheHandler)
{
    for (int round = 0; round < 10; ++round) {
        auto timer = MakeTimer(TVrTimerType::ttThread, 10, Counter());
        ASSERT_TRUE(AwaitHandOver()) << "round " << round;
        timer.reset();
        EXPECT_EQ(Queue().Pending(), 0u) << "round " << round;
        App.ProcessMessages();
        EXPECT_EQ(Ticks, 0) << "round " << round;
    }
}

TEST_F(VrTimer, HandlerMayFreeOrRebuildItsOwnTimer)
{
    const struct {
        TVrTimerType type;
        const char* action;
        bool freesTimer;
        TVrTimerType newType;
    } cases[] = {
        {TVrTimerType::ttThread, "frees its timer", true, TVrTimerType::ttThread},
        {TVrTimerType::ttSystem, "frees its timer", true, TVrTimerType::ttSystem},
        {TVrTimerType::ttThread, "switches to system mode", false, TVrTimerType::ttSystem},
        {TVrTimerType::ttSystem, "switches to thread mode", false, TVrTimerType::ttThread},
    };
    for (const auto& c : cases) {
        const std::string row = std::string(Name(c.type)) + ", handler " + c.action;
        Ticks = 0;
        std::unique_ptr<TVrTimer> timer;
        timer = MakeTimer(c.type, 10, [&](TObject*) {
            if (++Ticks != 2)
                return;
            if (c.freesTimer)
                timer.reset();
            else
                timer->SetTimerType(c.newType);
        });
        ASSERT_TRUE(TicksReach(2)) << row;
        if (c.freesTimer) {
            RunFor(60);
            EXPECT_EQ(Ticks, 2) << row << ": a freed timer ticked";
        } else {
            EXPECT_TRUE(TicksReach(4)) << row << ": the rebuilt timer does not tick";
            timer.reset();
        }
    }
    // Building another timer frees what the handlers could not free while they ran.
    MakeTimer(TVrTimerType::ttSystem, 10, nullptr).reset();
    EXPECT_EQ(Screen.MessageWindows(), 0);
}

TEST_F(VrTimer, DestroyingWaitsForAHandlerRunningOnTheWorker)
{
    std::atomic<bool> inHandler{false};
    std::atomic<bool> calledAfterDestruction{false};
    std::atomic<bool> destroyed{false};
    auto timer = std::make_unique<TVrTimer>(nullptr);
    timer->SetSyncEvent(false);
    timer->SetOnTimer([&](TObject*) {
        if (destroyed)
            calledAfterDestruction = true;
        inHandler = true;
        std::this_thread::sleep_for(20ms);
    });
    timer->SetInterval(10);   // starts the worker
    const auto end = Clock::now() + 5s;
    while (!inHandler && Clock::now() < end)
        std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(inHandler);
    timer.reset();
    destroyed = true;
    std::this_thread::sleep_for(30ms);
    EXPECT_FALSE(calledAfterDestruction);
}

TEST_F(VrTimer, HandlerErrorIsShownOncePerTickAndTheTimerGoesOn)
{
    const struct {
        TVrTimerType type;
        bool syncEvent;
        const char* row;
    } cases[] = {
        {TVrTimerType::ttThread, true, "thread mode, main thread"},
        {TVrTimerType::ttThread, false, "thread mode, on the worker"},
        {TVrTimerType::ttSystem, true, "system mode"},
    };
    for (const auto& c : cases) {
        Screen.ClearErrorBoxes();
        Ticks = 0;
        auto timer = std::make_unique<TVrTimer>(nullptr);
        timer->BeginLoading();
        timer->SetTimerType(c.type);
        timer->SetSyncEvent(c.syncEvent);
        timer->SetInterval(10);
        timer->SetOnTimer([&](TObject*) {
            ++Ticks;
            throw Exception("Tick failed");
        });
        timer->Loaded();
        EXPECT_TRUE(RunUntil([&] { return Screen.ErrorBoxes().size() >= 3; })) << c.row << ": the timer stopped";
        timer.reset();   // an error report still on its way is shown before this returns
        ASSERT_EQ(Screen.ErrorBoxes().size(), static_cast<size_t>(Ticks.load())) << c.row;
        EXPECT_EQ(Screen.ErrorBoxes()[0].Text, "Tick failed.") << c.row;
        EXPECT_EQ(Screen.ErrorBoxes()[0].Caption, "Quorvel") << c.row;
    }
}

TEST_F(VrTimer, RefusedWindowTimerRaisesAndLaterStarts)
{
    Screen.RefuseTimers = true;
    auto timer = std::make_unique<TVrTimer>(nullptr);
    timer->SetTimerType(TVrTimerType::ttSystem);
    timer->SetInterval(10);
    try {
        timer->SetOnTimer(Counter());
        timer->Loaded();
        FAIL() << "a refused window timer raised nothing";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "No timer resources left.");
    }
    RunFor(40);
    EXPECT_EQ(Ticks, 0);
    Screen.RefuseTimers = false;
    timer->SetInterval(12);
    EXPECT_TRUE(TicksReach(2));
}

TEST_F(VrTimer, NoTickRunsOnceTheApplicationEnds)
{
    auto timer = MakeTimer(TVrTimerType::ttThread, 10, Counter());
    ASSERT_TRUE(TicksReach(2));
    ASSERT_TRUE(AwaitHandOver());
    App.Terminate();
    const int atEnd = Ticks;
    RunFor(60);
    EXPECT_EQ(Ticks, atEnd);
    timer.reset();
}

TEST_F(VrTimer, ThreadTicksNeverOverlapAndEachWaitFollowsTheHandledTick)
{
    constexpr auto interval = 10ms;
    for (const bool syncEvent : {true, false}) {
        const char* row = syncEvent ? "handed to the main thread" : "on the worker";
        std::mutex lock;
        std::vector<Clock::time_point> starts, ends;
        std::atomic<bool> running{false};
        std::atomic<bool> overlapped{false};
        std::atomic<bool> wrongThread{false};
        const auto mainThread = std::this_thread::get_id();
        auto timer = std::make_unique<TVrTimer>(nullptr);
        timer->SetSyncEvent(syncEvent);
        timer->SetOnTimer([&](TObject*) {
            if (running.exchange(true))
                overlapped = true;
            if ((std::this_thread::get_id() == mainThread) != syncEvent)
                wrongThread = true;
            const auto start = Clock::now();
            std::this_thread::sleep_for(15ms);   // longer than the interval
            std::lock_guard guard(lock);
            starts.push_back(start);
            ends.push_back(Clock::now());
            running = false;
        });
        timer->SetInterval(static_cast<uint32_t>(interval.count()));   // starts the worker
        EXPECT_TRUE(RunUntil([&] {
            std::lock_guard guard(lock);
            return ends.size() >= 5;
        })) << row;
        timer.reset();
        EXPECT_FALSE(overlapped) << row;
        EXPECT_FALSE(wrongThread) << row;
        for (size_t i = 1; i < starts.size(); ++i)
            EXPECT_GE(starts[i] - ends[i - 1], interval) << row << ": tick " << i << " came before its wait was over";
    }
}
