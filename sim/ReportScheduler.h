#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <thread>

#include "sim/FirmwareFaults.h"

namespace sim {

// Sends an emulated device's input reports when they are due: replies that come late, and
// one periodic report stream (pointer motion). One thread that sleeps until the next due time
// or a change; replies due at once go out on the caller's thread when nothing is waiting, so
// a zero-latency transaction costs no thread hand-over. Order of replies is always kept.
class CReportScheduler {
public:
    using Clock = std::chrono::steady_clock;
    using SendFn =
        std::function<void(std::uint8_t interfaceNumber, std::span<const std::uint8_t> report)>;
    using UnplugFn = std::function<void()>;

    static constexpr std::size_t kQueueCapacity = 64;
    static constexpr std::size_t kMaxReportSize = 64;

    CReportScheduler(SendFn send, UnplugFn unplug);
    ~CReportScheduler();
    CReportScheduler(const CReportScheduler&) = delete;
    CReportScheduler& operator=(const CReportScheduler&) = delete;

    // Carries out a firmware reply plan for the given interface. False when the queue is full
    // (the replies are dropped, as a device overrun would).
    bool Deliver(std::uint8_t interfaceNumber, const ReplyPlan& plan);

    // Sends report every period until StopPeriodic; the report is copied.
    void StartPeriodic(std::uint8_t interfaceNumber, std::span<const std::uint8_t> report,
                       std::chrono::microseconds period);
    void StopPeriodic();
    bool PeriodicRunning() const;

    // Drops everything queued and ends the thread; no report is sent after it returns.
    void Stop();

private:
    struct Item {
        Clock::time_point due;
        std::uint8_t interfaceNumber = 0;
        bool unplug = false;
        std::size_t length = 0;
        std::array<std::uint8_t, kMaxReportSize> bytes{};
    };

    void Run(std::stop_token stop);
    bool PushLocked(const Item& item);

    SendFn send_;
    UnplugFn unplug_;

    mutable std::mutex mutex_;
    std::condition_variable_any wake_;
    std::array<Item, kQueueCapacity> queue_{};
    std::size_t head_ = 0;
    std::size_t count_ = 0;
    std::size_t inFlight_ = 0;
    std::condition_variable_any idle_;
    Clock::time_point lastDue_{};
    std::uint64_t changes_ = 0;  // bumped by every change the thread must look at

    bool periodic_ = false;
    Item periodicItem_{};
    Clock::duration period_{};
    bool stopped_ = false;

    std::jthread thread_;
};

}  // namespace sim
