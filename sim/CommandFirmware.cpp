#include "sim/CommandFirmware.h"

#include <algorithm>
#include <cstring>

#include "protocol/CommandCodes.h"
#include "protocol/FrameLayout.h"

namespace sim {
namespace {

using protocol::Command;
using protocol::CommandByte;

constexpr std::uint8_t kStatusOk = 0x00;

// A damaged frame (short, wrong checksum) is rejected unread; a well-formed request the
// firmware cannot carry out (range, length, image checks, unknown command) fails.
constexpr std::uint8_t kStatusBadFrame = protocol::kStatusRejected;
constexpr std::uint8_t kStatusError = protocol::kStatusFailed;

std::size_t RequestOffset(const std::uint8_t* request) {
    return protocol::FrameDataOffset(request);
}

}  // namespace

CommandFirmware::CommandFirmware(const FirmwareConfig& config)
    : latencyMicros_(config.latencyMicros), log_(kLogCapacity) {
    memory_.deviceInfo = config.deviceInfo;
    memory_.keyTable = config.keyTable;
    memory_.keyBytes = config.keyBytes;
    memory_.keyColours.assign(config.keyColourBytes, 0);
    memory_.liveColours.assign(config.keyColourBytes, 0);
    memory_.settings = config.settings;
    memory_.settings.resize(config.settingsSlotSize * config.settingsSlotCount, 0);
    memory_.macros = ImageArea(config.macroCapacity, 0);
    memory_.shoot = ImageArea(config.shootCapacity, config.shootImageRecords);
    memory_.status = config.status;
    memory_.receiverLinkUp = config.receiverLinkUp;
    problems_.reserve(64);
}

void CommandFirmware::HandleRequest(const std::uint8_t* report, std::size_t length,
                                    ReplyPlan& plan) {
    std::lock_guard lock(mutex_);
    plan.count = 0;
    plan.unplug = false;
    LogRequest(report, report == nullptr ? 0 : length);

    protocol::Frame request{};
    if (report == nullptr) {
        length = 0;
    }
    if (length > 0) {
        std::memcpy(request, report, std::min(length, protocol::kFrameSize));
    }
    if (length == 0 || request[protocol::kOffsetReportId] != protocol::kReportId) {
        // Not a command frame: a real device would not route it to the command collection.
        Problem(FrameProblem::BadReportId, request);
        return;
    }
    std::uint8_t command = protocol::FrameCommand(request);

    const Fault* fault = TakeFault(command);
    if (fault != nullptr && fault->kind == FaultKind::Unplug) {
        plan.unplug = true;
        return;
    }

    std::uint8_t* reply = plan.frames[0].data();
    std::memset(reply, 0, protocol::kFrameSize);
    reply[protocol::kOffsetReportId] = protocol::kReportId;
    reply[protocol::kOffsetCommand] = command;
    reply[protocol::kOffsetLength] = request[protocol::kOffsetLength];
    reply[protocol::kOffsetDataOffset] = request[protocol::kOffsetDataOffset];
    reply[protocol::kOffsetDataOffset + 1] = request[protocol::kOffsetDataOffset + 1];

    std::uint8_t status;
    if (length < protocol::kFrameSize) {
        status = Problem(FrameProblem::ShortReport, request);
    } else if (!protocol::HasValidChecksum(request)) {
        status = Problem(FrameProblem::BadChecksum, request);
    } else if (fault != nullptr && fault->kind == FaultKind::Status) {
        status = fault->status;
    } else {
        status = Execute(request, reply);
    }
    reply[protocol::kOffsetStatus] = status;
    protocol::SealFrame(reply);

    if (fault != nullptr && fault->kind == FaultKind::NoReply) {
        return;
    }
    if (fault != nullptr && fault->kind == FaultKind::Garbage) {
        plan.frames[0] = fault->garbage;
    }
    std::uint32_t firstDelay = latencyMicros_;
    if (fault != nullptr && fault->kind == FaultKind::Delay) {
        firstDelay += fault->delayMillis * 1000;
    }
    if (fault != nullptr && fault->kind == FaultKind::StaleReplies) {
        std::size_t stale = std::min<std::size_t>(fault->staleCount, ReplyPlan::kMaxReplies - 1);
        std::uint8_t staleCommand = fault->staleCommand;
        if (staleCommand == 0) {
            staleCommand = command == CommandByte(Command::EndSession)
                               ? CommandByte(Command::BeginSession)
                               : CommandByte(Command::EndSession);
        }
        // The real reply moves to the end; the stale ones answer some earlier request.
        plan.frames[stale] = plan.frames[0];
        for (std::size_t i = 0; i < stale; ++i) {
            std::uint8_t* old = plan.frames[i].data();
            std::memset(old, 0, protocol::kFrameSize);
            old[protocol::kOffsetReportId] = protocol::kReportId;
            old[protocol::kOffsetCommand] = staleCommand;
            protocol::SealFrame(old);
            plan.delayMicros[i] = i == 0 ? firstDelay : 0;
        }
        plan.delayMicros[stale] = 0;
        plan.count = stale + 1;
        return;
    }
    plan.delayMicros[0] = firstDelay;
    plan.count = 1;
}

std::uint8_t CommandFirmware::Execute(const std::uint8_t* request, std::uint8_t* reply) {
    std::uint8_t length = protocol::FrameLength(request);
    if (length > protocol::kMaxFrameData) {
        return Problem(FrameProblem::BadLength, request);
    }
    FirmwareMemory& m = memory_;
    switch (static_cast<Command>(protocol::FrameCommand(request))) {
        case Command::BeginSession:
            m.sessionOpen = true;
            ++m.sessionsBegun;
            return kStatusOk;
        case Command::EndSession:
            m.sessionOpen = false;
            ++m.sessionsEnded;
            return kStatusOk;
        case Command::ReadDeviceInfo:
            return ReadArea(m.deviceInfo.data(), m.deviceInfo.size(), request, reply);
        case Command::ReadSettings:
            return ReadArea(m.settings.data(), m.settings.size(), request, reply);
        case Command::WriteSettings:
            return WriteArea(m.settings.data(), m.settings.size(), request);
        case Command::ReadKeyTable:
            return ReadArea(m.keyTable.data(), m.keyTable.size(), request, reply);
        case Command::WriteKeyTable:
            return WriteArea(m.keyTable.data(), m.keyTable.size(), request);
        case Command::WriteKeyColours:
            return WriteArea(m.keyColours.data(), m.keyColours.size(), request);
        case Command::WriteLiveColours:
            return WriteArea(m.liveColours.data(), m.liveColours.size(), request);
        case Command::WriteMacros:
            return WriteImage(m.macros, request);
        case Command::WriteShootData:
            return WriteImage(m.shoot, request);
        case Command::ReadStatus:
            return ReadArea(m.status.data(), m.status.size(), request, reply);
        case Command::ReadKeyBytes:
            return ReadArea(m.keyBytes.data(), m.keyBytes.size(), request, reply);
        case Command::EnterLiveLight:
            m.liveLight = true;
            return kStatusOk;
        case Command::CheckReceiverLink:
            reply[protocol::kOffsetData] = m.receiverLinkUp ? 0xFF : 0x00;
            return kStatusOk;
    }
    return Problem(FrameProblem::UnknownCommand, request);
}

std::uint8_t CommandFirmware::ReadArea(const std::uint8_t* source, std::size_t size,
                                       const std::uint8_t* request, std::uint8_t* reply) {
    std::size_t offset = RequestOffset(request);
    std::size_t length = protocol::FrameLength(request);
    if (offset + length > size) {
        return Problem(FrameProblem::OutOfRange, request);
    }
    if (length > 0) {
        std::memcpy(reply + protocol::kOffsetData, source + offset, length);
    }
    return kStatusOk;
}

std::uint8_t CommandFirmware::WriteArea(std::uint8_t* target, std::size_t size,
                                        const std::uint8_t* request) {
    std::size_t offset = RequestOffset(request);
    std::size_t length = protocol::FrameLength(request);
    if (offset + length > size) {
        return Problem(FrameProblem::OutOfRange, request);
    }
    if (length > 0) {
        std::memcpy(target + offset, request + protocol::kOffsetData, length);
    }
    return kStatusOk;
}

std::uint8_t CommandFirmware::WriteImage(ImageArea& area, const std::uint8_t* request) {
    switch (area.Write(RequestOffset(request), request + protocol::kOffsetData,
                       protocol::FrameLength(request))) {
        case ImageArea::Check::Ok:
            return kStatusOk;
        case ImageArea::Check::BadMagic:
            return Problem(FrameProblem::BadImageMagic, request);
        case ImageArea::Check::BadLength:
            return Problem(FrameProblem::BadImageLength, request);
        case ImageArea::Check::OutOfOrder:
            return Problem(FrameProblem::ImageOutOfOrder, request);
        case ImageArea::Check::BadLayout:
            return Problem(FrameProblem::BadImageLayout, request);
    }
    return kStatusError;
}

std::uint8_t CommandFirmware::Problem(FrameProblem problem, const std::uint8_t* request) {
    DetectedProblem found{problem, {}};
    std::memcpy(found.frame.data(), request, protocol::kFrameSize);
    if (problems_.size() < kProblemCapacity) {
        problems_.push_back(found);
    }
    bool frameLevel = problem == FrameProblem::BadChecksum || problem == FrameProblem::ShortReport;
    return frameLevel ? kStatusBadFrame : kStatusError;
}

const Fault* CommandFirmware::TakeFault(std::uint8_t command) {
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (it->command != 0 && it->command != command) {
            continue;
        }
        if (it->skip > 0) {
            --it->skip;
            return nullptr;
        }
        activeFault_ = *it;
        if (--it->times == 0) {
            faults_.erase(it);
        }
        return &activeFault_;
    }
    return nullptr;
}

