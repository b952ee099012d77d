#include "macros/MacroEvent.h"

#include <cctype>
#include <limits>

#include "macros/MacroLimits.h"
#include "profiles/JsonAccess.h"

namespace macros {

bool IsKnownEventType(std::int64_t type) {
    switch (type) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 9:
        case 10:
            return true;
        default:
            return false;
    }
}

std::int64_t ParseDelayText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\v' || text[i] == '\f')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Saturate instead of overflowing: anything this large is clamped later anyway.
    constexpr std::int64_t kCap = std::numeric_limits<std::int64_t>::max() / 10 - 10;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < kCap) {
            value = value * 10 + (text[i] - '0');
        }
    }
    return negative ? -value : value;
}

std::int64_t DelayValue(const Json::Value* delay) {
    if (delay == nullptr) {
        return 0;
    }
    if (delay->isString()) {
        return ParseDelayText(delay->asString());
    }
    if (delay->isNumeric() && !delay->isBool()) {
        if (delay->isDouble() && !delay->isIntegral()) {
            // A fractional delay keeps its whole milliseconds.
            const double d = delay->asDouble();
            if (d != d) {
                return 0;
            }
            if (d >= 1e15 || d <= -1e15) {
                return d > 0 ? kMaxDelay + 1 : -1;
            }
            return static_cast<std::int64_t>(d);
        }
        return jsonaccess::Integer(delay);
    }
    return 0;
}

std::uint16_t ClampDelay(std::int64_t value) {
    if (value < 0 || value > kMaxDelay) {
        return static_cast<std::uint16_t>(kMaxDelay);
    }
    return static_cast<std::uint16_t>(value);
}

Json::Value MakeEvent(bool down, int button, EventType type, std::uint16_t delay) {
    Json::Value event(Json::objectValue);
    event["Action"] = std::string(down ? kActionDown : kActionUp);
    event["Button"] = button;
    event["Type"] = static_cast<int>(type);
    event["Delay"] = std::to_string(delay);
    return event;
}

DeviceEventRecord EncodeDeviceEvent(const Json::Value& event) {
    using jsonaccess::LowByte;
    using jsonaccess::Member;
    const std::uint16_t delay = ClampDelay(DelayValue(Member(&event, "Delay")));
    const bool down = jsonaccess::Text(Member(&event, "Action")) == kActionDown;
    const std::uint8_t type = LowByte(Member(&event, "Type"));
    const std::uint8_t button = LowByte(Member(&event, "Button"));
    return {static_cast<std::uint8_t>(delay & 0xFF), static_cast<std::uint8_t>(delay >> 8),
            static_cast<std::uint8_t>(down ? (type | 0x80) : type), button};
}

}  // namespace macros
