#include "app/ThreadSlots.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Waits on the stop token the way the program's loops do: a bounded wait per pass.
void PassLoop(std::stop_token token, std::chrono::milliseconds period) {
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    while (!wake.wait_for(lock, token, period, [] { return false; })) {
        if (token.stop_requested()) {
            return;
        }
    }
}

// Longer than any test runs: a loop with this period ends only through its stop request.
constexpr auto kForever = std::chrono::hours(1);

// A UI thread stand-in: wakeUi only records that it was asked; the test runs RunPending itself
// or not at all.
struct Fixture {
    std::atomic<int> wakes{0};
    CThreadSlots slots{[this] { ++wakes; }};
};

// StopAll returning 0 means every thread ended before the join time ran out.
TEST(ThreadSlots, EveryThreadStopsWithinTheJoinTime) {
    Fixture f;
    for (int slot : {0, 2, 8}) {
        ASSERT_TRUE(f.slots.Start(slot, [](std::stop_token t) { PassLoop(t, kForever); }));
    }
    EXPECT_TRUE(f.slots.IsRunning(0));
    EXPECT_FALSE(f.slots.IsRunning(1));
    EXPECT_EQ(f.slots.StopAll(), 0);
    for (int slot : {0, 2, 8}) {
        EXPECT_FALSE(f.slots.IsRunning(slot));
    }
}

TEST(ThreadSlots, SlotsAreExclusiveAndBounded) {
    Fixture f;
    ASSERT_TRUE(f.slots.Start(3, [](std::stop_token t) { PassLoop(t, 50ms); }));
    EXPECT_FALSE(f.slots.Start(3, [](std::stop_token) {}));  // still running
    EXPECT_FALSE(f.slots.Start(-1, [](std::stop_token) {}));
    EXPECT_FALSE(f.slots.Start(CThreadSlots::kSlotCount, [](std::stop_token) {}));
    EXPECT_FALSE(f.slots.Start(4, {}));
    // A slot whose thread has ended takes a new one.
    std::atomic<bool> ran{false};
    ASSERT_TRUE(f.slots.Start(5, [&](std::stop_token) { ran = true; }));
    while (f.slots.IsRunning(5)) {
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_TRUE(f.slots.Start(5, [](std::stop_token) {}));
    f.slots.StopAll();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(f.slots.Start(6, [](std::stop_token) {}));  // stopped for good
}

// The deadlock the hand-overs are built to avoid: a worker blocked in a synchronous hand-over
// while the UI thread joins it. The UI thread never runs its event loop here; StopAll alone
// must run the hand-over.
TEST(ThreadSlots, WorkerInSendDoesNotBlockTheJoin) {
    Fixture f;
    std::atomic<bool> handedOver{false};
    std::atomic<bool> inSend{false};
    std::atomic<int> sendResult{-1};
    ASSERT_TRUE(f.slots.Start(0, [&](std::stop_token t) {
        inSend = true;
        sendResult = f.slots.Send(t, [&] { handedOver = true; }) ? 1 : 0;
        PassLoop(t, kForever);
    }));
    // The wake comes after the hand-over was queued: the worker is in Send.
    const auto limit = Clock::now() + 10s;
    while (f.wakes == 0 && Clock::now() < limit) {
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_TRUE(inSend);
    ASSERT_GE(f.wakes, 1);
    EXPECT_EQ(f.slots.StopAll(), 0);
    EXPECT_TRUE(handedOver);
    EXPECT_EQ(sendResult, 1);
    EXPECT_GE(f.wakes, 1);
}

TEST(ThreadSlots, HandOversAreRefusedOnceStopping) {
    Fixture f;
    std::atomic<int> refused{0};
    std::atomic<bool> ran{false};
    ASSERT_TRUE(f.slots.Start(0, [&](std::stop_token t) {
        PassLoop(t, 1000ms);
        // After the stop request a hand-over is refused at once instead of waiting.
        if (!f.slots.Send(t, [&] { ran = true; })) {
            ++refused;
        }
        std::stop_source fresh;
        if (!f.slots.Send(fresh.get_token(), [&] { ran = true; })) {
            ++refused;
        }
        if (!f.slots.Post([&] { ran = true; })) {
            ++refused;
        }
    }));
    f.slots.StopAll();
    EXPECT_EQ(refused, 3);
    EXPECT_FALSE(ran);
    EXPECT_EQ(f.slots.RunPending(), 0);
}

TEST(ThreadSlots, PostedHandOversRunInOrderOnTheUiThread) {
    Fixture f;
    std::vector<int> order;
    const std::thread::id ui = std::this_thread::get_id();
    std::atomic<bool> posted{false};
    bool onUi = true;
    ASSERT_TRUE(f.slots.Start(1, [&](std::stop_token) {
        for (int i = 0; i < 5; ++i) {
            f.slots.Post([&, i] {
                order.push_back(i);
                onUi = onUi && std::this_thread::get_id() == ui;
            });
        }
        posted = true;
    }));
    while (!posted) {
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(f.slots.RunPending(), 5);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(onUi);
    EXPECT_EQ(f.wakes, 5);
}

TEST(ThreadSlots, SendOnTheUiThreadRunsAtOnce) {
    Fixture f;
    std::stop_source source;
    bool ran = false;
    EXPECT_TRUE(f.slots.Send(source.get_token(), [&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_EQ(f.wakes, 0);
}

// A thread that ignores its stop request is given the join time, logged and left behind; the
// object can go away while it still runs, and its later hand-overs are refused harmlessly.
TEST(ThreadSlots, ThreadIgnoringStopIsAbandonedAfterTheJoinTime) {
    std::atomic<bool> release{false};
    std::atomic<bool> ended{false};
    {
        constexpr auto kJoinTime = 200ms;
        CThreadSlots slots{[] {}, kJoinTime};
        ASSERT_TRUE(slots.Start(7, [&](std::stop_token) {
            while (!release) {
                std::this_thread::sleep_for(5ms);
            }
            ended = true;
        }));
        const auto start = Clock::now();
        EXPECT_EQ(slots.StopAll(), 1);
        // It waited the whole join time before giving up (a lower bound holds on any machine).
        EXPECT_GE(Clock::now() - start, kJoinTime);
        EXPECT_EQ(slots.AbandonedCount(), 1);
    }
    release = true;
    while (!ended) {
        std::this_thread::sleep_for(1ms);
    }
    std::this_thread::sleep_for(10ms);  // its last touch of the shared state
}

}  // namespace