void CommandFirmware::LogRequest(const std::uint8_t* report, std::size_t length) {
    FrameBytes& slot = log_[logHead_];
    slot.fill(0);
    if (length > 0) {
        std::memcpy(slot.data(), report, std::min(length, slot.size()));
    }
    logHead_ = (logHead_ + 1) % kLogCapacity;
    ++received_;
}

void CommandFirmware::InjectFault(const Fault& fault) {
    std::lock_guard lock(mutex_);
    if (fault.times > 0) {
        faults_.push_back(fault);
    }
}

void CommandFirmware::ClearFaults() {
    std::lock_guard lock(mutex_);
    faults_.clear();
}

void CommandFirmware::SetLatencyMicros(std::uint32_t micros) {
    std::lock_guard lock(mutex_);
    latencyMicros_ = micros;
}

FirmwareMemory CommandFirmware::Memory() const {
    std::lock_guard lock(mutex_);
    return memory_;
}

void CommandFirmware::EditMemory(const std::function<void(FirmwareMemory&)>& edit) {
    std::lock_guard lock(mutex_);
    edit(memory_);
}

std::vector<FrameBytes> CommandFirmware::ReceivedFrames() const {
    std::lock_guard lock(mutex_);
    std::size_t kept = std::min<std::uint64_t>(received_, kLogCapacity);
    std::vector<FrameBytes> frames;
    frames.reserve(kept);
    std::size_t start = (logHead_ + kLogCapacity - kept) % kLogCapacity;
    for (std::size_t i = 0; i < kept; ++i) {
        frames.push_back(log_[(start + i) % kLogCapacity]);
    }
    return frames;
}

std::vector<FrameBytes> CommandFirmware::ReceivedFrames(std::uint8_t command) const {
    std::vector<FrameBytes> frames = ReceivedFrames();
    std::erase_if(
        frames, [command](const FrameBytes& f) { return f[protocol::kOffsetCommand] != command; });
    return frames;
}

std::uint64_t CommandFirmware::ReceivedCount() const {
    std::lock_guard lock(mutex_);
    return received_;
}

std::vector<DetectedProblem> CommandFirmware::Problems() const {
    std::lock_guard lock(mutex_);
    return problems_;
}

void CommandFirmware::ClearLog() {
    std::lock_guard lock(mutex_);
    received_ = 0;
    logHead_ = 0;
    problems_.clear();
}

}  // namespace sim
