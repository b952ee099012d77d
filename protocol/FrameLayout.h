#pragma once

#include <cstddef>
#include <cstdint>

// The 64-byte command frame shared by requests and replies, and the helpers that build it.
// Frames are plain stack arrays; nothing here allocates.
namespace protocol {

inline constexpr std::size_t kFrameSize = 64;
inline constexpr std::uint8_t kReportId = 4;
inline constexpr std::size_t kMaxFrameData = 56;

inline constexpr std::size_t kOffsetReportId = 0;
inline constexpr std::size_t kOffsetChecksum = 1;
inline constexpr std::size_t kOffsetCommand = 3;
inline constexpr std::size_t kOffsetLength = 4;
inline constexpr std::size_t kOffsetDataOffset = 5;
inline constexpr std::size_t kOffsetStatus = 7;
inline constexpr std::size_t kOffsetData = 8;

inline constexpr std::uint8_t kStatusFailed = 0xFF;
inline constexpr std::uint8_t kStatusRejected = 0xFE;

using Frame = std::uint8_t[kFrameSize];

// Low 16 bits of the sum of bytes 3 to 63; the report id and the checksum itself are outside it.
std::uint16_t ComputeChecksum(const std::uint8_t* frame);

// Stores the checksum in bytes 1 and 2 (little-endian). Call after every other byte is in place.
void SealFrame(std::uint8_t* frame);

bool HasValidChecksum(const std::uint8_t* frame);

// Zeroes the frame and sets the report id and the command.
void StartRequest(std::uint8_t* frame, std::uint8_t command);

// Sets the data length (byte 4) and the data offset (bytes 5 and 6, low byte first).
void SetLengthAndOffset(std::uint8_t* frame, std::uint8_t length, std::uint16_t offset);

inline std::uint16_t ReadLe16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline void WriteLe16(std::uint8_t* bytes, std::uint16_t value) {
    bytes[0] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

inline std::uint8_t FrameCommand(const std::uint8_t* frame) {
    return frame[kOffsetCommand];
}
inline std::uint8_t FrameLength(const std::uint8_t* frame) {
    return frame[kOffsetLength];
}
inline std::uint16_t FrameDataOffset(const std::uint8_t* frame) {
    return ReadLe16(frame + kOffsetDataOffset);
}
inline std::uint8_t FrameStatus(const std::uint8_t* frame) {
    return frame[kOffsetStatus];
}

// The data length of the frame that starts at position within a transfer of total bytes:
// chunk while more than one chunk remains, else what is left.
inline std::size_t ChunkLength(std::size_t position, std::size_t total, std::size_t chunk) {
    return position + chunk < total ? chunk : total - position;
}

}  // namespace protocol
