#include "sim/ReportScheduler.h"

#include <algorithm>
#include <cstring>

namespace sim {

CReportScheduler::CReportScheduler(SendFn send, UnplugFn unplug)
    : send_(std::move(send)), unplug_(std::move(unplug)) {
    thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
}

CReportScheduler::~CReportScheduler() {
    Stop();
}

bool CReportScheduler::PushLocked(const Item& item) {
    if (count_ == kQueueCapacity) {
        return false;
    }
    queue_[(head_ + count_) % kQueueCapacity] = item;
    ++count_;
    return true;
}

bool CReportScheduler::Deliver(std::uint8_t interfaceNumber, const ReplyPlan& plan) {
    std::unique_lock lock(mutex_);
    if (stopped_) {
        return false;
    }
    if (!plan.unplug && plan.count == 1 && plan.delayMicros[0] == 0 && count_ == 0 &&
        inFlight_ == 0) {
        ++inFlight_;
        lock.unlock();
        send_(interfaceNumber, plan.frames[0]);
        lock.lock();
        --inFlight_;
        idle_.notify_all();
        return true;
    }
    // Due times never go backwards, so replies keep the order of their requests.
    Clock::time_point due = std::max(Clock::now(), lastDue_);
    bool queued = true;
    for (std::size_t i = 0; i < plan.count && i < ReplyPlan::kMaxReplies; ++i) {
        due += std::chrono::microseconds(plan.delayMicros[i]);
        Item item;
        item.due = due;
        item.interfaceNumber = interfaceNumber;
        item.length = plan.frames[i].size();
        std::memcpy(item.bytes.data(), plan.frames[i].data(), item.length);
        queued = PushLocked(item) && queued;
    }
    if (plan.unplug) {
        Item item;
        item.due = due;
        item.unplug = true;
        queued = PushLocked(item) && queued;
    }
    lastDue_ = due;
    ++changes_;
    wake_.notify_all();
    return queued;
}

void CReportScheduler::StartPeriodic(std::uint8_t interfaceNumber,
                                     std::span<const std::uint8_t> report,
                                     std::chrono::microseconds period) {
    std::lock_guard lock(mutex_);
    periodicItem_.interfaceNumber = interfaceNumber;
    periodicItem_.length = std::min(report.size(), kMaxReportSize);
    std::memcpy(periodicItem_.bytes.data(), report.data(), periodicItem_.length);
    period_ = std::max<Clock::duration>(period, std::chrono::microseconds(100));
    periodicItem_.due = Clock::now() + period_;
    periodic_ = true;
    ++changes_;
    wake_.notify_all();
}

void CReportScheduler::StopPeriodic() {
    std::lock_guard lock(mutex_);
    periodic_ = false;
    ++changes_;
    wake_.notify_all();
}

bool CReportScheduler::PeriodicRunning() const {
    std::lock_guard lock(mutex_);
    return periodic_;
}

void CReportScheduler::Stop() {
    thread_.request_stop();
    if (thread_.joinable()) {
        thread_.join();
    }
    std::unique_lock lock(mutex_);
    stopped_ = true;
    count_ = 0;
    periodic_ = false;
    idle_.wait(lock, [this] { return inFlight_ == 0; });
}

void CReportScheduler::Run(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        if (count_ == 0 && !periodic_) {
            wake_.wait(lock, stop, [this] { return count_ > 0 || periodic_; });
            continue;
        }
        const bool replyFirst =
            count_ > 0 && (!periodic_ || queue_[head_].due <= periodicItem_.due);
        const Clock::time_point due = replyFirst ? queue_[head_].due : periodicItem_.due;
        if (due > Clock::now()) {
            // Wake early when something changes what is due first.
            const std::uint64_t seen = changes_;
            wake_.wait_until(lock, stop, due, [&] { return changes_ != seen; });
            continue;
        }
        // An inline reply may still be on its way out; it came first.
        idle_.wait(lock, [this] { return inFlight_ == 0; });
        Item item;
        if (replyFirst) {
            item = queue_[head_];
            head_ = (head_ + 1) % kQueueCapacity;
            --count_;
        } else {
            item = periodicItem_;
            periodicItem_.due += period_;
            if (periodicItem_.due < Clock::now()) {
                periodicItem_.due = Clock::now() + period_;  // fell behind: no burst
            }
        }
        ++inFlight_;
        lock.unlock();
        if (item.unplug) {
            unplug_();
        } else {
            send_(item.interfaceNumber, std::span(item.bytes.data(), item.length));
        }
        lock.lock();
        --inFlight_;
        idle_.notify_all();
    }
}

}  // namespace sim
