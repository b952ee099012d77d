#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

// The main window's background threads by slot index, and the hand-overs from those threads to
// the UI thread. A worker hands work over synchronously with Send (it waits until the UI thread
// ran it) or asynchronously with Post. While the UI thread stops the threads it keeps running
// pending hand-overs, so a worker blocked in Send can always reach its stop check.
// Qt-free: the owner supplies how to wake the UI thread (wakeUi posts a call of RunPending).
class CThreadSlots {
public:
    static constexpr int kSlotCount = 20;
    static constexpr std::chrono::milliseconds kJoinTimeout{1000};

    using Body = std::function<void(std::stop_token)>;
    using Task = std::function<void()>;

    // Construct on the UI thread. wakeUi is called from any thread whenever a hand-over is
    // queued; it must arrange that RunPending is called on the UI thread soon (and must not
    // block). joinTimeout is shorter only in tests of the give-up path.
    explicit CThreadSlots(std::function<void()> wakeUi,
                          std::chrono::milliseconds joinTimeout = kJoinTimeout);
    // Stops every thread still running (see StopAll).
    ~CThreadSlots();
    CThreadSlots(const CThreadSlots&) = delete;
    CThreadSlots& operator=(const CThreadSlots&) = delete;

    // Starts body on a new thread in slot. False for a slot out of range or one whose thread
    // has not been stopped yet.
    bool Start(int slot, Body body);
    // True while slot's thread runs its body.
    bool IsRunning(int slot) const;
    // Slots whose threads did not end within the join time at the last StopAll.
    int AbandonedCount() const { return abandoned_; }

    // UI thread: asks every thread to stop, then gives each up to the join time (counted from
    // the request) while running hand-overs. A thread that has not ended by then is logged and
    // left to end on its own (C++ cannot kill it). Hand-overs still queued afterwards are dropped;
    // later Send/Post calls are refused. Returns the number of threads that did not end in time.
    int StopAll();
    bool Stopping() const;

    // Worker: runs task on the UI thread and waits until it ran. Returns false without running
    // it when the worker's stop was requested or the slots are stopping (so no worker ever
    // waits on a UI thread that is joining it). Called on the UI thread it runs task at once.
    bool Send(const std::stop_token& token, Task task);
    // Any thread: queues task for the UI thread. False when the slots are stopping.
    bool Post(Task task);
    // UI thread: runs every queued hand-over. Returns how many ran.
    int RunPending();

private:
    struct Pending {
        Task task;
        std::shared_ptr<bool> done;  // null for a post; guarded by State::mutex
    };
    // Shared with the threads, so a thread left running past the join time never touches a
    // destroyed object.
    struct State {
        std::mutex mutex;
        std::condition_variable changed;  // a thread finished, a hand-over was queued or ran
        std::deque<Pending> pending;
        bool stopping = false;
    };
    struct Slot {
        std::jthread thread;
        std::shared_ptr<bool> finished;  // guarded by State::mutex
    };

    std::function<void()> wakeUi_;
    std::chrono::milliseconds joinTimeout_;
    std::thread::id uiThread_;  // the constructing thread
    std::shared_ptr<State> state_;
    std::array<Slot, kSlotCount> slots_;  // touched by the UI thread only
    int abandoned_ = 0;
};
