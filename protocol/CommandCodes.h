#pragma once

#include <cstddef>
#include <cstdint>

namespace protocol {

// Command byte (frame byte 3) of each command the devices understand.
enum class Command : std::uint8_t {
    BeginSession = 1,
    EndSession = 2,
    ReadDeviceInfo = 3,
    ReadSettings = 5,
    WriteSettings = 6,
    ReadKeyTable = 7,
    WriteKeyTable = 9,
    WriteKeyColours = 11,
    WriteLiveColours = 18,
    WriteMacros = 21,
    WriteShootData = 23,
    ReadStatus = 26,
    ReadKeyBytes = 27,
    EnterLiveLight = 28,
    CheckReceiverLink = 0xAA,
};

inline constexpr std::uint8_t CommandByte(Command command) {
    return static_cast<std::uint8_t>(command);
}

inline constexpr std::size_t kDeviceInfoSize = 34;
inline constexpr std::size_t kMaxKeyTableSize = 512;
inline constexpr std::size_t kKeyTableBankStride = 512;

}  // namespace protocol
