#include "app/ThreadSlots.h"

#include <string>

#include "base/Trace.h"

CThreadSlots::CThreadSlots(std::function<void()> wakeUi, std::chrono::milliseconds joinTimeout)
    : wakeUi_(std::move(wakeUi)),
      joinTimeout_(joinTimeout),
      uiThread_(std::this_thread::get_id()),
      state_(std::make_shared<State>()) {}

CThreadSlots::~CThreadSlots() {
    StopAll();
}

bool CThreadSlots::Start(int slot, Body body) {
    if (slot < 0 || slot >= kSlotCount || !body) {
        return false;
    }
    Slot& s = slots_[static_cast<std::size_t>(slot)];
    {
        std::lock_guard lock(state_->mutex);
        if (state_->stopping || (s.thread.joinable() && !*s.finished)) {
            return false;
        }
    }
    if (s.thread.joinable()) {
        s.thread.join();  // ended already
    }
    auto finished = std::make_shared<bool>(false);
    s.finished = finished;
    s.thread =
        std::jthread([state = state_, finished, body = std::move(body)](std::stop_token token) {
            body(token);
            {
                std::lock_guard guard(state->mutex);
                *finished = true;
            }
            state->changed.notify_all();
        });
    return true;
}

bool CThreadSlots::IsRunning(int slot) const {
    if (slot < 0 || slot >= kSlotCount) {
        return false;
    }
    const Slot& s = slots_[static_cast<std::size_t>(slot)];
    std::lock_guard lock(state_->mutex);
    return s.thread.joinable() && s.finished && !*s.finished;
}

bool CThreadSlots::Stopping() const {
    std::lock_guard lock(state_->mutex);
    return state_->stopping;
}

int CThreadSlots::StopAll() {
    {
        std::lock_guard lock(state_->mutex);
        state_->stopping = true;
    }
    for (Slot& s : slots_) {
        if (s.thread.joinable()) {
            s.thread.request_stop();
        }
    }
    state_->changed.notify_all();
    // One deadline for all: every thread had the stop request at the same moment.
    const auto deadline = std::chrono::steady_clock::now() + joinTimeout_;
    int late = 0;
    for (int index = 0; index < kSlotCount; ++index) {
        Slot& s = slots_[static_cast<std::size_t>(index)];
        if (!s.thread.joinable()) {
            continue;
        }
        bool ended = false;
        for (;;) {
            RunPending();
            std::unique_lock lock(state_->mutex);
            if (!state_->changed.wait_until(
                    lock, deadline, [&] { return *s.finished || !state_->pending.empty(); })) {
                break;  // deadline
            }
            if (*s.finished) {
                ended = true;
                break;
            }
            // A hand-over arrived: run it and wait on.
        }
        if (ended) {
            s.thread.join();
        } else {
            trace::Line("thread slot " + std::to_string(index) + " did not stop within " +
                        std::to_string(joinTimeout_.count()) + " ms; left to end on its own");
            s.thread.detach();
            ++late;
        }
    }
    // A late worker may still wait in Send: release it without running its hand-over.
    std::deque<Pending> dropped;
    {
        std::lock_guard lock(state_->mutex);
        dropped.swap(state_->pending);
        for (Pending& p : dropped) {
            if (p.done) {
                *p.done = true;
            }
        }
    }
    state_->changed.notify_all();
    abandoned_ += late;
    return late;
}

bool CThreadSlots::Send(const std::stop_token& token, Task task) {
    if (token.stop_requested() || !task) {
        return false;
    }
    if (std::this_thread::get_id() == uiThread_) {
        task();
        return true;
    }
    auto done = std::make_shared<bool>(false);
    auto ran = std::make_shared<bool>(false);
    std::shared_ptr<State> state = state_;
    {
        std::lock_guard lock(state->mutex);
        if (state->stopping) {
            return false;
        }
        state->pending.push_back(Pending{[task = std::move(task), ran] {
                                             task();
                                             *ran = true;
                                         },
                                         done});
    }
    state->changed.notify_all();
    if (wakeUi_) {
        wakeUi_();
    }
    std::unique_lock lock(state->mutex);
    state->changed.wait(lock, [&] { return *done; });
    return *ran;
}

bool CThreadSlots::Post(Task task) {
    if (!task) {
        return false;
    }
    {
        std::lock_guard lock(state_->mutex);
        if (state_->stopping) {
            return false;
        }
        state_->pending.push_back(Pending{std::move(task), nullptr});
    }
    state_->changed.notify_all();
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
            std::lock_guard lock(state_->mutex);
            if (state_->pending.empty()) {
                break;
            }
            next = std::move(state_->pending.front());
            state_->pending.pop_front();
        }
        next.task();
        ++count;
        if (next.done) {
            {
                std::lock_guard lock(state_->mutex);
                *next.done = true;
            }
            state_->changed.notify_all();
        }
    }
    return count;
}
