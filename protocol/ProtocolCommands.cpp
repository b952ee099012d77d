// The command wrappers of CDeviceProtocol: frame building, chunking and status mapping.
#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "protocol/DeviceProtocol.h"
#include "protocol/FrameLayout.h"
#include "protocol/ResultCodes.h"

namespace protocol {
namespace {

// Offsets are 16 bits on the wire: a transfer reaching past them would wrap onto other data.
constexpr std::size_t kOffsetLimit = 0x10000;
// Command 23 always frames by this constant, whatever chunkSize says.
constexpr std::size_t kShootFrameData = 56;

std::int32_t MapStatus(std::int32_t result, const std::uint8_t* reply) {
    if (result != kOk) {
        return result;
    }
    switch (FrameStatus(reply)) {
        case kStatusFailed:
            return kDeviceFailed;
        case kStatusRejected:
            return kDeviceRejected;
        default:
            return kOk;
    }
}

bool FitsOffsets(std::size_t startOffset, std::size_t total) {
    return startOffset <= kOffsetLimit && total <= kOffsetLimit - startOffset;
}

}  // namespace

bool CDeviceProtocol::ShouldStepAside() const {
    return busy.load() != 0 || receiverMode.load();
}

std::int32_t CDeviceProtocol::RunFrame(const std::uint8_t* request, std::uint8_t* reply,
                                       FrameLock lock) {
    std::int32_t result;
    if (lock == FrameLock::Command) {
        std::lock_guard guard(commandLock);
        result = Transact(request, kFrameSize, reply, kFrameSize, nullptr);
    } else {
        std::lock_guard guard(previewLock);
        result = TransactQuick(request, kFrameSize, reply, kFrameSize, nullptr);
    }
    return MapStatus(result, reply);
}

std::int32_t CDeviceProtocol::ControlCommand(Command command, std::uint8_t* reply) {
    Frame request;
    StartRequest(request, CommandByte(command));
    SealFrame(request);
    return RunFrame(request, reply, FrameLock::Command);
}

std::int32_t CDeviceProtocol::ChunkedRead(Command command, std::uint8_t* destination,
                                          std::size_t total, std::uint32_t startOffset) {
    if (total == 0) {
        return kOk;
    }
    if (destination == nullptr || !FitsOffsets(startOffset, total)) {
        return kNoReply;
    }
    const std::size_t chunk = std::clamp<std::size_t>(chunkSize, 1, kMaxFrameData);
    Frame request;
    Frame reply;
    StartRequest(request, CommandByte(command));
    for (std::size_t position = 0; position < total; position += chunk) {
        const std::size_t length = ChunkLength(position, total, chunk);
        SetLengthAndOffset(request, static_cast<std::uint8_t>(length),
                           static_cast<std::uint16_t>(startOffset + position));
        SealFrame(request);
        std::memset(reply, 0, kFrameSize);
        std::int32_t result = RunFrame(request, reply, FrameLock::Command);
        if (result != kOk) {
            return result;
        }
        std::memcpy(destination + position, reply + kOffsetData, length);
    }
    return kOk;
}

std::int32_t CDeviceProtocol::ChunkedWrite(Command command, const std::uint8_t* source,
                                           std::size_t total, std::uint32_t startOffset,
                                           std::size_t chunk, FrameLock lock) {
    if (total == 0) {
        return kOk;
    }
    if (source == nullptr || !FitsOffsets(startOffset, total)) {
        return kNoReply;
    }
    chunk = std::clamp<std::size_t>(chunk, 1, kMaxFrameData);
    const bool mayStepAside =
        command == Command::WriteKeyColours || command == Command::WriteLiveColours;
    // One request buffer for all frames: data bytes past a frame's length keep what the
    // previous frame left there, as the device has always seen them.
    Frame request;
    Frame reply;
    StartRequest(request, CommandByte(command));
    for (std::size_t position = 0; position < total; position += chunk) {
        const std::size_t length = ChunkLength(position, total, chunk);
        SetLengthAndOffset(request, static_cast<std::uint8_t>(length),
                           static_cast<std::uint16_t>(startOffset + position));
        std::memcpy(request + kOffsetData, source + position, length);
        SealFrame(request);
        if (mayStepAside && ShouldStepAside()) {
            continue;
        }
        std::int32_t result;
        if (lock == FrameLock::Preview) {
            // The short transaction holds ioLock only per phase, so a reply could go to the
            // wrong thread if a command ran in between: the frame also steps aside while
            // another thread holds commandLock.
            std::lock_guard preview(previewLock);
            std::unique_lock command_(commandLock, std::try_to_lock);
            if (!command_.owns_lock() || ShouldStepAside()) {
                continue;
            }
            std::memset(reply, 0, kFrameSize);
            result =
                MapStatus(TransactQuick(request, kFrameSize, reply, kFrameSize, nullptr), reply);
        } else {
            std::memset(reply, 0, kFrameSize);
            result = RunFrame(request, reply, lock);
        }
        if (result != kOk) {
            return result;
        }
    }
    return kOk;
}

std::int32_t CDeviceProtocol::CmdBeginSession() {
    Frame reply{};
    return ControlCommand(Command::BeginSession, reply);
}

std::int32_t CDeviceProtocol::CmdEndSession() {
    // The device needs a moment after the last write of a sequence.
    std::this_thread::sleep_for(std::chrono::milliseconds(kEndSessionPauseMs));
    Frame reply{};
    return ControlCommand(Command::EndSession, reply);
}

std::int32_t CDeviceProtocol::CmdEnterLiveLight() {
    Frame reply{};
    return ControlCommand(Command::EnterLiveLight, reply);
}

bool CDeviceProtocol::CmdCheckReceiverLink() {
    Frame reply{};
    return ControlCommand(Command::CheckReceiverLink, reply) == kOk && reply[kOffsetData] == 0xFF;
}

std::int32_t CDeviceProtocol::FrameRead(Command command, std::uint8_t* destination,
                                        std::size_t count, std::uint32_t offset) {
    // One frame carries at most 56 data bytes; more would read past the reply.
    if (destination == nullptr || count > kMaxFrameData || !FitsOffsets(offset, count)) {
        return kNoReply;
    }
    Frame request;
    Frame reply{};
    StartRequest(request, CommandByte(command));
    SetLengthAndOffset(request, static_cast<std::uint8_t>(count),
                       static_cast<std::uint16_t>(offset));
    SealFrame(request);
    std::int32_t result = RunFrame(request, reply, FrameLock::Command);
    if (result == kOk) {
        std::memcpy(destination, reply + kOffsetData, count);
    }
    return result;
}

std::int32_t CDeviceProtocol::CmdReadDeviceInfo(std::uint8_t* destination) {
    return FrameRead(Command::ReadDeviceInfo, destination, kDeviceInfoSize, 0);
}

std::int32_t CDeviceProtocol::CmdReadStatus(std::uint8_t* destination, std::size_t count,
                                            std::uint32_t offset) {
    return FrameRead(Command::ReadStatus, destination, count, offset);
}

std::int32_t CDeviceProtocol::CmdReadSettings(std::uint8_t* destination, std::size_t count,
                                              std::uint32_t startOffset) {
    return ChunkedRead(Command::ReadSettings, destination, count, startOffset);
}

std::int32_t CDeviceProtocol::CmdWriteSettings(const std::uint8_t* source, std::size_t count,
                                               std::uint32_t startOffset) {
    return ChunkedWrite(Command::WriteSettings, source, count, startOffset, chunkSize,
                        FrameLock::Command);
}

std::int32_t CDeviceProtocol::CmdReadKeyTable(std::uint8_t* destination) {
    return ChunkedRead(Command::ReadKeyTable, destination, keyTableSize.load(), 0);
}

std::int32_t CDeviceProtocol::CmdWriteKeyTable(const std::uint8_t* source, std::uint32_t bank) {
    if (bank != 0) {
        return kBadBank;
    }
    // Offsets are bank × 512 + position, which is the position for the only bank there is.
    return ChunkedWrite(Command::WriteKeyTable, source, keyTableSize.load(), 0, chunkSize,
                        FrameLock::Command);
}

std::int32_t CDeviceProtocol::CmdReadKeyBytes(std::uint8_t* destination) {
    return ChunkedRead(Command::ReadKeyBytes, destination, keyTableSize.load() / 3, 0);
}

std::int32_t CDeviceProtocol::CmdWriteKeyColours(const std::uint8_t* source, std::size_t count) {
    return ChunkedWrite(Command::WriteKeyColours, source, count, 0, chunkSize, FrameLock::Command);
}

std::int32_t CDeviceProtocol::CmdWriteLiveColours(const std::uint8_t* source, std::size_t count) {
    return ChunkedWrite(Command::WriteLiveColours, source, count, 0, chunkSize, FrameLock::Preview);
}

std::int32_t CDeviceProtocol::CmdWriteMacros(const std::uint8_t* source, std::size_t count) {
    return ChunkedWrite(Command::WriteMacros, source, count, 0, chunkSize, FrameLock::Command);
}

std::int32_t CDeviceProtocol::CmdWriteShootData(const std::uint8_t* source, std::size_t count) {
    // Under commandLock like every other write: without it another thread's frame could take
    // this frame's reply between its write and its read.
    return ChunkedWrite(Command::WriteShootData, source, count, 0, kShootFrameData,
                        FrameLock::Command);
}

}  // namespace protocol
