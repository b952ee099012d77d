#pragma once

#include <cstdint>

// Result codes of the device layers: callers stop at the first result other than kOk.
namespace protocol {

inline constexpr std::int32_t kOk = 1;
inline constexpr std::int32_t kNoReply = 0;            // interface not open, or no reply read
inline constexpr std::int32_t kWriteFailed = -1;       // the request could not be written
inline constexpr std::int32_t kDeviceFailed = -102;    // reply status 0xFF
inline constexpr std::int32_t kDeviceRejected = -103;  // reply status 0xFE
inline constexpr std::int32_t kBadBank = -201;         // key table bank other than 0

}  // namespace protocol
