#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/core/NativeEventQueue.h"

namespace {

using std::chrono::milliseconds;

constexpr TNativeWindow A = 0x10;
constexpr TNativeWindow B = 0x20;

TNativeEvent Event(TNativeEvent::TKind Kind, TNativeWindow Window, uint16_t Key = 0)
{
    TNativeEvent e;
    e.Kind = Kind;
    e.Window = Window;
    e.Key = Key;
    return e;
}

// What the queue hands out, one letter per event: k key (with its number), m message (with its
// WParam), t timer (with its id), r resize.
std::string Drain(TNativeEventQueue& Queue, bool IncludeTimers)
{
    std::string out;
    TNativeEvent e;
    while (Queue.Take(e, IncludeTimers)) {
        switch (e.Kind) {
        case TNativeEvent::KeyDown:
            out += "k" + std::to_string(e.Key);
            break;
        case TNativeEvent::Message:
            out += "m" + std::to_string(e.WParam);
            break;
        case TNativeEvent::Timer:
            out += "t" + std::to_string(e.TimerId);
            break;
        case TNativeEvent::Resized:
            out += "r" + std::to_string(e.Area.Right);
            break;
        default:
            out += "?";
        }
    }
    return out;
}

// One step of a script: what arrives, in order.
struct TStep {
    enum { Key, Post, Fall, Resize } What;
    uintptr_t Value;
};

}  // namespace

TEST(NativeEventQueue, HandsOutEventsInArrivalOrderAndTimersOnlyWhenNothingElseWaits)
{
    const struct {
        const char* row;
        std::vector<TStep> steps;
        bool includeTimers;
        const char* expected;
    } cases[] = {
        {"input and posts keep their order", {{TStep::Key, 1}, {TStep::Post, 2}, {TStep::Key, 3}}, true, "k1m2k3"},
        {"a tick that fell first still waits behind later input",
         {{TStep::Fall, 7}, {TStep::Key, 1}, {TStep::Post, 2}}, true, "k1m2t7"},
        {"ticks come in the order their timers fell due", {{TStep::Fall, 9}, {TStep::Fall, 7}, {TStep::Fall, 8}}, true, "t9t7t8"},
        {"a timer has one tick waiting however often it falls",
         {{TStep::Fall, 7}, {TStep::Fall, 8}, {TStep::Fall, 7}, {TStep::Fall, 7}}, true, "t7t8"},
        {"without timers asked for, ticks stay", {{TStep::Fall, 7}, {TStep::Key, 1}}, false, "k1"},
        {"a run of resizes keeps the newest only", {{TStep::Resize, 1}, {TStep::Resize, 2}, {TStep::Key, 5}, {TStep::Resize, 3}},
         true, "r2k5r3"},
    };
    for (const auto& c : cases) {
        TNativeEventQueue queue;
        queue.Open(A);
        for (uintptr_t id : {7, 8, 9})
            queue.StartTimer(A, id);
        for (const TStep& s : c.steps) {
            switch (s.What) {
            case TStep::Key:
                queue.Push(Event(TNativeEvent::KeyDown, A, static_cast<uint16_t>(s.Value)));
                break;
            case TStep::Post:
                queue.Post(A, 0x400, s.Value, 0);
                break;
            case TStep::Fall:
                queue.TimerFell(A, s.Value);
                break;
            case TStep::Resize: {
                TNativeEvent e = Event(TNativeEvent::Resized, A);
                e.Area = {0, 0, static_cast<int32_t>(s.Value), 1};
                queue.PushLatest(e);
                break;
            }
            }
        }
        EXPECT_EQ(Drain(queue, c.includeTimers), c.expected) << c.row;
    }
}

