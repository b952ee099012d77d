#include "macros/JsonFields.h"

#include <cmath>
#include <limits>

namespace macros {

const Json::Value& Member(const Json::Value& value, const char* key) {
    static const Json::Value kNull;
    if (!value.isObject()) {
        return kNull;
    }
    const Json::Value* found = value.find(key, key + std::char_traits<char>::length(key));
    return found != nullptr ? *found : kNull;
}

std::int64_t ReadInteger(const Json::Value& value) {
    switch (value.type()) {
        case Json::intValue:
            return value.asInt64();
        case Json::uintValue:
            return value.isInt64() ? value.asInt64() : std::numeric_limits<std::int64_t>::max();
        case Json::booleanValue:
            return value.asBool() ? 1 : 0;
        case Json::realValue: {
            const double d = value.asDouble();
            if (!std::isfinite(d) || d != std::trunc(d)) {
                return 0;
            }
            if (d >= 9.2e18) {
                return std::numeric_limits<std::int64_t>::max();
            }
            if (d <= -9.2e18) {
                return std::numeric_limits<std::int64_t>::min();
            }
            return static_cast<std::int64_t>(d);
        }
        default:
            return 0;
    }
}

std::string ReadString(const Json::Value& value) {
    return value.isString() ? value.asString() : std::string();
}

}  // namespace macros
