#include "sim/ReportScheduler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using sim::CReportScheduler;
using sim::ReplyPlan;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Records what the scheduler sends: the first byte after the report id tells reports apart.
class Recorder {
public:
    CReportScheduler::SendFn Sender() {
        return [this](std::uint8_t iface, std::span<const std::uint8_t> report) {
            std::lock_guard lock(mutex_);
            sent_.push_back({iface, report[1], Clock::now(), std::this_thread::get_id()});
        };
    }
    CReportScheduler::UnplugFn Unplugger() {
        return [this] {
            std::lock_guard lock(mutex_);
            sent_.push_back({0xFF, 0xFF, Clock::now(), std::this_thread::get_id()});
        };
    }
    struct Sent {
        std::uint8_t iface;
        std::uint8_t tag;
        Clock::time_point at;
        std::thread::id thread;
    };
    std::vector<Sent> Taken() {
        std::lock_guard lock(mutex_);
        return sent_;
    }
    bool WaitForCount(std::size_t count) {
        auto deadline = Clock::now() + 5s;
        while (Taken().size() < count) {
            if (Clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(1ms);
        }
        return true;
    }

private:
    std::mutex mutex_;
    std::vector<Sent> sent_;
};

ReplyPlan Plan(std::initializer_list<std::pair<std::uint8_t, std::uint32_t>> replies) {
    ReplyPlan plan;
    for (auto [tag, delayMicros] : replies) {
        plan.frames[plan.count][1] = tag;
        plan.delayMicros[plan.count] = delayMicros;
        ++plan.count;
    }
    return plan;
}

TEST(ReportScheduler, ImmediateReplyGoesOutOnTheCallersThread) {
    Recorder recorder;
    CReportScheduler scheduler(recorder.Sender(), recorder.Unplugger());
    ASSERT_TRUE(scheduler.Deliver(1, Plan({{7, 0}})));
    auto sent = recorder.Taken();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].tag, 7);
    EXPECT_EQ(sent[0].iface, 1);
    EXPECT_EQ(sent[0].thread, std::this_thread::get_id());
}

TEST(ReportScheduler, LateRepliesKeepTheirOrderAndDelays) {
    Recorder recorder;
    CReportScheduler scheduler(recorder.Sender(), recorder.Unplugger());
    auto start = Clock::now();
    ASSERT_TRUE(scheduler.Deliver(1, Plan({{1, 30000}, {2, 0}})));
    ASSERT_TRUE(scheduler.Deliver(1, Plan({{3, 0}})));  // immediate, but must wait its turn
    ReplyPlan unplug;
    unplug.unplug = true;
    ASSERT_TRUE(scheduler.Deliver(1, unplug));
    ASSERT_TRUE(recorder.WaitForCount(4));
    auto sent = recorder.Taken();
    EXPECT_EQ(sent[0].tag, 1);
    EXPECT_EQ(sent[1].tag, 2);
    EXPECT_EQ(sent[2].tag, 3);
    EXPECT_EQ(sent[3].tag, 0xFF);  // the unplug comes after every reply before it
    EXPECT_GE(sent[0].at - start, 30ms);
}

TEST(ReportScheduler, PeriodicReportsRunUntilStopped) {
    Recorder recorder;
    CReportScheduler scheduler(recorder.Sender(), recorder.Unplugger());
    const std::uint8_t report[3] = {0, 9, 9};
    scheduler.StartPeriodic(0, report, 2ms);
    EXPECT_TRUE(scheduler.PeriodicRunning());
    ASSERT_TRUE(recorder.WaitForCount(10));
    scheduler.StopPeriodic();
    std::size_t count = recorder.Taken().size();
    std::this_thread::sleep_for(20ms);
    EXPECT_LE(recorder.Taken().size(), count + 1);  // at most one already on its way
    EXPECT_FALSE(scheduler.PeriodicRunning());
    for (const auto& s : recorder.Taken()) {
        EXPECT_EQ(s.tag, 9);
    }
}

TEST(ReportScheduler, StopIsPromptAndDropsWhatIsQueued) {
    Recorder recorder;
    CReportScheduler scheduler(recorder.Sender(), recorder.Unplugger());
    ASSERT_TRUE(scheduler.Deliver(1, Plan({{1, 600000000}})));  // ten minutes late
    const std::uint8_t report[3] = {0, 9, 9};
    scheduler.StartPeriodic(0, report, 600s);
    auto start = Clock::now();
    scheduler.Stop();
    // Far below the waits it abandons, far above what a loaded machine needs to wake it.
    EXPECT_LT(Clock::now() - start, 30s);
    EXPECT_TRUE(recorder.Taken().empty());
    EXPECT_FALSE(scheduler.Deliver(1, Plan({{2, 0}})));
    EXPECT_TRUE(recorder.Taken().empty());
}

TEST(ReportScheduler, FullQueueRefusesMore) {
    Recorder recorder;
    CReportScheduler scheduler(recorder.Sender(), recorder.Unplugger());
    for (std::size_t i = 0; i < CReportScheduler::kQueueCapacity; ++i) {
        ASSERT_TRUE(scheduler.Deliver(1, Plan({{1, 10000000}})));
    }
    EXPECT_FALSE(scheduler.Deliver(1, Plan({{1, 10000000}})));
}

}  // namespace