TEST(NativeEventQueue, TimersTickOnlyWhileKnownAndRestartDropsTheWaitingTick)
{
    TNativeEventQueue queue;
    queue.TimerFell(A, 1);
    EXPECT_EQ(Drain(queue, true), "") << "a timer never started";

    queue.StartTimer(A, 1);
    queue.TimerFell(A, 1);
    queue.StartTimer(A, 1);
    EXPECT_EQ(Drain(queue, true), "") << "restarted: the old period's tick is gone";
    queue.TimerFell(A, 1);
    EXPECT_TRUE(queue.Waiting(true));
    EXPECT_FALSE(queue.Waiting(false));
    queue.StopTimer(A, 1);
    EXPECT_FALSE(queue.TimerKnown(A, 1));
    EXPECT_EQ(Drain(queue, true), "") << "stopped: its waiting tick is gone";

    queue.StartTimer(A, 1);
    queue.TimerFell(A, 1);
    EXPECT_EQ(Drain(queue, true), "t1");
    queue.TimerFell(A, 1);
    EXPECT_EQ(Drain(queue, true), "t1") << "after its tick was taken the timer falls due again";
}

TEST(NativeEventQueue, PurgeDropsAWindowsEventsTimersAndLaterPosts)
{
    TNativeEventQueue queue;
    queue.Open(A);
    queue.Open(B);
    queue.StartTimer(A, 1);
    queue.StartTimer(B, 2);
    queue.Push(Event(TNativeEvent::KeyDown, A, 1));
    queue.Post(B, 0x400, 2, 0);
    queue.Post(A, 0x400, 3, 0);
    queue.TimerFell(A, 1);
    queue.TimerFell(B, 2);
    queue.Purge(A);
    EXPECT_FALSE(queue.IsOpen(A));
    EXPECT_FALSE(queue.TimerKnown(A, 1));
    EXPECT_FALSE(queue.Post(A, 0x400, 4, 0)) << "a post to a window that went";
    EXPECT_FALSE(queue.Post(0x99, 0x400, 5, 0)) << "a post to a window never opened";
    EXPECT_EQ(Drain(queue, true), "m2t2");
}

TEST(NativeEventQueue, NewestEventCanBeAmended)
{
    TNativeEventQueue queue;
    EXPECT_FALSE(queue.AmendNewest([](TNativeEvent&) { return true; })) << "nothing waits";
    queue.Push(Event(TNativeEvent::KeyDown, A, 1));
    queue.Push(Event(TNativeEvent::KeyDown, A, 2));
    EXPECT_TRUE(queue.AmendNewest([](TNativeEvent& e) {
        e.Key = 5;
        return true;
    }));
    EXPECT_FALSE(queue.AmendNewest([](TNativeEvent&) { return false; }));
    EXPECT_EQ(Drain(queue, true), "k1k5");
}

// A post or wake from another thread reaches a loop that waits, through the wake handler for
// a backend that waits in the system and through WaitFor for one that waits on the queue; a
// wake given before the wait is not lost, and it ends one wait only.
TEST(NativeEventQueue, PostsAndWakesFromOtherThreadsEndTheWait)
{
    TNativeEventQueue queue;
    std::atomic<int> handled{0};
    queue.SetWakeHandler([&] { ++handled; });
    queue.Open(A);

    queue.Wake();
    EXPECT_TRUE(queue.WaitFor(milliseconds(0))) << "a wake given before the wait";
    EXPECT_FALSE(queue.WaitFor(milliseconds(20))) << "one wake ends one wait";

    for (const bool post : {true, false}) {
        std::thread other([&] {
            std::this_thread::sleep_for(milliseconds(30));
            if (post)
                queue.Post(A, 0x400, 9, 0);
            else
                queue.Wake();
        });
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(queue.WaitFor(milliseconds(5000))) << (post ? "post" : "wake");
        EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(4000));
        other.join();
        EXPECT_EQ(Drain(queue, false), post ? "m9" : "");
    }
    EXPECT_EQ(handled.load(), 3) << "the handler heard of every post and wake";
    EXPECT_FALSE(queue.TakeWake());

    // Many threads posting at once lose nothing.
    std::vector<std::thread> posters;
    for (int t = 0; t < 4; ++t)
        posters.emplace_back([&] {
            for (int i = 0; i < 500; ++i)
                queue.Post(A, 0x400, 1, 0);
        });
    for (std::thread& t : posters)
        t.join();
    EXPECT_EQ(queue.Size(), 2000u);
}
