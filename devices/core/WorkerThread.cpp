#include "devices/core/WorkerThread.h"

namespace devices {

void CWorkerThread::Start(std::function<void(std::stop_token)> body) {
    Stop();
    thread_ = std::jthread(std::move(body));
}

void CWorkerThread::Stop(const std::function<void()>& release) {
    if (!thread_.joinable()) {
        return;
    }
    thread_.request_stop();
    {
        // Taking the lock orders the request before a waiter's predicate check.
        std::lock_guard lock(mutex_);
    }
    wake_.notify_all();
    if (release) {
        release();
    }
    thread_.join();
    thread_ = std::jthread();
}

unsigned CWorkerThread::WakeGeneration() {
    std::lock_guard lock(mutex_);
    return wakeCount_;
}

bool CWorkerThread::WaitUntil(std::stop_token token, Clock::time_point deadline,
                              unsigned generation) {
    std::unique_lock lock(mutex_);
    wake_.wait_until(lock, token, deadline, [&] { return wakeCount_ != generation; });
    return !token.stop_requested();
}

bool CWorkerThread::WaitForWake(std::stop_token token, unsigned generation) {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, token, [&] { return wakeCount_ != generation; });
    return !token.stop_requested();
}

void CWorkerThread::Wake() {
    {
        std::lock_guard lock(mutex_);
        ++wakeCount_;
    }
    wake_.notify_all();
}

}  // namespace devices
