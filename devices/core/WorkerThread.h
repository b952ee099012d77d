#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

namespace devices {

// A device's worker thread: a std::jthread whose body waits only on deadlines or events, and a
// wake-up for when what it waits for changes. Stop requests stop, wakes every wait, runs the
// given release (to abandon a blocking read) and joins.
class CWorkerThread {
public:
    using Clock = std::chrono::steady_clock;

    CWorkerThread() = default;
    ~CWorkerThread() { Stop(); }
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Stops a running body first.
    void Start(std::function<void(std::stop_token)> body);
    void Stop(const std::function<void()>& release = {});
    bool Running() const { return thread_.joinable(); }

    // Read before looking at what a Wake announces; a Wake after it ends the waits below.
    unsigned WakeGeneration();
    // Waits until the deadline, a Wake since `generation` or a stop; false when stop was
    // requested.
    bool WaitUntil(std::stop_token token, Clock::time_point deadline, unsigned generation);
    // Waits until a Wake since `generation` or a stop; false when stop was requested.
    bool WaitForWake(std::stop_token token, unsigned generation);
    void Wake();

private:
    std::mutex mutex_;
    std::condition_variable_any wake_;
    unsigned wakeCount_ = 0;
    std::jthread thread_;
};

}  // namespace devices
