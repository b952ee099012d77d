#include "hid/HidNode.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace hid {

// State shared with the writer thread, which may outlive the node while a transport write
// blocks: the thread then finishes that write and drops the last reference.
struct CHidNode::Core {
    explicit Core(std::unique_ptr<INodeTransport> t)
        : transport(std::move(t)), writeBuffer(kMaxReportBytes) {}

    std::mutex lock;
    std::condition_variable changed;
    bool gone = false;
    bool stopping = false;

    std::unique_ptr<INodeTransport> transport;
    std::vector<std::uint8_t> writeBuffer;
    std::size_t writeLength = 0;
    bool writeQueued = false;  // a copy waits for the writer thread
    bool writeBusy = false;    // the writer thread is inside the transport
    std::uint64_t submitted = 0;
    std::uint64_t completed = 0;
    TransportResult lastResult = TransportResult::Ok;
    // The caller of the last write has not taken its result yet; no next write starts before,
    // so a result is never taken by the wrong caller.
    bool resultPending = false;
    bool ownerWaiting = false;
};

namespace {

using Clock = std::chrono::steady_clock;

// Waits on cv until done() or the time-out; true when done() held.
template <typename Predicate>
bool WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock,
             std::uint32_t timeoutMs, Predicate done) {
    if (timeoutMs == kInfinite) {
        cv.wait(lock, done);
        return true;
    }
    return cv.wait_until(lock, Clock::now() + std::chrono::milliseconds(timeoutMs), done);
}

}  // namespace

// One open collection: its own queue of the last 32 input reports, storage allocated once.
class CNodeHandle final : public IHidHandle {
public:
    CNodeHandle(std::shared_ptr<CHidNode> node, int collectionIndex)
        : node_(std::move(node)), collection_(collectionIndex) {
        const TopLevelCollection& tlc = node_->info_.collections[collection_];
        slotSize_ = std::max<std::size_t>(tlc.InputReportByteLength(), 1);
        storage_.resize(slotSize_ * CHidNode::kQueueDepth);
        node_->Register(this);
    }
    ~CNodeHandle() override { node_->Unregister(this); }

    HidAttributes Attributes() const override { return node_->attributes_; }
    const std::vector<std::uint8_t>& ReportDescriptor() const override {
        return node_->descriptor_;
    }
    int CollectionIndex() const override { return collection_; }

    int Read(std::uint8_t* buffer, std::uint32_t length, std::uint32_t& transferred,
             std::uint32_t timeoutMs) override {
        transferred = 0;
        CHidNode::Core& core = *node_->core_;
        std::unique_lock<std::mutex> lock(core.lock);
        bool ready = WaitFor(core.changed, lock, timeoutMs,
                             [&] { return closed_ || count_ > 0 || core.gone; });
        if (!ready || closed_ || count_ == 0) {
            return 0;
        }
        const std::uint8_t* slot = storage_.data() + head_ * slotSize_;
        std::size_t n = std::min<std::size_t>(lengths_[head_], length);
        std::memcpy(buffer, slot, n);
        head_ = (head_ + 1) % CHidNode::kQueueDepth;
        --count_;
        transferred = static_cast<std::uint32_t>(n);
        return 1;
    }

    int Write(const std::uint8_t* report, std::uint32_t length, std::uint32_t& transferred,
              std::uint32_t timeoutMs) override {
        transferred = 0;
        CHidNode::Core& core = *node_->core_;
        if (length == 0 || length > core.writeBuffer.size()) {
            return 0;
        }
        const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        auto waitUntil = [&](std::unique_lock<std::mutex>& lock, auto done) {
            if (timeoutMs == kInfinite) {
                core.changed.wait(lock, done);
                return true;
            }
            return core.changed.wait_until(lock, deadline, done);
        };
        std::unique_lock<std::mutex> lock(core.lock);
        // One write at a time per node; a write the caller gave up on still occupies it.
        bool free = waitUntil(lock, [&] {
            return closed_ || core.gone ||
                   (!core.writeQueued && !core.writeBusy && !core.resultPending);
        });
        if (!free || closed_ || core.gone) {
            return 0;
        }
        std::memcpy(core.writeBuffer.data(), report, length);
        core.writeLength = length;
        core.writeQueued = true;
        core.resultPending = true;
        core.ownerWaiting = true;
        const std::uint64_t ticket = ++core.submitted;
        core.changed.notify_all();
        waitUntil(lock, [&] { return closed_ || core.gone || core.completed >= ticket; });
        const bool completed = core.completed >= ticket;
        const TransportResult result = core.lastResult;
        // Given up or taken: either way the next write may go once the writer is done.
        core.ownerWaiting = false;
        if (completed) {
            core.resultPending = false;
        }
        core.changed.notify_all();
        if (!completed || closed_ || result != TransportResult::Ok) {
            return 0;
        }
        transferred = length;
        return 1;
    }

