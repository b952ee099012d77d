#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "hid/HidBackend.h"
#include "hid/ReportDescriptor.h"

// One open device node (a hidraw node, or one interface of an emulated device) shared by the
// handles of its collections: input reports are filed by report id into a bounded queue per
// handle, and writes go through a writer thread so a transport that blocks cannot hold a caller
// past its time-out.
namespace hid {

enum class TransportResult { Ok, Failed, Gone };

// Performs one output report write on the writer thread. May block.
class INodeTransport {
public:
    virtual ~INodeTransport() = default;
    virtual TransportResult WriteReport(std::span<const std::uint8_t> report) = 0;
};

class CNodeHandle;

class CHidNode : public std::enable_shared_from_this<CHidNode> {
public:
    static constexpr std::size_t kQueueDepth = 32;

    CHidNode(HidAttributes attributes, std::vector<std::uint8_t> descriptor,
             ReportDescriptorInfo info, std::unique_ptr<INodeTransport> transport);
    virtual ~CHidNode();
    CHidNode(const CHidNode&) = delete;
    CHidNode& operator=(const CHidNode&) = delete;

    // A handle on collection index (0-based); null when there is no such collection.
    std::unique_ptr<IHidHandle> OpenCollection(int collectionIndex);

    // Files one input report (byte 0 = report id, 0 without ids) to the handles of the
    // collection owning its id. Never blocks for long and never allocates.
    void DeliverInput(std::span<const std::uint8_t> report);
    // The device went away: every waiter returns 0 and every later call fails.
    void MarkGone();
    bool IsGone() const;

    const HidAttributes& Attributes() const { return attributes_; }
    const std::vector<std::uint8_t>& Descriptor() const { return descriptor_; }
    const ReportDescriptorInfo& Info() const { return info_; }

private:
    friend class CNodeHandle;
    struct Core;

    void Register(CNodeHandle* handle);
    void Unregister(CNodeHandle* handle);
    static void WriterLoop(std::shared_ptr<Core> core);

    HidAttributes attributes_;
    std::vector<std::uint8_t> descriptor_;
    ReportDescriptorInfo info_;
    std::array<std::int16_t, 256> collectionOfReportId_;
    std::shared_ptr<Core> core_;
    std::thread writer_;
    std::vector<CNodeHandle*> handles_;  // guarded by core_->lock
};

}  // namespace hid
