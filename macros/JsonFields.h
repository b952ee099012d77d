#pragma once

#include <json/json.h>

#include <cstdint>
#include <string>

// Type-tolerant reads of JSON members: a member of a type that cannot be converted reads as
// missing, and nothing here creates a member or throws.
namespace macros {

// The member of an object, or null when value is not an object or lacks it.
const Json::Value& Member(const Json::Value& value, const char* key);

// An integer: integral numbers as they are (out-of-range values saturate), true as 1,
// other types as 0.
std::int64_t ReadInteger(const Json::Value& value);

// A string member's text; empty for any other type.
std::string ReadString(const Json::Value& value);

}  // namespace macros
