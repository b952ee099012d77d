#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace sim {

using FrameBytes = std::array<std::uint8_t, 64>;

// A misbehaviour a test asks the emulated device for.
enum class FaultKind : std::uint8_t {
    NoReply,       // the request is carried out but its reply is lost
    Delay,         // the reply comes delayMillis late
    StaleReplies,  // staleCount replies of another command come first
    Status,        // the reply carries `status` and the request is not carried out
    Unplug,        // the device disappears after taking the request, before answering
    Garbage,       // the request is carried out and `garbage` is sent as its reply
};

struct Fault {
    FaultKind kind = FaultKind::NoReply;
    std::uint8_t command = 0;  // only requests with this command byte; 0 matches every request
    unsigned skip = 0;         // matching requests let through before the fault starts
    unsigned times = 1;        // matching requests it affects after that
    std::uint32_t delayMillis = 0;
    unsigned staleCount = 1;
    std::uint8_t staleCommand = 0;  // 0: a command other than the request's
    std::uint8_t status = 0xFF;
    FrameBytes garbage{};
};

// What the firmware found wrong with a request it received.
enum class FrameProblem : std::uint8_t {
    BadReportId,
    ShortReport,
    BadChecksum,
    UnknownCommand,
    BadLength,
    OutOfRange,
    BadImageMagic,
    BadImageLength,
    ImageOutOfOrder,
    BadImageLayout,
};

struct DetectedProblem {
    FrameProblem problem;
    FrameBytes frame;
};

// The firmware's answer to one request, carried out by the transport: each reply after its
// delay (counted from the previous one), or the device unplugs instead of answering.
struct ReplyPlan {
    static constexpr std::size_t kMaxReplies = 4;
    std::array<FrameBytes, kMaxReplies> frames{};
    std::array<std::uint32_t, kMaxReplies> delayMicros{};
    std::size_t count = 0;
    bool unplug = false;
};

}  // namespace sim
