#include "app/ThreadSlots.h"

#include <string>

#include "base/Trace.h"

CThreadSlots::CThreadSlots(std::function<void()> wakeUi) : wakeUi_(std::move(wakeUi)) {}

CThreadSlots::~CThreadSlots() {
    StopAll();
}

bool CThreadSlots::Start(int slot, Body body) {
    if (slot < 0 || slot >= kSlotCount || !body) {
        return false;
    }
    std::unique_lock lock(mutex_);
    if (stopping_) {
        return false;
    }
    Slot& s = slots_[static_cast<std::size_t>(slot)];
    if (s.thread.joinable()) {
        if (!*s.finished) {
            return false;
        }
        lock.unlock();
        s.thread.join();
        lock.lock();
    }
    auto finished = std::make_shared<bool>(false);
    s.finished = finished;
    s.thread = std::jthread([this, finished, body = std::move(body)](std::stop_token token) {
        body(token);
        {
            std::lock_guard guard(mutex_);
            *finished = true;
        }
        changed_.notify_all();
    });
    return true;
}

bool CThreadSlots::IsRunning(int slot) const {
    if (slot < 0 || slot >= kSlotCount) {
        return false;
    }
    std::lock_guard lock(mutex_);
    const Slot& s = slots_[static_cast<std::size_t>(slot)];
    return s.thread.joinable() && s.finished && !*s.finished;
}

bool CThreadSlots::Stopping() const {
    std::lock_guard lock(mutex_);
    return stopping_;
}

int CThreadSlots::StopAll() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    for (Slot& s : slots_) {
        if (s.thread.joinable()) {
            s.thread.request_stop();
        }
    }
    changed_.notify_all();
    const auto deadline = std::chrono::steady_clock::now() + kJoinTimeout;
    int late = 0;
    for (int index = 0; index < kSlotCount; ++index) {
        Slot& s = slots_[static_cast<std::size_t>(index)];
        if (!s.thread.joinable()) {
            continue;
        }
        bool ended = false;
        for (;;) {
            RunPending();
            std::unique_lock lock(mutex_);
            if (changed_.wait_until(lock, deadline,
                                    [&] { return *s.finished || !pending_.empty(); })) {
                if (*s.finished) {
                    ended = true;
                    break;
                }
                continue;  // a hand-over arrived: run it and wait on
            }
            break;
        }
        if (ended) {
            s.thread.join();
        } else {
            trace::Line("thread slot " + std::to_string(index) + " did not stop within " +
                        std::to_string(kJoinTimeout.count()) + " ms");
            s.thread.detach();
            ++late;
        }
    }
    // A late worker may still be waiting in Send: release it without running its hand-over.
    std::deque<Pending> dropped;
    {
        std::lock_guard lock(mutex_);
        dropped.swap(pending_);
        for (Pending& p : dropped) {
            if (p.done) {
                *p.done = true;
            }
        }
        abandoned_ += late;
    }
    changed_.notify_all();
    return late;
}

bool CThreadSlots::Send(const std::stop_token& token, Task task) {
    if (token.stop_requested()) {
        return false;
    }
    auto done = std::make_shared<bool>(false);
    auto ran = std::make_shared<bool>(false);
    {
        std::lock_guard lock(mutex_);
        if (stopping_) {
            return false;
        }
        pending_.push_back(Pending{[task = std::move(task), ran] {
                                       task();
                                       *ran = true;
                                   },
                                   done});
    }
    changed_.notify_all();
    if (wakeUi_) {
        wakeUi_();
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return *done; });
    return *ran;
}

bool CThreadSlots::Post(Task task) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) {
            return false;
        }
        pending_.push_back(Pending{std::move(task), nullptr});
    }
    changed_.notify_all();
    if (wakeUi_) {
        wakeUi_();
    }
    return true;
}

int CThreadSlots::RunPending() {
    int count = 0;
    for (;;) {
        Pending next;
        {
            std::lock_guard lock(mutex_);
            if (pending_.empty()) {
                break;
            }
            next = std::move(pending_.front());
            pending_.pop_front();
        }
        next.task();
        ++count;
        if (next.done) {
            {
                std::lock_guard lock(mutex_);
                *next.done = true;
            }
            changed_.notify_all();
        }
    }
    return count;
}
