#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

#include "hid/HidDevice.h"
#include "protocol/CommandCodes.h"

namespace protocol {

// The command interface of one device: transactions (one 64-byte request, one 64-byte reply),
// the locks that keep several threads' transactions apart, and the command wrappers.
// Results: 1 success; 0 not open or no reply; -1 request not written; -102 / -103 device
// status 0xFF / 0xFE; -201 key table bank other than 0.
//
// Lock order: commandLock (or previewLock) first, then ioLock inside the transaction; ioLock is
// never held while entering another lock. Command 18 holds previewLock and only tries
// commandLock: while another thread holds it, the frame steps aside.
class CDeviceProtocol {
public:
    static constexpr std::uint32_t kWiredTimeoutMs = 1000;
    static constexpr std::uint32_t kReceiverTimeoutMs = 5000;
    static constexpr std::uint32_t kEndSessionPauseMs = 10;

    CDeviceProtocol();
    explicit CDeviceProtocol(std::shared_ptr<hid::IHidBackend> backend);
    ~CDeviceProtocol() = default;
    CDeviceProtocol(const CDeviceProtocol&) = delete;
    CDeviceProtocol& operator=(const CDeviceProtocol&) = delete;

    // The full transaction, used by every command but 18.
    std::int32_t Transact(const std::uint8_t* request, std::size_t requestLength,
                          std::uint8_t* reply, std::size_t replyLength, std::uint32_t* bytesRead);
    // The short transaction of command 18: no busy flag, no trace, no retry, 1000 ms.
    std::int32_t TransactQuick(const std::uint8_t* request, std::size_t requestLength,
                               std::uint8_t* reply, std::size_t replyLength,
                               std::uint32_t* bytesRead);

    // Refuses sizes above 512 and keeps the old value.
    bool SetKeyTableSize(std::uint16_t size);
    bool IsOpen() const { return opened.load(); }

    std::int32_t CmdBeginSession();
    std::int32_t CmdEndSession();
    // Writes the 34-byte destination only on success.
    std::int32_t CmdReadDeviceInfo(std::uint8_t* destination);
    std::int32_t CmdReadSettings(std::uint8_t* destination, std::size_t count,
                                 std::uint32_t startOffset);
    std::int32_t CmdWriteSettings(const std::uint8_t* source, std::size_t count,
                                  std::uint32_t startOffset);
    // keyTableSize bytes.
    std::int32_t CmdReadKeyTable(std::uint8_t* destination);
    std::int32_t CmdWriteKeyTable(const std::uint8_t* source, std::uint32_t bank);
    std::int32_t CmdWriteKeyColours(const std::uint8_t* source, std::size_t count);
    std::int32_t CmdWriteLiveColours(const std::uint8_t* source, std::size_t count);
    std::int32_t CmdWriteMacros(const std::uint8_t* source, std::size_t count);
    std::int32_t CmdWriteShootData(const std::uint8_t* source, std::size_t count);
    // One frame: count at most 56; the destination is written only on success.
    std::int32_t CmdReadStatus(std::uint8_t* destination, std::size_t count, std::uint32_t offset);
    // keyTableSize / 3 bytes.
    std::int32_t CmdReadKeyBytes(std::uint8_t* destination);
    std::int32_t CmdEnterLiveLight();
    bool CmdCheckReceiverLink();

    std::atomic<std::uint16_t> keyTableSize{512};
    std::uint16_t secondKeyTableSize = 512;  // kept for layout; not used
    // 1 while a full transaction runs; commands 11 and 18 step aside meanwhile.
    std::atomic<std::uint8_t> busy{0};
    std::atomic<bool> opened{false};
    // The device's light preview sends nothing while set; transactions ignore it.
    std::atomic<bool> previewPaused{false};
    hid::CHidDevice hid;
    std::recursive_mutex ioLock;
    std::recursive_mutex commandLock;
    std::recursive_mutex previewLock;
    std::atomic<bool> receiverMode{false};
    std::uint8_t chunkSize = 56;

private:
    enum class FrameLock { Command, Preview };

    std::uint32_t TimeoutMs() const;
    // One frame under the given lock; maps the reply status.
    std::int32_t RunFrame(const std::uint8_t* request, std::uint8_t* reply, FrameLock lock);
    std::int32_t ControlCommand(Command command, std::uint8_t* reply);
    // A read of count bytes (at most one frame's data) at offset.
    std::int32_t FrameRead(Command command, std::uint8_t* destination, std::size_t count,
                           std::uint32_t offset);
    std::int32_t ChunkedRead(Command command, std::uint8_t* destination, std::size_t total,
                             std::uint32_t startOffset);
    std::int32_t ChunkedWrite(Command command, const std::uint8_t* source, std::size_t total,
                              std::uint32_t startOffset, std::size_t chunk, FrameLock lock);
    // Commands 11 and 18 are not sent while a full transaction runs or through a receiver.
    bool ShouldStepAside() const;
};

}  // namespace protocol
