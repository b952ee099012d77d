#include "protocol/FrameLayout.h"

#include <cstring>

namespace protocol {

std::uint16_t ComputeChecksum(const std::uint8_t* frame) {
    unsigned sum = 0;
    for (std::size_t i = kOffsetCommand; i < kFrameSize; ++i) {
        sum += frame[i];
    }
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

void SealFrame(std::uint8_t* frame) {
    WriteLe16(frame + kOffsetChecksum, ComputeChecksum(frame));
}

bool HasValidChecksum(const std::uint8_t* frame) {
    return ReadLe16(frame + kOffsetChecksum) == ComputeChecksum(frame);
}

void StartRequest(std::uint8_t* frame, std::uint8_t command) {
    std::memset(frame, 0, kFrameSize);
    frame[kOffsetReportId] = kReportId;
    frame[kOffsetCommand] = command;
}

void SetLengthAndOffset(std::uint8_t* frame, std::uint8_t length, std::uint16_t offset) {
    frame[kOffsetLength] = length;
    WriteLe16(frame + kOffsetDataOffset, offset);
}

}  // namespace protocol
