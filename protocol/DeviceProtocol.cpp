#include "protocol/DeviceProtocol.h"

#include <algorithm>
#include <cstring>

#include "base/Trace.h"
#include "protocol/FrameLayout.h"
#include "protocol/ResultCodes.h"

namespace protocol {
namespace {

// Copies at most one frame of src into a zeroed frame.
void CopyPadded(std::uint8_t* frame, const std::uint8_t* src, std::size_t length) {
    std::memset(frame, 0, kFrameSize);
    if (src != nullptr) {
        std::memcpy(frame, src, std::min(length, kFrameSize));
    }
}

struct BusyScope {
    explicit BusyScope(std::atomic<std::uint8_t>& flag) : flag_(flag) { flag_.store(1); }
    ~BusyScope() { flag_.store(0); }
    std::atomic<std::uint8_t>& flag_;
};

}  // namespace

CDeviceProtocol::CDeviceProtocol() = default;

CDeviceProtocol::CDeviceProtocol(std::shared_ptr<hid::IHidBackend> backend)
    : hid(std::move(backend)) {}

std::uint32_t CDeviceProtocol::TimeoutMs() const {
    return receiverMode.load() ? kReceiverTimeoutMs : kWiredTimeoutMs;
}

bool CDeviceProtocol::SetKeyTableSize(std::uint16_t size) {
    if (size > kMaxKeyTableSize) {
        return false;
    }
    keyTableSize.store(size);
    return true;
}

std::int32_t CDeviceProtocol::Transact(const std::uint8_t* request, std::size_t requestLength,
                                       std::uint8_t* reply, std::size_t replyLength,
                                       std::uint32_t* bytesRead) {
    BusyScope busyScope(busy);
    if (bytesRead != nullptr) {
        *bytesRead = 0;
    }
    if (!opened.load()) {
        return kNoReply;
    }
    Frame scratch;
    if (reply == nullptr || replyLength == 0) {
        reply = scratch;  // the caller wants no reply bytes; the device still sends them
        replyLength = kFrameSize;
    }
    Frame frame;
    CopyPadded(frame, request, requestLength);
    trace::Frame(frame, kFrameSize);

    const std::uint32_t timeout = TimeoutMs();
    int written;
    {
        std::lock_guard io(ioLock);
        written = hid.Write(frame, kFrameSize, nullptr, timeout);
    }
    if (written <= 0) {
        return kWriteFailed;
    }

    std::int32_t result = kNoReply;
    std::uint32_t transferred = 0;
    {
        std::lock_guard io(ioLock);
        // A reply left over from an earlier, abandoned request may come first: read once more.
        // A read that fails ends the phase; its buffer says nothing about the command.
        for (int attempt = 0; attempt < 2; ++attempt) {
            transferred = 0;
            result =
                hid.Read(reply, static_cast<std::uint32_t>(replyLength), &transferred, timeout);
            if (result <= 0 || replyLength <= kOffsetCommand ||
                reply[kOffsetCommand] == frame[kOffsetCommand]) {
                break;
            }
        }
    }
    if (bytesRead != nullptr) {
        *bytesRead = transferred;
    }
    CopyPadded(frame, reply, replyLength);
    trace::Frame(frame, kFrameSize);
    return result;
}

std::int32_t CDeviceProtocol::TransactQuick(const std::uint8_t* request, std::size_t requestLength,
                                            std::uint8_t* reply, std::size_t replyLength,
                                            std::uint32_t* bytesRead) {
    if (bytesRead != nullptr) {
        *bytesRead = 0;
    }
    if (!opened.load()) {
        return kNoReply;
    }
    Frame scratch;
    if (reply == nullptr || replyLength == 0) {
        reply = scratch;
        replyLength = kFrameSize;
    }
    Frame frame;
    CopyPadded(frame, request, requestLength);
    int written;
    {
        std::lock_guard io(ioLock);
        written = hid.Write(frame, kFrameSize, nullptr, kWiredTimeoutMs);
    }
    if (written <= 0) {
        return kWriteFailed;
    }
    std::lock_guard io(ioLock);
    return hid.Read(reply, static_cast<std::uint32_t>(replyLength), bytesRead, kWiredTimeoutMs);
}

}  // namespace protocol