    void Cancel() override {
        CHidNode::Core& core = *node_->core_;
        std::lock_guard<std::mutex> guard(core.lock);
        closed_ = true;
        core.changed.notify_all();
    }

    // Under core.lock.
    void Push(std::span<const std::uint8_t> report) {
        if (report.size() > slotSize_ || closed_) {
            return;
        }
        if (count_ == CHidNode::kQueueDepth) {  // full: the oldest report goes
            head_ = (head_ + 1) % CHidNode::kQueueDepth;
            --count_;
        }
        std::size_t tail = (head_ + count_) % CHidNode::kQueueDepth;
        std::memcpy(storage_.data() + tail * slotSize_, report.data(), report.size());
        lengths_[tail] = static_cast<std::uint32_t>(report.size());
        ++count_;
    }

private:
    std::shared_ptr<CHidNode> node_;
    int collection_;
    std::size_t slotSize_ = 1;
    std::vector<std::uint8_t> storage_;
    std::array<std::uint32_t, CHidNode::kQueueDepth> lengths_{};
    std::size_t head_ = 0;
    std::size_t count_ = 0;
    bool closed_ = false;
};

CHidNode::CHidNode(HidAttributes attributes, std::vector<std::uint8_t> descriptor,
                   ReportDescriptorInfo info, std::unique_ptr<INodeTransport> transport)
    : attributes_(attributes),
      descriptor_(std::move(descriptor)),
      info_(std::move(info)),
      core_(std::make_shared<Core>(std::move(transport))) {
    collectionOfReportId_.fill(-1);
    for (std::size_t c = 0; c < info_.collections.size(); ++c) {
        for (std::uint8_t id : info_.collections[c].inputReportIds) {
            if (collectionOfReportId_[id] < 0) {
                collectionOfReportId_[id] = static_cast<std::int16_t>(c);
            }
        }
    }
    writer_ = std::thread(&CHidNode::WriterLoop, core_);
}

CHidNode::~CHidNode() {
    bool busy = false;
    {
        std::lock_guard<std::mutex> guard(core_->lock);
        core_->stopping = true;
        busy = core_->writeBusy;
        core_->changed.notify_all();
    }
    // A transport write stuck in the kernel must not hold up the close: the thread finishes it
    // on its own and releases the shared state.
    if (busy) {
        writer_.detach();
    } else {
        writer_.join();
    }
}

void CHidNode::WriterLoop(std::shared_ptr<Core> core) {
    std::unique_lock<std::mutex> lock(core->lock);
    for (;;) {
        core->changed.wait(lock, [&] { return core->stopping || core->writeQueued; });
        if (core->stopping) {
            return;
        }
        core->writeQueued = false;
        core->writeBusy = true;
        std::span<const std::uint8_t> report(core->writeBuffer.data(), core->writeLength);
        lock.unlock();
        TransportResult result = core->transport->WriteReport(report);
        lock.lock();
        core->writeBusy = false;
        core->lastResult = result;
        core->completed = core->submitted;
        if (!core->ownerWaiting) {
            core->resultPending = false;  // its caller gave up: nobody takes this result
        }
        if (result == TransportResult::Gone) {
            core->gone = true;
        }
        core->changed.notify_all();
    }
}

std::unique_ptr<IHidHandle> CHidNode::OpenCollection(int collectionIndex) {
    if (collectionIndex < 0 ||
        static_cast<std::size_t>(collectionIndex) >= info_.collections.size() || IsGone()) {
        return nullptr;
    }
    return std::make_unique<CNodeHandle>(shared_from_this(), collectionIndex);
}

void CHidNode::Register(CNodeHandle* handle) {
    std::lock_guard<std::mutex> guard(core_->lock);
    handles_.push_back(handle);
}

void CHidNode::Unregister(CNodeHandle* handle) {
    std::lock_guard<std::mutex> guard(core_->lock);
    handles_.erase(std::remove(handles_.begin(), handles_.end(), handle), handles_.end());
}

void CHidNode::DeliverInput(std::span<const std::uint8_t> report) {
    if (report.empty()) {
        return;
    }
    std::uint8_t id = info_.usesReportIds ? report[0] : 0;
    std::int16_t collection = collectionOfReportId_[id];
    if (collection < 0) {
        return;  // a report the descriptor does not declare
    }
    std::lock_guard<std::mutex> guard(core_->lock);
    bool any = false;
    for (CNodeHandle* handle : handles_) {
        if (handle->CollectionIndex() == collection) {
            handle->Push(report);
            any = true;
        }
    }
    if (any) {
        core_->changed.notify_all();
    }
}

void CHidNode::MarkGone() {
    std::lock_guard<std::mutex> guard(core_->lock);
    core_->gone = true;
    core_->changed.notify_all();
}

bool CHidNode::IsGone() const {
    std::lock_guard<std::mutex> guard(core_->lock);
    return core_->gone;
}

}  // namespace hid
